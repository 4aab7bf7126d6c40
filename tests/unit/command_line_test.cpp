#include "core/command_line.h"

#include <gtest/gtest.h>

TEST(CommandLine, JoinsSpaceFreeTextsWithSingleSpaces) {
    EXPECT_EQ(BuildCommandLine({L"C:\\Tools\\kravix.exe", L"C:\\r\\game.nes", L"C:\\t\\a.tbl", L"C:\\t\\b.tbl"}),
              L"C:\\Tools\\kravix.exe C:\\r\\game.nes C:\\t\\a.tbl C:\\t\\b.tbl");
}

TEST(CommandLine, EmptyTextsKeepTheirSeparators) {
    EXPECT_EQ(BuildCommandLine({L"k.exe", L"r.nes", L"a.tbl", L""}), L"k.exe r.nes a.tbl ");
    EXPECT_EQ(BuildCommandLine({L"", L"", L"", L""}), L"   ");
}

TEST(CommandLine, TextWithABlankArrivesAsOneArgument) {
    EXPECT_EQ(BuildCommandLine({L"C:\\My Tools\\kravix.exe", L"C:\\ROMs\\Super Game.smc", L"t.tbl", L""}),
              L"\"C:\\My Tools\\kravix.exe\" \"C:\\ROMs\\Super Game.smc\" t.tbl ");
    EXPECT_EQ(QuoteArgument(L"a\tb"), L"\"a\tb\"");
}

// CommandLineToArgvW reads 2n backslashes before a quote as n backslashes, so a
// trailing backslash inside quotes must be doubled or it swallows the quote.
TEST(CommandLine, BackslashesBeforeAQuoteAreDoubled) {
    EXPECT_EQ(QuoteArgument(L"C:\\a b\\"), L"\"C:\\a b\\\\\"");
    EXPECT_EQ(QuoteArgument(L"C:\\a b\\\\"), L"\"C:\\a b\\\\\\\\\"");
    EXPECT_EQ(QuoteArgument(L"x \\\"y"), L"\"x \\\\\\\"y\"");
    // Backslashes not followed by a quote stay single.
    EXPECT_EQ(QuoteArgument(L"C:\\a b\\c"), L"\"C:\\a b\\c\"");
}

TEST(CommandLine, CyrillicPassesUnchanged) {
    EXPECT_EQ(BuildCommandLine({L"C:\\Игры\\kravix.exe", L"C:\\Игры\\Танчики.nes", L"рус.tbl", L""}),
              L"C:\\Игры\\kravix.exe C:\\Игры\\Танчики.nes рус.tbl ");
}
