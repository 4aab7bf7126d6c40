// Drives kx_shell.exe through the window system as a user would: starts a
// copy of it in a scratch folder, finds its windows, clicks, presses keys,
// answers the file dialogs, and reads what the stand-in kravix.exe received.
// Every wait polls (every 25 ms) up to a timeout; none sleeps a fixed time.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "win32/test_folder.h"

namespace e2e {

inline constexpr DWORD kTimeout = 10000;  // ms, for any single wait

inline constexpr wchar_t kMainCaption[] = L"Shell for kravix";
inline constexpr wchar_t kSetupCaption[] = L"Укажите где находится kravix.exe";

// Polls `done` until it holds or `timeout` ms have passed; returns its last answer.
bool WaitUntil(const std::function<bool()>& done, DWORD timeout = kTimeout);

// What the stand-in kravix.exe was started with.
struct Received {
    std::wstring commandLine;             // line 1 of received.txt
    std::vector<std::wstring> arguments;  // lines 2..: argv[1..] as CommandLineToArgvW splits it
};

// A message box of the process, as seen on screen.
struct MessageBoxView {
    HWND hwnd = nullptr;
    std::wstring caption;
    std::wstring text;        // static 0xFFFF
    HICON icon = nullptr;     // STM_GETICON of static 0x440
    std::vector<int> buttons; // ids among IDOK..IDCONTINUE that exist
};

// What kx_shell.ini beside kx_shell.exe holds when it starts.
enum class Ini {
    KravixPath,  // the quoted path of the stand-in's copy, as IniRecord writes it
    Absent,      // no file
    Custom,      // LaunchOptions::iniBytes
};

struct LaunchOptions {
    LaunchOptions(Ini ini_ = Ini::KravixPath, std::string iniBytes_ = {}, std::wstring kravixFolder_ = {},
                  bool start_ = true)
        : ini(ini_), iniBytes(std::move(iniBytes_)), kravixFolder(std::move(kravixFolder_)), start(start_) {}
    Ini ini;
    std::string iniBytes;
    std::wstring kravixFolder;  // folder under the scratch folder for the stand-in; empty: beside kx_shell.exe
    bool start;                 // false: set up only, call Start() later
};

// A one-path record as kx_shell writes it: "path" CR LF in the ANSI code
// page, or a UTF-8 mark and UTF-8 when the path does not fit that code page.
std::string IniRecord(const std::wstring& path);

// A scratch folder (its name has a space and Cyrillic) holding kx_shell.exe
// and the stand-in, and the kx_shell process started from it. The process is
// killed on destruction if still running, so a failed test leaves no windows.
class Launcher {
public:
    explicit Launcher(const LaunchOptions& options = {});
    ~Launcher();
    Launcher(const Launcher&) = delete;
    Launcher& operator=(const Launcher&) = delete;

    // Starts kx_shell.exe (working folder: a subfolder holding a decoy
    // kx_shell.ini) and waits for input idle. Again after an exit: a new run
    // in the same folder.
    void Start();

    const std::wstring& folder() const { return folder_.path(); }
    std::wstring operator/(const std::wstring& name) const { return folder_ / name; }
    const std::wstring& exePath() const { return exePath_; }
    const std::wstring& kravixPath() const { return kravixPath_; }  // the stand-in's copy
    std::wstring iniPath() const;
    std::string iniBytes() const;  // empty when missing
    bool iniExists() const;

    DWORD processId() const { return process_.dwProcessId; }
    DWORD threadId() const { return process_.dwThreadId; }  // kx_shell's only GUI thread

    // Visible top-level windows of the process.
    std::vector<HWND> Windows() const;
    HWND Find(const std::wstring& caption, const wchar_t* windowClass = nullptr) const;  // nullptr if none
    HWND WaitFor(const std::wstring& caption, const wchar_t* windowClass = nullptr, DWORD timeout = kTimeout) const;
    HWND MainWindow(DWORD timeout = kTimeout) const { return WaitFor(kMainCaption, L"kx_shell.Window", timeout); }
    HWND SetupWindow(DWORD timeout = kTimeout) const { return WaitFor(kSetupCaption, L"kx_shell.Window", timeout); }
    // The common file dialog (class #32770) with this title, once its file-name field exists.
    HWND WaitFileDialog(const std::wstring& title, DWORD timeout = kTimeout) const;
    // The message box captioned "kx_shell".
    std::optional<MessageBoxView> WaitMessageBox(DWORD timeout = kTimeout) const;

    // Waits for the process to end; its exit code, or nothing on timeout.
    std::optional<DWORD> WaitExit(DWORD timeout = kTimeout) const;
    bool Running() const;
    // The control with the keyboard focus in kx_shell's thread (GetGUIThreadInfo).
    HWND Focus() const;

    // Opens the dialog with `button`, types `path` into its file-name field, OK.
    // Returns false (and says why in the test) if any step failed.
    bool Browse(HWND window, int button, const std::wstring& title, const std::wstring& path);

    // What the stand-in in `folder` (default: where kravixPath lies) received; waits for it.
    std::optional<Received> WaitReceived(const std::wstring& folder = {}, DWORD timeout = kTimeout) const;

private:
    TestFolder folder_;
    std::wstring exePath_;
    std::wstring kravixPath_;
    PROCESS_INFORMATION process_{};
};

// Window operations; all work across processes and never block on a modal loop.
HWND Item(HWND window, int id);                       // GetDlgItem
std::wstring Text(HWND hwnd);                         // WM_GETTEXT with a timeout
std::wstring ClassOf(HWND hwnd);
std::wstring TextOf(HWND window, int id);             // Text(Item(window, id))
// Polls until the control shows `expected`; returns the text last seen.
std::wstring WaitText(HWND window, int id, const std::wstring& expected, DWORD timeout = kTimeout);
void Click(HWND window, int id);                      // posts BM_CLICK: the click may open a modal dialog
void PressKey(HWND control, WORD virtualKey);         // posts WM_KEYDOWN and WM_KEYUP to the control
void CloseBox(HWND window);                           // posts WM_SYSCOMMAND SC_CLOSE, as the close box does
bool WaitGone(HWND window, DWORD timeout = kTimeout); // destroyed or hidden
// Posts a marker (BM_SETSTATE to `button`) behind the messages posted so far
// and waits until the program has handled it, so they have all been handled.
bool Flush(HWND button, DWORD timeout = kTimeout);
// The file dialog's file-name field (0x47C).
std::wstring FileNameField(HWND dialog);
bool SetFileNameField(HWND dialog, const std::wstring& text);
void PressDialogButton(HWND dialog, int id);          // posts WM_COMMAND IDOK / IDCANCEL
// Whether the control shows `icon` on screen, pixel for pixel: icon handles
// of another process cannot be read, so the screen is compared instead.
bool ShowsIcon(HWND control, HICON icon);

}  // namespace e2e
