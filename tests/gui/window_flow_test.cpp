// The window rules: whole runs, from kx_shell.ini and the user's steps to how the run ends.
#include <stdexcept>

#include "test_desktop.h"

namespace {

using namespace MainWindow;
constexpr Control kSetupBox = SetupWindow::ProgramPathBox, kSetupBrowse = SetupWindow::BrowseButton,
                  kSetupOk = SetupWindow::OkButton, kSetupCancel = SetupWindow::CancelButton;
constexpr WindowId kMain = WindowId::Main, kSetup = WindowId::Setup;
const std::wstring kSavedKravix = L"C:\\Tools\\kravix.exe", kOtherKravix = L"D:\\Emu\\kravix.exe", kRom = L"C:\\a.nes";
const std::string kSavedRecord = "\"C:\\Tools\\kravix.exe\"\r\n", kOtherRecord = "\"D:\\Emu\\kravix.exe\"\r\n",
                  kNowhereRecord = "\"nowhere.exe\"\r\n";

// A file that cannot be read is never reported in words.
const Step kSetupAloneAndModal = Check([](TestDesktop& d) {
    EXPECT_FALSE(d.app.IsVisible(kMain));
    EXPECT_FALSE(d.enabled[kMain]);
    EXPECT_EQ(d.messages, std::vector<std::wstring>{});
});
const Step kLaunchFailureTold = Check([](TestDesktop& d) {
    EXPECT_EQ(d.messages, std::vector<std::wstring>{L"Не найден файл kravix.exe. Нажмите F12  в главном окне для "
                                                    L"установки пути к этому файлу"});
});
const Step kFocusBack = Check([](TestDesktop& d) { EXPECT_EQ(d.focus, std::optional(ProgramPathBox)); });

struct Case {
    const char* name;
    std::optional<std::string> ini = kSavedRecord;  // kx_shell.ini at the start; none: no such file
    std::vector<Step> steps;
    std::wstring started = L"";        // kravix.exe's command line; empty: nothing started
    std::string saved = "";            // kx_shell.ini at the end; empty: as at the start
    std::wstring path = kSavedKravix;  // the main window's program-path box at the end
    std::wstring told = L"";           // a fatal error's report: what failed, then why
    std::string end = "exit 0";        // "exit N", or the windows left visible
};

void Play(const Case& run) {
    SCOPED_TRACE(run.name);
    TestDesktop desktop;
    desktop.programs = {kSavedKravix, kOtherKravix};
    if (run.ini) desktop.files[desktop.Ini()] = *run.ini;
    desktop.Run(run.steps);
    EXPECT_EQ(desktop.started.empty() ? L"" : desktop.started[1], run.started);
    EXPECT_EQ(desktop.files[desktop.Ini()], run.saved.empty() ? run.ini.value_or("") : run.saved);
    EXPECT_EQ(desktop.texts[ProgramPathBox], run.path);
    const std::string visible =
        std::string(desktop.app.IsVisible(kMain) ? "main" : "") + (desktop.app.IsVisible(kSetup) ? "+setup" : "");
    EXPECT_EQ(desktop.exitStatus ? "exit " + std::to_string(*desktop.exitStatus) : visible, run.end);
    EXPECT_EQ(desktop.fatal, run.told);
}

}  // namespace

TEST(StartUp, TheSavedPathOrTheSetupWindowFirst) {
    for (const Case& run : {
             Case{.name = "a saved path: shown; Cancel ends the program", .steps = {Click(CancelButton)}},
             Case{.name = "no kx_shell.ini: the setup window alone and modal; its OK saves and shows the main window",
             .ini = std::nullopt,
             .steps = {kSetupAloneAndModal, Browse(kSetupBrowse, kOtherKravix), Click(kSetupOk), Click(OkButton)},
             .started = kOtherKravix + L"   ",
             .saved = kOtherRecord,
             .path = kOtherKravix},
             Case{.name = "an empty kx_shell.ini: the same, and the new path written into it",
             .ini = "",
             .steps = {kSetupAloneAndModal, Browse(kSetupBrowse, kOtherKravix), Click(kSetupOk)},
             .saved = kOtherRecord,
             .path = kOtherKravix,
             .end = "main"},
             Case{.name = "the setup window's Cancel ends the program",
             .ini = std::nullopt,
             .steps = {Browse(kSetupBrowse, kOtherKravix), Click(kSetupCancel)},
             .path = L""},
             Case{.name = "the main window closed by another program, then the setup window: no window left",
             .ini = std::nullopt,
             .steps = {Close(kMain), Close(kSetup)},
             .path = L""},
         }) {
        Play(run);
    }
}

