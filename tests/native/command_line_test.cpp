// The command lines kravix.exe and a batch file are started with.
#include "core/command_line.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// How CommandLineToArgvW and the C runtime split a line: the program name up
// to a blank or between quotes; then 2n backslashes before a quote give n and
// toggle quoting, 2n+1 give n and a quote, other backslashes are literal.
std::vector<std::wstring> SplitAsWindows(const std::wstring& line) {
    const bool quotedName = line[0] == L'"';
    std::size_t i = line.find_first_of(quotedName ? L"\"" : L" \t", quotedName);
    std::vector<std::wstring> args{line.substr(quotedName, i - quotedName)};
    for (i += quotedName; (i = line.find_first_not_of(L" \t", i)) != std::wstring::npos;) {
        std::wstring arg;
        for (bool quoted = false; i < line.size() && (quoted || (line[i] != L' ' && line[i] != L'\t'));) {
            const std::size_t slashes = std::min(line.find_first_not_of(L'\\', i), line.size()) - i;
            i += slashes;
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
    return args;
}

// cmd first replaces %name% with the variable's value (an undefined name
// keeps its percent sign), then reads & | < > ^ ( ) outside quotes as
// commands. Nothing when it would; otherwise the line the batch file gets.
std::optional<std::wstring> ThroughCmd(const std::wstring& line) {
    const std::wstring prefix = L"cmd.exe /d /e:on /v:off /s /c \"";
    if (line.rfind(prefix, 0) || line.back() != L'"') return std::nullopt;
    std::wstring seen;
    bool quoted = false;
    for (std::size_t i = prefix.size(); i + 1 < line.size(); ++i) {
        const std::size_t end = line.find(L'%', i + 1);
        const std::wstring name = line[i] == L'%' && end != std::wstring::npos ? line.substr(i + 1, end - i - 1) : L"";
        if (name == L"cd:~," || name == L"OS") {
            seen += name == L"OS" ? L"Windows_NT" : L"";
            i = end;
            continue;
        }
        quoted ^= line[i] == L'"';
        if (!quoted && std::wstring_view(L"&|<>^()").find(line[i]) != std::wstring_view::npos) return std::nullopt;
        seen += line[i];
    }
    return seen;
}

}  // namespace

TEST(CommandLine, EachTextArrivesWholeInItsPosition) {
    const std::pair<LaunchTexts, std::wstring> cases[] = {
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
    for (const auto& [texts, line] : cases) EXPECT_EQ(BuildCommandLine(texts), line);

    EXPECT_EQ(BuildBatchCommandLine({L"C:\\k.bat", L"g&pwn", L"%OS%.nes", L""}),
              L"cmd.exe /d /e:on /v:off /s /c \"\"C:\\k.bat\" \"g&pwn\" \"%%cd:~,%OS%%cd:~,%.nes\" \"");
    EXPECT_EQ(BuildBatchCommandLine({L"C:\\k.bat", L"C:\\r\\09AZaz.nes", L"", L"C:\\b\\"}),
              L"cmd.exe /d /e:on /v:off /s /c \"\"C:\\k.bat\" C:\\r\\09AZaz.nes \"\" \"C:\\b\\\\\"\"");
    // What cmd cannot be kept from reading: a quote, a line end, a NUL, more than 8191 characters.
    for (const std::wstring& unsafe : {std::wstring(L"a\"b"), std::wstring(L"a\rb"), std::wstring(L"a\nb"), std::wstring(1, L'\0'),
                                       std::wstring(8147, L'a')}) {
        EXPECT_FALSE(BuildBatchCommandLine({L"C:\\k.bat", unsafe, L"", L""}));
    }
    EXPECT_EQ(BuildBatchCommandLine({L"C:\\k.bat", std::wstring(8146, L'a'), L"", L""})->size(), 8191u);
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

        expected[0] = texts[0] += L".cmd";
        const auto seen = ThroughCmd(BuildBatchCommandLine(texts).value_or(L""));
        ASSERT_TRUE(seen) << "unprotected: " << run;
        EXPECT_EQ(SplitAsWindows(*seen), expected) << run;
    }
}
