// How kx_shell's two windows look on screen: sizes, places, captions, styles,
// fonts and icons, at 96 DPI and at 144 DPI (150 %). Expected places are the
// layout's twips, written out here on their own so that a change to the
// program's tables shows up as a failure.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "e2e/appearance_probe.h"
#include "e2e/driver.h"

using namespace e2e;

namespace {

enum class Kind { GroupBox, Label, TextBox, Button, BrowseButton };

struct Expected {
    int id;
    Kind kind;
    const wchar_t* caption;  // nullptr: not checked (a text box's text is the flow's business)
    int left, top, width, height;  // twips from the window's client corner
};

// Group boxes' outer corners; the controls inside are placed from them.
constexpr int kFrame1X = 120, kFrame1Y = 105;
constexpr int kFrame2X = 120, kFrame2Y = 855;
constexpr int kFrame3X = kFrame2X + 60, kFrame3Y = kFrame2Y + 1470;  // inside the launch options

constexpr wchar_t kOk[] = L"\u041E\u041A";  // "ОК" in Cyrillic letters

const Expected kMain[] = {
    {401, Kind::GroupBox, L"Расположение kravix.exe", kFrame1X, kFrame1Y, 5535, 720},
    {101, Kind::TextBox, nullptr, kFrame1X + 75, kFrame1Y + 225, 5385, 330},
    {402, Kind::GroupBox, L"Опции запуска", kFrame2X, kFrame2Y, 5535, 2040},
    {301, Kind::Label, L"Имя РОМА", kFrame2X + 165, kFrame2Y + 225, 930, 255},
    {102, Kind::TextBox, nullptr, kFrame2X + 1170, kFrame2Y + 180, 3855, 330},
    {201, Kind::BrowseButton, L"...", 5220, 1020, 375, 360},
    {302, Kind::Label, L"Первичная таблица", kFrame2X + 90, kFrame2Y + 720, 1560, 270},
    {103, Kind::TextBox, nullptr, kFrame2X + 1725, kFrame2Y + 675, 3300, 345},
    {202, Kind::BrowseButton, L"...", 5220, 1500, 375, 390},
    {303, Kind::Label, L"Вторичная таблица", kFrame2X + 75, kFrame2Y + 1125, 1530, 255},
    {104, Kind::TextBox, nullptr, kFrame2X + 1725, kFrame2Y + 1095, 3300, 345},
    {203, Kind::BrowseButton, L"...", 5220, 1935, 375, 360},
    {403, Kind::GroupBox, L"Примечание", kFrame3X, kFrame3Y, 5400, 495},
    {304, Kind::Label, L"Вторичная таблица не обязательна.", kFrame3X + 45, kFrame3Y + 180, 5265, 270},
    {204, Kind::Button, kOk, 818, 3000, 1935, 375},
    {205, Kind::Button, L"Отмена", 2963, 3000, 1920, 375},
};

const Expected kSetup[] = {
    {101, Kind::TextBox, nullptr, 120, 150, 5745, 315},
    {201, Kind::BrowseButton, L"...", 5940, 90, 405, 390},
    {202, Kind::Button, kOk, 1073, 510, 1965, 315},
    {203, Kind::Button, L"Отмена", 3173, 510, 2115, 315},
};

constexpr SIZE kMainClientTwips{5700, 3450};
constexpr SIZE kSetupClientTwips{6360, 870};

int Px(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }
int FontHeight(UINT dpi) { return -MulDiv(825, static_cast<int>(dpi), 7200); }  // 8.25 pt

std::string Utf8(const std::wstring& text) { return ToUtf8(text); }
std::string Describe(const RECT& r) {
    return "{" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + "}";
}
bool SameClass(HWND hwnd, const wchar_t* name) { return lstrcmpiW(ClassOf(hwnd).c_str(), name) == 0; }
LONG_PTR Style(HWND hwnd) { return GetWindowLongPtrW(hwnd, GWL_STYLE); }
LONG_PTR ExStyle(HWND hwnd) { return GetWindowLongPtrW(hwnd, GWL_EXSTYLE); }

// Window places in physical pixels, as kx_shell (per-monitor aware) lays
// them out, rather than scaled for a DPI-unaware caller.
class PhysicalPixels {
public:
    PhysicalPixels() : previous_(SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) {}
    ~PhysicalPixels() {
        if (previous_) SetThreadDpiAwarenessContext(previous_);
    }

private:
    DPI_AWARENESS_CONTEXT previous_;
};

// LogPixels under HKCU\Control Panel\Desktop: Wine reads it when a process
// starts, so a program started while it is set runs at that DPI; one already
// running keeps its own. The previous value (or its absence) comes back at
// Restore() or, whatever happened, at destruction.
class LogPixelsOverride {
public:
    explicit LogPixelsOverride(DWORD dpi) {
        DWORD size = sizeof previous_;
        hadValue_ = RegGetValueW(HKEY_CURRENT_USER, kKey, L"LogPixels", RRF_RT_REG_DWORD, nullptr, &previous_, &size) ==
                    ERROR_SUCCESS;
        set_ = RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"LogPixels", REG_DWORD, &dpi, sizeof dpi) == ERROR_SUCCESS;
    }
    ~LogPixelsOverride() { Restore(); }
    bool set() const { return set_; }
    void Restore() {
        if (!set_) return;
        set_ = false;
        if (hadValue_) {
            RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"LogPixels", REG_DWORD, &previous_, sizeof previous_);
        } else {
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"LogPixels");
        }
    }
    // What the key holds now: the value, or nothing.
    static std::optional<DWORD> Current() {
        DWORD value = 0, size = sizeof value;
        if (RegGetValueW(HKEY_CURRENT_USER, kKey, L"LogPixels", RRF_RT_REG_DWORD, nullptr, &value, &size) !=
            ERROR_SUCCESS) {
            return std::nullopt;
        }
        return value;
    }
    std::optional<DWORD> previous() const { return hadValue_ ? std::optional<DWORD>(previous_) : std::nullopt; }

