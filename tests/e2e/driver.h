// Drives kx_shell.exe as a user would: starts a copy beside the stand-in
// kravix.exe in a scratch folder, finds its windows, clicks, answers its file
// dialogs and reads what the stand-in received. Every wait polls.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "core/controls.h"
#include "win32/test_files.h"

namespace e2e {

inline constexpr wchar_t kMainCaption[] = L"Shell for kravix";
inline constexpr wchar_t kSetupCaption[] = L"Укажите где находится kravix.exe";

bool WaitUntil(const std::function<bool()>& done);  // polls every 25 ms for 10 s
std::wstring Text(HWND hwnd);
HWND Item(HWND window, Control control);
void Click(HWND window, Control button);

class Launcher {
public:
    // kx_shell.ini beside kx_shell.exe holds `ini` (none without it); the
    // stand-in lies in `kravixFolder` under the scratch folder.
    explicit Launcher(std::optional<std::string> ini, const std::wstring& kravixFolder = L".");
    ~Launcher();
    // Starts kx_shell.exe from a working folder of its own.
    void Start();
    // A visible top-level window of kx_shell with this caption, once it shows.
    HWND Window(const std::wstring& caption) const;
    // Opens the dialog with `button`, types `path` into its file-name field, OK.
    void Browse(HWND window, Control button, const std::wstring& title, const fs::path& path) const;
    std::optional<DWORD> WaitExit() const;
    // What the stand-in recorded, line by line; waits for it.
    std::vector<std::wstring> Received() const;
    HWND Focus() const;

    TestFolder folder;
    fs::path kravix, workFolder;

private:
    PROCESS_INFORMATION process_{};
};

}  // namespace e2e
