// Names for screen readers where a window table gives a control one: a
// browse button's "..." says nothing of what it picks, and a program-path box
// has no label before it. They are given through the system's accessibility
// services (Dynamic Annotation), which need COM and oleacc: loaded the first
// time a screen reader asks for one of the launcher's windows, never at a
// start that has none.
#pragma once

#include <windows.h>

#include "window_table.h"

struct IAccPropServices;

namespace win32 {

class ScreenReaderNames {
public:
    ScreenReaderNames() = default;
    ~ScreenReaderNames();
    ScreenReaderNames(const ScreenReaderNames&) = delete;
    ScreenReaderNames& operator=(const ScreenReaderNames&) = delete;

    // Names the controls of `window` that its table names; nothing where the
    // services are missing.
    void Give(HWND window, const WindowDef& def);
    // Takes the names back before the controls go, as the services ask.
    void TakeBack(HWND window, const WindowDef& def);

private:
    bool loaded_ = false;
    IAccPropServices* services_ = nullptr;
};

}  // namespace win32