private:
    static constexpr wchar_t kKey[] = L"Control Panel\\Desktop";
    bool hadValue_ = false;
    bool set_ = false;
    DWORD previous_ = 0;
};

// Reads the fonts and icons of `window` from inside kx_shell (see appearance_probe.h).
// With `changeDpiTo`, the window is first told that its screen's DPI changed.
std::optional<appearance_probe::Report> Probe(const Launcher& app, HWND window, UINT changeDpiTo = 0) {
    using namespace appearance_probe;
    const std::wstring dllPath = TestProgramFolder() + L"\\" + kDllName;
    const HMODULE dll = LoadLibraryW(dllPath.c_str());
    if (!dll) {
        ADD_FAILURE() << "cannot load " << Utf8(dllPath) << " (error " << GetLastError()
                      << "): the build must put appearance_probe.dll beside e2e_tests.exe";
        return std::nullopt;
    }
    const auto hook = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(dll, kHookName)));
    const HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(Report),
                                              MappingName(GetCurrentProcessId()).c_str());
    auto* shared = mapping ? static_cast<Report*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(Report)))
                           : nullptr;
    std::optional<Report> report;
    if (hook && shared) {
        shared->changeDpiTo = changeDpiTo;
        const HHOOK installed = SetWindowsHookExW(WH_GETMESSAGE, hook, dll, app.threadId());
        if (installed) {
            PostMessageW(window, RegisterWindowMessageW(kMessage), GetCurrentProcessId(), 0);
            if (WaitUntil([&] { return shared->done != 0; })) report = *shared;
            UnhookWindowsHookEx(installed);
        }
        if (!report) ADD_FAILURE() << "the probe got no answer from kx_shell (hook " << installed << ")";
    } else {
        ADD_FAILURE() << "cannot set up the probe: hook " << reinterpret_cast<void*>(hook) << ", shared memory "
                      << shared;
    }
    if (shared) UnmapViewOfFile(shared);
    if (mapping) CloseHandle(mapping);
    FreeLibrary(dll);
    return report;
}

const appearance_probe::ControlFont* FontOf(const appearance_probe::Report& report, int id) {
    for (int i = 0; i < report.controlCount; ++i) {
        if (report.controls[i].id == id) return &report.controls[i];
    }
    return nullptr;
}

void ExpectClientSize(HWND window, SIZE twips, UINT dpi) {
    RECT client{};
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.right, Px(twips.cx, dpi)) << "client width";
    EXPECT_EQ(client.bottom, Px(twips.cy, dpi)) << "client height";
}

