// Finding and starting kravix.exe with real processes under Wine, and the answers Windows gives where Wine would not.
#include <gtest/gtest.h>

#include "launch.h"
#include "program_path.h"
#include "test_files.h"
#include "win32_fixtures.h"

namespace {

std::wstring dllSearch;  // each folder SetDllDirectoryW was given
BOOL WINAPI SettingDllDirectory(LPCWSTR folder) {
    dllSearch += folder ? L"\"" + std::wstring(folder) + L"\" " : L"(the usual search) ";
    return TRUE;
}

}  // namespace

// A program that asks for administrator rights, as Windows answers: CreateProcessW refuses it (740), and the shell
// starts it as the plain start would, its own path in the same form first, in the same folder, with a normal window.
// The usual DLL search is put back for CreateProcessW alone.
TEST(Win32, AProgramThatAsksForAdministratorRights) {
    TestFolder scratch;
    const fs::path kravix = scratch / L"ゲーム.exe";
    fs::copy_file(Here() / L"stand_in_kravix.exe", kravix);
    PlatformIn platform(scratch);
    const ImportPatch elevationRequired("CreateProcessW", FailingAs<740>(&CreateProcessW));
    const ImportPatch dllDirectory("SetDllDirectoryW", &SettingDllDirectory);
    EXPECT_TRUE(LaunchProgram(platform, {kravix.wstring(), L"C:\\a b.nes", L"", L""}));
    const std::wstring line = L"\"" + ShortName(kravix) + L"\" \"C:\\a b.nes\"  \n";
    EXPECT_EQ(FromUtf8(ReadBytes(kravix.parent_path() / L"received.txt")),
              line + line + platform.start + L"\nshown 1\nnot opened\n");
    EXPECT_EQ(dllSearch, L"(the usual search) \"\" ");
}

// Exactly the resolved program: Windows' cmd.exe for a batch file, never one in the current folder; kravix.exe in the
// folder kx_shell was started in, or in its own when that one is gone.
TEST(Win32, StartsTheRightProgram) {
    TestFolder scratch;
    const fs::path tools = scratch / L"My Tools", inPath = scratch / L"в PATH";
    for (const fs::path& folder : {tools, inPath}) fs::create_directories(folder);
    for (const fs::path& copy : {scratch / L"cmd.exe", inPath / L"kravix.exe"})
        fs::copy_file(Here() / L"stand_in_kravix.exe", copy);
    SetCurrentDirectoryW(scratch.c_str());
    PlatformIn platform(tools);
    WriteBytes(tools / L"kravix.bat", "@echo %1> \"%~dp0got.txt\"\r\n");
    const auto plan = PlanLaunch(platform, {L"kravix.bat", (scratch / L"g&pwn").wstring(), L"", L""});
    ASSERT_TRUE(plan);
    platform.StartProgram(plan->program, plan->commandLine, plan->folder);
    // cmd writes got.txt in place: read until the line is whole (its ASCII end: cmd writes in OEM).
    EXPECT_TRUE(WaitUntil([&] { return ReadBytes(tools / L"got.txt").ends_with("\\g&pwn\"\r\n"); }));
    EXPECT_FALSE(fs::exists(scratch / L"received.txt")) << "the cmd.exe in the current folder ran";
    // Started in the folder kx_shell was started in; when that one is gone, in its own.
    platform.start = (tools / L"gone").wstring();
    const auto plain = PlanLaunch(platform, {(inPath / L"kravix.exe").wstring(), L"a b", L"", L""});
    platform.StartProgram(plain->program, plain->commandLine, plain->folder);
    const std::wstring line = L"\"" + (inPath / L"kravix.exe").wstring() + L"\" \"a b\"  \n";
    EXPECT_EQ(FromUtf8(ReadBytes(inPath / L"received.txt")),
              line + line + inPath.wstring() + L"\nshown 1\nnot opened\n");
    SetCurrentDirectoryW(Here().c_str());
}
