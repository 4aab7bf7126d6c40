#include "e2e/driver.h"

namespace e2e {

namespace {

constexpr UINT kMessageTimeout = 2000;  // ms for a message to another process

struct Search {
    DWORD process;
    std::wstring caption;
    HWND found = nullptr;
};

// A named CALLBACK: a lambda has the wrong calling convention on 32-bit Windows.
BOOL CALLBACK FindVisible(HWND hwnd, LPARAM data) {
    auto& search = *reinterpret_cast<Search*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    wchar_t caption[256] = {};
    GetWindowTextW(hwnd, caption, 256);
    if (process == search.process && IsWindowVisible(hwnd) && search.caption == caption) search.found = hwnd;
    return !search.found;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& done) {
    for (int poll = 0; poll < 400; ++poll, Sleep(25)) {
        if (done()) return true;
    }
    return done();
}

std::wstring Text(HWND hwnd) {
    wchar_t text[4096] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(hwnd, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, kMessageTimeout, &length);
    return std::wstring(text, length);
}

HWND Item(HWND window, Control control) { return GetDlgItem(window, control.id); }

// Posted, not sent: the click may open a modal dialog, which would hold a sent message.
void Click(HWND window, Control button) { PostMessageW(Item(window, button), BM_CLICK, 0, 0); }

Launcher::Launcher(std::optional<std::string> ini, const std::wstring& kravixFolder)
    : kravix(folder / kravixFolder / L"kravix.exe"), workFolder(folder / L"рабочая папка") {
    fs::create_directories(kravix.parent_path());
    fs::create_directories(workFolder);
    fs::copy_file(Here() / L"kx_shell.exe", folder / L"kx_shell.exe");
    fs::copy_file(Here() / L"stand_in" / L"kravix.exe", kravix);
    if (ini) WriteBytes(folder / L"kx_shell.ini", *ini);
    Start();
}

Launcher::~Launcher() {
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 10000);
}

void Launcher::Start() {
    std::wstring line = L"kx_shell.exe";
    STARTUPINFOW startup{sizeof startup};
    ASSERT_TRUE(CreateProcessW((folder / L"kx_shell.exe").c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               workFolder.c_str(), &startup, &process_));
    WaitForInputIdle(process_.hProcess, 10000);
}

HWND Launcher::Window(const std::wstring& caption) const {
    Search search{process_.dwProcessId, caption};
    WaitUntil([&] {
        EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    });
    return search.found;
}

void Launcher::Browse(HWND window, Control button, const std::wstring& title, const fs::path& path) const {
    Click(window, button);
    const HWND dialog = Window(title);
    // The file-name field (0x47C) is a combo box holding an edit box.
    HWND edit = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        const HWND field = GetDlgItem(dialog, 0x47C);
        edit = FindWindowExW(FindWindowExW(field, nullptr, L"ComboBox", nullptr), nullptr, L"Edit", nullptr);
        return (edit = edit ? edit : FindWindowExW(field, nullptr, L"Edit", nullptr)) != nullptr;
    })) << Utf8(title);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()), SMTO_ABORTIFHUNG, kMessageTimeout, &ignored);
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); })) << "the dialog did not take " << Utf8(path.wstring());
}

std::optional<DWORD> Launcher::WaitExit() const {
    DWORD status = 0;
    if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0 || !GetExitCodeProcess(process_.hProcess, &status)) {
        return std::nullopt;
    }
    return status;
}

std::vector<std::wstring> Launcher::Received() const {
    const fs::path record = kravix.parent_path() / L"received.txt";
    WaitUntil([&] { return fs::exists(record); });
    std::vector<std::wstring> lines;
    std::wistringstream text(FromUtf8(ReadBytes(record)));
    for (std::wstring line; std::getline(text, line);) lines.push_back(line);
    return lines;
}

HWND Launcher::Focus() const {
    GUITHREADINFO info{sizeof info};
    return GetGUIThreadInfo(process_.dwThreadId, &info) ? info.hwndFocus : nullptr;
}

}  // namespace e2e