// Each control: its class, its caption, its place on the window's client
// area; and no control the layout does not have.
template <std::size_t N>
void ExpectControls(HWND window, const Expected (&table)[N], UINT dpi) {
    for (const Expected& e : table) {
        SCOPED_TRACE("control " + std::to_string(e.id));
        const HWND control = Item(window, e.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(GetParent(control), window) << "a direct child of the window";
        switch (e.kind) {
            case Kind::GroupBox:
                EXPECT_TRUE(SameClass(control, L"Button")) << Utf8(ClassOf(control));
                EXPECT_EQ(Style(control) & BS_TYPEMASK, BS_GROUPBOX);
                break;
            case Kind::Label:
                EXPECT_TRUE(SameClass(control, L"Static")) << Utf8(ClassOf(control));
                break;
            case Kind::TextBox:
                EXPECT_TRUE(SameClass(control, L"Edit")) << Utf8(ClassOf(control));
                break;
            case Kind::Button:
            case Kind::BrowseButton:
                EXPECT_TRUE(SameClass(control, L"Button")) << Utf8(ClassOf(control));
                break;
        }
        if (e.caption) {
            EXPECT_EQ(Utf8(Text(control)), Utf8(e.caption));
        }
        RECT actual{};
        GetWindowRect(control, &actual);
        MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&actual), 2);
        const int left = Px(e.left, dpi), top = Px(e.top, dpi);
        const RECT expected{left, top, left + Px(e.width, dpi), top + Px(e.height, dpi)};
        EXPECT_TRUE(EqualRect(&actual, &expected)) << "at " << Describe(actual) << ", expected " << Describe(expected);
    }
    int children = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) ++children;
    EXPECT_EQ(children, static_cast<int>(N)) << "controls on the window";
}

void ExpectCentredOnWorkArea(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor));
    RECT frame{};
    GetWindowRect(window, &frame);
    const RECT& work = monitor.rcWork;
    // Twice the centres, so odd sizes need no rounding; a pixel or two either way.
    EXPECT_LE(std::abs((frame.left + frame.right) - (work.left + work.right)), 4)
        << "window " << Describe(frame) << ", work area " << Describe(work);
    EXPECT_LE(std::abs((frame.top + frame.bottom) - (work.top + work.bottom)), 4)
        << "window " << Describe(frame) << ", work area " << Describe(work);
}

void ExpectNoResizeOrMinMax(HWND window) {
    const LONG_PTR style = Style(window);
    EXPECT_FALSE(style & WS_THICKFRAME) << "resizable";
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
}

// Browse buttons: bold MS Sans Serif 8.25 pt, Cyrillic. Everything else: one
// plain face that draws Cyrillic, 8.25 pt.
template <std::size_t N>
void ExpectFonts(const appearance_probe::Report& report, const Expected (&table)[N], UINT dpi) {
    std::wstring plainFace;
    for (const Expected& e : table) {
        SCOPED_TRACE("control " + std::to_string(e.id));
        const auto* font = FontOf(report, e.id);
        ASSERT_NE(font, nullptr);
        ASSERT_TRUE(font->hasFont) << "no font set: the control draws in the system font";
        const LOGFONTW& f = font->font;
        EXPECT_EQ(f.lfCharSet, RUSSIAN_CHARSET);
        EXPECT_EQ(f.lfHeight, FontHeight(dpi));
        EXPECT_FALSE(f.lfItalic);
        EXPECT_EQ(font->realisedCharset, RUSSIAN_CHARSET) << "drawn without Cyrillic";
        // Windows may draw MS Sans Serif with its TrueType successor; any other face is a fallback.
        const std::wstring drawn = font->realisedFace;
        EXPECT_TRUE(drawn == f.lfFaceName || drawn == L"Microsoft Sans Serif") << "drawn in " << Utf8(drawn);
        if (e.kind == Kind::BrowseButton) {
            EXPECT_EQ(Utf8(f.lfFaceName), "MS Sans Serif");
            EXPECT_EQ(f.lfWeight, FW_BOLD);
        } else {
            if (plainFace.empty()) plainFace = f.lfFaceName;
            EXPECT_EQ(Utf8(f.lfFaceName), Utf8(plainFace)) << "one face for all plain controls";
            EXPECT_LT(f.lfWeight, FW_SEMIBOLD) << "bold";
        }
    }
    EXPECT_EQ(Utf8(plainFace), "MS Sans Serif");
}

