// Whole runs: the configuration file and what the user does, against the command
// line started, the bytes saved, the program path shown and how the run ends.
#include "test_desktop.h"

namespace {

using namespace MainWindow;
constexpr Control kSetupBox = SetupWindow::ProgramPathBox, kSetupBrowse = SetupWindow::BrowseButton,
                  kSetupOk = SetupWindow::OkButton, kSetupCancel = SetupWindow::CancelButton;
constexpr WindowId kMain = WindowId::Main, kSetup = WindowId::Setup;
const std::wstring K = L"C:\\Tools\\kravix.exe", O = L"D:\\Emu\\kravix.exe";
const std::string kSaved = "\"C:\\Tools\\kravix.exe\"\r\n", kOther = "\"D:\\Emu\\kravix.exe\"\r\n",
                  kMissing = "\"C:\\missing.exe\"\r\n";

// How a run ends: "exit N", or the windows left visible.
std::string End(const TestDesktop& d) {
    if (d.exitStatus) return "exit " + std::to_string(*d.exitStatus);
    return std::string(d.Visible(kMain) ? "main" : "") + (d.Visible(kSetup) ? "+setup" : "");
}

Step NoChosenPath() { return Check([](TestDesktop& d) { EXPECT_EQ(d.app.chosenPath, L""); }); }

}  // namespace

TEST(WindowFlow, Runs) {
    const Step setupFirst = Check([](TestDesktop& d) { EXPECT_TRUE(!d.Visible(kMain) && !d.enabled[kMain]); });
    const Step failed = Check([](TestDesktop& d) { EXPECT_EQ(d.messages.size() + (d.focus == ProgramPathBox), 2u); });
    const auto dialog = [](std::wstring s) { return Check([s](TestDesktop& d) { EXPECT_EQ(d.dialogs.back(), s); }); };
    const struct {
        std::string ini;  // empty: no file
        std::vector<Step> steps;
        std::wstring started;  // the command line
        std::string saved;
        std::wstring programPath;  // shown at the end
        std::string end;
    } runs[] = {
        {kSaved, {Browse(BrowseRomButton, L"C:\\R\\Super Game.nes"), Browse(BrowsePrimaryTableButton, L"C:\\t\\a.tbl"),
                  Browse(BrowseSecondaryTableButton, L"C:\\t\\b.tbl"), Check([](TestDesktop& d) {
                      const std::vector<std::wstring> titles{L"Открытие РОМа: ", L"Открытие первичной таблицы: ",
                                                             L"Открытие вторичной таблицы(необязательно): "};
                      EXPECT_EQ(d.dialogs, titles);
                  }), Click(OkButton)},
         K + L" \"C:\\R\\Super Game.nes\" C:\\t\\a.tbl C:\\t\\b.tbl", kSaved, K, "exit 0"},
        // A dialog starts from its last choice; after a cancel its box stays as it was.
        {kSaved, {Click(BrowseRomButton), Cancel(), Shows(RomBox, L""), Browse(BrowseRomButton, L"C:\\a.nes"),
                  Click(BrowsePrimaryTableButton), Cancel(), Click(BrowseRomButton), Cancel(),
                  Shows(RomBox, L"C:\\a.nes"), dialog(L"Открытие РОМа: C:\\a.nes")}, L"", kSaved, K, "main"},
        {"", {setupFirst, Browse(kSetupBrowse, O), Click(kSetupOk), Click(OkButton)}, O + L"   ", kOther, O, "exit 0"},
        {"", {Browse(kSetupBrowse, O), Click(kSetupCancel)}, L"", "", L"", "exit 0"},
        {"", {Browse(kSetupBrowse, O), Close(kSetup)}, L"", "", L"", "main"},
        {"", {Click(kSetupBrowse), Cancel(), Click(kSetupOk)}, L"", "\"kravix.exe\"\r\n", L"kravix.exe", "main"},
        {"", {Click(kSetupOk)}, L"", "", L"", "main"},                   // nothing browsed: nothing to save
        {"", {Close(kMain), Close(kSetup)}, L"", "", L"", "exit 0"},     // main closed by another program
        {kMissing, {Click(OkButton), Dismiss(), failed}, L"", kMissing, L"C:\\missing.exe", "main"},
        {kSaved, {Click(CancelButton)}, L"", kSaved, K, "exit 0"},
        {kSaved, {Close(kMain)}, L"", kSaved, L"", "exit 0"},
        {kSaved, {Press(RomBox), Press(OkButton), Press(ProgramPathBox, Key::Other)}, L"", kSaved, K, "main"},
        // F12: the setup window beside the main one, both taking input; again: to the front, as it was.
        {kSaved, {Press(ProgramPathBox), Shows(kSetupBox, L""), Browse(kSetupBrowse, O),
                  Browse(BrowseRomButton, L"C:\\a.nes"), Press(ProgramPathBox), Shows(kSetupBox, O), Click(OkButton)},
         K + L" C:\\a.nes  ", kSaved, K, "exit 0"},
        {kSaved, {Press(ProgramPathBox), Browse(kSetupBrowse, O), Click(kSetupOk)}, L"", kOther, O, "main"},
        // Closed, the setup window starts afresh; the chosen path outlives it.
        {kSaved, {Press(ProgramPathBox), Browse(kSetupBrowse, O), Close(kSetup), Press(ProgramPathBox),
                  Shows(kSetupBox, L""), Click(kSetupBrowse), Cancel(), Shows(kSetupBox, L"kravix.exe"),
                  dialog(L"открытие: kravix.exe"), Click(kSetupOk)}, L"", "\"kravix.exe\"\r\n", L"kravix.exe", "main"},
        // The setup window alone: its OK loads the main window afresh.
        {kSaved, {Browse(BrowseRomButton, L"C:\\a.nes"), Press(ProgramPathBox), Close(kMain), Browse(kSetupBrowse, O),
                  Click(kSetupOk), Shows(RomBox, L""), Click(OkButton)}, O + L"   ", kOther, O, "exit 0"},
        // Closed by another program during its dialog, a window stays closed; none left, the program ends.
        {kSaved, {Press(ProgramPathBox), Click(kSetupBrowse), Close(kSetup), Press(ProgramPathBox), Accept(O),
                  Shows(kSetupBox, L""), NoChosenPath()}, L"", kSaved, K, "main+setup"},
        {kSaved, {Press(ProgramPathBox), Close(kMain), Click(kSetupBrowse), Close(kSetup), Accept(O)},
         L"", kSaved, L"", "exit 0"},
        {kMissing, {Click(OkButton), Close(kMain), Dismiss()}, L"", kMissing, L"C:\\missing.exe", "exit 0"},
    };
    for (const auto& run : runs) {
        TestDesktop desktop;
        desktop.programs = {K, O};
        if (!run.ini.empty()) desktop.files[desktop.Ini()] = run.ini;
        desktop.Run(run.steps);
        const int row = static_cast<int>(&run - runs);
        EXPECT_EQ(desktop.started.empty() ? L"" : desktop.started[1], run.started) << row;
        EXPECT_EQ(desktop.files[desktop.Ini()], run.saved) << row;
        EXPECT_EQ(desktop.Text(ProgramPathBox), run.programPath) << row;
        EXPECT_EQ(End(desktop), run.end) << row;
    }
}

