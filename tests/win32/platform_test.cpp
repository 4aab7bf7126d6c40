// The Windows operations on real files, processes and windows, under Wine: each once.
#include <gtest/gtest.h>

#include "config_file.h"
#include "controls.h"
#include "forced_answers.h"
#include "launch.h"
#include "program_path.h"
#include "test_files.h"
#include "win32_platform.h"
#include "win32_screen.h"

namespace {

struct Ended {};

// The real platform, with its program folder elsewhere, and an end that the test sees.
struct PlatformIn : Win32Platform {
    explicit PlatformIn(const fs::path& where) : folder(where.wstring()) {}
    std::wstring ProgramDirectory() override { return folder; }
    [[noreturn]] void EndProgram() override { throw Ended{}; }
    std::wstring folder;
};

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

// A folder that lets nobody create a file in it; other files open as usual.
decltype(&CreateFileW) createFile = nullptr;
HANDLE WINAPI RefusingNewFiles(LPCWSTR path,
                               DWORD access,
                               DWORD share,
                               LPSECURITY_ATTRIBUTES security,
                               DWORD disposition,
                               DWORD flags,
                               HANDLE model) {
    if (disposition != CREATE_NEW) return createFile(path, access, share, security, disposition, flags, model);
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
}

}  // namespace

TEST(Win32, AnsiCodePageAndUniqueNames) {
    // In code page 1251 (Wine best-fits "＂" to a quote, "é" to "e").
    Win32Platform platform;
    std::string bytes;
    EXPECT_FALSE(platform.ToAnsi(L"＂", bytes)) << "no best fit when writing";
    EXPECT_EQ(platform.AnsiView(L"b＂é"), L"b\"e");
    EXPECT_NE(platform.UniqueName(), platform.UniqueName());
}

// kx_shell.ini deeper than 260 characters, in the ANSI code page: saved, and read while another program holds it; a
// save onto the held file is tried in place before it fails, and leaves no file of its own.
TEST(Win32, DeepFolders) {
    TestFolder scratch;
    std::wstring deep = L"\\\\?\\" + scratch.wstring();
    while (deep.size() < 300) CreateDirectoryW((deep += L"\\папка папка папка").c_str(), nullptr);
    PlatformIn platform(deep.substr(4) + L"\\");
    const std::wstring ini = deep + L"\\kx_shell.ini";
    WriteProgramPath(platform, L"C:\\Игры\\kravix.exe");
    EXPECT_EQ(ReadBytes(ini), "\"C:\\\xC8\xE3\xF0\xFB\\kravix.exe\"\r\n");
    const HANDLE holder = CreateFileW(ini.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(ReadProgramPath(platform), L"C:\\Игры\\kravix.exe");
    try {
        WriteProgramPath(platform, L"C:\\new.exe");
        ADD_FAILURE() << "saved onto a held file";
    } catch (const PlatformFailure& failure) {
        EXPECT_TRUE(failure.reason.starts_with(L"Не удалось открыть для записи файл")) << "not tried in place";
    }
    CloseHandle(holder);
    WriteProgramPath(platform, L"C:\\new.exe");
    EXPECT_EQ(ReadProgramPath(platform), L"C:\\new.exe") << "not replaced";
    // Too deep for std::filesystem: the file and the folders go one by one, which a file left behind would stop.
    DeleteFileW(ini.c_str());
    for (; deep.size() > scratch.wstring().size() + 4; deep.resize(deep.rfind(L'\\')))
        EXPECT_TRUE(RemoveDirectoryW(deep.c_str()));
}

// Saves as Windows refuses them: kx_shell.ini marked read-only stays as it is (Wine would replace it); where the
// folder refuses new files and the disk is full, the saved path stays.
TEST(Win32, SavesWindowsRefuses) {
    TestFolder scratch;
    PlatformIn platform(scratch);
    const fs::path ini = scratch / L"kx_shell.ini";
    WriteBytes(ini, "\"C:\\old.exe\"\r\n");
    SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_THROW(WriteProgramPath(platform, L"C:\\new.exe"), PlatformFailure);
    SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
    {
        const ImportPatch noNewFiles("CreateFileW", &RefusingNewFiles);
        createFile = noNewFiles.Original<decltype(createFile)>();
        const ImportPatch diskFull("SetEndOfFile", FailingAs<ERROR_DISK_FULL>(&SetEndOfFile));
        EXPECT_THROW(WriteProgramPath(platform, L"C:\\a longer path\\kravix.exe"), PlatformFailure);
    }
    EXPECT_EQ(ReadProgramPath(platform), L"C:\\old.exe");
    EXPECT_EQ(std::distance(fs::directory_iterator(scratch), {}), 1) << "a temporary file left behind";
}

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
    EXPECT_THROW(StartPlanned(platform, plan.value()), Ended);
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
    platform.StartProgram(plan->program, plan->commandLine, plan->folder, StartedWindow::NormalWithFocus);
    // cmd writes got.txt in place: read until the line is whole (its ASCII end: cmd writes in OEM).
    EXPECT_TRUE(WaitUntil([&] { return ReadBytes(tools / L"got.txt").ends_with("\\g&pwn\"\r\n"); }));
    EXPECT_FALSE(fs::exists(scratch / L"received.txt")) << "the cmd.exe in the current folder ran";
    EXPECT_FALSE(PlanLaunch(platform, {(tools / L"missing.bat").wstring(), L"", L"", L""})) << "cmd would fail alone";
    EXPECT_FALSE(platform.IsFolder((tools / L"gone").wstring())) << "a start folder that is gone would be used";
    // Through the shell, as for a program that asks for administrator rights (Wine asks nobody).
    platform.StartThroughShell((inPath / L"kravix.exe").wstring(), L"\"a b\" c", tools.wstring());
    const std::wstring line = L"\"" + (inPath / L"kravix.exe").wstring() + L"\" \"a b\" c\n";
    EXPECT_EQ(FromUtf8(ReadBytes(inPath / L"received.txt")),
              line + line + tools.wstring() + L"\nshown 1\nnot opened\n");
    SetCurrentDirectoryW(Here().c_str());
    const std::wstring path = platform.PathVariable();
    SetEnvironmentVariableW(L"PATH", (L"C:\\nowhere;" + inPath.wstring()).c_str());
    PlatformIn beside(scratch);
    EXPECT_EQ(ResolveProgram(beside, L"kravix.exe"), (inPath / L"kravix.exe").wstring());
    SetEnvironmentVariableW(L"PATH", path.c_str());
}