template <std::size_t N>
void ExpectTabStops(HWND window, const Expected (&table)[N]) {
    for (const Expected& e : table) {
        const bool stops = e.kind == Kind::TextBox || e.kind == Kind::Button || e.kind == Kind::BrowseButton;
        EXPECT_EQ((Style(Item(window, e.id)) & WS_TABSTOP) != 0, stops) << "control " << e.id;
    }
}

// Enter must not press a button the user has not chosen.
template <std::size_t N>
void ExpectNoDefaultButton(HWND window, const Expected (&table)[N]) {
    for (const Expected& e : table) {
        if (e.kind == Kind::Button || e.kind == Kind::BrowseButton) {
            EXPECT_EQ(Style(Item(window, e.id)) & BS_TYPEMASK, BS_PUSHBUTTON) << "button " << e.id;
        }
    }
}

class AppearanceMainWindow : public ::testing::Test {
protected:
    PhysicalPixels physical_;
    Launcher app_{LaunchOptions(Ini::KravixPath)};
    HWND main_ = app_.MainWindow();
};

class AppearanceSetupWindow : public ::testing::Test {
protected:
    PhysicalPixels physical_;
    Launcher app_{LaunchOptions(Ini::Absent)};
    HWND setup_ = app_.SetupWindow();
};

}  // namespace

TEST_F(AppearanceMainWindow, CaptionAndClientSize) {
    ASSERT_NE(main_, nullptr) << "no main window";
    EXPECT_EQ(Utf8(Text(main_)), "Shell for kravix");
    EXPECT_TRUE(SameClass(main_, L"kx_shell.Window"));
    ExpectClientSize(main_, kMainClientTwips, 96);
}

TEST_F(AppearanceMainWindow, ControlsLieWhereTheLayoutPutsThem) {
    ASSERT_NE(main_, nullptr);
    ExpectControls(main_, kMain, 96);
}

TEST_F(AppearanceMainWindow, FixedFrameWithTaskbarButton) {
    ASSERT_NE(main_, nullptr);
    ExpectNoResizeOrMinMax(main_);
    EXPECT_TRUE(ExStyle(main_) & WS_EX_APPWINDOW);
    EXPECT_FALSE(ExStyle(main_) & WS_EX_DLGMODALFRAME) << "the main window has a plain fixed frame";
}

TEST_F(AppearanceMainWindow, CentredOnTheWorkArea) {
    ASSERT_NE(main_, nullptr);
    ExpectCentredOnWorkArea(main_);
}

TEST_F(AppearanceMainWindow, TextBoxesAreReadOnlySingleLine) {
    ASSERT_NE(main_, nullptr);
    for (const int id : {101, 102, 103, 104}) {
        SCOPED_TRACE("text box " + std::to_string(id));
        const LONG_PTR style = Style(Item(main_, id));
        EXPECT_TRUE(style & ES_READONLY);
        EXPECT_FALSE(style & ES_MULTILINE);
    }
}

TEST_F(AppearanceMainWindow, NoButtonIsTheDefaultAtStart) {
    ASSERT_NE(main_, nullptr);
    ExpectNoDefaultButton(main_, kMain);
}

TEST_F(AppearanceMainWindow, TabStopsOnTextBoxesAndButtonsOnly) {
    ASSERT_NE(main_, nullptr);
    ExpectTabStops(main_, kMain);
}

TEST_F(AppearanceMainWindow, FontsAndIcons) {
    ASSERT_NE(main_, nullptr);
    const auto report = Probe(app_, main_);
    ASSERT_TRUE(report);
    ExpectFonts(*report, kMain, 96);
    // The program's 32x32 and 16x16 images, in the caption and the taskbar.
    EXPECT_EQ(report->bigIcon.cx, GetSystemMetrics(SM_CXICON)) << "ICON_BIG";
    EXPECT_EQ(report->bigIcon.cy, GetSystemMetrics(SM_CYICON)) << "ICON_BIG";
    EXPECT_EQ(report->smallIcon.cx, GetSystemMetrics(SM_CXSMICON)) << "ICON_SMALL";
    EXPECT_EQ(report->smallIcon.cy, GetSystemMetrics(SM_CYSMICON)) << "ICON_SMALL";
}

