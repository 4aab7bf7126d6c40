// The launcher's named values are the numbers Windows takes for them.
#include "platform/win32/system_values.h"

#include <gtest/gtest.h>

TEST(SystemValues, NamedValuesAreTheWin32Numbers) {
    EXPECT_EQ(win32::KeyOf(123), Key::F12);
    EXPECT_EQ(win32::KeyOf(122), Key::Other);
    EXPECT_EQ(win32::ShowCommandOf(StartedWindow::NormalWithFocus), 1);
    EXPECT_EQ(win32::MessageBoxStyleOf(MessageKind::CriticalOk), 16u);
    EXPECT_EQ(win32::FontWeightOf(FontWeight::Bold), 700);
    EXPECT_EQ(win32::FontWeightOf(FontWeight::Normal), 400);
    EXPECT_EQ(win32::CharsetOf(Charset::Cyrillic), 204);
}
