// A window described as data, the way a dialog template describes one: the
// window runtime builds it from this table and routes its events back through
// the handlers named here. Geometry is in twips (1/1440 inch), scaled to the
// window's DPI whenever it is laid out.
#pragma once

#include <span>

class App;  // the run whose handlers the rows name
enum class Key { Other, F12 };

enum class WindowId { Main, Setup };

// A control of one of the windows; the id is also its dialog id on screen,
// the name what it is, for whoever reads about it.
struct Control {
    WindowId window;
    int id;
    const char* name = "";
};
constexpr bool operator==(Control a, Control b) { return a.window == b.window && a.id == b.id; }

enum class ControlKind { GroupBox, Label, TextBox, Button };

struct TwipsRect {
    int left = 0, top = 0, width = 0, height = 0;
};

enum class FontWeight { Normal, Bold };
enum class Charset { Default, Cyrillic };

struct FontDef {
    const wchar_t* face;
    int hundredthsOfPoint;  // 825 for 8.25 pt
    FontWeight weight;
    Charset charset;
};

// A file-open dialog: invisible, owned by its window, its file name kept
// while the window stays loaded.
struct FileDialogDef {
    Control control;
    const wchar_t* title;
    const wchar_t* filter;  // "description|patterns|..." ending with a bar
    const wchar_t* initialFileName = L"";
};

struct ControlDef {
    Control control;
    ControlKind kind;
    int containerId = 0;  // the group box it lies in, or 0 for the window itself
    const wchar_t* caption = L"";
    TwipsRect rect{};
    const FontDef* font = nullptr;  // null: the window's default font
    void (*onClick)(App&) = nullptr;
    void (*onKeyDown)(App&, Key) = nullptr;
    const wchar_t* nameForScreenReaders = nullptr;  // null: its caption, or the label before it
};

enum class WindowFrame {
    FixedSingle,  // thin fixed border, icon in the caption, a taskbar button
    FixedDialog,  // dialog frame, no icon, no taskbar button
};

// The rows are in tab order: Tab moves from each control that takes the
// focus to the next one below it.
struct WindowDef {
    WindowId id;
    const wchar_t* caption;
    int clientWidth, clientHeight;  // twips
    WindowFrame frame;
    void (*onLoad)(App&) = nullptr;
    std::span<const ControlDef> controls;
    std::span<const FileDialogDef> dialogs;

    const ControlDef* Find(int controlId) const {
        for (const ControlDef& c : controls)
            if (c.control.id == controlId) return &c;
        return nullptr;
    }
};