TEST_F(AppearanceSetupWindow, CaptionAndClientSize) {
    ASSERT_NE(setup_, nullptr) << "no setup window";
    EXPECT_EQ(Utf8(Text(setup_)), Utf8(L"Укажите где находится kravix.exe"));
    ExpectClientSize(setup_, kSetupClientTwips, 96);
    EXPECT_EQ(app_.Windows().size(), 1u) << "the setup window alone is on screen";
}

TEST_F(AppearanceSetupWindow, ControlsLieWhereTheLayoutPutsThem) {
    ASSERT_NE(setup_, nullptr);
    ExpectControls(setup_, kSetup, 96);
    ExpectCentredOnWorkArea(setup_);
}

TEST_F(AppearanceSetupWindow, DialogFrameWithoutTaskbarButton) {
    ASSERT_NE(setup_, nullptr);
    ExpectNoResizeOrMinMax(setup_);
    EXPECT_TRUE(ExStyle(setup_) & WS_EX_DLGMODALFRAME);
    EXPECT_FALSE(ExStyle(setup_) & WS_EX_APPWINDOW);
    // An owned window gets no taskbar button; its owner is hidden so it has none either.
    const HWND owner = GetWindow(setup_, GW_OWNER);
    ASSERT_NE(owner, nullptr) << "not owned: it would have a taskbar button";
    EXPECT_FALSE(IsWindowVisible(owner));
    DWORD ownerProcess = 0;
    GetWindowThreadProcessId(owner, &ownerProcess);
    EXPECT_EQ(ownerProcess, app_.processId());
}

TEST_F(AppearanceSetupWindow, TextBoxHasTheFocusWhenShown) {
    ASSERT_NE(setup_, nullptr);
    const HWND text1 = Item(setup_, 101);
    EXPECT_TRUE(WaitUntil([&] { return app_.Focus() == text1; }))
        << "focus on control " << GetDlgCtrlID(app_.Focus());
    EXPECT_TRUE(Style(text1) & ES_READONLY);
}

TEST_F(AppearanceSetupWindow, TabStopsAndNoDefaultButton) {
    ASSERT_NE(setup_, nullptr);
    ExpectTabStops(setup_, kSetup);
    ExpectNoDefaultButton(setup_, kSetup);
}

TEST_F(AppearanceSetupWindow, Fonts) {
    ASSERT_NE(setup_, nullptr);
    const auto report = Probe(app_, setup_);
    ASSERT_TRUE(report);
    ExpectFonts(*report, kSetup, 96);
}

// 150 %: every size comes from the twips at 144 DPI.
template <std::size_t N>
void ExpectScaledTo144(Ini ini, const Expected (&table)[N], SIZE clientTwips) {
    PhysicalPixels physical;
    LogPixelsOverride dpi(144);
    ASSERT_TRUE(dpi.set()) << "cannot set LogPixels";
    Launcher app{LaunchOptions(ini)};
    const HWND window = ini == Ini::Absent ? app.SetupWindow() : app.MainWindow();
    // kx_shell has read its DPI once it shows a window: put the prefix back
    // at once, so nothing else started meanwhile runs at 144.
    dpi.Restore();
    EXPECT_EQ(LogPixelsOverride::Current(), dpi.previous()) << "LogPixels not restored";
    ASSERT_NE(window, nullptr);
    ExpectClientSize(window, clientTwips, 144);
    ExpectControls(window, table, 144);
    ExpectCentredOnWorkArea(window);
    const auto report = Probe(app, window);
    ASSERT_TRUE(report);
    ExpectFonts(*report, table, 144);
}

TEST(AppearanceDpi144, MainWindowScales) { ExpectScaledTo144(Ini::KravixPath, kMain, kMainClientTwips); }

TEST(AppearanceDpi144, SetupWindowScales) { ExpectScaledTo144(Ini::Absent, kSetup, kSetupClientTwips); }

// Moved to a screen at 200 %, the window lays itself out again from its twips.
TEST(AppearanceDpiChange, MainWindowLaysItselfOutAgain) {
    PhysicalPixels physical;
    Launcher app{LaunchOptions(Ini::KravixPath)};
    const HWND main = app.MainWindow();
    ASSERT_NE(main, nullptr);
    const auto report = Probe(app, main, 192);
    ASSERT_TRUE(report);
    ExpectClientSize(main, kMainClientTwips, 192);
    ExpectControls(main, kMain, 192);
    ExpectFonts(*report, kMain, 192);
}
