// The window rules: whole runs, from kx_shell.ini and the user's steps to how the run ends.
#include <stdexcept>

#include "layout.h"
#include "test_desktop.h"

namespace {

using namespace MainWindow;
constexpr Control kSetupBox = SetupWindow::ProgramPathBox, kSetupBrowse = SetupWindow::BrowseButton,
                  kSetupOk = SetupWindow::OkButton, kSetupCancel = SetupWindow::CancelButton;
constexpr WindowId kMain = WindowId::Main, kSetup = WindowId::Setup;
const std::wstring k = L"C:\\Tools\\kravix.exe", o = L"D:\\Emu\\kravix.exe", a = L"C:\\a.nes";
const std::string kSaved = "\"C:\\Tools\\kravix.exe\"\r\n", kOther = "\"D:\\Emu\\kravix.exe\"\r\n",
                  kNowhere = "\"nowhere.exe\"\r\n";
const std::map<std::string, std::wstring> kPathIn{{kSaved, k}, {kNowhere, L"nowhere.exe"}, {"", L""}};

// Plays the steps from kx_shell.ini as given ("": none), with kravix.exe at k and o.
void Play(TestDesktop& desktop, const std::string& ini, const std::vector<Step>& steps) {
    desktop.programs = {k, o};
    if (!ini.empty()) desktop.files[desktop.Ini()] = ini;
    desktop.Run(steps);
}

// How a run ends: "exit N", or the windows left visible.
std::string End(const TestDesktop& d) {
    if (d.exitStatus) return "exit " + std::to_string(*d.exitStatus);
    return std::string(d.app.IsVisible(kMain) ? "main" : "") + (d.app.IsVisible(kSetup) ? "+setup" : "");
}

}  // namespace

