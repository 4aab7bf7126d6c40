// Whole runs: the configuration file and what the user does, against the command
// line started, the bytes saved, the program path shown and how the run ends.
#include "test_desktop.h"

namespace {

using namespace MainWindow;
constexpr Control kSetupBox = SetupWindow::ProgramPathBox, kSetupBrowse = SetupWindow::BrowseButton,
                  kSetupOk = SetupWindow::OkButton, kSetupCancel = SetupWindow::CancelButton;
constexpr WindowId kMain = WindowId::Main, kSetup = WindowId::Setup;
const std::wstring kSavedKravix = L"C:\\Tools\\kravix.exe", kOtherKravix = L"D:\\Emu\\kravix.exe";
const std::string kSaved = "\"C:\\Tools\\kravix.exe\"\r\n", kOther = "\"D:\\Emu\\kravix.exe\"\r\n",
                  kBareName = "\"kravix.exe\"\r\n", kMissing = "\"C:\\missing.exe\"\r\n";

// How a run ends: "exit N", or the windows left visible.
std::string End(const TestDesktop& d) {
    if (d.exitStatus) return "exit " + std::to_string(*d.exitStatus);
    return std::string(d.Visible(kMain) ? "main" : "") + (d.Visible(kSetup) ? "+setup" : "");
}

Step ChosenPath(std::wstring path) {
    return Check([path](TestDesktop& d) { EXPECT_EQ(d.app.chosenPath, path); });
}
Step Dialogs(std::vector<std::wstring> shown) {
    return Check([shown](TestDesktop& d) { EXPECT_EQ(d.dialogs, shown); });
}
}  // namespace

TEST(WindowFlow, Runs) {
    // A file that cannot be read is never reported in words.
    const Step setupAloneAndModal = Check([](TestDesktop& d) {
        EXPECT_FALSE(d.Visible(kMain));
        EXPECT_FALSE(d.enabled[kMain]);
        EXPECT_EQ(d.messages, std::vector<std::wstring>{});
    });
    const std::wstring a = L"C:\\a.nes", k = kSavedKravix, o = kOtherKravix;
    // The configuration file (empty: none), what the user does, then kravix.exe's command line, the file saved,
    // the program path shown and how the run ends.
    // clang-format off
    const struct { const char* name; std::string ini; std::vector<Step> steps; std::wstring started; std::string saved;
                   std::wstring programPath; std::string end; } runs[] = {
        {"three files chosen and launched", kSaved,
         {Browse(BrowseRomButton, L"C:\\R\\Super Game.nes"), Browse(BrowsePrimaryTableButton, L"C:\\t\\a.tbl"),
          Browse(BrowseSecondaryTableButton, L"C:\\t\\b.tbl"),
          Dialogs({L"Открытие РОМа: ", L"Открытие первичной таблицы: ", L"Открытие вторичной таблицы(необязательно): "}),
          Click(OkButton)}, k + L" \"C:\\R\\Super Game.nes\" C:\\t\\a.tbl C:\\t\\b.tbl", kSaved, k, "exit 0"},
        {"no file: setup first, its OK saves and shows main", "",
         {setupAloneAndModal, Browse(kSetupBrowse, o), Click(kSetupOk), Click(OkButton)}, o + L"   ", kOther, o, "exit 0"},
        {"setup Cancel ends the program", "", {Browse(kSetupBrowse, o), Click(kSetupCancel)}, L"", "", L"", "exit 0"},
        {"main closed by another program, then setup", "", {Close(kMain), Close(kSetup)}, L"", "", L"", "exit 0"},
        {"main Cancel ends the program", kSaved, {Click(CancelButton)}, L"", kSaved, k, "exit 0"},
        {"F12 only in the program-path box", kSaved, {Press(RomBox), Press(OkButton), Press(ProgramPathBox, Key::Other)},
         L"", kSaved, k, "main"},
        {"F12 beside main; again: to the front as it was", kSaved,
         {Press(ProgramPathBox), Shows(kSetupBox, L""), Browse(kSetupBrowse, o), Browse(BrowseRomButton, a),
          Press(ProgramPathBox), Shows(kSetupBox, o), Click(OkButton)}, k + L" C:\\a.nes  ", kSaved, k, "exit 0"},
        {"setup reopened afresh; the chosen path outlives it", kSaved,
         {Press(ProgramPathBox), Browse(kSetupBrowse, o), Close(kSetup), Press(ProgramPathBox), Shows(kSetupBox, L""),
          ChosenPath(o), Click(kSetupBrowse), Cancel(), Shows(kSetupBox, L"kravix.exe"),
          Dialogs({L"открытие: kravix.exe", L"открытие: kravix.exe"}), Click(kSetupOk)},
         L"", kBareName, L"kravix.exe", "main"},
        {"setup alone: its OK loads main afresh", kSaved,
         {Browse(BrowseRomButton, a), Press(ProgramPathBox), Close(kMain), Browse(kSetupBrowse, o), Click(kSetupOk),
          Shows(RomBox, L""), Click(OkButton)}, o + L"   ", kOther, o, "exit 0"},
        {"a window closed under its dialog stays closed", kSaved,
         {Press(ProgramPathBox), Click(kSetupBrowse), Close(kSetup), Press(ProgramPathBox), Accept(o),
          Shows(kSetupBox, L""), ChosenPath(L"")}, L"", kSaved, k, "main+setup"},
        {"main closed under the launch's message", kMissing, {Click(OkButton), Close(kMain), Check([](TestDesktop& d) {
            EXPECT_EQ(d.messages, std::vector<std::wstring>{L"Не найден файл kravix.exe. Нажмите F12  в главном окне "
                                                            L"для установки пути к этому файлу"}); }), Dismiss()},
         L"", kMissing, L"C:\\missing.exe", "exit 0"},
    };
    // clang-format on
    for (const auto& run : runs) {
        SCOPED_TRACE(run.name);
        TestDesktop desktop;
        desktop.programs = {k, o};
        if (!run.ini.empty()) desktop.files[desktop.Ini()] = run.ini;
        desktop.Run(run.steps);
        EXPECT_EQ(desktop.started.empty() ? L"" : desktop.started[1], run.started);
        EXPECT_EQ(desktop.files[desktop.Ini()], run.saved);
        EXPECT_EQ(desktop.texts[ProgramPathBox], run.programPath);
        EXPECT_EQ(End(desktop), run.end);
    }
}

