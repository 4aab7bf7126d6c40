// The window rules: whole runs, from kx_shell.ini and the user's steps to how the run ends.
#include "layout.h"
#include "test_desktop.h"

namespace {

using namespace MainWindow;
constexpr Control kSetupBox = SetupWindow::ProgramPathBox, kSetupBrowse = SetupWindow::BrowseButton,
                  kSetupOk = SetupWindow::OkButton, kSetupCancel = SetupWindow::CancelButton;
constexpr WindowId kMain = WindowId::Main, kSetup = WindowId::Setup;
const std::string kSaved = "\"C:\\Tools\\kravix.exe\"\r\n", kOther = "\"D:\\Emu\\kravix.exe\"\r\n",
                  kMissing = "\"C:\\missing.exe\"\r\n";

// How a run ends: "exit N", or the windows left visible.
std::string End(const TestDesktop& d) {
    if (d.exitStatus) return "exit " + std::to_string(*d.exitStatus);
    return std::string(d.Visible(kMain) ? "main" : "") + (d.Visible(kSetup) ? "+setup" : "");
}

}  // namespace

// A failure in a guarded handler runs its answer; elsewhere it is fatal.
TEST(WindowFlow, Runs) {
    // A file that cannot be read is never reported in words.
    const Step setupAloneAndModal = Check([](TestDesktop& d) {
        EXPECT_FALSE(d.Visible(kMain));
        EXPECT_FALSE(d.enabled[kMain]);
        EXPECT_EQ(d.messages, std::vector<std::wstring>{});
    });
    const Step launchFailureTold = Check([](TestDesktop& d) {
        EXPECT_EQ(d.messages, std::vector<std::wstring>{L"Не найден файл kravix.exe. Нажмите F12  в главном окне "
                                                        L"для установки пути к этому файлу"});
    });
    const Step dialogsShown = Check([](TestDesktop& d) {
        EXPECT_EQ(d.dialogs, (std::vector<std::wstring>{L"Открытие РОМа: ", L"Открытие первичной таблицы: ",
                                                        L"Открытие вторичной таблицы(необязательно): ",
                                                        L"Открытие вторичной таблицы(необязательно): C:\\t\\b.tbl"}));
    });
    const Step noChosenPath = Check([](TestDesktop& d) { EXPECT_EQ(d.app.chosenPath, L""); });
    const std::wstring a = L"C:\\a.nes", k = L"C:\\Tools\\kravix.exe", o = L"D:\\Emu\\kravix.exe";
    // clang-format off
    const struct { const char* name; std::string ini; std::vector<Step> steps; std::wstring started; std::string saved;
                   std::wstring programPath; std::string end; const char* failing = ""; int nth = 0;
                   std::wstring fatal = L""; } runs[] = {
        {"three files chosen, a dialog from its last choice", kSaved,
         {Browse(BrowseRomButton, L"C:\\R\\Super Game.nes"), Browse(BrowsePrimaryTableButton, L"C:\\t\\a.tbl"),
          Browse(BrowseSecondaryTableButton, L"C:\\t\\b.tbl"), Click(BrowseSecondaryTableButton), Cancel(), dialogsShown,
          Click(OkButton)}, k + L" \"C:\\R\\Super Game.nes\" C:\\t\\a.tbl C:\\t\\b.tbl", kSaved, k, "exit 0"},
        {"no file: setup first, its OK saves and shows main", "",
         {setupAloneAndModal, Browse(kSetupBrowse, o), Click(kSetupOk), Click(OkButton)}, o + L"   ", kOther, o, "exit 0"},
        {"setup Cancel ends the program", "", {Browse(kSetupBrowse, o), Click(kSetupCancel)}, L"", "", L"", "exit 0"},
        {"main closed by another program, then setup", "", {Close(kMain), Close(kSetup)}, L"", "", L"", "exit 0"},
        {"main Cancel ends the program", kSaved, {Click(CancelButton)}, L"", kSaved, k, "exit 0"},
        {"F12 beside main; again: to the front as it was", kSaved,
         {Press(ProgramPathBox), Shows(kSetupBox, L""), Browse(kSetupBrowse, o), Browse(BrowseRomButton, a),
          Press(ProgramPathBox), Shows(kSetupBox, o), Click(OkButton)}, k + L" C:\\a.nes  ", kSaved, k, "exit 0"},
        {"setup browse cancelled: the bare name saved", kSaved,
         {Press(ProgramPathBox), Click(kSetupBrowse), Cancel(), Shows(kSetupBox, L"kravix.exe"), Click(kSetupOk)},
         L"", "\"kravix.exe\"\r\n", L"kravix.exe", "main"},
        {"setup alone: its OK loads main afresh", kSaved,
         {Browse(BrowseRomButton, a), Press(ProgramPathBox), Close(kMain), Browse(kSetupBrowse, o), Click(kSetupOk),
          Shows(RomBox, L""), Click(OkButton)}, o + L"   ", kOther, o, "exit 0"},
        {"a window closed under its dialog stays closed", kSaved,
         {Press(ProgramPathBox), Click(kSetupBrowse), Close(kSetup), Press(ProgramPathBox), Accept(o),
          Shows(kSetupBox, L""), noChosenPath}, L"", kSaved, k, "main+setup"},
        {"a failed launch: the message, then the focus", kMissing, {Click(OkButton), launchFailureTold, Dismiss(),
         Check([](TestDesktop& d) { EXPECT_EQ(d.focus, std::optional(ProgramPathBox)); })}, L"", kMissing, L"C:\\missing.exe", "main"},
        {"main closed under the launch's message", kMissing, {Click(OkButton), Close(kMain), launchFailureTold, Dismiss()},
         L"", kMissing, L"C:\\missing.exe", "exit 0"},
        {"setup window not shown by F12", kSaved, {Press(ProgramPathBox)}, L"", kSaved, k, "exit 1", "Show", 2,
         L"injected\nShow"},
        {"the focus not given back", kMissing, {Click(OkButton), Dismiss()}, L"", kMissing, L"C:\\missing.exe", "exit 1",
         "SetFocus", 1, L"injected\nSetFocus"},
        {"main reloaded by setup OK cannot show setup modally", kSaved, {Press(ProgramPathBox), Close(kMain),
         Browse(kSetupBrowse, o), Click(kSetupOk)}, L"", kOther, L"", "exit 1", "OpenForInput", 2,
         L"Окно уже открыто и не может стать модальным.\n"},
        {"an exception that is no platform failure", kSaved, {Click(BrowseRomButton), Check([](TestDesktop&) {
         throw std::runtime_error("\xFF"); })}, L"", kSaved, k, "exit 1", "", 0, L"Внутренняя ошибка программы.\n"},
    };
    // clang-format on
    for (const auto& run : runs) {
        SCOPED_TRACE(run.name);
        TestDesktop desktop;
        desktop.programs = {k, o};
        if (!run.ini.empty()) desktop.files[desktop.Ini()] = run.ini;
        desktop.FailOn(run.failing, run.nth);
        desktop.Run(run.steps);
        EXPECT_EQ(desktop.started.empty() ? L"" : desktop.started[1], run.started);
        EXPECT_EQ(desktop.files[desktop.Ini()], run.saved);
        EXPECT_EQ(desktop.texts[ProgramPathBox], run.programPath);
        EXPECT_EQ(End(desktop), run.end);
        EXPECT_EQ(desktop.fatal, run.fatal);
    }
}

// The order a window's controls are created in (their places are checked under Wine).
TEST(Layout, GroupBoxesAreCreatedLastInnerFirstTheRestInTableOrder) {
    std::vector<int> ids;
    for (const ControlDef* control : CreationOrder(kMainWindow)) ids.push_back(control->control.id);
    EXPECT_EQ(ids, (std::vector<int>{101, 301, 102, 201, 302, 103, 202, 303, 104, 203, 304, 204, 205, 403, 401, 402}));
}
