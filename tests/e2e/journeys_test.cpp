// What needs the whole program: kx_shell.exe driven as a user would, through its
// windows and the system's dialogs, beside the stand-in kravix.exe (stand_in/kravix.cpp).
#include <gtest/gtest.h>

#include <functional>

#include "controls.h"
#include "test_files.h"

namespace {

bool WaitUntil(const std::function<bool()>& done) {
    for (int poll = 0; poll < 400 && !done(); ++poll) Sleep(25);
    return done();
}

// The visible top-level window with this caption, once it shows.
HWND Window(const wchar_t* caption) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindWindowW(nullptr, caption)) && IsWindowVisible(found); });
    return found;
}

std::wstring Text(HWND window, Control control) {
    wchar_t text[4096] = {};
    return std::wstring(text, SendMessageW(GetDlgItem(window, control.id), WM_GETTEXT, 4096, LPARAM(text)));
}

// The arguments of a command line, as CommandLineToArgvW splits them.
std::vector<std::wstring> Arguments(const std::wstring& line) {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(line.c_str(), &count);
    return {arguments, arguments + count};
}

// Posted, not sent: the click may open a modal dialog, which would hold a sent message.
void Click(HWND window, Control button) { PostMessageW(GetDlgItem(window, button.id), BM_CLICK, 0, 0); }

// Types `path` into the dialog's file-name field (0x47C) and presses OK, or Cancel for none.
void Browse(HWND window, Control button, const wchar_t* title, const fs::path& path) {
    Click(window, button);
    const HWND dialog = Window(title);
    HWND edit = nullptr;
    WaitUntil([&] { return edit = FindWindowExW(GetDlgItem(dialog, 0x47C), nullptr, L"ComboBox", nullptr); });
    SendMessageW(FindWindowExW(edit, nullptr, L"Edit", nullptr), WM_SETTEXT, 0, LPARAM(path.c_str()));
    PostMessageW(dialog, WM_COMMAND, path.empty() ? IDCANCEL : IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); })) << Utf8(path);
}

// kx_shell.exe in a scratch folder, started from a working folder of its own.
struct Kx {
    explicit Kx(const fs::path& folder) : process{} {
        std::wstring line = L"kx_shell.exe";
        STARTUPINFOW startup{sizeof startup};
        CreateProcessW((folder / L"kx_shell.exe").c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       (folder / L"рабочая папка").c_str(), &startup, &process);
    }
    ~Kx() { TerminateProcess(process.hProcess, 99), WaitForSingleObject(process.hProcess, 10000); }
    DWORD Exit() const {
        DWORD status = 259;
        WaitForSingleObject(process.hProcess, 10000);
        return GetExitCodeProcess(process.hProcess, &status), status;
    }
    PROCESS_INFORMATION process;
};

}  // namespace

// The first start, with no configuration file: the setup window alone. Its dialog
// cancelled, it saves the bare name, which finds no kravix.exe: the stop message,
// the focus back, F12. A kravix.exe in a folder named outside the ANSI code page is
// saved as UTF-8 and read after a restart; then a ROM that an old program opens
// only by its short name, and OK: kravix.exe gets the paths in their places, in
// the folder kx_shell was started in, and kx_shell ends.
TEST(Journey, FromTheFirstStartToTheLaunch) {
    TestFolder folder;
    const fs::path kravix = folder / L"ゲーム" / L"kravix.exe", rom = folder / L"ゲーム Super.nes",
                   table = folder / L"a.tbl";
    for (const fs::path& made : {kravix.parent_path(), folder / L"рабочая папка"}) fs::create_directories(made);
    fs::copy_file(Here() / L"kx_shell.exe", folder / L"kx_shell.exe");
    fs::copy_file(Here() / L"stand_in_kravix.exe", kravix);
    for (const fs::path& file : {rom, table}) WriteBytes(file, "data");
    std::optional<Kx> run(folder);
    HWND setup = Window(L"Укажите где находится kravix.exe");
    Browse(setup, SetupWindow::BrowseButton, L"открытие", L"");
    Click(setup, SetupWindow::OkButton);
    HWND main = Window(L"Shell for kravix");
    Click(main, MainWindow::OkButton);
    const HWND message = Window(L"kx_shell");
    EXPECT_EQ(Text(message, {WindowId::Main, 0xFFFF}),
              L"Не найден файл kravix.exe. Нажмите F12  в главном окне для установки пути к этому файлу");
    PostMessageW(message, WM_COMMAND, IDOK, 0);
    GUITHREADINFO thread{sizeof thread};
    EXPECT_TRUE(WaitUntil([&] {
        return GetGUIThreadInfo(run->process.dwThreadId, &thread) &&
               thread.hwndFocus == GetDlgItem(main, MainWindow::ProgramPathBox.id);
    }));
    PostMessageW(thread.hwndFocus, WM_KEYDOWN, VK_F12, 0);
    setup = Window(L"Укажите где находится kravix.exe");
    EXPECT_EQ(Text(setup, SetupWindow::ProgramPathBox), L"");
    Browse(setup, SetupWindow::BrowseButton, L"открытие", kravix);
    Click(setup, SetupWindow::OkButton);
    EXPECT_TRUE(WaitUntil([&] { return Text(main, MainWindow::ProgramPathBox) == kravix.wstring(); }));
    EXPECT_EQ(ReadBytes(folder / L"kx_shell.ini"), "\xEF\xBB\xBF\"" + Utf8(kravix) + "\"\r\n");
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(run->Exit(), 0u);

    run.emplace(folder);
    main = Window(L"Shell for kravix");
    EXPECT_EQ(Text(main, MainWindow::ProgramPathBox), kravix.wstring());
    Browse(main, MainWindow::BrowseRomButton, L"Открытие РОМа", rom);
    Browse(main, MainWindow::BrowseSecondaryTableButton, L"Открытие вторичной таблицы(необязательно)", table);
    EXPECT_EQ(Text(main, MainWindow::RomBox), rom.wstring());
    Click(main, MainWindow::OkButton);
    EXPECT_EQ(run->Exit(), 0u);
    wchar_t shortRom[MAX_PATH];
    GetShortPathNameW(rom.c_str(), shortRom, MAX_PATH);
    const std::wstring received = FromUtf8(ReadBytes(kravix.parent_path() / L"received.txt"));
    const std::size_t afterLine = received.find(L'\n'), afterAnsiLine = received.find(L'\n', afterLine + 1);
    EXPECT_EQ(Arguments(received.substr(afterLine + 1, afterAnsiLine - afterLine - 1)),
              Arguments(received.substr(0, afterLine)))
        << "an ANSI program splits its line alike";
    EXPECT_EQ(received.substr(afterAnsiLine + 1),
              (folder / L"рабочая папка").wstring() + L"\nopened\n" + shortRom + L"\n\n" + table.wstring() + L"\n");
}
