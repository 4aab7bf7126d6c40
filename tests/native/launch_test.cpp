// Which program a launch starts, with which line, and when it refuses.
#include "core/launch.h"

#include <gtest/gtest.h>

#include "core/program_path.h"
#include "native/test_desktop.h"

TEST(ProgramPath, NeverLooksInTheCurrentFolder) {
    const struct {
        std::wstring path;
        std::vector<std::wstring> programs;
        std::wstring pathVariable;
        std::wstring found;  // empty: refused
    } cases[] = {
        {L"D:\\Emu\\kravix.exe", {}, L"", L"D:\\Emu\\kravix.exe"},
        {L"\\\\server\\share\\kravix.exe", {}, L"", L"\\\\server\\share\\kravix.exe"},
        {L"D:/Emu/kravix.exe", {}, L"", L"D:/Emu/kravix.exe"},
        {L"bin\\kravix.exe", {}, L"", L"C:\\Tools\\bin\\kravix.exe"},
        {L"..\\kravix\\kravix.exe", {}, L"", L"C:\\Tools\\..\\kravix\\kravix.exe"},
        {L"\\kravix.exe", {}, L"", L""},
        {L"C:kravix.exe", {L"C:\\Tools\\C:kravix.exe"}, L"", L""},
        {L"", {}, L"", L""},
        // A bare name: beside the launcher, then the system folders, then PATH.
        {L"kravix.exe", {L"C:\\Tools\\kravix.exe", L"C:\\Windows\\kravix.exe"}, L"", L"C:\\Tools\\kravix.exe"},
        {L"kravix", {L"C:\\Tools\\kravix.exe"}, L"", L"C:\\Tools\\kravix.exe"},
        {L"kravix.exe", {L"C:\\Windows\\kravix.exe", L"E:\\bin\\kravix.exe"}, L"E:\\bin", L"C:\\Windows\\kravix.exe"},
        {L"kravix.exe", {L"E:\\bin\\kravix.exe"}, L";.;bin;\"D:\\My Bin\";E:\\bin\\", L"E:\\bin\\kravix.exe"},
        {L"kravix.exe", {L"D:\\My Bin\\kravix.exe"}, L".;\"D:\\My Bin\"", L"D:\\My Bin\\kravix.exe"},
        {L"kravix.exe", {L".\\kravix.exe", L"bin\\kravix.exe", L"\\kravix.exe"}, L";.;bin;\\", L""},
    };
    for (const auto& c : cases) {
        TestDesktop desktop;
        desktop.programs.insert(c.programs.begin(), c.programs.end());
        desktop.pathVariable = c.pathVariable;
        if (c.found.empty()) {
            EXPECT_THROW(ResolveProgram(desktop, c.path), PlatformFailure) << c.path.c_str();
        } else {
            EXPECT_EQ(ResolveProgram(desktop, c.path), c.found);
        }
    }
    TestDesktop atRoot;
    atRoot.directory = L"D:\\";
    atRoot.programs = {L"D:\\kravix.exe"};
    EXPECT_EQ(ResolveProgram(atRoot, L"kravix.exe"), L"D:\\kravix.exe");
}

TEST(Launch, StartsTheProgramWithPathsEveryProgramCanRead) {
    const std::wstring kravix = L"C:\\Tools\\kravix.exe";
    const std::wstring deep = L"C:\\" + std::wstring(250, L'd') + L"\\kravix.exe";
    const struct {
        LaunchTexts texts;
        std::vector<std::wstring> started;  // program, line; empty: the launch fails
    } cases[] = {
        {{kravix, L"C:\\Игры\\Танчики.nes", L"C:\\t.tbl", L""}, {kravix, kravix + L" C:\\Игры\\Танчики.nes C:\\t.tbl "}},
        // Outside the code page: the short form, when there is one in it.
        {{kravix, L"C:\\ゲーム.nes", L"C:\\∞ t.tbl", L"C:\\ゲーム 2.tbl"},
         {kravix, kravix + L" C:\\8B2E~1.NES C:\\T~1.TBL \"C:\\ゲーム 2.tbl\""}},
        {{L"kravix.exe", L"C:\\Ж.nes", L"", L""}, {kravix, kravix + L" C:\\Ж.nes  "}},
        {{L"C:\\Программы ∞\\kravix.exe", L"", L"", L""}, {L"C:\\Программы ∞\\kravix.exe", L"C:\\PROGRA~1\\kravix.exe   "}},
        // Longer than Windows starts a program by: its short form, or nothing.
        {{deep, L"r.nes", L"", L""}, {L"C:\\DDDD~1\\kravix.exe", L"C:\\DDDD~1\\kravix.exe r.nes  "}},
        {{L"C:\\" + std::wstring(300, L'e') + L"\\kravix.exe", L"r.nes", L"", L""}, {}},
        // A batch file runs through cmd with every path protected, or not at all.
        {{L"C:\\Tools\\kravix.BAT", L"C:\\g&pwn.nes", L"", L""},
         {L"C:\\Windows\\system32\\cmd.exe",
          L"cmd.exe /d /e:on /v:off /s /c \"\"C:\\Tools\\kravix.BAT\" \"C:\\g&pwn.nes\"  \""}},
        {{L"C:\\Tools\\k.cmd", L"C:\\a\nb.nes", L"", L""}, {}},
        {{L"", L"C:\\r.nes", L"", L""}, {}},
        {{L"C:\\Tools\\missing.exe", L"", L"", L""}, {}},
    };
    for (const auto& c : cases) {
        TestDesktop desktop;
        desktop.programs = {kravix, L"C:\\Программы ∞\\kravix.exe", L"C:\\DDDD~1\\kravix.exe",
                            L"C:\\Windows\\system32\\cmd.exe"};
        desktop.shortPaths = {{L"C:\\ゲーム.nes", L"C:\\8B2E~1.NES"},
                              {L"C:\\∞ t.tbl", L"C:\\T~1.TBL"},
                              {L"C:\\Ж.nes", L"C:\\Ж~1.NES"},
                              {L"C:\\Программы ∞\\kravix.exe", L"C:\\PROGRA~1\\kravix.exe"},
                              {deep, L"C:\\DDDD~1\\kravix.exe"},
                              {L"C:\\" + std::wstring(300, L'e') + L"\\kravix.exe", L"C:\\" + std::wstring(260, L'E')}};
        if (c.started.empty()) {
            EXPECT_THROW(LaunchProgram(desktop, c.texts), PlatformFailure) << c.texts[0].size();
            EXPECT_TRUE(desktop.started.empty());
        } else {
            EXPECT_THROW(LaunchProgram(desktop, c.texts), ProgramEnded) << "ends once started";
            EXPECT_EQ(desktop.started, c.started);
        }
    }
}
