// Which program a launch starts, with which command line, and when it refuses.
#include "launch.h"

#include "command_line.h"
#include "fake_system.h"

using namespace std::string_literals;

// What a launch starts: the program found without the current folder (a bare name beside the launcher, in the system
// folders, in PATH), short forms, look-alikes, long paths, batch files, the longest line, the start folder, and
// through the shell, where a program asks for administrator rights, only an .exe: the shell starts whatever a file's
// type names, a batch file's included.
TEST(Launch, StartsWithPathsEveryProgramCanRead) {
    const std::wstring kravix = L"C:\\Tools\\kravix.exe";
    // Paths of n characters; 259 is the most Windows starts a program by.
    const auto path = [](std::size_t n, wchar_t c) { return L"C:\\" + std::wstring(n - 14, c) + L"\\kravix.exe"; };
    const std::wstring s259 = L"C:\\" + std::wstring(256, L'S'), s260 = s259 + L"S";
    const std::wstring cmd = L"C:\\Windows\\system32\\cmd.exe", cmdLine = L"cmd.exe /d /e:on /v:off /s /c \"\"";
    const auto plan = [](std::wstring program, std::wstring line, std::wstring folder = L"C:\\Start") {
        return program + L" | " + line + L" | " + folder;
    };
    const struct {
        const char* name;
        LaunchTexts texts;
        std::wstring started = L"";  // the program, its command line and its folder; empty: refused
        bool startFolderGone = false, asksForRights = false;
        std::wstring pathVariable = L"";
        std::set<std::wstring> programs{};  // the files that can be started, when not the usual ones
    } cases[] = {
        {.name = "relative: beside the launcher; an empty ROM before a table, a quote escaped",
         .texts = {L"bin\\kravix.exe", L"", L"C:\\t.tbl", L"a\"b%"},
         .started = plan(L"C:\\Tools\\bin\\kravix.exe", L"C:\\Tools\\bin\\kravix.exe \"\" C:\\t.tbl \"a\\\"b%\"")},
        {.name = "rooted on the current drive: refused", .texts = {L"\\kravix.exe", L"", L"", L""}},
        {.name = "a stream of a full path: refused", .texts = {L"C:\\b\\run.bat::$DATA", L"", L"", L""}},
        {.name = "bare without extension: .exe, beside the launcher first; outside the code page by the short form",
         .texts = {L"kravix", L"C:\\ゲーム.nes", L"C:\\∞ t.tbl", L""},
         .started = plan(kravix, kravix + L" C:\\8B2E~1.NES C:\\T~1.TBL ")},
        {.name = "bare: in PATH, relative entries skipped, quoted ones holding a ;",
         .texts = {L"kravix.exe", L"", L"", L""},
         .started = plan(L"E:\\bin\\kravix.exe", L"E:\\bin\\kravix.exe   "),
         .pathVariable = L";.;bin;\"D:\\p;1\";E:\\bin\\",
         .programs = {L".\\kravix.exe", L"bin\\kravix.exe", L"D:\\p\\kravix.exe", L"E:\\bin\\kravix.exe"}},
        {.name = "259 characters as it is; in the code page, or look-alike letters with no short form: as they are",
         .texts = {path(259, L'a'), L"C:\\Игры\\a.nes", L"C:\\café ∞.tbl", L""},
         .started = plan(path(259, L'a'), path(259, L'a') + L" C:\\Игры\\a.nes \"C:\\café ∞.tbl\" ")},
        {.name = "a short form of 259, in its drive's root",
         .texts = {path(300, L'c'), L"", L"", L""},
         .started = plan(s259, s259 + L"   ", L"C:\\"),
         .startFolderGone = true},
        {.name = "a short form of 260: refused", .texts = {path(300, L'd'), L"", L"", L""}},
        {.name = "a batch file through cmd",
         .texts = {L"C:\\Tools\\kravix.BAT", L"C:\\g&pwn.nes", L"", L""},
         .started = plan(cmd, cmdLine + L"C:\\Tools\\kravix.BAT\" \"C:\\g&pwn.nes\"  \"")},
        {.name = "a command file by its \\\\?\\ form's plain path, in its folder",
         .texts = {L"\\\\?\\C:\\Tools\\k.cmd", L"", L"", L""},
         .started = plan(cmd, cmdLine + L"C:\\Tools\\k.cmd\"   \"", L"C:\\Tools"),
         .startFolderGone = true},
        {.name = "a missing batch file: refused", .texts = {L"C:\\nowhere\\kravix.bat", L"", L"", L""}},
        {.name = "a \\\\?\\ form of a batch file whose plain path is another file: refused",
         .texts = {L"\\\\?\\C:\\k.bat. ", L"", L"", L""}},
        {.name = "a batch file given a quote: refused", .texts = {L"C:\\Tools\\k.cmd", L"a\"b", L"", L""}},
        {.name = "a batch file on a share, no local folder: refused",
         .texts = {L"\\\\srv\\s\\k.bat", L"", L"", L""},
         .startFolderGone = true},
        {.name = "a look-alike quote, blank, backslash, slash or colon: refused",
         .texts = {kravix, L"C:\\a＂\u3000＼／：b.nes", L"", L""}},
        {.name = "a look-alike dot: refused", .texts = {kravix, L"C:\\nofile\\．．\\evil.nes", L"", L""}},
        {.name = "read by an old program as another file: refused",
         .texts = {kravix, L"D:\\ROMs\\Pokémon.nes", L"", L""}},
        {.name = "a line longer than 32766: refused", .texts = {kravix, std::wstring(32766 - 21, L'r'), L"", L""}},
        {.name = "asking for administrator rights: an .exe as Windows opens it through the shell",
         .texts = {L"C:\\k.EXE. .", L"C:\\r.nes", L"", L""},
         .started = plan(L"C:\\k.EXE. .", L"through the shell: C:\\r.nes  "),
         .asksForRights = true},
        {.name = "asking for them: no other program", .texts = {L"C:\\k.bin", L"", L"", L""}, .asksForRights = true},
        {.name = "asking for them: no batch file", .texts = {L"C:\\k.bat", L"", L"", L""}, .asksForRights = true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeSystem system;
        system.programs = {kravix, path(259, L'a'), s259, s260, cmd, L"C:\\k.EXE. .", L"C:\\k.bin", L"C:\\k.bat"};
        // "C:\\k.bat. " stands for the C:\\k.bat Windows reads it as: names are taken here exactly as written.
        system.programs.insert({L"C:\\Tools\\kravix.BAT", L"C:\\Tools\\k.cmd", L"\\\\srv\\s\\k.bat",
                                L"C:\\Tools\\bin\\kravix.exe", L"C:\\b\\run.bat::$DATA", L"C:\\Windows\\kravix.exe",
                                L"\\\\?\\C:\\k.bat. ", L"C:\\k.bat. "});
        if (!c.programs.empty()) system.programs = c.programs;
        system.pathVariable = c.pathVariable;
        system.folders = {c.startFolderGone ? L"" : L"C:\\Start"};
        system.files[L"D:\\ROMs\\Pokemon.nes"];
        system.shortPaths = {{L"C:\\Игры\\a.nes", L"C:\\9B8F~1\\A.NES"},
                             {L"C:\\ゲーム.nes", L"C:\\8B2E~1.NES"},
                             {L"C:\\∞ t.tbl", L"C:\\T~1.TBL"},
                             {path(259, L'a'), L"C:\\A~1.EXE"},
                             {path(300, L'c'), s259},
                             {path(300, L'd'), s260}};
        if (c.asksForRights) system.FailOn("StartProgram", 1, PlatformFailure::Cause::NeedsElevation);
        EXPECT_EQ(LaunchProgram(system, c.texts), !c.started.empty());
        EXPECT_EQ(system.started.empty() ? L"" : plan(system.started[0], system.started[1], system.started[2]),
                  c.started);
    }
}

// The longest line Windows starts a program with, without its NUL. For a batch file, every argument protected from
// what cmd reads in a line: quoted where any letter of it is more than a letter to cmd, a trailing backslash doubled,
// every % broken up; what cannot be protected, refused.
TEST(CommandLine, TheLongestLineAndBatchFilesProtectedFromCmd) {
    EXPECT_EQ(BuildBatchCommandLine({L"C:\\k.bat", L"C:\\r\\09AZaz.nes", L"", L"C:\\%OS%\\"}),
              L"cmd.exe /d /e:on /v:off /s /c \"\"C:\\k.bat\" C:\\r\\09AZaz.nes \"\" \"C:\\%%cd:~,%OS%%cd:~,%\\\\\"\"");
    // What cmd cannot be kept from reading: a quote, a line end, a NUL, more than the 8191 characters it reads.
    const std::size_t most = 8191 - std::wstring(L"cmd.exe /d /e:on /v:off /s /c \"\"C:\\k.bat\"   \"").size();
    for (const std::wstring& unsafe : {L"a\"b"s, L"a\rb"s, L"\0"s, std::wstring(most + 1, L'a')}) {
        EXPECT_FALSE(BuildBatchCommandLine({L"C:\\k.bat", unsafe, L"", L""})) << unsafe.size() << " characters";
    }
    EXPECT_EQ(BuildBatchCommandLine({L"C:\\k.bat", std::wstring(most, L'a'), L"", L""})->size(), 8191u);
}
