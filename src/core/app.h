// What lives for the whole run: the platform, and the one value a window keeps
// outside its controls.
#pragma once

#include <string>

#include "platform/platform_ops.h"

struct SetupWindowValues {
    // Set only by the setup window's browse button; survives its unloading.
    std::wstring ChosenPath;
};

struct App {
    PlatformOps& ops;
    SetupWindowValues form2;
};
