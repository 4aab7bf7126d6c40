// Finding and starting kravix.exe with real processes under Wine, and the answers Windows gives where Wine would not.
#include <gtest/gtest.h>

#include "launch.h"
#include "long_path.h"
#include "system_failure.h"
#include "test_files.h"
#include "win32_fixtures.h"

namespace {

std::wstring dllSearch;  // each folder SetDllDirectoryW was given
BOOL WINAPI SettingDllDirectory(LPCWSTR folder) {
    dllSearch += folder ? L"\"" + std::wstring(folder) + L"\" " : L"(the usual search) ";
    return TRUE;
}

// Each message box: its caption, flags and text; one with no text cannot be shown.
std::wstring shown;
int WINAPI ShowingMessage(HWND, LPCWSTR text, LPCWSTR caption, UINT flags) {
    shown += std::wstring(caption) + L" " + std::to_wstring(flags) + L": " + text + L"\n";
    return *text ? IDOK : 0;
}
DWORD WINAPI EndingFatally(void*) { Win32Platform().Fatal(win32::SystemFailure(L"Шаг.", ERROR_ACCESS_DENIED)); }

}  // namespace

// What failed and why, in an error box in front of every window, then the end with status 1; a message that cannot
// be shown is a failure of its own.
TEST(Win32, TellsTheUser) {
    // The end of the process ends only the thread that reports, while the patch lasts.
    const ImportPatch messageBox("MessageBoxW", &ShowingMessage), exitProcess("ExitProcess", &ExitThread);
    EXPECT_THROW(Win32Platform().ShowMessage(L""), PlatformFailure);
    const HANDLE ending = CreateThread(nullptr, 0, EndingFatally, nullptr, 0, nullptr);
    // The wait's answer, then the exit status, which stays 259 while the thread runs.
    DWORD status = WaitForSingleObject(ending, 90'000);
    GetExitCodeThread(ending, &status);
    EXPECT_EQ(status, 1u);
    // 73744: the stop icon, modal to the whole program, brought to the front.
    EXPECT_EQ(shown, L"kx_shell 73744: \nkx_shell 73744: Шаг.\n\nДоступ запрещён.\n\nПрограмма будет закрыта.\n");
}

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

// Exactly the resolved program: Windows' cmd.exe for a batch file, never one in the current folder; kravix.exe by
// its bare name through PATH.
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
    // Started in the folder kx_shell was started in, and when that one is gone, in its own.
    SetEnvironmentVariableW(L"PATH", (inPath.wstring() + L";" + platform.PathVariable()).c_str());
    platform.start = (tools / L"gone").wstring();
    const auto plain = PlanLaunch(platform, {L"kravix.exe", L"a b", L"", L""});
    platform.StartProgram(plain->program, plain->commandLine, plain->folder);
    const std::wstring line = L"\"" + (inPath / L"kravix.exe").wstring() + L"\" \"a b\"  \n";
    EXPECT_EQ(FromUtf8(ReadBytes(inPath / L"received.txt")),
              line + line + inPath.wstring() + L"\nshown 1\nnot opened\n");
    SetCurrentDirectoryW(Here().c_str());
    // As an old program reads a name, and a short form as other programs take it.
    EXPECT_EQ(platform.AnsiView(L"b＂é"), L"b\"e");
    EXPECT_EQ(win32::PlainForm(L"\\\\?\\UNC\\srv\\s\\K~1.EXE"), L"\\\\srv\\s\\K~1.EXE");
}
