// The Open dialog's buffer: Wine's own dialog cannot return a path longer
// than 259 characters, so the room for the longest Windows path is checked
// here, on the buffer the dialog is given.
#include "platform/win32/file_dialog.h"

#include <gtest/gtest.h>

#include "platform/dialog_filter.h"

using namespace std::string_literals;

TEST(FileDialogBuffer, HoldsTheLongestWindowsPathAndItsEnd) {
    const std::wstring longest(32767, L'ж');
    const std::vector<wchar_t> buffer = win32::FileNameBuffer(longest);
    ASSERT_EQ(buffer.size(), 32768u) << "counted in characters, with room for the final NUL";
    EXPECT_EQ(std::wstring(buffer.data()), longest);
    EXPECT_EQ(buffer.back(), L'\0');
}

TEST(FileDialogBuffer, StartsWithThePreviousChoiceOrEmpty) {
    EXPECT_EQ(std::wstring(win32::FileNameBuffer(L"kravix.exe").data()), L"kravix.exe");
    EXPECT_EQ(std::wstring(win32::FileNameBuffer(L"").data()), L"");
    const std::wstring overlong(40000, L'a');
    EXPECT_EQ(std::wstring(win32::FileNameBuffer(overlong).data()).size(), 32767u) << "never past its end";
}

TEST(FileDialogFilter, EveryBarEndsAStringAndTheListEndsTwice) {
    EXPECT_EQ(DialogFilter(L"Таблицы kravix|*.tbl|"), L"Таблицы kravix\0*.tbl\0\0"s);
    EXPECT_EQ(DialogFilter(L"a|*.a;*.b|c|*.*|"), L"a\0*.a;*.b\0c\0*.*\0\0"s);
    EXPECT_EQ(DialogFilter(L"a|*.a"), L"a\0*.a\0\0"s) << "a missing final bar is supplied";
}
