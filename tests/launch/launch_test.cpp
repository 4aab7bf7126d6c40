// Which program a launch starts, with which line, and when it refuses.
#include "launch.h"

#include "program_path.h"
#include "test_desktop.h"

// A bare name beside the launcher, then in the system folders, then in the
// absolute folders of PATH; never in the current folder.
TEST(Launch, FindsTheProgramWithoutTheCurrentFolder) {
    const struct {
        std::wstring path, pathVariable;
        std::set<std::wstring> programs;
        std::wstring found;  // empty: refused
    } cases[] = {
        {L"D:\\Emu\\kravix.exe", L"", {}, L"D:\\Emu\\kravix.exe"},
        {L"D:/Emu/kravix.exe", L"", {}, L"D:/Emu/kravix.exe"},
        {L"\\\\server\\share\\kravix.exe", L"", {}, L"\\\\server\\share\\kravix.exe"},
        {L"bin\\kravix.exe", L"", {}, L"C:\\Tools\\bin\\kravix.exe"},
        {L"..\\kravix\\kravix.exe", L"", {}, L"C:\\Tools\\..\\kravix\\kravix.exe"},
        {L"\\kravix.exe", L"", {}, L""}, {L"C:kravix.exe", L"", {L"C:\\Tools\\C:kravix.exe"}, L""}, {L"", L"", {}, L""},
        {L"kravix.exe:x", L"", {L"C:\\Tools\\kravix.exe:x"}, L""},
        {L"kravix.exe", L"", {L"C:\\Tools\\kravix.exe", L"C:\\Windows\\kravix.exe"}, L"C:\\Tools\\kravix.exe"},
        {L"kravix", L"", {L"C:\\Tools\\kravix.exe"}, L"C:\\Tools\\kravix.exe"},
        {L"kravix.exe", L"E:\\bin", {L"C:\\Windows\\kravix.exe", L"E:\\bin\\kravix.exe"}, L"C:\\Windows\\kravix.exe"},
        {L"kravix.exe", L";.;bin;\"D:\\My Bin\";E:\\bin\\", {L"E:\\bin\\kravix.exe"}, L"E:\\bin\\kravix.exe"},
        {L"kravix.exe", L".;\"D:\\My Bin\"", {L"D:\\My Bin\\kravix.exe"}, L"D:\\My Bin\\kravix.exe"},
        {L"kravix.exe", L";.;bin;\\", {L".\\kravix.exe", L"bin\\kravix.exe", L"\\kravix.exe"}, L""},
    };
    for (const auto& c : cases) {
        TestDesktop desktop;
        desktop.programs = c.programs;
        desktop.pathVariable = c.pathVariable;
        try {
            EXPECT_EQ(ResolveProgram(desktop, c.path), c.found);
        } catch (const PlatformFailure&) {
            EXPECT_EQ(L"", c.found) << "refused";
        }
    }
    for (const wchar_t* p : {L"A:\\k", L"Z:/k", L"a:\\k", L"z:\\k", L"\\\\", L"//"}) EXPECT_TRUE(IsFullyQualified(p));
    for (const wchar_t* path : {L"@:\\k", L"[:\\k", L"`:\\k", L"{:\\k", L"C:", L"\\", L"", L"a\\\\b"}) {
        EXPECT_FALSE(IsFullyQualified(path));
    }
    TestDesktop atRoot;
    atRoot.directory = L"D:\\";
    atRoot.programs = {L"D:\\kravix.exe"};
    EXPECT_EQ(ResolveProgram(atRoot, L"kravix.exe"), L"D:\\kravix.exe");
}

