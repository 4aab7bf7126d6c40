// The window rules: whole runs, from kx_shell.ini and the user's steps to how the run ends.
#include <stdexcept>

#include "config_file.h"
#include "test_desktop.h"

namespace {

using namespace MainWindow;
constexpr Control kSetupBox = SetupWindow::ProgramPathBox, kSetupBrowse = SetupWindow::BrowseButton,
                  kSetupOk = SetupWindow::OkButton;
constexpr WindowId kMain = WindowId::Main, kSetup = WindowId::Setup;
const std::wstring kOtherKravix = L"D:\\kravix.exe", kRom = L"C:\\a.nes";
const std::string kSavedRecord = "\"C:\\kravix.exe\"\r\n", kNowhereRecord = "\"nowhere.exe\"\r\n";

// A file that cannot be read is never reported in words.
const Step kSetupAloneAndModal = Check([](TestDesktop& d) {
    EXPECT_EQ(std::tuple(d.app.IsVisible(kMain), d.enabled[kMain], d.messages.size()), std::tuple(false, false, 0u));
});
const Step kLaunchFailureTold = Check([](TestDesktop& d) {
    EXPECT_EQ(d.messages, std::vector<std::wstring>{L"Не найден файл kravix.exe. Нажмите F12  в главном окне для "
                                                    L"установки пути к этому файлу"});
    EXPECT_EQ(d.focus, std::optional(ProgramPathBox)) << "the focus not back on the program path";
});

// Plays the steps from kx_shell.ini as given (none: no such file) and compares how the run ends: the command line
// kravix.exe started with, if it was; the path kx_shell.ini holds and the main window's program-path box shows (one
// "path" where they are alike); "exit" and the status, or the windows left visible; a fatal error's report.
void Play(const char* name,
          const std::vector<Step>& steps,
          const std::wstring& expected,
          const std::optional<std::string>& ini = kSavedRecord) {
    SCOPED_TRACE(name);
    TestDesktop d;
    d.programs = {L"C:\\kravix.exe", kOtherKravix};
    if (ini) d.files[d.Ini()] = *ini;
    d.Run(steps);
    std::wstring outcome = d.started.empty() ? L"" : L"started " + d.started[1] + L" | ";
    const std::wstring saved = (d.files.count(d.Ini()) ? ReadProgramPath(d) : std::nullopt).value_or(L"nothing");
    const std::wstring& shown = d.texts[ProgramPathBox];
    outcome += (saved == shown ? L"path " + saved : L"saved " + saved + L" | shows " + shown) + L" | ";
    const std::wstring visible =
        std::wstring(d.app.IsVisible(kMain) ? L"main" : L"") + (d.app.IsVisible(kSetup) ? L"+setup" : L"");
    outcome += d.exitStatus ? L"exit " + std::to_wstring(*d.exitStatus) : visible;
    EXPECT_EQ(outcome + (d.fatal.empty() ? L"" : L" | told " + d.fatal), expected);
}

}  // namespace

// kx_shell.ini read at start-up, or the setup window first, alone and modal; never a word about why.
TEST(StartUp, TheSavedPathOrTheSetupWindowFirst) {
    Play("start-up without kx_shell.ini: the setup window alone and modal; its OK saves and shows main",
         {kSetupAloneAndModal, Browse(kSetupBrowse, kOtherKravix), Click(kSetupOk), Click(OkButton)},
         L"started D:\\kravix.exe    | path D:\\kravix.exe | exit 0", std::nullopt);
    Play("start-up: main closed by another program, then setup: no window left", {Close(kMain), Close(kSetup)},
         L"saved nothing | shows  | exit 0", std::nullopt);
}

// The setup window's OK saves only a path browsed since it opened; a window closed under its dialog stays closed.
TEST(SetupWindow, SavesOnlyAChoiceMadeInIt) {
    Play("setup: its Open dialog cancelled, the bare name it held saved",
         {Press(ProgramPathBox), Browse(kSetupBrowse, std::nullopt), Shows(kSetupBox, L"kravix.exe"), Click(kSetupOk)},
         L"path kravix.exe | main");
    Play("setup alone: its OK loads main afresh",
         {Browse(BrowseRomButton, kRom), Press(ProgramPathBox), Close(kMain), Browse(kSetupBrowse, kOtherKravix),
          Click(kSetupOk), Shows(RomBox, L""), Click(OkButton)},
         L"started D:\\kravix.exe    | path D:\\kravix.exe | exit 0");
    Play("setup closed and opened again under its dialog: the choice gone, its OK saves nothing, main's box kept",
         {Press(ProgramPathBox), Browse(kSetupBrowse, kOtherKravix, {Close(kSetup), Press(ProgramPathBox)}),
          Shows(kSetupBox, L""), Click(kSetupOk)},
         L"path C:\\kravix.exe | main");
}

// The main window's OK starts kravix.exe, through the shell where it asks for administrator rights, or tells the
// user and gives the focus back.
TEST(MainWindowOk, StartsKravixOrSaysWhyNot) {
    using enum PlatformFailure::Cause;
    Play("OK: three files chosen, a dialog cancelled keeping its last choice",
         {Browse(BrowseRomButton, L"C:\\R\\Super Game.nes"), Browse(BrowsePrimaryTableButton, L"C:\\t\\a.tbl"),
          Browse(BrowseSecondaryTableButton, L"C:\\t\\b.tbl"), Browse(BrowseSecondaryTableButton, std::nullopt),
          Click(OkButton)},
         L"started C:\\kravix.exe \"C:\\R\\Super Game.nes\" C:\\t\\a.tbl C:\\t\\b.tbl | path C:\\kravix.exe "
         L"| exit 0");
    Play("OK: the user declines them, the message, then the focus; Cancel ends the program",
         {Failing("StartProgram", NeedsElevation), Failing("StartThroughShell"), Click(OkButton), kLaunchFailureTold,
          Click(CancelButton)},
         L"path C:\\kravix.exe | exit 0");
}

// A failure in a guard's answer, and an exception that is no platform failure, are told and end the program.
TEST(FatalFailures, AreToldAndEndTheProgram) {
    Play("fatal: a failure in a guard's answer, the focus not given back after the message",
         {Failing("SetFocus"), Click(OkButton)}, L"path nowhere.exe | exit 1 | told injected\nSetFocus",
         kNowhereRecord);
    Play("fatal: no platform failure, inside a guard",
         {Browse(BrowseRomButton, std::nullopt, {Check([](TestDesktop&) { throw std::runtime_error("\xFF"); })})},
         L"path C:\\kravix.exe | exit 1 | told Внутренняя ошибка программы.\n");
    // Thrown from a window procedure, or nothing thrown at all, as the program's last resorts report it.
    for (const std::exception_ptr& thrown : {std::make_exception_ptr(42), std::exception_ptr()})
        EXPECT_EQ(FailureOf(thrown).action, L"Внутренняя ошибка программы.");
}