// Every control as its table says at 96 and 144 DPI; each window's frame.
TEST(Win32, WindowsAsTheirTablesSay) {
    struct : ScreenEvents {
        void Clicked(Control) override {}
        void KeyDown(Control, Key) override {}
        void CloseRequested(WindowId) override {}
    } ignored;
    Win32Screen screen;
    for (const WindowDef* table : {&kMainWindow, &kSetupWindow}) {
        screen.Create(*table, ignored);
        const HWND window = FindWindowW(L"kx_shell.Window", table->caption);
        RECT client{};
        GetClientRect(window, &client);
        EXPECT_EQ(client.right, MulDiv(table->clientWidth, 96, 1440));
        EXPECT_EQ(client.bottom, MulDiv(table->clientHeight, 96, 1440));
        EXPECT_EQ(HCURSOR(GetClassLongPtrW(window, GCLP_HCURSOR)), LoadCursorW(nullptr, IDC_ARROW));
        // A fixed frame with no minimize or maximize box; a taskbar button for the main window alone.
        EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_SYSMENU),
                  WS_SYSMENU);
        EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & (WS_EX_APPWINDOW | WS_EX_DLGMODALFRAME),
                  table == &kMainWindow ? WS_EX_APPWINDOW : WS_EX_DLGMODALFRAME);
        win32::FontCache fonts;
        for (const int dpi : {96, 144}) {
            // Made at 96 DPI, then moved to a screen of 144.
            if (dpi == 144) win32::LayOutControls(window, *table, 144, fonts);
            for (const ControlDef& control : *table) {
                if (control.kind == ControlKind::FileDialog) continue;
                SCOPED_TRACE(control.control.name + (" at " + std::to_string(dpi)));
                const HWND child = GetDlgItem(window, control.control.id);
                wchar_t name[16] = {};
                GetClassNameW(child, name, 16);
                const bool box = control.kind == ControlKind::TextBox, button = control.kind == ControlKind::Button;
                EXPECT_STREQ(name, box ? L"Edit" : control.kind == ControlKind::Label ? L"Static" : L"Button");
                const LONG style = GetWindowLongW(child, GWL_STYLE);
                EXPECT_EQ((style & WS_TABSTOP) != 0, box || button);
                EXPECT_EQ((style & ES_READONLY) != 0, box);
                EXPECT_EQ(style & (WS_DISABLED | WS_VISIBLE), WS_VISIBLE);
                EXPECT_TRUE(!button || (style & BS_TYPEMASK) == BS_PUSHBUTTON) << "a button is no default button";
                EXPECT_TRUE(!box || SendMessageW(child, EM_GETLIMITTEXT, 0, 0) > 32767) << "a box takes any path";
                LOGFONTW font{};
                GetObjectW(reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)), sizeof font, &font);
                EXPECT_STREQ(font.lfFaceName, control.font ? L"MS Sans Serif" : L"Microsoft Sans Serif");
                EXPECT_EQ(font.lfQuality, DEFAULT_QUALITY);
                EXPECT_EQ(font.lfHeight, -MulDiv(825, dpi, 7200));
                EXPECT_EQ(font.lfWeight, std::wstring(control.caption) == L"..." ? 700 : 400);
                EXPECT_EQ(font.lfCharSet, 204);
                // From the client corner in twips, through the group boxes that hold it.
                int left = control.rect.left, top = control.rect.top;
                for (const ControlDef* holder = table->Find(control.containerId); holder;
                     holder = table->Find(holder->containerId)) {
                    left += holder->rect.left;
                    top += holder->rect.top;
                }
                RECT place{};
                GetWindowRect(child, &place);
                MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
                EXPECT_EQ(place.left, MulDiv(left, dpi, 1440));
                EXPECT_EQ(place.top, MulDiv(top, dpi, 1440));
                EXPECT_EQ(place.right - place.left, MulDiv(control.rect.width, dpi, 1440));
                EXPECT_EQ(place.bottom - place.top, MulDiv(control.rect.height, dpi, 1440));
            }
        }
        // Minimized, as a shortcut may start the program: the setup window, with no taskbar button, shows normally.
        ShowWindow(window, SW_MINIMIZE);
        screen.Show(table->id);
        EXPECT_EQ(IsIconic(window), table->frame == WindowFrame::FixedSingle);
        screen.Destroy(table->id);
    }
}