// A failure in a guarded handler's steps runs its answer (the browse buttons ignore
// it, the start-up read asks for the path, the launch shows its message); in an
// unguarded handler or an answer, it is fatal.
TEST(WindowFlow, Failures) {
    const Step silentlyAsked = Check([](TestDesktop& d) { EXPECT_TRUE(d.Visible(kSetup) && d.messages.empty()); });
    const Step launchFailed = Check([](TestDesktop& d) { EXPECT_EQ(d.messages.size() + !d.focus, 1u); });
    const std::vector<Step> confirm{Press(ProgramPathBox), Browse(kSetupBrowse, O), Click(kSetupOk)};
    const struct {
        const char* operation;
        int nth;
        std::vector<Step> steps;
        std::string end;
        std::wstring fatal = L"";      // what the fatal report says
        const char* thrown = nullptr;  // instead of a platform failure
    } cases[] = {
        {"OpenForInput", 1, {silentlyAsked, Close(kSetup)}, "main"},
        {"Create", 1, {}, "exit 1", L"injected"},
        {"Show", 2, {Press(ProgramPathBox)}, "exit 1", L"injected"},
        {"ShowOpen", 1, {Click(BrowseRomButton), Browse(BrowseSecondaryTableButton, L"C:\\b.tbl"), Shows(RomBox, L""),
                         Shows(SecondaryTableBox, L"C:\\b.tbl")}, "main"},
        {"SetText", 2, {Browse(BrowsePrimaryTableButton, L"C:\\a.tbl"), Shows(PrimaryTableBox, L"")}, "main"},
        {"GetText", 1, {Press(ProgramPathBox), Browse(kSetupBrowse, O), Shows(kSetupBox, O), NoChosenPath()},
         "main+setup"},
        {"GetText", 3, {Click(OkButton), Dismiss(), launchFailed}, "main"},
        {"ShowMessage", 1, {Click(OkButton)}, "exit 1", L"injected"},
        {"SetFocus", 1, {Click(OkButton), Dismiss()}, "exit 1", L"injected"},
        {"WriteText", 1, confirm, "exit 1", L"Не удалось сохранить путь к kravix.exe в файл C:\\Tools\\kx_shell.ini."},
        {"SetText", 3, confirm, "exit 1", L"injected"},
        // The main window loaded again by the setup window's OK cannot show it modally.
        {"OpenForInput", 2, {Press(ProgramPathBox), Close(kMain), Browse(kSetupBrowse, O), Click(kSetupOk)},
         "exit 1", L"Окно уже открыто и не может стать модальным."},
        // Anything else is an internal error, told in its own words when they are UTF-8.
        {"ShowOpen", 1, {Click(BrowseRomButton)}, "exit 1", L"Внутренняя ошибка программы.нет памяти", "нет памяти"},
        {"ShowOpen", 1, {Click(BrowseRomButton)}, "exit 1", L"Внутренняя ошибка программы.", "\xFF"},
    };
    for (const auto& c : cases) {
        TestDesktop desktop;
        desktop.files[desktop.Ini()] = kSaved;
        desktop.failureText = c.thrown ? c.thrown : "";
        desktop.FailOn(c.operation, c.nth);
        desktop.Run(c.steps);
        EXPECT_EQ(End(desktop), c.end) << c.operation << c.nth;
        const std::wstring reason = c.thrown && desktop.fatal ? desktop.fatal->reason : L"";
        EXPECT_EQ(desktop.fatal ? desktop.fatal->action + reason : L"", c.fatal) << c.operation;
    }
}
