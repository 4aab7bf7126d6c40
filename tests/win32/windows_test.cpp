// The windows as Win32Screen draws them from their tables, and the Open dialog, under Wine.
#include <gtest/gtest.h>

#include <cderr.h>

#include <array>
#include <map>
#include <optional>
#include <set>

#include "controls.h"
#include "file_dialog.h"
#include "test_files.h"
#include "win32_fixtures.h"
#include "win32_screen.h"

namespace {

struct : ScreenEvents {
    void Clicked(Control) override {}
    void KeyDown(Control, Key) override {}
    void CloseRequested(WindowId) override {}
} ignored;

// What a control is to a user.
std::wstring KindOf(HWND control) {
    wchar_t name[16] = {};
    GetClassNameW(control, name, 16);
    const LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
    if (name == std::wstring(L"Button"))
        return type == BS_GROUPBOX ? L"group" : type == BS_PUSHBUTTON ? L"button" : L"?";
    return name == std::wstring(L"Edit") ? L"box" : L"label";
}

// The window's caption and client size, then each control in the order Tab goes (the group boxes last): what it is,
// its text, its place and size in pixels, "bold" where its font is; then the fonts.
std::wstring Described(HWND window) {
    const auto text = [](HWND hwnd) {
        wchar_t buffer[64] = {};
        return std::wstring(buffer, GetWindowTextW(hwnd, buffer, 64));
    };
    RECT r{};
    GetClientRect(window, &r);
    std::wstring described = text(window) + L" " + std::to_wstring(r.right) + L"x" + std::to_wstring(r.bottom);
    std::set<std::wstring> fonts;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)), sizeof font, &font);
        const std::wstring bold = font.lfWeight == FW_BOLD ? L" bold" : L"";
        described += L"; " + KindOf(child) + L" " + text(child) + L" " + std::to_wstring(r.left) + L"," +
                     std::to_wstring(r.top) + L" " + std::to_wstring(r.right - r.left) + L"x" +
                     std::to_wstring(r.bottom - r.top) + bold;
        fonts.insert(font.lfFaceName + (L" " + std::to_wstring(font.lfHeight)) + L" charset " +
                     std::to_wstring(font.lfCharSet) + L" quality " + std::to_wstring(font.lfQuality) + bold);
    }
    for (const std::wstring& font : fonts) described += L"; " + font;
    return described;
}

std::vector<std::wstring> dialogFiles;  // the file name each Open dialog started with
BOOL WINAPI RefusingTheFileName(OPENFILENAMEW* request) {
    dialogFiles.push_back(request->lpstrFile);
    return FALSE;
}
DWORD WINAPI FileNameRefusedOnce() { return dialogFiles.size() == 1 ? FNERR_INVALIDFILENAME : 0; }

}  // namespace

