// kx_shell.exe driven through the input queue as a user drives it, beside the stand-in kravix.exe.
#include <gtest/gtest.h>

#include "controls.h"
#include "test_files.h"

namespace {

const wchar_t kMainCaption[] = L"Shell for kravix", kSetupCaption[] = L"Укажите где находится kravix.exe";

// The top-level window with this caption, once it shows and takes the keyboard.
HWND Window(const wchar_t* caption) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindWindowW(nullptr, caption)) && GetForegroundWindow() == found; });
    return found;
}

std::wstring Text(HWND window) {
    wchar_t text[4096] = {};
    return std::wstring(text, SendMessageW(window, WM_GETTEXT, 4096, LPARAM(text)));
}

void Send(std::vector<INPUT> inputs) { SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT)); }
INPUT Key(WORD code, wchar_t c, DWORD up) {
    return {.type = INPUT_KEYBOARD, .ki = {code, c, up | (code ? 0 : KEYEVENTF_UNICODE)}};
}

// Types the text, then presses the keys and lets go in reverse: {VK_MENU, VK_F4} is Alt+F4.
void Keys(std::initializer_list<WORD> codes, const std::wstring& text = L"") {
    std::vector<INPUT> inputs;
    for (const wchar_t c : text) inputs.insert(inputs.end(), {Key(0, c, 0), Key(0, c, KEYEVENTF_KEYUP)});
    for (const WORD code : codes) inputs.push_back(Key(code, 0, 0));
    for (auto code = std::rbegin(codes); code != std::rend(codes); ++code)
        inputs.push_back(Key(*code, 0, KEYEVENTF_KEYUP));
    Send(inputs);
}

void ClickOn(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    const LONG x = (r.left + r.right) / 2 * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    const LONG y = (r.top + r.bottom) / 2 * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    std::vector<INPUT> inputs;
    for (const DWORD action : {MOUSEEVENTF_MOVE, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP})
        inputs.push_back({.type = INPUT_MOUSE, .mi = {x, y, 0, action | MOUSEEVENTF_ABSOLUTE}});
    Send(inputs);
}

struct Kx {
    explicit Kx(const fs::path& folder) {
        fs::copy_file(Here() / L"kx_shell.exe", folder / L"kx_shell.exe");
        fs::create_directory(folder / L"рабочая папка");
        STARTUPINFOW startup{.cb = sizeof startup};
        CreateProcessW((folder / L"kx_shell.exe").c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                       (folder / L"рабочая папка").c_str(), &startup, &process);
    }
    ~Kx() {
        TerminateProcess(process.hProcess, 99);
        WaitForSingleObject(process.hProcess, 10000);
    }
    bool Focused(HWND control) const {
        GUITHREADINFO thread{.cbSize = sizeof thread};
        return WaitUntil([&] { return GetGUIThreadInfo(process.dwThreadId, &thread) && thread.hwndFocus == control; });
    }
    DWORD Exit() const {
        DWORD status = 259;
        WaitForSingleObject(process.hProcess, 10000);
        GetExitCodeProcess(process.hProcess, &status);
        return status;
    }
    PROCESS_INFORMATION process{};
};

// Types `file` into the Open dialog its window owns; Escape for none.
void Browse(HWND window, Control button, const wchar_t* title, const std::wstring& file) {
    ClickOn(GetDlgItem(window, button.id));
    const HWND dialog = Window(title);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), window);
    Keys({WORD(file.empty() ? VK_ESCAPE : VK_RETURN)}, file);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); })) << Utf8(title);
}

}  // namespace

// Setup first, Tab order, F12 and Alt+F4, the stop message, then the launch: both views of the line.
TEST(Journey, FromTheFirstStartToTheLaunch) {
    using namespace MainWindow;
    TestFolder folder;
    const fs::path kravix = folder / L"ゲーム" / L"kravix.exe", rom = folder / L"ゲーム Super.nes",
                   table = folder / L"a.tbl";
    fs::create_directories(kravix.parent_path());
    fs::copy_file(Here() / L"stand_in_kravix.exe", kravix);
    for (const fs::path& file : {rom, table}) WriteBytes(file, "data");
    Kx run(folder);
    const HWND setup = Window(kSetupCaption);
    Browse(setup, SetupWindow::BrowseButton, L"открытие", kravix);
    ClickOn(GetDlgItem(setup, SetupWindow::OkButton.id));
    const HWND main = Window(kMainCaption);
    EXPECT_TRUE(WaitUntil([&] { return Text(GetDlgItem(main, ProgramPathBox.id)) == kravix.wstring(); }));
    EXPECT_EQ(ReadBytes(folder / L"kx_shell.ini"), "\xEF\xBB\xBF\"" + Utf8(kravix) + "\"\r\n");

    for (const Control control : {RomBox, BrowseRomButton, PrimaryTableBox, BrowsePrimaryTableButton, SecondaryTableBox,
                                  BrowseSecondaryTableButton, OkButton, CancelButton, ProgramPathBox}) {
        Keys({VK_TAB});
        EXPECT_TRUE(run.Focused(GetDlgItem(main, control.id))) << control.id;
    }
    Keys({VK_F12});
    const HWND setupAgain = Window(kSetupCaption);
    Keys({VK_MENU, VK_F4});
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(setupAgain); }));
    EXPECT_TRUE(IsWindowVisible(main));

    fs::rename(kravix, folder / L"away.exe");
    ClickOn(GetDlgItem(main, OkButton.id));
    Window(L"kx_shell");
    EXPECT_FALSE(IsWindowEnabled(main));
    Keys({VK_RETURN});
    EXPECT_TRUE(run.Focused(GetDlgItem(main, ProgramPathBox.id)));
    fs::rename(folder / L"away.exe", kravix);

    Browse(main, BrowseRomButton, L"Открытие РОМа", rom);
    Browse(main, BrowseSecondaryTableButton, L"Открытие вторичной таблицы(необязательно)", table);
    ClickOn(GetDlgItem(main, OkButton.id));
    EXPECT_EQ(run.Exit(), 0u);
    // Outside the code page, kravix.exe and the ROM go by their short names.
    const std::wstring line = ShortName(kravix) + L" " + ShortName(rom) + L" \"\" \"" + table.wstring() + L"\"";
    EXPECT_EQ(FromUtf8(ReadBytes(kravix.parent_path() / L"received.txt")),
              line + L"\n" + line + L"\n" + (folder / L"рабочая папка").wstring() + L"\nopened\n");
}

// The setup window cannot save where a folder stands for kx_shell.ini: the report, then status 1.
TEST(Journey, AFatalErrorIsToldAndEndsTheProgram) {
    TestFolder folder;
    fs::create_directory(folder / L"kx_shell.ini");
    Kx run(folder);
    const HWND setup = Window(kSetupCaption);
    Browse(setup, SetupWindow::BrowseButton, L"открытие", L"");
    ClickOn(GetDlgItem(setup, SetupWindow::OkButton.id));
    const std::wstring ini = (folder / L"kx_shell.ini").wstring();
    EXPECT_EQ(Text(GetDlgItem(Window(L"kx_shell"), 0xFFFF)), L"Не удалось сохранить путь к kravix.exe в файл " + ini +
                                                                 L".\n\nНе удалось заменить файл " + ini +
                                                                 L".\nДоступ запрещён.\n\nПрограмма будет закрыта.");
    Keys({VK_RETURN});
    EXPECT_EQ(run.Exit(), 1u);
}
