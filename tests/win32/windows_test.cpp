// The windows as Win32Screen draws them from their tables, under Wine.
#include <gtest/gtest.h>

#include <set>

#include "controls.h"
#include "test_files.h"
#include "win32_screen.h"

namespace {

struct : ScreenEvents {
    void Clicked(Control) override {}
    void KeyDown(Control, Key) override {}
    void CloseRequested(WindowId) override {}
} ignored;

// What a control is to a user: a read-only box that Tab reaches and that takes any path, a push button that Tab
// reaches, a label or a group box that Tab passes over; "?" for anything else, and for a control hidden or disabled.
std::wstring KindOf(HWND control) {
    wchar_t name[8] = {};
    GetClassNameW(control, name, 8);
    const LONG style = GetWindowLongW(control, GWL_STYLE), tab = style & WS_TABSTOP, type = style & BS_TYPEMASK;
    const bool box = (style & ES_READONLY) && SendMessageW(control, EM_GETLIMITTEXT, 0, 0) > 32767;
    if ((style & (WS_VISIBLE | WS_DISABLED)) != WS_VISIBLE) return L"?";
    if (name == std::wstring(L"Edit")) return tab && box ? L"box" : L"?";
    if (name == std::wstring(L"Static")) return tab ? L"?" : L"label";
    return tab ? (type == BS_PUSHBUTTON ? L"button" : L"?") : (type == BS_GROUPBOX ? L"group" : L"?");
}

// The window's caption, client size and frame, then each control in the order Tab goes (the group boxes last): what it
// is, its text, its place and size in pixels, "bold" where its font is; then the fonts.
std::wstring Described(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    const LONG style = GetWindowLongW(window, GWL_STYLE), exStyle = GetWindowLongW(window, GWL_EXSTYLE);
    std::wstring described =
        Text(window) + L" " + std::to_wstring(r.right) + L"x" + std::to_wstring(r.bottom) +
        ((style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) ? L" sizable" : L" fixed") +
        (exStyle & WS_EX_APPWINDOW ? L" in the taskbar" : L"") +
        (exStyle & WS_EX_DLGMODALFRAME ? L" dialog frame" : L"") +
        (HCURSOR(GetClassLongPtrW(window, GCLP_HCURSOR)) == LoadCursorW(nullptr, IDC_ARROW) ? L" arrow" : L"");
    std::set<std::wstring> fonts;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)), sizeof font, &font);
        const std::wstring bold = font.lfWeight == FW_BOLD ? L" bold" : L"";
        described += L"; " + KindOf(child) + L" " + Text(child) + L" " + std::to_wstring(r.left) + L"," +
                     std::to_wstring(r.top) + L" " + std::to_wstring(r.right - r.left) + L"x" +
                     std::to_wstring(r.bottom - r.top) + bold;
        fonts.insert(font.lfFaceName + (L" " + std::to_wstring(font.lfHeight)) + L" charset " +
                     std::to_wstring(font.lfCharSet) + L" quality " + std::to_wstring(font.lfQuality) + bold);
    }
    for (const std::wstring& font : fonts) described += L"; " + font;
    return described;
}

}  // namespace

// What a user meets in the main window after a move to a screen of 144 DPI: the captions, places, fonts and kinds of
// its controls, and its frame. Either window shows normally whatever a shortcut asks, but the main window stays
// minimized if so.
TEST(Win32, WindowsAsAUserMeetsThem) {
    Win32Screen screen;
    screen.Create(kMainWindow, ignored);
    const HWND main = FindWindowW(L"kx_shell.Window", L"Shell for kravix");
    RECT r{};
    SendMessageW(main, WM_DPICHANGED, MAKEWPARAM(144, 144), LPARAM(&r));
    EXPECT_EQ(
        Described(main),
        L"Shell for kravix 570x345 fixed in the taskbar arrow; box  20,33 539x33; label Имя РОМА 29,108 93x26; "
        L"box  129,104 386x33; button ... 522,102 38x36 bold; label Первичная таблица 21,158 156x27; box  "
        L"185,153 330x35; button ... 522,150 38x39 bold; label Вторичная таблица 20,198 153x26; box  185,195 "
        L"330x35; button ... 522,194 38x36 bold; label Вторичная таблица не обязательна. 23,251 527x27; button ОК "
        L"82,300 194x38; button Отмена 296,300 192x38; group Примечание 18,233 540x50; group Расположение "
        L"kravix.exe 12,11 554x72; group Опции запуска 12,86 554x204; MS Sans Serif -17 charset 204 quality 0 "
        L"bold; Microsoft Sans Serif -17 charset 204 quality 0");
    // A long path shows its end, where the file's name is.
    screen.SetText(MainWindow::RomBox, L"C:\\" + std::wstring(300, L'a') + L".nes");
    EXPECT_GT(SendMessageW(GetDlgItem(main, MainWindow::RomBox.id), EM_GETFIRSTVISIBLELINE, 0, 0), 250);
    screen.Create(kSetupWindow, ignored);
    for (const WindowDef* table : {&kMainWindow, &kSetupWindow}) {
        const HWND window = FindWindowW(L"kx_shell.Window", table->caption);
        for (const int asked : {SW_MINIMIZE, SW_MAXIMIZE}) {
            ShowWindow(window, asked);
            screen.Show(table->id);
            EXPECT_EQ(IsIconic(window), asked == SW_MINIMIZE && table == &kMainWindow) << asked;
            EXPECT_FALSE(IsZoomed(window));
        }
    }
}
