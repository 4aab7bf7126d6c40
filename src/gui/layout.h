// The arithmetic of laying a window out from its table, apart from any
// window system so that it is tested on every host.
#pragma once

#include <vector>

#include "window_table.h"

struct PixelRect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const PixelRect&) const = default;
};

// Rounded to the nearest pixel, halves away from zero, as Windows' MulDiv.
int TwipsToPixels(int twips, unsigned dpi);
// A font's height in pixels at `dpi`, negative as Windows takes a character
// height (rather than a cell height).
int FontHeightInPixels(int hundredthsOfPoint, unsigned dpi);

// A control's rectangle from the window's client corner at `dpi`: a control
// inside a group box is placed from the box's outer corner, and boxes nest.
PixelRect PlaceOnWindow(const WindowDef& window, const ControlDef& control, unsigned dpi);

// The order to create the visible controls in. A new child window goes below
// its siblings, so creating the focusable controls in table order makes Tab
// follow the table; the group boxes come last, inner ones before the boxes
// holding them, so that each box lies under everything placed over it.
std::vector<const ControlDef*> CreationOrder(const WindowDef& window);
