// kx_shell picks a ROM image and its tables and starts kravix.exe with them.
#include <windows.h>

#include "app.h"
#include "controls.h"
#include "win32_platform.h"
#include "win32_screen.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Paths come only from the launcher's own folder and the user's choices:
    // no DLL is looked for in the current folder.
    SetDllDirectoryW(L"");
    Win32Platform platform;
    Win32Screen screen;
    App(platform, screen, kMainWindow, kSetupWindow).RunProgram();
    return 0;
}
