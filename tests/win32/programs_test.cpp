// Finding and starting kravix.exe with real processes under Wine, and the answers Windows gives where Wine would not.
#include <gtest/gtest.h>

#include "launch.h"
#include "platform_in.h"
#include "program_path.h"
#include "test_files.h"
#include "win32_fixtures.h"

namespace {

// What the shell was asked to start, and how it answers.
std::wstring shellStarts;
DWORD shellAnswer = ERROR_SUCCESS;
BOOL WINAPI StartingThroughTheShell(SHELLEXECUTEINFOW* start) {
    shellStarts += std::wstring(start->lpVerb) + L" " + start->lpFile + L" " + start->lpParameters + L" in " +
                   start->lpDirectory + L", shown " + std::to_wstring(start->nShow) + L"\n";
    SetLastError(shellAnswer);
    start->hProcess = shellAnswer ? nullptr : OpenProcess(SYNCHRONIZE, FALSE, GetCurrentProcessId());
    return !shellAnswer;
}

std::wstring dllSearch;  // each folder SetDllDirectoryW was given
BOOL WINAPI SettingDllDirectory(LPCWSTR folder) {
    dllSearch += folder ? L"\"" + std::wstring(folder) + L"\" " : L"(the usual search) ";
    return TRUE;
}

// Windows' answer for a file on a share deeper than 260 characters.
DWORD WINAPI ShortFormOnAShare(LPCWSTR, LPWSTR buffer, DWORD size) {
    const std::wstring shortForm = L"\\\\?\\UNC\\server\\share\\KRAVIX~1.EXE";
    if (size <= shortForm.size()) return static_cast<DWORD>(shortForm.size() + 1);
    return static_cast<DWORD>(shortForm.copy(buffer, size));
}

}  // namespace

// A program that asks for administrator rights, as Windows answers: CreateProcessW refuses it (740), and the shell is
// handed the program as the plain start put it first, the arguments apart, the folder and a normal window; a declined
// prompt (1223) is a failed start. The usual DLL search is put back for CreateProcessW alone.
TEST(Win32, AProgramThatAsksForAdministratorRights) {
    TestFolder scratch;
    const fs::path kravix = scratch / L"ゲーム" / L"kravix.exe";
    fs::create_directories(kravix.parent_path());
    fs::copy_file(Here() / L"stand_in_kravix.exe", kravix);
    PlatformIn platform(scratch);
    const ImportPatch elevationRequired("CreateProcessW", FailingAs<740>(&CreateProcessW));
    const ImportPatch dllDirectory("SetDllDirectoryW", &SettingDllDirectory);
    const LateStandIn shell(win32::late::ShellExecuteEx, L"shell32.dll", "ShellExecuteExW", &StartingThroughTheShell);
    const auto plan = PlanLaunch(platform, {kravix.wstring(), L"C:\\a b.nes", L"", L""});
    EXPECT_TRUE(StartPlanned(platform, plan.value()));
    EXPECT_EQ(shellStarts,
              L"runas " + ShortName(kravix) + L" \"C:\\a b.nes\"   in " + platform.StartFolder() + L", shown 1\n");
    EXPECT_EQ(dllSearch, L"(the usual search) \"\" ");
    shellAnswer = ERROR_CANCELLED;
    EXPECT_THROW(StartPlanned(platform, plan.value()), PlatformFailure);
}

// Exactly the resolved program: Windows' cmd.exe for a batch file, PATH read, a folder never taken.
TEST(Win32, StartsTheRightProgram) {
    TestFolder scratch;
    const fs::path tools = scratch / L"My Tools", inPath = scratch / L"в PATH";
    for (const fs::path& folder : {tools, inPath, scratch / L"kravix.exe"}) fs::create_directories(folder);
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
    EXPECT_FALSE(PlanLaunch(platform, {(tools / L"missing.bat").wstring(), L"", L"", L""})) << "cmd would fail alone";
    // Started in the folder kx_shell was started in; when that one is gone, in its own.
    platform.start = (tools / L"gone").wstring();
    const auto plain = PlanLaunch(platform, {(inPath / L"kravix.exe").wstring(), L"a b", L"", L""});
    platform.StartProgram(plain->program, plain->commandLine, plain->folder);
    const std::wstring line = L"\"" + (inPath / L"kravix.exe").wstring() + L"\" \"a b\"  \n";
    EXPECT_EQ(FromUtf8(ReadBytes(inPath / L"received.txt")),
              line + line + inPath.wstring() + L"\nshown 1\nnot opened\n");
    // A short form on a share goes to other programs in its plain form.
    const ImportPatch share("GetShortPathNameW", &ShortFormOnAShare);
    EXPECT_EQ(platform.ShortPath(L"\\\\server\\share\\" + std::wstring(250, L'к') + L".exe"),
              L"\\\\server\\share\\KRAVIX~1.EXE");
    SetCurrentDirectoryW(Here().c_str());
    const std::wstring path = platform.PathVariable();
    SetEnvironmentVariableW(L"PATH", (L"C:\\nowhere;" + inPath.wstring()).c_str());
    PlatformIn beside(scratch);
    EXPECT_EQ(ResolveProgram(beside, L"kravix.exe"), (inPath / L"kravix.exe").wstring());
    SetEnvironmentVariableW(L"PATH", path.c_str());
}

// System DLLs come from the system folder alone, never from beside the program; on a Windows 7 without the loader
// update that LOAD_LIBRARY_SEARCH_SYSTEM32 needs, by their full path there.
TEST(Win32, SystemLibrariesFromTheSystemFolderAlone) {
    EXPECT_FALSE(win32::LoadSystemLibrary(L"stand_in_kravix.exe"));
    const ImportPatch windows7("LoadLibraryExW", FailingAs<ERROR_INVALID_PARAMETER>(&LoadLibraryExW));
    EXPECT_TRUE(win32::LoadSystemLibrary(L"shcore.dll"));
}
