// A window described as data: what the window runtime builds it from. Geometry
// is in twips (1/1440 inch) and scaled to the window's DPI at every layout.
#pragma once

#include <cstddef>

#include "platform/forms.h"

struct Handler;  // run by the dispatcher the runtime is given, never looked into

enum class ControlKind { GroupBox, Label, TextBox, Button, FileDialog };

struct TwipsRect {
    int left = 0, top = 0, width = 0, height = 0;
};

struct FontDef {
    const wchar_t* face;
    int hundredthsOfPoint;  // 825 for 8.25 pt
    int weight;             // 700 is bold
    int charset;            // 204 is Cyrillic
};

// A file-open dialog: invisible, owned by its window, its file name kept
// while the window stays loaded.
struct FileDialogDef {
    const wchar_t* title;
    const wchar_t* filter;  // "description|patterns|..." ending with a bar
    const wchar_t* initialFileName;
};

struct ControlDef {
    Control control;
    ControlKind kind;
    int containerId = 0;  // a group box's id, or 0 for the window itself
    const wchar_t* caption = L"";
    TwipsRect rect{};
    int tabIndex = 0;
    const FontDef* font = nullptr;  // null: the window's default font
    const Handler* onClick = nullptr;
    const Handler* onKeyDown = nullptr;
    const FileDialogDef* dialog = nullptr;
};

enum class WindowFrame {
    FixedSingle,  // thin fixed border, icon in the caption
    FixedDialog,  // dialog frame, no icon in the caption
};

struct WindowDef {
    Form form;
    const wchar_t* caption;
    int clientWidth, clientHeight;  // twips
    WindowFrame frame;
    bool inTaskbar;
    const Handler* onLoad;
    const ControlDef* controls;
    std::size_t controlCount;

    const ControlDef* begin() const { return controls; }
    const ControlDef* end() const { return controls + controlCount; }
    const ControlDef* Find(int id) const {
        for (const ControlDef& c : *this)
            if (c.control.id == id) return &c;
        return nullptr;
    }
};
