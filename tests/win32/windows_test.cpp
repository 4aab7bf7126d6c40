// The windows as Win32Screen draws them from their tables, under Wine.
#include <gtest/gtest.h>

#include "controls.h"
#include "test_files.h"
#include "win32_screen.h"

// Every control as its table says at 96 and 144 DPI; each window's frame.
TEST(Win32, WindowsAsTheirTablesSay) {
    struct : ScreenEvents {
        void Clicked(Control) override {}
        void KeyDown(Control, Key) override {}
        void CloseRequested(WindowId) override {}
    } ignored;
    Win32Screen screen;
    for (const WindowDef* table : {&kMainWindow, &kSetupWindow}) {
        screen.Create(*table, ignored);
        const HWND window = FindWindowW(L"kx_shell.Window", table->caption);
        RECT client{};
        GetClientRect(window, &client);
        EXPECT_EQ(client.right, MulDiv(table->clientWidth, 96, 1440));
        EXPECT_EQ(client.bottom, MulDiv(table->clientHeight, 96, 1440));
        EXPECT_EQ(HCURSOR(GetClassLongPtrW(window, GCLP_HCURSOR)), LoadCursorW(nullptr, IDC_ARROW));
        // A fixed frame with no minimize or maximize box; a taskbar button for the main window alone.
        EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_SYSMENU),
                  WS_SYSMENU);
        EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & (WS_EX_APPWINDOW | WS_EX_DLGMODALFRAME),
                  table == &kMainWindow ? WS_EX_APPWINDOW : WS_EX_DLGMODALFRAME);
        win32::FontCache fonts;
        for (const int dpi : {96, 144}) {
            // Made at 96 DPI, then moved to a screen of 144.
            if (dpi == 144) win32::LayOutControls(window, *table, 144, fonts);
            for (const ControlDef& control : *table) {
                if (control.kind == ControlKind::FileDialog) continue;
                SCOPED_TRACE(control.control.name + (" at " + std::to_string(dpi)));
                const HWND child = GetDlgItem(window, control.control.id);
                wchar_t name[16] = {};
                GetClassNameW(child, name, 16);
                const bool box = control.kind == ControlKind::TextBox, button = control.kind == ControlKind::Button;
                EXPECT_STREQ(name, box ? L"Edit" : control.kind == ControlKind::Label ? L"Static" : L"Button");
                const LONG style = GetWindowLongW(child, GWL_STYLE);
                EXPECT_EQ((style & WS_TABSTOP) != 0, box || button);
                EXPECT_EQ((style & ES_READONLY) != 0, box);
                EXPECT_EQ(style & (WS_DISABLED | WS_VISIBLE), WS_VISIBLE);
                EXPECT_TRUE(!button || (style & BS_TYPEMASK) == BS_PUSHBUTTON) << "a button is no default button";
                EXPECT_TRUE(!box || SendMessageW(child, EM_GETLIMITTEXT, 0, 0) > 32767) << "a box takes any path";
                LOGFONTW font{};
                GetObjectW(reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)), sizeof font, &font);
                EXPECT_STREQ(font.lfFaceName, control.font ? L"MS Sans Serif" : L"Microsoft Sans Serif");
                EXPECT_EQ(font.lfQuality, DEFAULT_QUALITY);
                EXPECT_EQ(font.lfHeight, -MulDiv(825, dpi, 7200));
                EXPECT_EQ(font.lfWeight, std::wstring(control.caption) == L"..." ? 700 : 400);
                EXPECT_EQ(font.lfCharSet, 204);
                // From the client corner in twips, through the group boxes that hold it.
                int left = control.rect.left, top = control.rect.top;
                for (const ControlDef* holder = table->Find(control.containerId); holder;
                     holder = table->Find(holder->containerId)) {
                    left += holder->rect.left;
                    top += holder->rect.top;
                }
                RECT place{};
                GetWindowRect(child, &place);
                MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
                EXPECT_EQ(place.left, MulDiv(left, dpi, 1440));
                EXPECT_EQ(place.top, MulDiv(top, dpi, 1440));
                EXPECT_EQ(place.right - place.left, MulDiv(control.rect.width, dpi, 1440));
                EXPECT_EQ(place.bottom - place.top, MulDiv(control.rect.height, dpi, 1440));
            }
        }
        // Minimized, as a shortcut may start the program: the setup window, with no taskbar button, shows normally.
        ShowWindow(window, SW_MINIMIZE);
        screen.Show(table->id);
        EXPECT_EQ(IsIconic(window), table->frame == WindowFrame::FixedSingle);
        screen.Destroy(table->id);
    }
}
