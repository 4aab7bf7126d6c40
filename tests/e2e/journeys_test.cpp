// What needs the whole program: kx_shell.exe driven as a user would, through
// its windows and the system's own dialogs, beside the stand-in kravix.exe.
// Every wait polls.
#include <gtest/gtest.h>

#include "core/controls.h"
#include "platform/layout.h"
#include "win32/test_files.h"
#include "window_tables/window_tables.h"

namespace {

constexpr wchar_t kMainCaption[] = L"Shell for kravix", kSetupCaption[] = L"Укажите где находится kravix.exe";

bool WaitUntil(const std::function<bool()>& done) {
    for (int poll = 0; poll < 400 && !done(); ++poll) Sleep(25);
    return done();
}

std::wstring Text(HWND window, Control control) {
    wchar_t text[4096] = {};
    return std::wstring(text, SendMessageW(GetDlgItem(window, control.id), WM_GETTEXT, 4096, LPARAM(text)));
}

// Posted, not sent: the click may open a modal dialog, which would hold a sent message.
void Click(HWND window, Control button) { PostMessageW(GetDlgItem(window, button.id), BM_CLICK, 0, 0); }

// The visible top-level window with this caption, once it shows.
HWND Window(const wchar_t* caption) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindWindowW(nullptr, caption)) && IsWindowVisible(found); });
    return found;
}

// kx_shell.exe and the stand-in in a scratch folder; kx_shell started from a
// working folder of its own, and killed at the end if it still runs.
struct Launcher {
    explicit Launcher(std::optional<std::string> ini, const std::wstring& kravixFolder = L".")
        : kravix(folder / kravixFolder / L"kravix.exe") {
        fs::create_directories(kravix.parent_path());
        fs::create_directories(workFolder);
        fs::copy_file(Here() / L"kx_shell.exe", folder / L"kx_shell.exe");
        fs::copy_file(Here() / L"stand_in" / L"kravix.exe", kravix);
        if (ini) WriteBytes(folder / L"kx_shell.ini", *ini);
        Start();
    }
    ~Launcher() { TerminateProcess(process.hProcess, 99), WaitForSingleObject(process.hProcess, 10000); }
    void Start() {
        std::wstring line = L"kx_shell.exe";
        STARTUPINFOW startup{sizeof startup};
        ASSERT_TRUE(CreateProcessW((folder / L"kx_shell.exe").c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   workFolder.c_str(), &startup, &process));
    }
    // Opens the dialog with `button`, types `path` into its file-name field
    // (0x47C, an edit box in a combo box), and presses OK.
    void Browse(HWND window, Control button, const wchar_t* title, const fs::path& path) const {
        Click(window, button);
        const HWND dialog = Window(title);
        HWND edit = nullptr;
        WaitUntil([&] { return edit = FindWindowExW(GetDlgItem(dialog, 0x47C), nullptr, L"ComboBox", nullptr); });
        SendMessageW(FindWindowExW(edit, nullptr, L"Edit", nullptr), WM_SETTEXT, 0, LPARAM(path.c_str()));
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); })) << Utf8(path.wstring());
    }
    DWORD WaitExit() const {
        DWORD status = 259;
        WaitForSingleObject(process.hProcess, 10000);
        GetExitCodeProcess(process.hProcess, &status);
        return status;
    }

    TestFolder folder;
    fs::path kravix, workFolder = folder / L"рабочая папка";
    PROCESS_INFORMATION process{};
};

std::string Record(const fs::path& program) { return "\"" + Utf8(program.wstring()) + "\"\r\n"; }

}  // namespace

