#include "layout.h"

#include <algorithm>
#include <cstdint>

namespace {

int Scale(int value, int numerator, int denominator) {
    const std::int64_t product = std::int64_t{value} * numerator;
    const std::int64_t half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

// The control's rectangle from the window's client corner, in twips, and how
// many group boxes hold it one inside the other.
struct Placement {
    TwipsRect rect;
    int depth = 0;
};

Placement Place(const WindowDef& window, const ControlDef& control) {
    Placement placement{control.rect};
    for (const ControlDef* box = window.Find(control.containerId); box; box = window.Find(box->containerId)) {
        placement.rect.left += box->rect.left;
        placement.rect.top += box->rect.top;
        ++placement.depth;
    }
    return placement;
}

}  // namespace

int TwipsToPixels(int twips, unsigned dpi) { return Scale(twips, static_cast<int>(dpi), 1440); }

int FontHeightInPixels(int hundredthsOfPoint, unsigned dpi) {
    return -Scale(hundredthsOfPoint, static_cast<int>(dpi), 7200);
}

PixelRect PlaceOnWindow(const WindowDef& window, const ControlDef& control, unsigned dpi) {
    const TwipsRect rect = Place(window, control).rect;
    return {TwipsToPixels(rect.left, dpi), TwipsToPixels(rect.top, dpi), TwipsToPixels(rect.width, dpi),
            TwipsToPixels(rect.height, dpi)};
}

std::vector<const ControlDef*> CreationOrder(const WindowDef& window) {
    std::vector<const ControlDef*> order;
    for (const ControlDef& control : window.controls) order.push_back(&control);
    // Every other control before the group boxes, the boxes deepest first;
    // stable, so the rest keep the table's order.
    std::stable_sort(order.begin(), order.end(), [&](const ControlDef* a, const ControlDef* b) {
        const bool aIsBox = a->kind == ControlKind::GroupBox, bIsBox = b->kind == ControlKind::GroupBox;
        if (aIsBox != bIsBox) return bIsBox;
        return aIsBox && Place(window, *a).depth > Place(window, *b).depth;
    });
    return order;
}
