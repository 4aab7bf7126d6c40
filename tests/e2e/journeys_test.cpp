// What needs the whole program: kx_shell.exe driven as a user drives it, with
// real clicks and key presses through the input queue, beside the stand-in
// kravix.exe (stand_in/kravix.cpp).
#include <gtest/gtest.h>

#include <functional>

#include "controls.h"
#include "test_files.h"

namespace {

const wchar_t kMainCaption[] = L"Shell for kravix", kSetupCaption[] = L"Укажите где находится kravix.exe";

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

// The arguments of a command line, as CommandLineToArgvW splits them.
std::vector<std::wstring> Arguments(const std::wstring& line) {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(line.c_str(), &count);
    return {arguments, arguments + count};
}

std::wstring Text(HWND window) {
    wchar_t text[4096] = {};
    return std::wstring(text, SendMessageW(window, WM_GETTEXT, 4096, LPARAM(text)));
}

// Presses and releases each key in turn; with `alt`, Alt is held meanwhile.
void Keys(std::initializer_list<WORD> keys, bool alt = false) {
    std::vector<INPUT> inputs;
    const auto key = [&](WORD code, DWORD up) { inputs.push_back({.type = INPUT_KEYBOARD, .ki = {code, 0, up}}); };
    if (alt) key(VK_MENU, 0);
    for (const WORD code : keys) key(code, 0), key(code, KEYEVENTF_KEYUP);
    if (alt) key(VK_MENU, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Types the text as Unicode key presses, then Enter.
void Type(const std::wstring& text) {
    std::vector<INPUT> inputs;
    for (const wchar_t c : text) {
        for (const DWORD up : {0, KEYEVENTF_KEYUP})
            inputs.push_back({.type = INPUT_KEYBOARD, .ki = {0, c, KEYEVENTF_UNICODE | up}});
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Keys({VK_RETURN});
}

// A left click in the middle of the control, where the user sees it.
void ClickOn(HWND control) {
    RECT place{};
    GetWindowRect(control, &place);
    const LONG x = (place.left + place.right) / 2 * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    const LONG y = (place.top + place.bottom) / 2 * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    INPUT inputs[3] = {{.type = INPUT_MOUSE, .mi = {x, y, 0, MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE}},
                       {.type = INPUT_MOUSE, .mi = {x, y, 0, MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE}},
                       {.type = INPUT_MOUSE, .mi = {x, y, 0, MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE}}};
    SendInput(3, inputs, sizeof(INPUT));
}

// kx_shell.exe in `folder`, started from a working folder of its own there.
struct Kx {
    explicit Kx(const fs::path& folder) {
        std::wstring line = L"kx_shell.exe";
        STARTUPINFOW startup{.cb = sizeof startup};
        fs::create_directory(folder / L"рабочая папка");
        CreateProcessW((folder / L"kx_shell.exe").c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       (folder / L"рабочая папка").c_str(), &startup, &process);
    }
    ~Kx() {
        TerminateProcess(process.hProcess, 99);
        WaitForSingleObject(process.hProcess, 10000);
    }
    HWND Focus() const {
        GUITHREADINFO thread{.cbSize = sizeof thread};
        return GetGUIThreadInfo(process.dwThreadId, &thread) ? thread.hwndFocus : nullptr;
    }
    DWORD Exit() const {
        DWORD status = 259;
        WaitForSingleObject(process.hProcess, 10000);
        GetExitCodeProcess(process.hProcess, &status);
        return status;
    }
    PROCESS_INFORMATION process{};
};

// Clicks the browse button and chooses `file` in the Open dialog, which its window owns.
void Browse(HWND window, Control button, const wchar_t* title, const fs::path& file) {
    ClickOn(GetDlgItem(window, button.id));
    const HWND dialog = Window(title);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), window) << Utf8(title);
    Type(file.wstring());
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); })) << Utf8(file);
}

}  // namespace

