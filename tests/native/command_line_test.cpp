// The command lines kravix.exe and a batch file are started with.
#include "core/command_line.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

// How CommandLineToArgvW and the C runtime split a line: the program name up
// to a blank or between quotes; then 2n backslashes before a quote give n and
// toggle quoting, 2n+1 give n and a quote, other backslashes are literal.
std::vector<std::wstring> SplitAsWindows(const std::wstring& line) {
    std::vector<std::wstring> args;
    std::size_t i = line[0] == L'"' ? line.find(L'"', 1) : line.find_first_of(L" \t");
    args.push_back(line[0] == L'"' ? line.substr(1, i - 1) : line.substr(0, i));
    i = line[0] == L'"' ? i + 1 : i;
    for (;;) {
        while (i < line.size() && (line[i] == L' ' || line[i] == L'\t')) ++i;
        if (i >= line.size()) return args;
        std::wstring arg;
        for (bool quoted = false; i < line.size() && (quoted || (line[i] != L' ' && line[i] != L'\t'));) {
            std::size_t slashes = 0;
            while (i < line.size() && line[i] == L'\\') ++slashes, ++i;
            if (i < line.size() && line[i] == L'"') {
                arg.append(slashes / 2, L'\\');
                if (slashes % 2) arg += L'"';
                else quoted = !quoted;
                ++i;
            } else {
                arg.append(slashes, L'\\');
                if (i < line.size() && (quoted || (line[i] != L' ' && line[i] != L'\t'))) arg += line[i++];
            }
        }
        args.push_back(arg);
    }
}

// What cmd does to a batch line before the batch file runs: %name% becomes
// the variable's value (an undefined name leaves its percent sign as it is);
// then & | < > ^ ( ) outside quotes are commands, not letters. Nothing when
// they are; otherwise the line as the batch file's %* sees it.
std::optional<std::wstring> ThroughCmd(const std::wstring& line) {
    const std::wstring prefix = L"cmd.exe /d /e:on /v:off /s /c \"";
    if (line.rfind(prefix, 0) != 0 || line.back() != L'"') return std::nullopt;
    const std::wstring inner = line.substr(prefix.size(), line.size() - prefix.size() - 1);
    std::wstring expanded;
    for (std::size_t i = 0; i < inner.size(); ++i) {
        const std::size_t end = inner[i] == L'%' ? inner.find(L'%', i + 1) : std::wstring::npos;
        const std::wstring name = end == std::wstring::npos ? L"" : inner.substr(i + 1, end - i - 1);
        if (name == L"cd:~," || name == L"OS") {
            expanded += name == L"OS" ? L"Windows_NT" : L"";
            i = end;
        } else {
            expanded += inner[i];
        }
    }
    bool quoted = false;
    for (const wchar_t c : expanded) {
        if (c == L'"') quoted = !quoted;
        if (!quoted && std::wstring_view(L"&|<>^()").find(c) != std::wstring_view::npos) return std::nullopt;
    }
    return expanded;
}

}  // namespace

TEST(CommandLine, JoinsTextsSoEachArrivesWholeInItsPosition) {
    const struct {
        LaunchTexts texts;
        std::wstring line;
    } cases[] = {
        {{L"C:\\Tools\\kravix.exe", L"C:\\r\\game.nes", L"C:\\t\\a.tbl", L"C:\\t\\b.tbl"},
         L"C:\\Tools\\kravix.exe C:\\r\\game.nes C:\\t\\a.tbl C:\\t\\b.tbl"},
        {{L"k.exe", L"r.nes", L"a.tbl", L""}, L"k.exe r.nes a.tbl "},
        {{L"k.exe", L"", L"C:\\t\\a.tbl", L""}, L"k.exe \"\" C:\\t\\a.tbl "},
        {{L"k.exe", L"", L"", L"b.tbl"}, L"k.exe \"\" \"\" b.tbl"},
        {{L"", L"", L"", L""}, L"   "},
        {{L"C:\\My Tools\\kravix.exe", L"C:\\ROMs\\Super Game.smc", L"a\tb", L""},
         L"\"C:\\My Tools\\kravix.exe\" \"C:\\ROMs\\Super Game.smc\" \"a\tb\" "},
        {{L"k.exe", L"C:\\a b\\", L"C:\\a b\\\\", L"C:\\a b\\c"}, L"k.exe \"C:\\a b\\\\\" \"C:\\a b\\\\\\\\\" \"C:\\a b\\c\""},
        {{L"C:\\Игры\\k.exe", L"g&pwn%OS%.nes", L"рус.tbl", L"a\"b"}, L"C:\\Игры\\k.exe g&pwn%OS%.nes рус.tbl \"a\\\"b\""},
    };
    for (const auto& c : cases) EXPECT_EQ(BuildCommandLine(c.texts), c.line);
}

TEST(CommandLine, BatchFilesGetEveryTextProtectedFromCmdOrNothing) {
    EXPECT_EQ(BuildBatchCommandLine({L"C:\\k.bat", L"g&pwn", L"%OS%.nes", L""}),
              L"cmd.exe /d /e:on /v:off /s /c \"\"C:\\k.bat\" \"g&pwn\" \"%%cd:~,%OS%%cd:~,%.nes\" \"");
    EXPECT_EQ(BuildBatchCommandLine({L"C:\\k.bat", L"C:\\r\\09AZaz.nes", L"", L"C:\\b\\"}),
              L"cmd.exe /d /e:on /v:off /s /c \"\"C:\\k.bat\" C:\\r\\09AZaz.nes \"\" \"C:\\b\\\\\"\"");
    for (const wchar_t* unsafe : {L"a\"b", L"a\rb", L"a\nb"}) {
        EXPECT_FALSE(BuildBatchCommandLine({L"C:\\k.bat", unsafe, L"", L""}));
    }
    EXPECT_FALSE(BuildBatchCommandLine({L"C:\\k.bat", std::wstring(1, L'\0'), L"", L""}));
    EXPECT_EQ(BuildBatchCommandLine({L"C:\\k.bat", std::wstring(8146, L'a'), L"", L""})->size(), 8191u);
    EXPECT_FALSE(BuildBatchCommandLine({L"C:\\k.bat", std::wstring(8147, L'a'), L"", L""})) << "cmd would cut it";
}

// Random path-like texts, split back as a program and as cmd and a batch
// file would: each text arrives whole, in its place; empty ones at the end go.
TEST(CommandLine, RandomTextsRoundTrip) {
    const std::wstring letters = L"ab \t\\\\Ж&%^!()<>|,;=.:\u00A0\u3000";
    std::mt19937 random(20261207);
    const auto text = [&](std::size_t longest) {
        std::wstring t(random() % (longest + 1), L'a');
        for (wchar_t& c : t) c = letters[random() % letters.size()];
        return t;
    };
    for (int run = 0; run < 2000; ++run) {
        LaunchTexts texts{L"C:\\" + text(6) + L"x\\k"};
        for (std::size_t i = 1; i < texts.size(); ++i) texts[i] = random() % 4 ? text(8) : L"";
        std::vector<std::wstring> expected(texts.begin(), texts.end());
        while (expected.back().empty()) expected.pop_back();

        EXPECT_EQ(SplitAsWindows(BuildCommandLine(texts)), expected) << run;
        texts[0] += L".cmd";
        expected[0] = texts[0];
        const auto line = BuildBatchCommandLine(texts);
        ASSERT_TRUE(line) << run;
        const auto seen = ThroughCmd(*line);
        ASSERT_TRUE(seen) << "unprotected: " << run;
        EXPECT_EQ(SplitAsWindows(*seen), expected) << run;
    }
}