// Paths outside the ANSI code page by their short form, when there is one in
// it; a program path too long for Windows by its short form, or not at all;
// a batch file through cmd with every path protected, or not at all.
TEST(Launch, StartsTheProgramWithPathsEveryProgramCanRead) {
    const std::wstring kravix = L"C:\\Tools\\kravix.exe", wide = L"C:\\Программы ∞\\kravix.exe";
    // Paths of a given length; 259 characters is the most Windows starts a program by.
    const auto path = [](std::size_t n, wchar_t c) { return L"C:\\" + std::wstring(n - 14, c) + L"\\kravix.exe"; };
    const std::wstring s259 = L"C:\\" + std::wstring(256, L'S'), s260 = s259 + L"S";
    const std::pair<LaunchTexts, std::vector<std::wstring>> cases[] = {
        {{kravix, L"C:\\Игры\\Танчики.nes", L"C:\\t.tbl", L""},
         {kravix, kravix + L" C:\\Игры\\Танчики.nes C:\\t.tbl "}},
        {{kravix, L"C:\\ゲーム.nes", L"C:\\∞ t.tbl", L"C:\\ゲーム 2.tbl"},
         {kravix, kravix + L" C:\\8B2E~1.NES C:\\T~1.TBL \"C:\\ゲーム 2.tbl\""}},
        {{L"kravix.exe", L"C:\\Ж.nes", L"", L""}, {kravix, kravix + L" C:\\Ж.nes  "}},
        {{wide, L"", L"", L""}, {wide, L"C:\\PROGRA~1\\kravix.exe   "}},
        {{path(259, L'a'), L"", L"", L""}, {path(259, L'a'), path(259, L'a') + L"   "}},
        {{path(260, L'b'), L"r.nes", L"", L""}, {L"C:\\BBBB~1\\kravix.exe", L"C:\\BBBB~1\\kravix.exe r.nes  "}},
        {{path(300, L'c'), L"", L"", L""}, {s259, s259 + L"   "}},
        {{path(300, L'd'), L"", L"", L""}, {}},
        {{path(300, L'e'), L"", L"", L""}, {}},
        {{L"C:\\Tools\\kravix.BAT", L"C:\\g&pwn.nes", L"", L""},
         {L"C:\\Windows\\system32\\cmd.exe",
          L"cmd.exe /d /e:on /v:off /s /c \"\"C:\\Tools\\kravix.BAT\" \"C:\\g&pwn.nes\"  \""}},
        {{L"C:\\Tools\\k.cmd", L"C:\\r.nes", L"", L""},
         {L"C:\\Windows\\system32\\cmd.exe", L"cmd.exe /d /e:on /v:off /s /c \"\"C:\\Tools\\k.cmd\" C:\\r.nes  \""}},
        {{L"C:\\Tools\\k.bat", L"C:\\a\nb.nes", L"", L""}, {}},
        {{L"", L"C:\\r.nes", L"", L""}, {}},
        {{L"C:\\Tools\\missing.exe", L"", L"", L""}, {}},
    };
    for (const auto& [texts, started] : cases) {
        TestDesktop desktop;
        desktop.programs = {kravix, wide, path(259, L'a'), L"C:\\BBBB~1\\kravix.exe", s259, s260,
                            L"C:\\Windows\\system32\\cmd.exe"};
        desktop.shortPaths = {{L"C:\\ゲーム.nes", L"C:\\8B2E~1.NES"}, {L"C:\\∞ t.tbl", L"C:\\T~1.TBL"},
                              {L"C:\\Ж.nes", L"C:\\Ж~1.NES"},     {wide, L"C:\\PROGRA~1\\kravix.exe"},
                              {path(259, L'a'), L"C:\\A~1.EXE"}, {path(260, L'b'), L"C:\\BBBB~1\\kravix.exe"},
                              {path(300, L'c'), s259},            {path(300, L'd'), s260}};
        try {
            LaunchProgram(desktop, texts);
        } catch (const ProgramEnded&) {  // as soon as the program is started
        } catch (const PlatformFailure&) {
            EXPECT_TRUE(started.empty()) << "refused";
        }
        EXPECT_EQ(desktop.started, started);
    }
}