// The setup window's OK saves only a path browsed since it opened, and a window closed under its dialog stays closed.
TEST(SetupWindow, SavesOnlyAChoiceMadeInIt) {
    for (const Case& run : {
             Case{.name = "its Open dialog cancelled: the bare name it held saved",
            .steps = {Press(ProgramPathBox), Browse(kSetupBrowse, std::nullopt), Shows(kSetupBox, L"kravix.exe"),
                      Click(kSetupOk)},
            .saved = "\"kravix.exe\"\r\n",
            .path = L"kravix.exe",
            .end = "main"},
             Case{.name = "its OK with the box empty: nothing saved, the main window's box kept",
             .steps = {Press(ProgramPathBox), Browse(kSetupBrowse, kOtherKravix), Close(kSetup), Press(ProgramPathBox),
                       Click(kSetupOk)},
             .end = "main"},
             Case{.name = "alone, its OK loads the main window afresh",
             .steps = {Browse(BrowseRomButton, kRom), Press(ProgramPathBox), Close(kMain),
                       Browse(kSetupBrowse, kOtherKravix), Click(kSetupOk), Shows(RomBox, L""), Click(OkButton)},
             .started = kOtherKravix + L"   ",
             .saved = kOtherRecord,
             .path = kOtherKravix},
             Case{
                 .name = "closed and opened again under its dialog, the choice has nowhere to go",
            .steps = {Press(ProgramPathBox), Browse(kSetupBrowse, kOtherKravix, {Close(kSetup), Press(ProgramPathBox)}),
                      Shows(kSetupBox, L""), Click(kSetupOk)},
            .end = "main"},
         }) {
        Play(run);
    }
}

TEST(MainWindowOk, StartsKravixOrSaysWhyNot) {
    for (const Case& run : {
             Case{.name = "three files chosen, a dialog cancelled keeping its last choice",
            .steps = {Browse(BrowseRomButton, L"C:\\R\\Super Game.nes"),
                      Browse(BrowsePrimaryTableButton, L"C:\\t\\a.tbl"),
                      Browse(BrowseSecondaryTableButton, L"C:\\t\\b.tbl"),
                      Browse(BrowseSecondaryTableButton, std::nullopt), Click(OkButton)},
            .started = kSavedKravix + L" \"C:\\R\\Super Game.nes\" C:\\t\\a.tbl C:\\t\\b.tbl"},
             Case{.name = "kravix.exe asks for administrator rights: started through the shell",
             .steps = {Failing("StartProgram", PlatformFailure::Cause::NeedsElevation), Browse(BrowseRomButton, kRom),
                       Click(OkButton)},
             .started = L"through the shell: C:\\a.nes  "},
             Case{.name = "the user declines them: the message, then the focus",
             .steps = {Failing("StartProgram", PlatformFailure::Cause::NeedsElevation), Failing("StartThroughShell"),
                       Click(OkButton), kLaunchFailureTold, kFocusBack},
             .end = "main"},
             Case{.name = "no start could hand kravix the paths: the same",
             .ini = kNowhereRecord,
             .steps = {Click(OkButton), kLaunchFailureTold, kFocusBack},
             .path = L"nowhere.exe",
             .end = "main"},
         }) {
        Play(run);
    }
}

// A failure outside a guard, or in a guard's answer, and an exception that is no platform failure are told, and end
// the program.
TEST(FatalFailures, AreToldAndEndTheProgram) {
    for (const Case& run : {
             Case{.name = "in the launch's answer: the focus not given back after the message",
            .ini = kNowhereRecord,
            .steps = {Failing("SetFocus"), Click(OkButton), kLaunchFailureTold},
            .path = L"nowhere.exe",
            .told = L"injected\nSetFocus",
            .end = "exit 1"},
             Case{.name = "no platform failure, inside a guard",
             .steps = {Browse(BrowseRomButton, std::nullopt,
                              {Check([](TestDesktop&) { throw std::runtime_error("\xFF"); })})},
             .told = L"Внутренняя ошибка программы.\n",
             .end = "exit 1"},
         }) {
        Play(run);
    }
}