// A failure in a guarded handler's steps runs its answer (the browse buttons ignore
// it, the start-up read asks for the path, the launch shows its message); in an
// unguarded handler or an answer, it is fatal.
TEST(WindowFlow, Failures) {
    const std::vector<Step> confirm{Press(ProgramPathBox), Browse(kSetupBrowse, kOtherKravix), Click(kSetupOk)};
    // The operation that fails at its nth call, what the user does, how the run ends and what the fatal report says.
    // clang-format off
    const struct { const char* name, *operation; int nth; std::vector<Step> steps; std::string end;
                   std::wstring fatal = L""; } cases[] = {
        {"setup window not shown by F12", "Show", 2, {Press(ProgramPathBox)}, "exit 1", L"injected\nShow"},
        {"a failed dialog is ignored", "ShowOpen", 1, {Click(BrowseRomButton), Browse(BrowseSecondaryTableButton,
         L"C:\\b.tbl"), Shows(RomBox, L""), Shows(SecondaryTableBox, L"C:\\b.tbl")}, "main"},
        {"the focus not given back", "SetFocus", 1, {Click(OkButton), Dismiss()}, "exit 1", L"injected\nSetFocus"},
        {"a failed save", "WriteText", 1, confirm, "exit 1",
         L"Не удалось сохранить путь к kravix.exe в файл C:\\Tools\\kx_shell.ini.\ninjected\nWriteText"},
        {"main reloaded by setup OK cannot show setup modally", "OpenForInput", 2, {Press(ProgramPathBox), Close(kMain),
         Browse(kSetupBrowse, kOtherKravix), Click(kSetupOk)}, "exit 1", L"Окно уже открыто и не может стать модальным.\n"},
        {"another exception: no words when not UTF-8", "", 0, {Click(BrowseRomButton), Throw("\xFF")}, "exit 1",
         L"Внутренняя ошибка программы.\n"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestDesktop desktop;
        desktop.files[desktop.Ini()] = kSaved;
        desktop.FailOn(c.operation, c.nth);
        desktop.Run(c.steps);
        EXPECT_EQ(End(desktop), c.end);
        EXPECT_EQ(desktop.fatal, c.fatal);
    }
}
