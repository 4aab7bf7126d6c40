// kx_shell.exe driven through the input queue as a user drives it, beside the stand-in kravix.exe.
#include <gtest/gtest.h>

#include <stdexcept>

#include "controls.h"
#include "test_files.h"

namespace {

const wchar_t kMainCaption[] = L"Shell for kravix", kSetupCaption[] = L"Укажите где находится kravix.exe";

INPUT Key(WORD code, wchar_t c, DWORD up) {
    return {.type = INPUT_KEYBOARD, .ki = {code, c, up | (code ? 0 : KEYEVENTF_UNICODE)}};
}

// kx_shell.exe started in a folder of its own, in a job that ends it and whatever it started with the test, also
// when the test runs out of time and is killed: no window of one test is ever found by the next.
struct Kx {
    explicit Kx(const fs::path& folder) {
        fs::copy_file(Here() / L"kx_shell.exe", folder / L"kx_shell.exe");
        fs::create_directory(folder / L"рабочая папка");
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{
            .BasicLimitInformation = {.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE}};
        SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
        STARTUPINFOW startup{.cb = sizeof startup};
        CreateProcessW((folder / L"kx_shell.exe").c_str(), nullptr, nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                       (folder / L"рабочая папка").c_str(), &startup, &process);
        AssignProcessToJobObject(job, process.hProcess);
        ResumeThread(process.hThread);
    }
    ~Kx() {
        TerminateJobObject(job, 99);
        WaitForSingleObject(process.hProcess, 90'000);
    }
    // kx_shell's window with this caption, once it has the keyboard; the journey ends where none does.
    HWND Window(const std::wstring& caption) const {
        const auto shown = [&] {
            const HWND window = GetForegroundWindow();
            return GetWindowThreadProcessId(window, nullptr) == process.dwThreadId && Text(window) == caption;
        };
        if (!WaitUntil(shown)) throw std::runtime_error("no window \"" + Utf8(caption) + "\" took the keyboard");
        return GetForegroundWindow();
    }
    // Types the text, then presses the keys and lets go in reverse ({VK_MENU, VK_F4} is Alt+F4), into `window` only.
    void Keys(HWND window, std::initializer_list<WORD> codes, const std::wstring& text = L"") const {
        std::vector<INPUT> inputs;
        for (const wchar_t c : text) inputs.insert(inputs.end(), {Key(0, c, 0), Key(0, c, KEYEVENTF_KEYUP)});
        for (const WORD code : codes) inputs.push_back(Key(code, 0, 0));
        for (auto code = std::rbegin(codes); code != std::rend(codes); ++code)
            inputs.push_back(Key(*code, 0, KEYEVENTF_KEYUP));
        Send(window, inputs);
    }
    // Each event moves the pointer too: a button event alone goes where Wine last put the pointer, which may still
    // be the previous button.
    void Click(HWND control) const {
        RECT r{};
        GetWindowRect(control, &r);
        const LONG x = (r.left + r.right) / 2 * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
        const LONG y = (r.top + r.bottom) / 2 * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
        std::vector<INPUT> inputs;
        for (const DWORD action : {MOUSEEVENTF_MOVE, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP})
            inputs.push_back({.type = INPUT_MOUSE, .mi = {x, y, 0, action | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE}});
        Send(GetAncestor(control, GA_ROOT), inputs);
    }
    // Types into a dialog or clicks on it only while it has the keyboard.
    void Send(HWND window, std::vector<INPUT> inputs) const {
        if (!WaitUntil([&] { return GetForegroundWindow() == window; }))
            throw std::runtime_error("\"" + Utf8(Text(window)) + "\" never took the keyboard");
        SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
    }
    HANDLE job = CreateJobObjectW(nullptr, nullptr);
    PROCESS_INFORMATION process{};
};

// Types `file` into the Open dialog its window owns.
void Browse(const Kx& run, HWND window, Control button, const wchar_t* title, const std::wstring& file) {
    run.Click(GetDlgItem(window, button.id));
    const HWND dialog = run.Window(title);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), window);
    run.Keys(dialog, {VK_RETURN}, file);
}

}  // namespace

// Setup first, F12 and Alt+F4, the Open dialogs, then the launch: both views of the line.
TEST(Journey, FromTheFirstStartToTheLaunch) {
    using namespace MainWindow;
    TestFolder folder;
    const fs::path kravix = folder / L"ゲーム.exe", rom = folder / L"ゲーム Super.nes", table = folder / L"a.tbl";
    fs::copy_file(Here() / L"stand_in_kravix.exe", kravix);
    for (const fs::path& file : {rom, table}) WriteBytes(file, "data");
    Kx run(folder);
    const HWND setup = run.Window(kSetupCaption);
    Browse(run, setup, SetupWindow::BrowseButton, L"открытие", kravix);
    run.Click(GetDlgItem(setup, SetupWindow::OkButton.id));
    const HWND main = run.Window(kMainCaption);

    run.Keys(main, {VK_F12});
    run.Keys(run.Window(kSetupCaption), {VK_MENU, VK_F4});

    Browse(run, main, BrowseRomButton, L"Открытие РОМа", rom);
    Browse(run, main, BrowseSecondaryTableButton, L"Открытие вторичной таблицы(необязательно)", table);
    run.Click(GetDlgItem(main, OkButton.id));
    // The wait's answer, then the exit status, which stays 259 while kx_shell runs.
    DWORD status = WaitForSingleObject(run.process.hProcess, 90'000);
    GetExitCodeProcess(run.process.hProcess, &status);
    EXPECT_EQ(status, 0u) << "kx_shell did not end after the launch";
    // Outside the code page, kravix.exe and the ROM go by their short names; it starts normal-sized (1).
    const std::wstring line = ShortName(kravix) + L" " + ShortName(rom) + L" \"\" \"" + table.wstring() + L"\"";
    EXPECT_EQ(FromUtf8(ReadBytes(kravix.parent_path() / L"received.txt")),
              line + L"\n" + line + L"\n" + (folder / L"рабочая папка").wstring() + L"\nshown 1\nopened\n");
}