// What a user meets in each window at 96 DPI and after a move to a screen of 144: the captions, places and fonts;
// the frame, centred; the window shown normally whatever a shortcut asks, but the main window minimized if so. On
// Windows 7, which lacks the per-window DPI functions, the same.
TEST(Win32, WindowsAsAUserMeetsThem) {
    const std::map<const WindowDef*, std::array<std::wstring, 2>> described{
        {&kMainWindow,
         {L"Shell for kravix 380x230; box  13,22 359x22; label Имя РОМА 19,72 62x17; box  86,69 257x22; button ... "
          L"348,68 25x24 bold; label Первичная таблица 14,105 104x18; box  123,102 220x23; button ... 348,100 25x26 "
          L"bold; label Вторичная таблица 13,132 102x17; box  123,130 220x23; button ... 348,129 25x24 bold; label "
          L"Вторичная таблица не обязательна. 15,167 351x18; button ОК 55,200 129x25; button Отмена 198,200 128x25; "
          L"group Примечание 12,155 360x33; group Расположение kravix.exe 8,7 369x48; group Опции запуска 8,57 "
          L"369x136; MS Sans Serif -11 charset 204 quality 0 bold; Microsoft Sans Serif -11 charset 204 quality 0",
          L"Shell for kravix 570x345; box  20,33 539x33; label Имя РОМА 29,108 93x26; box  129,104 386x33; button ... "
          L"522,102 38x36 bold; label Первичная таблица 21,158 156x27; box  185,153 330x35; button ... 522,150 38x39 "
          L"bold; label Вторичная таблица 20,198 153x26; box  185,195 330x35; button ... 522,194 38x36 bold; label "
          L"Вторичная таблица не обязательна. 23,251 527x27; button ОК 82,300 194x38; button Отмена 296,300 192x38; "
          L"group Примечание 18,233 540x50; group Расположение kravix.exe 12,11 554x72; group Опции запуска 12,86 "
          L"554x204; MS Sans Serif -17 charset 204 quality 0 bold; Microsoft Sans Serif -17 charset 204 quality 0"}},
        {&kSetupWindow,
         {L"Укажите где находится kravix.exe 424x58; box  8,10 383x21; button ... 396,6 27x26 bold; button ОК 72,34 "
          L"131x21; button Отмена 212,34 141x21; MS Sans Serif -11 charset 204 quality 0 bold; Microsoft Sans Serif "
          L"-11 "
          L"charset 204 quality 0",
          L"Укажите где находится kravix.exe 636x87; box  12,15 575x32; button ... 594,9 41x39 bold; button ОК 107,51 "
          L"197x32; button Отмена 317,51 212x32; MS Sans Serif -17 charset 204 quality 0 bold; Microsoft Sans Serif "
          L"-17 "
          L"charset 204 quality 0"}}};
    Win32Screen screen;
    for (const bool windows7 : {false, true}) {
        using namespace win32::late;
        std::optional<LateStandIn<decltype(GetDpiForWindow.Get())>> noDpiForWindow;
        std::optional<LateStandIn<decltype(AdjustWindowRectExForDpi.Get())>> noFrameForDpi;
        std::optional<LateStandIn<decltype(GetDpiForMonitor.Get())>> noDpiForMonitor;
        if (windows7) {
            noDpiForWindow.emplace(GetDpiForWindow, L"user32.dll", "GetDpiForWindow", nullptr);
            noFrameForDpi.emplace(AdjustWindowRectExForDpi, L"user32.dll", "AdjustWindowRectExForDpi", nullptr);
            noDpiForMonitor.emplace(GetDpiForMonitor, L"shcore.dll", "GetDpiForMonitor", nullptr);
        }
        for (const auto& [table, expected] : described) {
            SCOPED_TRACE(windows7 ? "Windows 7" : "Windows 10");
            screen.Create(*table, ignored);
            const HWND window = FindWindowW(L"kx_shell.Window", table->caption);
            EXPECT_EQ(Described(window), expected[0]);
            // A fixed frame with no minimize or maximize box; a taskbar button for the main window alone.
            EXPECT_EQ(
                GetWindowLongW(window, GWL_STYLE) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_SYSMENU),
                WS_SYSMENU);
            EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & (WS_EX_APPWINDOW | WS_EX_DLGMODALFRAME),
                      table == &kMainWindow ? WS_EX_APPWINDOW : WS_EX_DLGMODALFRAME);
            EXPECT_EQ(HCURSOR(GetClassLongPtrW(window, GCLP_HCURSOR)), LoadCursorW(nullptr, IDC_ARROW));
            RECT frame{};
            GetWindowRect(window, &frame);
            MONITORINFO screenArea{};
            screenArea.cbSize = sizeof screenArea;
            GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &screenArea);
            EXPECT_LE(std::abs(screenArea.rcWork.left + screenArea.rcWork.right - frame.left - frame.right), 1);
            EXPECT_LE(std::abs(screenArea.rcWork.top + screenArea.rcWork.bottom - frame.top - frame.bottom), 1);
            RECT suggested{};
            SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
            EXPECT_EQ(Described(window), expected[1]);
            for (const int asked : {SW_MINIMIZE, SW_MAXIMIZE}) {
                ShowWindow(window, asked);
                screen.Show(table->id);
                EXPECT_EQ(IsIconic(window), asked == SW_MINIMIZE && table == &kMainWindow) << asked;
                EXPECT_FALSE(IsZoomed(window));
            }
            screen.Destroy(table->id);
        }
    }
}

// Each kind of control as it works for a user: boxes read-only yet reached by Tab, taking any path and showing a long
// one's end; buttons reached by Tab, none of them the default; labels and group boxes passed over.
TEST(Win32, ControlsAsAUserMeetsThem) {
    Win32Screen screen;
    screen.Create(kMainWindow, ignored);
    const HWND window = FindWindowW(L"kx_shell.Window", L"Shell for kravix");
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring kind = KindOf(child);
        SCOPED_TRACE(std::string(kind.begin(), kind.end()));
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        EXPECT_EQ((style & WS_TABSTOP) != 0, kind == L"box" || kind == L"button");
        EXPECT_EQ(style & (WS_DISABLED | WS_VISIBLE), WS_VISIBLE);
        EXPECT_TRUE(kind != L"box" || (style & ES_READONLY)) << "typed into";
        EXPECT_TRUE(kind != L"box" || SendMessageW(child, EM_GETLIMITTEXT, 0, 0) > 32767) << "a path cut short";
    }
    const std::wstring path = L"C:\\" + std::wstring(300, L'п') + L"\\kravix.exe";
    screen.SetText(MainWindow::RomBox, path);
    DWORD start = 0, end = 0;
    SendMessageW(GetDlgItem(window, MainWindow::RomBox.id), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, path.size()) << "the caret not at the file's name";
    EXPECT_EQ(end, path.size());
    screen.Destroy(WindowId::Main);
}

// A quit for the program ends the loop waiting for the user, and reaches the loop around it.
TEST(Win32, TheMessageLoopPassesAQuitOn) {
    Win32Screen screen;
    PostQuitMessage(3);
    screen.RunUntil([] { return false; });
    MSG quit{};
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 3u);
}

// After Windows refuses the file name it handed back itself (FNERR_INVALIDFILENAME, a long path's \\?\ form), the
// dialog opens once more, empty, rather than never again for its row.
TEST(Win32, AnOpenDialogAfterItsFileNameIsRefused) {
    const LateStandIn open(win32::late::GetOpenFileName, L"comdlg32.dll", "GetOpenFileNameW", &RefusingTheFileName);
    const LateStandIn error(win32::late::CommDlgExtendedError, L"comdlg32.dll", "CommDlgExtendedError",
                            &FileNameRefusedOnce);
    EXPECT_EQ(win32::ChooseFile(nullptr, {SetupWindow::ProgramDialog, L"открытие", L"exe|*.exe|"}, L"\\\\?\\C:\\k.exe"),
              std::nullopt);
    EXPECT_EQ(dialogFiles, (std::vector<std::wstring>{L"\\\\?\\C:\\k.exe", L""}));
}