// What each run starts, saves and leaves in the main window's program-path box; how failures are answered.
TEST(WindowFlow, Runs) {
    // A file that cannot be read is never reported in words.
    const Step setupAloneAndModal = Check([](TestDesktop& d) {
        EXPECT_FALSE(d.app.IsVisible(kMain));
        EXPECT_FALSE(d.enabled[kMain]);
        EXPECT_EQ(d.messages, std::vector<std::wstring>{});
    });
    const Step launchFailureTold = Check([](TestDesktop& d) {
        EXPECT_EQ(d.messages, std::vector<std::wstring>{L"Не найден файл kravix.exe. Нажмите F12  в главном окне "
                                                        L"для установки пути к этому файлу"});
    });
    const Step focusBack = Check([](TestDesktop& d) { EXPECT_EQ(d.focus, std::optional(ProgramPathBox)); });
    const Step noChosenPath = Check([](TestDesktop& d) { EXPECT_EQ(d.app.chosenPath, L""); });
    const struct {
        const char* name;
        std::string ini = kSaved;
        std::vector<Step> steps;
        std::wstring started = L"";          // kravix.exe's command line; empty: nothing started
        std::optional<std::string> saved{};  // kx_shell.ini at the end; none: as at the start
        std::optional<std::wstring> path{};  // the program-path box at the end; none: what kx_shell.ini held
        std::wstring told = L"";             // a fatal error's report: what failed, then why
        std::string end = "exit 0";
    } runs[] = {
        {.name = "three files chosen, a dialog cancelled keeps its last choice",
         .steps = {Browse(BrowseRomButton, L"C:\\R\\Super Game.nes"), Browse(BrowsePrimaryTableButton, L"C:\\t\\a.tbl"),
                   Browse(BrowseSecondaryTableButton, L"C:\\t\\b.tbl"), Click(BrowseSecondaryTableButton), Cancel(),
                   Click(OkButton)},
         .started = k + L" \"C:\\R\\Super Game.nes\" C:\\t\\a.tbl C:\\t\\b.tbl"},
        {.name = "no file: setup first, its OK saves and shows main",
         .ini = "",
         .steps = {setupAloneAndModal, Browse(kSetupBrowse, o), Click(kSetupOk), Click(OkButton)},
         .started = o + L"   ",
         .saved = kOther,
         .path = o},
        {.name = "setup Cancel ends the program", .ini = "", .steps = {Browse(kSetupBrowse, o), Click(kSetupCancel)}},
        {.name = "main closed by another program, then setup", .ini = "", .steps = {Close(kMain), Close(kSetup)}},
        {.name = "main Cancel ends the program", .steps = {Click(CancelButton)}},
        {.name = "setup browse cancelled: the bare name saved",
         .steps = {Press(ProgramPathBox), Click(kSetupBrowse), Cancel(), Shows(kSetupBox, L"kravix.exe"),
                   Click(kSetupOk)},
         .saved = "\"kravix.exe\"\r\n",
         .path = L"kravix.exe",
         .end = "main"},
        // Nothing browsed since the window opened: the saved path is not overwritten with an empty or older one.
        {.name = "setup OK with its box empty: nothing saved, main's box kept",
         .steps = {Press(ProgramPathBox), Browse(kSetupBrowse, o), Close(kSetup), Press(ProgramPathBox),
                   Click(kSetupOk)},
         .end = "main"},
        {.name = "setup alone: its OK loads main afresh",
         .steps = {Browse(BrowseRomButton, a), Press(ProgramPathBox), Close(kMain), Browse(kSetupBrowse, o),
                   Click(kSetupOk), Shows(RomBox, L""), Click(OkButton)},
         .started = o + L"   ",
         .saved = kOther,
         .path = o},
        {.name = "a window closed under its dialog stays closed",
         .steps = {Press(ProgramPathBox), Click(kSetupBrowse), Close(kSetup), Press(ProgramPathBox), Accept(o),
                   Shows(kSetupBox, L""), noChosenPath},
         .end = "main+setup"},
        {.name = "kravix.exe asks for administrator rights: started through the shell",
         .steps = {Failing("StartProgram", PlatformFailure::Cause::NeedsElevation), Browse(BrowseRomButton, a),
                   Click(OkButton)},
         .started = L"through the shell: C:\\a.nes  "},
        {.name = "the user declines them: the message, then the focus",
         .steps = {Failing("StartProgram", PlatformFailure::Cause::NeedsElevation), Failing("StartThroughShell"),
                   Click(OkButton), launchFailureTold, Dismiss(), focusBack},
         .end = "main"},
        // A failure in a guard's answer, or one that is no platform failure, is told and ends the program.
        {.name = "a launch refused: the message; the focus not given back after it",
         .ini = kNowhere,
         .steps = {Click(OkButton), Failing("SetFocus"), launchFailureTold, Dismiss()},
         .told = L"injected\nSetFocus",
         .end = "exit 1"},
        {.name = "an exception that is no platform failure",
         .steps = {Click(BrowseRomButton), Check([](TestDesktop&) { throw std::runtime_error("\xFF"); })},
         .told = L"Внутренняя ошибка программы.\n",
         .end = "exit 1"},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.name);
        TestDesktop desktop;
        Play(desktop, run.ini, run.steps);
        EXPECT_EQ(desktop.started.empty() ? L"" : desktop.started[1], run.started);
        EXPECT_EQ(desktop.files[desktop.Ini()], run.saved.value_or(run.ini));
        EXPECT_EQ(desktop.texts[ProgramPathBox], run.path.value_or(kPathIn.at(run.ini)));
        EXPECT_EQ(End(desktop), run.end);
        EXPECT_EQ(desktop.fatal, run.told);
    }
}

// The order a window's controls are created in (their places are checked under Wine).
TEST(Layout, GroupBoxesAreCreatedLastInnerFirstTheRestInTableOrder) {
    std::string names;
    for (const ControlDef* control : CreationOrder(kMainWindow)) names += control->control.name + std::string(" ");
    EXPECT_EQ(
        names,
        "ProgramPathBox RomLabel RomBox BrowseRomButton PrimaryTableLabel PrimaryTableBox BrowsePrimaryTableButton "
        "SecondaryTableLabel SecondaryTableBox BrowseSecondaryTableButton NoteLabel OkButton CancelButton NoteGroup "
        "ProgramPathGroup LaunchOptionsGroup ");
}