// The first start, with no configuration file: the setup window alone; a
// kravix.exe in a folder named outside the ANSI code page is saved as UTF-8
// and read after a restart. Then three real Open dialogs, one for a ROM an old
// program opens only by its short name, and OK: kravix.exe gets the paths in
// their places, in the folder kx_shell was started in, and kx_shell ends.
TEST(Journey, FirstStartRestartAndLaunch) {
    Launcher run(std::nullopt, L"ゲーム");
    const HWND setup = Window(kSetupCaption);
    run.Browse(setup, SetupWindow::BrowseButton, L"открытие", run.kravix);
    Click(setup, SetupWindow::OkButton);
    EXPECT_EQ(Text(Window(kMainCaption), MainWindow::ProgramPathBox), run.kravix.wstring());
    EXPECT_EQ(ReadBytes(run.folder / L"kx_shell.ini"), "\xEF\xBB\xBF" + Record(run.kravix));
    PostMessageW(Window(kMainCaption), WM_CLOSE, 0, 0);
    EXPECT_EQ(run.WaitExit(), 0u);

    run.Start();
    const HWND main = Window(kMainCaption);
    EXPECT_EQ(Text(main, MainWindow::ProgramPathBox), run.kravix.wstring());
    const fs::path rom = run.folder / L"ゲーム Super.nes", table = run.folder / L"a.tbl";
    WriteBytes(rom, "rom");
    WriteBytes(table, "table");
    run.Browse(main, MainWindow::BrowseRomButton, L"Открытие РОМа", rom);
    run.Browse(main, MainWindow::BrowseSecondaryTableButton, L"Открытие вторичной таблицы(необязательно)", table);
    EXPECT_EQ(Text(main, MainWindow::RomBox), rom.wstring());
    Click(main, MainWindow::OkButton);
    EXPECT_EQ(run.WaitExit(), 0u);
    WaitUntil([&] { return fs::exists(run.kravix.parent_path() / L"received.txt"); });
    wchar_t shortRom[MAX_PATH];
    GetShortPathNameW(rom.c_str(), shortRom, MAX_PATH);
    const std::wstring received = FromUtf8(ReadBytes(run.kravix.parent_path() / L"received.txt"));
    EXPECT_EQ(received.substr(received.find(L'\n') + 1),
              run.workFolder.wstring() + L"\nopened\n" + shortRom + L"\n\n" + table.wstring() + L"\n");
}

// At 150 %: the client area and every control where the tables put them at
// 144 DPI. A program that cannot be started: the stop message, the focus back
// in the program-path box, where F12 opens the setup window, empty; its Cancel ends.
TEST(Journey, At144DpiFailedLaunchAndF12) {
    SetProcessDPIAware();  // this program reads the places in real pixels
    HKEY desktop = nullptr;
    RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, KEY_ALL_ACCESS, &desktop);
    const DWORD dpi = 144;
    RegSetValueExW(desktop, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    Launcher run("\"C:\\missing\\kravix.exe\"\r\n");
    const HWND main = Window(kMainCaption);
    RegDeleteValueW(desktop, L"LogPixels");  // kx_shell read it as it started
    RECT place{};
    GetClientRect(main, &place);
    EXPECT_EQ(std::pair(place.right, place.bottom), std::pair(570L, 345L));
    for (const ControlDef& control : kMainWindow) {
        if (control.kind == ControlKind::FileDialog) continue;
        EXPECT_TRUE(GetWindowRect(GetDlgItem(main, control.control.id), &place));
        MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&place), 2);
        EXPECT_EQ((PixelRect{place.left, place.top, place.right - place.left, place.bottom - place.top}),
                  PlaceOnWindow(kMainWindow, control, 144)) << control.control.id;
    }

    Click(main, MainWindow::OkButton);
    const HWND message = Window(L"kx_shell");
    EXPECT_EQ(Text(message, {WindowId::Main, 0xFFFF}),
              L"Не найден файл kravix.exe. Нажмите F12  в главном окне для установки пути к этому файлу");
    PostMessageW(message, WM_COMMAND, IDOK, 0);
    GUITHREADINFO thread{sizeof thread};
    EXPECT_TRUE(WaitUntil([&] {
        return GetGUIThreadInfo(run.process.dwThreadId, &thread) &&
               thread.hwndFocus == GetDlgItem(main, MainWindow::ProgramPathBox.id);
    }));
    PostMessageW(thread.hwndFocus, WM_KEYDOWN, VK_F12, 0);
    const HWND setup = Window(kSetupCaption);
    EXPECT_EQ(Text(setup, SetupWindow::ProgramPathBox), L"");
    Click(setup, SetupWindow::CancelButton);
    EXPECT_EQ(run.WaitExit(), 0u);
}
