// Draws a window from its table: the frame, the controls at their places with
// their fonts, and the same again at a new DPI.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <map>
#include <utility>

#include "owners.h"
#include "window_table.h"

namespace win32 {

// The fonts one window uses, one per font definition and DPI.
class FontCache {
public:
    HFONT Get(const FontDef* font, UINT dpi);  // null: the window's default font

private:
    std::map<std::pair<const FontDef*, UINT>, UniqueFont> fonts_;
};

DWORD FrameStyle(WindowFrame frame);
DWORD FrameExStyle(WindowFrame frame);
// The frame whose client area the table asks for at `dpi`, centred on the
// primary screen's work area.
RECT CentredFrame(const WindowDef& window, UINT dpi);
// Puts the window at `frame`, then makes its client area exactly the table's
// size at `dpi`.
void PlaceFrame(HWND hwnd, const RECT& frame, const WindowDef& window, UINT dpi);
// Creates the controls once, each at its place with its font; each text box,
// and each control with a name for screen readers, is subclassed with
// `controlProc` and `data`.
void CreateControls(HWND hwnd,
                    const WindowDef& window,
                    UINT dpi,
                    FontCache& fonts,
                    SUBCLASSPROC controlProc,
                    DWORD_PTR data);
// Places and sets the fonts of the controls again, from twips, at a new DPI.
void LayOutControls(HWND hwnd, const WindowDef& window, UINT dpi, FontCache& fonts);

}  // namespace win32
