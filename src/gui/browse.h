// The browse buttons: a file dialog whose file name fills a box.
#pragma once

#include "app.h"

// Guarded, and a failure changes nothing, so it goes untold. The dialog's file
// name goes into the box whether or not the user cancelled: after a cancel it
// is the name it held before, so the box stays as it was.
template <const Control& dialog, const Control& box>
void BrowseInto(App& app) {
    Guarded([&] {
        app.SetText(box, app.ShowOpen(dialog));
        return true;
    });
}

// The browse buttons' captions.
inline constexpr FontDef kBrowseButtonFont{L"MS Sans Serif", 825, FontWeight::Bold, Charset::Cyrillic};
