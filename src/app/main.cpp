// kx_shell: picks a ROM image and its tables, starts kravix.exe with them.
#include <windows.h>

#include "core/handler.h"
#include "platform/win32/win32_platform.h"
#include "windows/windows.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Paths come only from the launcher's own folder and the user's choices:
    // no DLL is looked for in the current folder.
    SetDllDirectoryW(L"");
    App* app = nullptr;
    const WindowDef* const windows[2] = {&kMainWindow, &kSetupWindow};
    Win32Platform platform(windows, [&app](const Handler& handler, const Event& event) {
        RunHandler(*app, handler, event);
    });
    App launcher{platform, {}};
    app = &launcher;
    return platform.Run(Form::Form1);
}
