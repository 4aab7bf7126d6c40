#include "e2e/driver.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace e2e {

namespace {

constexpr DWORD kPoll = 25;             // ms between two looks at the screen
constexpr UINT kMessageTimeout = 2000;  // ms for a cross-process SendMessage
constexpr int kFileNameField = 0x47C;   // cmb13 of the common file dialog
constexpr wchar_t kDialogClass[] = L"#32770";

bool SameText(HWND hwnd, const std::wstring& expected, const wchar_t* windowClass) {
    if (windowClass && ClassOf(hwnd) != windowClass) return false;
    // GetWindowTextW reads a top-level caption without a message to its
    // thread, so a busy thread cannot stall the look.
    wchar_t caption[512] = {};
    GetWindowTextW(hwnd, caption, static_cast<int>(std::size(caption)));
    return expected == caption;
}

// The Edit inside the file-name field (ComboBoxEx32 > ComboBox > Edit), or the field itself.
HWND FileNameEdit(HWND dialog) {
    const HWND field = GetDlgItem(dialog, kFileNameField);
    if (!field) return nullptr;
    HWND edit = FindWindowExW(field, nullptr, L"Edit", nullptr);
    if (!edit) {
        if (const HWND combo = FindWindowExW(field, nullptr, L"ComboBox", nullptr)) {
            edit = FindWindowExW(combo, nullptr, L"Edit", nullptr);
        }
    }
    return edit ? edit : field;
}

}  // namespace

std::string IniRecord(const std::wstring& path) {
    const UINT codePage = GetACP();
    if (codePage != CP_UTF8) {
        BOOL lossy = FALSE;
        const int size = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, path.data(), static_cast<int>(path.size()),
                                             nullptr, 0, nullptr, &lossy);
        if (!lossy) {
            std::string ansi(static_cast<std::size_t>(size), '\0');
            WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, path.data(), static_cast<int>(path.size()), ansi.data(),
                                size, nullptr, nullptr);
            return '"' + ansi + "\"\r\n";
        }
    }
    return "\xEF\xBB\xBF\"" + ToUtf8(path) + "\"\r\n";
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeout) {
    const ULONGLONG end = GetTickCount64() + timeout;
    for (;;) {
        if (done()) return true;
        if (GetTickCount64() >= end) return false;
        Sleep(kPoll);  // a poll interval, not a guess at how long something takes
    }
}

HWND Item(HWND window, int id) { return window ? GetDlgItem(window, id) : nullptr; }

std::wstring Text(HWND hwnd) {
    if (!hwnd) return {};
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeout, &length)) return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                             kMessageTimeout, &copied)) {
        return {};
    }
    text.resize(copied);
    return text;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[256] = {};
    GetClassNameW(hwnd, name, static_cast<int>(std::size(name)));
    return name;
}

std::wstring TextOf(HWND window, int id) { return Text(Item(window, id)); }

std::wstring WaitText(HWND window, int id, const std::wstring& expected, DWORD timeout) {
    std::wstring text;
    WaitUntil([&] { return (text = TextOf(window, id)) == expected; }, timeout);
    return text;
}

void Click(HWND window, int id) {
    const HWND button = Item(window, id);
    EXPECT_NE(button, nullptr) << "no button " << id;
    // Posted, not sent: the click may open a modal dialog that would hold a
    // sent message until it closes.
    PostMessageW(button, BM_CLICK, 0, 0);
}

void PressKey(HWND control, WORD virtualKey) {
    // Posted to the control's queue as the keyboard would: the program's
    // message loop (IsDialogMessage, TranslateMessage) sees it first.
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(control, WM_KEYDOWN, virtualKey, scan | 1);
    PostMessageW(control, WM_KEYUP, virtualKey, scan | 1 | (LPARAM{3} << 30));
}

void CloseBox(HWND window) { PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

bool WaitGone(HWND window, DWORD timeout) {
    return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeout);
}

bool Flush(HWND button, DWORD timeout) {
    // Posted messages are handled in order: once the marker shows, every
    // message posted before it has been handled too.
    PostMessageW(button, BM_SETSTATE, TRUE, 0);
    const bool handled = WaitUntil(
        [&] {
            DWORD_PTR state = 0;
            return SendMessageTimeoutW(button, BM_GETSTATE, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeout, &state) &&
                   (state & BST_PUSHED);
        },
        timeout);
    PostMessageW(button, BM_SETSTATE, FALSE, 0);
    return handled;
}

