// floor.exe: the least a program does to show a window the size of
// kx_shell's: it registers a class, opens one empty window, centred, shows it
// and runs a message loop. It is the yardstick kx_shell's start-up is measured
// against (bench/bench.cpp).
//
//   --setup       the setup window's size and frame instead of the main window's
// For finding where kx_shell's time goes, each adds one of kx_shell's costs:
//   --comctl32, --comdlg32  load the DLLs kx_shell imports (besides the floor's own)
//   --shcore      loads shcore, which kx_shell's DPI look-up loads
//   --icons       the two icons on the main window
//   --controls    the hidden owner and the same child controls, in the system font;
//                 with --setup the main window is built too but stays hidden, as
//                 kx_shell's does while it asks for kravix.exe
//   --fonts       the controls in kx_shell's fonts (MS Sans Serif 8.25 pt, and bold)
//   --foreground  SetForegroundWindow after showing, as kx_shell does
// The OK button (--controls; id 204, as kx_shell's) starts kravix.exe beside
// this program and ends it, as kx_shell's does; with --stay it does not end.
// A posted WM_APP does the same without a button.
// floor_app.exe is this program with kx_shell's manifest and icon.
#include <windows.h>

#include <cwchar>
#include <iterator>

namespace {

bool g_icons, g_controls, g_fonts, g_stay;

struct Child {
    int id;
    const wchar_t* windowClass;
    const wchar_t* text;
    DWORD style, exStyle;
    int left, top, width, height;  // twips from the client corner
    bool bold;
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr DWORD kGroup = kChild | BS_GROUPBOX;
constexpr DWORD kLabel = kChild | SS_LEFTNOWORDWRAP | SS_NOPREFIX;
constexpr DWORD kEdit = kChild | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL | ES_READONLY;
constexpr DWORD kButton = kChild | WS_TABSTOP | BS_PUSHBUTTON;

// kx_shell's main window as laid out in src/gui/main_window.cpp, with the
// group boxes' offsets already added.
constexpr Child kMainControls[] = {
    {401, L"BUTTON", L"Расположение kravix.exe", kGroup, 0, 120, 105, 5535, 720, false},
    {101, L"EDIT", L"", kEdit, WS_EX_CLIENTEDGE, 195, 330, 5385, 330, false},
    {402, L"BUTTON", L"Опции запуска", kGroup, 0, 120, 855, 5535, 2040, false},
    {301, L"STATIC", L"Имя РОМА", kLabel, 0, 285, 1080, 930, 255, false},
    {102, L"EDIT", L"", kEdit, WS_EX_CLIENTEDGE, 1290, 1035, 3855, 330, false},
    {201, L"BUTTON", L"...", kButton, 0, 5220, 1020, 375, 360, true},
    {302, L"STATIC", L"Первичная таблица", kLabel, 0, 210, 1575, 1560, 270, false},
    {103, L"EDIT", L"", kEdit, WS_EX_CLIENTEDGE, 1845, 1530, 3300, 345, false},
    {202, L"BUTTON", L"...", kButton, 0, 5220, 1500, 375, 390, true},
    {303, L"STATIC", L"Вторичная таблица", kLabel, 0, 195, 1980, 1530, 255, false},
    {104, L"EDIT", L"", kEdit, WS_EX_CLIENTEDGE, 1845, 1950, 3300, 345, false},
    {203, L"BUTTON", L"...", kButton, 0, 5220, 1935, 375, 360, true},
    {403, L"BUTTON", L"Примечание", kGroup, 0, 180, 2325, 5400, 495, false},
    {304, L"STATIC", L"Вторичная таблица не обязательна.", kLabel, 0, 225, 2505, 5265, 270, false},
    {204, L"BUTTON", L"ОК", kButton, 0, 818, 3000, 1935, 375, false},
    {205, L"BUTTON", L"Отмена", kButton, 0, 2963, 3000, 1920, 375, false},
};
constexpr Child kSetupControls[] = {
    {101, L"EDIT", L"", kEdit, WS_EX_CLIENTEDGE, 120, 150, 5745, 315, false},
    {201, L"BUTTON", L"...", kButton, 0, 5940, 90, 405, 390, true},
    {202, L"BUTTON", L"ОК", kButton, 0, 1073, 510, 1965, 315, false},
    {203, L"BUTTON", L"Отмена", kButton, 0, 3173, 510, 2115, 315, false},
};

HFONT Font(int weight, int dpi) {
    return CreateFontW(-MulDiv(825, dpi, 7200), 0, 0, 0, weight, FALSE, FALSE, FALSE, RUSSIAN_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       L"MS Sans Serif");
}

void AddControls(HWND window, const Child* first, const Child* last, int dpi) {
    const HFONT normal = g_fonts ? Font(FW_NORMAL, dpi) : nullptr, bold = g_fonts ? Font(FW_BOLD, dpi) : nullptr;
    for (const Child* c = first; c != last; ++c) {
        const HWND child =
            CreateWindowExW(c->exStyle, c->windowClass, c->text, c->style, MulDiv(c->left, dpi, 1440),
                            MulDiv(c->top, dpi, 1440), MulDiv(c->width, dpi, 1440), MulDiv(c->height, dpi, 1440),
                            window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c->id)), nullptr, nullptr);
        if (g_fonts) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(c->bold ? bold : normal), TRUE);
    }
}