// From the first start to the launch: the setup window alone; the path chosen there saved beside kx_shell.exe and
// shown; Tab through the main window; F12, and the setup window closed alone;
// the stop message with the main window disabled, then the focus back; two
// files chosen and OK: kravix.exe gets them in their places, alike in both
// views of its command line, and kx_shell ends.
TEST(Journey, FromTheFirstStartToTheLaunch) {
    using namespace MainWindow;
    TestFolder folder;
    const fs::path kravix = folder / L"ゲーム" / L"kravix.exe", rom = folder / L"ゲーム Super.nes", table = folder / L"a.tbl";
    fs::create_directories(kravix.parent_path());
    fs::copy_file(Here() / L"kx_shell.exe", folder / L"kx_shell.exe");
    fs::copy_file(Here() / L"stand_in_kravix.exe", kravix);
    for (const fs::path& file : {rom, table}) WriteBytes(file, "data");
    Kx run(folder);

    const HWND setup = Window(kSetupCaption);
    EXPECT_FALSE(IsWindowVisible(FindWindowW(nullptr, kMainCaption)));
    Browse(setup, SetupWindow::BrowseButton, L"открытие", kravix);
    ClickOn(GetDlgItem(setup, SetupWindow::OkButton.id));
    const HWND main = Window(kMainCaption);
    EXPECT_TRUE(WaitUntil([&] { return Text(GetDlgItem(main, ProgramPathBox.id)) == kravix.wstring(); }));
    EXPECT_EQ(ReadBytes(folder / L"kx_shell.ini"), "\xEF\xBB\xBF\"" + Utf8(kravix) + "\"\r\n");

    for (const Control control : {RomBox, BrowseRomButton, PrimaryTableBox, BrowsePrimaryTableButton, SecondaryTableBox,
                                  BrowseSecondaryTableButton, OkButton, CancelButton, ProgramPathBox}) {
        Keys({VK_TAB});
        EXPECT_TRUE(WaitUntil([&] { return run.Focus() == GetDlgItem(main, control.id); })) << control.id;
    }
    Keys({VK_F12});
    const HWND setupAgain = Window(kSetupCaption);
    Keys({VK_F4}, true);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(setupAgain); }));
    EXPECT_TRUE(IsWindowVisible(main));

    fs::rename(kravix, folder / L"away.exe");
    ClickOn(GetDlgItem(main, OkButton.id));
    const HWND message = Window(L"kx_shell");
    EXPECT_EQ(Text(GetDlgItem(message, 0xFFFF)),
              L"Не найден файл kravix.exe. Нажмите F12  в главном окне для установки пути к этому файлу");
    EXPECT_FALSE(IsWindowEnabled(main));
    Keys({VK_RETURN});
    EXPECT_TRUE(WaitUntil([&] { return run.Focus() == GetDlgItem(main, ProgramPathBox.id); }));
    fs::rename(folder / L"away.exe", kravix);

    Browse(main, BrowseRomButton, L"Открытие РОМа", rom);
    Browse(main, BrowseSecondaryTableButton, L"Открытие вторичной таблицы(необязательно)", table);
    ClickOn(GetDlgItem(main, OkButton.id));
    EXPECT_EQ(run.Exit(), 0u);
    wchar_t shortName[MAX_PATH];
    const std::wstring shortRom(shortName, GetShortPathNameW(rom.c_str(), shortName, MAX_PATH));
    const std::wstring received = FromUtf8(ReadBytes(kravix.parent_path() / L"received.txt"));
    const std::size_t afterLine = received.find(L'\n'), afterAnsiLine = received.find(L'\n', afterLine + 1);
    EXPECT_EQ(Arguments(received.substr(afterLine + 1, afterAnsiLine - afterLine - 1)),
              Arguments(received.substr(0, afterLine)))
        << "an ANSI program splits its line alike";
    EXPECT_EQ(received.substr(afterAnsiLine + 1),
              (folder / L"рабочая папка").wstring() + L"\nopened\n" + shortRom + L"\n\n" + table.wstring() + L"\n");
}

// A fatal error: the setup window cannot save where a folder stands in for
// kx_shell.ini. The user reads why, and the process ends with status 1.
TEST(Journey, AFatalErrorIsToldAndEndsTheProgram) {
    TestFolder folder;
    fs::copy_file(Here() / L"kx_shell.exe", folder / L"kx_shell.exe");
    fs::create_directory(folder / L"kx_shell.ini");
    Kx run(folder);
    const HWND setup = Window(kSetupCaption);
    ClickOn(GetDlgItem(setup, SetupWindow::BrowseButton.id));
    const HWND dialog = Window(L"открытие");
    Keys({VK_ESCAPE});
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    ClickOn(GetDlgItem(setup, SetupWindow::OkButton.id));
    const std::wstring report = Text(GetDlgItem(Window(L"kx_shell"), 0xFFFF));
    EXPECT_TRUE(report.starts_with(L"Не удалось сохранить путь к kravix.exe в файл " + (folder / L"kx_shell.ini").wstring()))
        << Utf8(report);
    EXPECT_TRUE(report.ends_with(L"\n\nПрограмма будет закрыта.")) << Utf8(report);
    Keys({VK_RETURN});
    EXPECT_EQ(run.Exit(), 1u);
}