std::wstring FileNameField(HWND dialog) { return Text(FileNameEdit(dialog)); }

bool SetFileNameField(HWND dialog, const std::wstring& text) {
    const HWND edit = FileNameEdit(dialog);
    if (!edit) return false;
    DWORD_PTR result = 0;
    SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                        kMessageTimeout, &result);
    return FileNameField(dialog) == text;
}

void PressDialogButton(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

namespace {

// A 32-bit top-down bitmap selected into a memory DC, for pixel comparisons.
class Pixels {
public:
    Pixels(int width, int height) : dc_(CreateCompatibleDC(nullptr)), size_(width * height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~Pixels() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }
    DWORD* begin() const { return bits_; }
    DWORD* end() const { return bits_ + size_; }
    bool operator==(const Pixels& other) const {
        GdiFlush();
        for (int i = 0; i < size_; ++i) {
            if ((bits_[i] & 0xFFFFFF) != (other.bits_[i] & 0xFFFFFF)) return false;
        }
        return true;
    }

private:
    HDC dc_;
    int size_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    DWORD* bits_ = nullptr;
};

}  // namespace

bool ShowsIcon(HWND control, HICON icon) {
    RECT rect{};
    if (!control || !icon || !GetWindowRect(control, &rect)) return false;
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return false;
    Pixels shown(width, height), expected(width, height);
    const HDC screen = GetDC(nullptr);
    BitBlt(shown.dc(), 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    GdiFlush();
    // The icon's corners are transparent: its top left pixel is the background.
    std::fill(expected.begin(), expected.end(), *shown.begin());
    DrawIconEx(expected.dc(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
    return shown == expected;
}

Launcher::Launcher(const LaunchOptions& options) : folder_(L"kx e2e Тест") {
    exePath_ = folder_ / L"kx_shell.exe";
    CopyInto(TestProgramFolder() + L"\\kx_shell.exe", folder_.path(), L"kx_shell.exe");
    std::wstring kravixFolder = folder_.path();
    if (!options.kravixFolder.empty()) {
        kravixFolder = folder_ / options.kravixFolder;
        EXPECT_TRUE(CreateDirectoryW(kravixFolder.c_str(), nullptr));
    }
    kravixPath_ = kravixFolder + L"\\kravix.exe";
    CopyInto(TestProgramFolder() + L"\\stand_in\\kravix.exe", kravixFolder, L"kravix.exe");
    if (options.ini == Ini::KravixPath) WriteBytes(iniPath(), IniRecord(kravixPath_));
    if (options.ini == Ini::Custom) WriteBytes(iniPath(), options.iniBytes);
    // The working folder holds a decoy kx_shell.ini: kx_shell must read the
    // one beside itself, never one from the current folder.
    const std::wstring workFolder = folder_ / L"рабочая папка";
    CreateDirectoryW(workFolder.c_str(), nullptr);
    WriteBytes(workFolder + L"\\kx_shell.ini", "\"C:\\decoy\\kravix.exe\"\r\n");
    if (options.start) Start();
}

Launcher::~Launcher() {
    if (process_.hProcess) {
        if (Running()) {
            TerminateProcess(process_.hProcess, 99);
            WaitForSingleObject(process_.hProcess, kTimeout);
        }
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
}

void Launcher::Start() {
    if (process_.hProcess) {
        ASSERT_FALSE(Running()) << "kx_shell is still running";
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
        process_ = {};
    }
    std::wstring line = L"\"" + exePath_ + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    const std::wstring workFolder = folder_ / L"рабочая папка";
    ASSERT_TRUE(CreateProcessW(exePath_.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, workFolder.c_str(),
                               &startup, &process_))
        << "cannot start kx_shell.exe, error " << GetLastError();
    WaitForInputIdle(process_.hProcess, kTimeout);
}

std::wstring Launcher::iniPath() const { return folder_ / L"kx_shell.ini"; }
std::string Launcher::iniBytes() const { return ReadBytes(iniPath()); }
bool Launcher::iniExists() const { return Exists(iniPath()); }

namespace {

struct WindowSearch {
    DWORD processId;
    std::vector<HWND> found;
};

// A named CALLBACK function: a lambda has the wrong calling convention on 32-bit Windows.
BOOL CALLBACK CollectVisibleWindow(HWND hwnd, LPARAM data) {
    auto& search = *reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == search.processId && IsWindowVisible(hwnd)) search.found.push_back(hwnd);
    return TRUE;
}

}  // namespace

std::vector<HWND> Launcher::Windows() const {
    WindowSearch search{processId(), {}};
    EnumWindows(CollectVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Launcher::Find(const std::wstring& caption, const wchar_t* windowClass) const {
    for (const HWND hwnd : Windows()) {
        if (SameText(hwnd, caption, windowClass)) return hwnd;
    }
    return nullptr;
}

HWND Launcher::WaitFor(const std::wstring& caption, const wchar_t* windowClass, DWORD timeout) const {
    HWND found = nullptr;
    WaitUntil([&] { return (found = Find(caption, windowClass)) != nullptr; }, timeout);
    return found;
}

HWND Launcher::WaitFileDialog(const std::wstring& title, DWORD timeout) const {
    HWND found = nullptr;
    // The dialog is visible before it has filled in its controls; wait for the field too.
    WaitUntil(
        [&] {
            found = Find(title, kDialogClass);
            return found && FileNameEdit(found) && IsWindowEnabled(found);
        },
        timeout);
    return found && FileNameEdit(found) ? found : nullptr;
}

std::optional<MessageBoxView> Launcher::WaitMessageBox(DWORD timeout) const {
    const HWND box = WaitFor(L"kx_shell", kDialogClass, timeout);
    if (!box) return std::nullopt;
    MessageBoxView view;
    view.hwnd = box;
    view.caption = L"kx_shell";
    // The text is set while the box is built; wait until it shows.
    WaitUntil([&] { return !(view.text = TextOf(box, 0xFFFF)).empty(); }, timeout);
    DWORD_PTR icon = 0;
    SendMessageTimeoutW(Item(box, 0x440), STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeout, &icon);
    view.icon = reinterpret_cast<HICON>(icon);
    for (int id = IDOK; id <= IDCONTINUE; ++id) {
        if (Item(box, id)) view.buttons.push_back(id);
    }
    return view;
}

std::optional<DWORD> Launcher::WaitExit(DWORD timeout) const {
    if (!process_.hProcess || WaitForSingleObject(process_.hProcess, timeout) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

bool Launcher::Running() const {
    return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND Launcher::Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(threadId(), &info) ? info.hwndFocus : nullptr;
}

bool Launcher::Browse(HWND window, int button, const std::wstring& title, const std::wstring& path) {
    Click(window, button);
    const HWND dialog = WaitFileDialog(title);
    if (!dialog) {
        ADD_FAILURE() << "no file dialog \"" << ToUtf8(title) << "\"";
        return false;
    }
    if (!SetFileNameField(dialog, path)) {
        ADD_FAILURE() << "cannot type into the file dialog's file-name field";
        return false;
    }
    PressDialogButton(dialog, IDOK);
    if (!WaitUntil([&] { return !IsWindow(dialog); })) {
        // A refusal shows as a message box of the dialog's own.
        std::string shown;
        for (const HWND hwnd : Windows()) shown += " [" + ToUtf8(Text(hwnd)) + ": " + ToUtf8(TextOf(hwnd, 0xFFFF)) + "]";
        ADD_FAILURE() << "the file dialog did not take " << ToUtf8(path) << "; windows:" << shown;
        return false;
    }
    return true;
}

std::optional<Received> Launcher::WaitReceived(const std::wstring& folder, DWORD timeout) const {
    const std::wstring where =
        (folder.empty() ? kravixPath_.substr(0, kravixPath_.find_last_of(L'\\')) : folder) + L"\\received.txt";
    // The stand-in writes the file under another name and renames it: once
    // it exists it is whole.
    if (!WaitUntil([&] { return Exists(where); }, timeout)) return std::nullopt;
    const std::wstring text = FromUtf8(ReadBytes(where));
    Received received;
    std::size_t start = 0;
    for (std::size_t line = 0; start < text.size(); ++line) {
        std::size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        const std::wstring item = text.substr(start, end - start);
        if (line == 0) {
            received.commandLine = item;
        } else {
            received.arguments.push_back(item);
        }
        start = end + 1;
    }
    return received;
}

}  // namespace e2e