// A window of kx_shell's size and frame, centred on the work area, with what
// the flags add.
HWND MakeWindow(HINSTANCE instance, bool setup, HWND owner, int dpi) {
    const DWORD style = setup ? WS_POPUP | WS_CAPTION | WS_SYSMENU : WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    const DWORD exStyle = WS_EX_CONTROLPARENT | (setup ? WS_EX_DLGMODALFRAME : WS_EX_APPWINDOW);
    RECT frame{0, 0, MulDiv(setup ? 6360 : 5700, dpi, 1440), MulDiv(setup ? 870 : 3450, dpi, 1440)};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const HWND window =
        CreateWindowExW(exStyle, L"floor.Window", L"floor", style, work.left + (work.right - work.left - width) / 2,
                        work.top + (work.bottom - work.top - height) / 2, width, height, setup ? owner : nullptr,
                        nullptr, instance, nullptr);
    for (const int big : {1, 0}) {
        if (setup || !g_icons) continue;  // the setup window's frame has no icon
        const int size = GetSystemMetrics(big ? SM_CXICON : SM_CXSMICON);
        const HANDLE icon = LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_DEFAULTCOLOR);
        SendMessageW(window, WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    if (g_controls && setup) AddControls(window, std::begin(kSetupControls), std::end(kSetupControls), dpi);
    if (g_controls && !setup) AddControls(window, std::begin(kMainControls), std::end(kMainControls), dpi);
    return window;
}

// What kx_shell's OK does: start kravix.exe (here the one beside this
// program) with three empty arguments, then end.
void Launch() {
    static wchar_t program[32768];
    DWORD length = GetModuleFileNameW(nullptr, program, 32768 - 16);
    while (length > 0 && program[length - 1] != L'\\') --length;
    lstrcpyW(program + length, L"kravix.exe");
    static wchar_t line[32768 + 16];
    lstrcpyW(line, program);
    lstrcatW(line, L"   ");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(program, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    if (!g_stay) ExitProcess(0);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) PostQuitMessage(0);
    // WM_APP launches with no button in between: what the click itself costs.
    if ((message == WM_COMMAND && LOWORD(wParam) == 204 && HIWORD(wParam) == BN_CLICKED) || message == WM_APP) Launch();
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    // No CommandLineToArgvW: it lives in shell32, whose loading is one of the
    // costs being measured.
    const auto flag = [commandLine](const wchar_t* name) { return std::wcsstr(commandLine, name) != nullptr; };
    const bool setup = flag(L"--setup");
    g_icons = flag(L"--icons");
    g_controls = flag(L"--controls");
    g_fonts = flag(L"--fonts");
    g_stay = flag(L"--stay");
    for (const wchar_t* dll : {L"--comctl32", L"--comdlg32", L"--shcore"}) {
        if (flag(dll)) LoadLibraryW(dll + 2);
    }

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"floor.Window";
    RegisterClassExW(&windowClass);

    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    const HWND owner =
        g_controls ? CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr)
                   : nullptr;
    if (g_controls && setup) MakeWindow(instance, false, owner, dpi);
    const HWND window = MakeWindow(instance, setup, owner, dpi);
    ShowWindow(window, SW_SHOW);
    if (flag(L"--foreground")) SetForegroundWindow(window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
