// The command lines kravix.exe and a batch file are started with.
#include "command_line.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

// The exact form of the line, as the C runtime and CommandLineToArgvW split it.
TEST(CommandLine, EachTextArrivesWholeInItsPosition) {
    // clang-format off
    const struct { const char* name; LaunchTexts texts; std::wstring line; } cases[] = {
        {"plain paths as they are", {L"C:\\Tools\\kravix.exe", L"C:\\r\\game.nes", L"C:\\t\\a.tbl", L"C:\\t\\b.tbl"},
         L"C:\\Tools\\kravix.exe C:\\r\\game.nes C:\\t\\a.tbl C:\\t\\b.tbl"},
        {"an empty last text: its space kept", {L"k.exe", L"r.nes", L"a.tbl", L""}, L"k.exe r.nes a.tbl "},
        {"an empty ROM before a table", {L"k.exe", L"", L"C:\\t\\a.tbl", L""}, L"k.exe \"\" C:\\t\\a.tbl "},
        {"all empty: three spaces", {L"", L"", L"", L""}, L"   "},
        {"a quote escaped, the rest as it is", {L"C:\\Игры\\k.exe", L"g&pwn%OS%.nes", L"рус.tbl", L"a\"b"},
         L"C:\\Игры\\k.exe g&pwn%OS%.nes рус.tbl \"a\\\"b\""},
    };
    // clang-format on
    for (const auto& c : cases) EXPECT_EQ(BuildCommandLine(c.texts), c.line) << c.name;
}

TEST(CommandLine, BatchFilesGetEveryArgumentProtectedFromCmd) {
    EXPECT_EQ(BuildBatchCommandLine({L"C:\\k.bat", L"g&pwn", L"%OS%.nes", L""}),
              L"cmd.exe /d /e:on /v:off /s /c \"\"C:\\k.bat\" \"g&pwn\" \"%%cd:~,%OS%%cd:~,%.nes\" \"");
    // Quoted when cmd would read any letter of it as more than a letter; every % broken up.
    EXPECT_EQ(BuildBatchCommandLine({L"C:\\k.bat", L"a&b|c<d>e^f(g)h,i;j=k!l%m n", L"", L""}),
              L"cmd.exe /d /e:on /v:off /s /c \"\"C:\\k.bat\" \"a&b|c<d>e^f(g)h,i;j=k!l%%cd:~,%m n\"  \"");
    EXPECT_EQ(BuildBatchCommandLine({L"C:\\k.bat", L"C:\\r\\09AZaz.nes", L"", L"C:\\b\\"}),
              L"cmd.exe /d /e:on /v:off /s /c \"\"C:\\k.bat\" C:\\r\\09AZaz.nes \"\" \"C:\\b\\\\\"\"");
    // What cmd cannot be kept from reading: a quote, a line end, a NUL, more than 8191 characters.
    for (const std::wstring& unsafe : {L"a\"b"s, L"a\rb"s, L"\0"s, std::wstring(8147, L'a')}) {
        EXPECT_FALSE(BuildBatchCommandLine({L"C:\\k.bat", unsafe, L"", L""})) << unsafe.size() << " characters";
    }
    EXPECT_EQ(BuildBatchCommandLine({L"C:\\k.bat", std::wstring(8146, L'a'), L"", L""})->size(), 8191u);
}
