// Whole runs on the in-memory desktop, as the user lives them: what the
// configuration file holds and what the user does, against the command line
// started, the bytes saved, the program path shown and how the run ends.
#include <gtest/gtest.h>

#include "native/test_desktop.h"

namespace {

using namespace MainWindow;
namespace Setup = SetupWindow;
constexpr WindowId kMain = WindowId::Main, kSetup = WindowId::Setup;
const std::wstring K = L"C:\\Tools\\kravix.exe", O = L"D:\\Emu\\kravix.exe";
const char *const kSaved = "\"C:\\Tools\\kravix.exe\"\r\n", *const kOther = "\"D:\\Emu\\kravix.exe\"\r\n",
                  *const kMissing = "\"C:\\missing.exe\"\r\n";

// How a run ends: "exit N", or the windows left visible.
std::string End(const TestDesktop& d) {
    if (d.exitStatus) return "exit " + std::to_string(*d.exitStatus);
    return std::string(d.Visible(kMain) ? "main" : "") + (d.Visible(kSetup) ? "+setup" : "");
}

}  // namespace

TEST(WindowFlow, Runs) {
    TestDesktop* d = nullptr;  // the run being played, for the checks inside a script
    const auto shows = [&](Control box, std::wstring text) { return Check([&d, box, text] { EXPECT_EQ(d->Text(box), text); }); };
    const Step setupFirst = Check([&] { EXPECT_TRUE(d->Visible(kSetup) && !d->Visible(kMain) && !d->enabled[kMain]); });
    const Step failureShown = Check([&] {
        EXPECT_EQ(d->messages, std::vector<std::wstring>{L"Не найден файл kravix.exe. Нажмите F12  в главном окне для установки пути к этому файлу"});
        EXPECT_EQ(d->focus, ProgramPathBox);
    });
    const struct {
        const char* ini;  // null: no file
        std::vector<Step> steps;
        std::wstring started;  // the command line
        const char* saved;
        std::wstring programPath;  // shown at the end
        std::string end;
    } runs[] = {
        {kSaved, {Click(BrowseRomButton), Accept(L"C:\\ROMs\\Super Game.nes"), Click(BrowsePrimaryTableButton), Accept(L"C:\\t\\a.tbl"),
          Click(BrowseSecondaryTableButton), Accept(L"C:\\t\\b.tbl"), Check([&] { EXPECT_EQ(d->dialogs, (std::vector<std::wstring>{
              L"Открытие РОМа: ", L"Открытие первичной таблицы: ", L"Открытие вторичной таблицы(необязательно): "})); }), Click(OkButton)},
         K + L" \"C:\\ROMs\\Super Game.nes\" C:\\t\\a.tbl C:\\t\\b.tbl", kSaved, K, "exit 0"},
        {kSaved, {Click(BrowseRomButton), Cancel(), shows(RomBox, L""), Click(BrowseRomButton), Accept(L"C:\\a.nes"),
          Click(BrowsePrimaryTableButton), Cancel(), Click(BrowseRomButton), Cancel(), shows(RomBox, L"C:\\a.nes"),
          Check([&] { EXPECT_EQ(d->dialogs.back(), L"Открытие РОМа: C:\\a.nes") << "a dialog starts from its last choice"; })},
         L"", kSaved, K, "main"},
        {"\"\"\r\n", {}, L"", "\"\"\r\n", L"", "main"},
        {nullptr, {setupFirst, Click(Setup::BrowseButton), Accept(O), Click(Setup::OkButton), Click(OkButton)}, O + L"   ",
         kOther, O, "exit 0"},
        {nullptr, {Click(Setup::BrowseButton), Accept(O), Click(Setup::CancelButton)}, L"", nullptr, L"", "exit 0"},
        {nullptr, {Click(Setup::BrowseButton), Accept(O), Close(kSetup)}, L"", nullptr, L"", "main"},
        {nullptr, {Click(Setup::BrowseButton), Cancel(), Click(Setup::OkButton)}, L"", "\"kravix.exe\"\r\n", L"kravix.exe", "main"},
        {nullptr, {Click(Setup::OkButton)}, L"", nullptr, L"", "main"},  // nothing browsed: nothing to save
        {kMissing, {Click(OkButton), Dismiss(), failureShown}, L"", kMissing, L"C:\\missing.exe", "main"},
        {kSaved, {Click(CancelButton)}, L"", kSaved, K, "exit 0"},
        {kSaved, {Close(kMain)}, L"", kSaved, L"", "exit 0"},
        {kSaved, {Press(RomBox), Press(OkButton), Press(ProgramPathBox, Key::Other)}, L"", kSaved, K, "main"},
        // F12: the setup window beside the main one, both taking input; again: to the front, as it was.
        {kSaved, {Press(ProgramPathBox), shows(Setup::ProgramPathBox, L""), Click(Setup::BrowseButton), Accept(O),
          Click(BrowseRomButton), Accept(L"C:\\a.nes"), Check([&] { d->front.reset(); }), Press(ProgramPathBox),
          shows(Setup::ProgramPathBox, O), Check([&] { EXPECT_EQ(d->front, kSetup); }), Click(OkButton)},
         K + L" C:\\a.nes  ", kSaved, K, "exit 0"},
        {kSaved, {Press(ProgramPathBox), Click(Setup::BrowseButton), Accept(O), Click(Setup::OkButton)}, L"", kOther, O, "main"},
        {kSaved, {Press(ProgramPathBox), Click(Setup::OkButton)}, L"", kSaved, K, "main"},
        {kMissing, {Press(ProgramPathBox), Click(Setup::CancelButton)}, L"", kMissing, L"C:\\missing.exe", "exit 0"},
        {kMissing, {Press(ProgramPathBox), Click(OkButton), Dismiss(), failureShown}, L"", kMissing, L"C:\\missing.exe", "main+setup"},
        // Closed, the setup window starts afresh; the chosen path outlives it.
        {kSaved, {Press(ProgramPathBox), Click(Setup::BrowseButton), Accept(O), Close(kSetup), Press(ProgramPathBox),
          shows(Setup::ProgramPathBox, L""), Click(Setup::BrowseButton), Cancel(), shows(Setup::ProgramPathBox, L"kravix.exe"),
          Check([&] { EXPECT_EQ(d->dialogs.back(), L"открытие: kravix.exe"); }), Click(Setup::OkButton)},
         L"", "\"kravix.exe\"\r\n", L"kravix.exe", "main"},
        // The setup window alone: its OK loads the main window afresh.
        {kSaved, {Click(BrowseRomButton), Accept(L"C:\\a.nes"), Press(ProgramPathBox), Close(kMain), Click(Setup::BrowseButton),
          Accept(O), Click(Setup::OkButton), shows(RomBox, L""), Click(OkButton)}, O + L"   ", kOther, O, "exit 0"},
        {kSaved, {Press(ProgramPathBox), Close(kMain), Close(kSetup)}, L"", kSaved, L"", "exit 0"},
        // Closed by another program while its dialog is open, a window stays
        // closed and the choice goes nowhere; with no window left, the program ends.
        {kSaved, {Press(ProgramPathBox), Click(Setup::BrowseButton), Close(kSetup), Press(ProgramPathBox), Accept(O),
          shows(Setup::ProgramPathBox, L""), Check([&] { EXPECT_EQ(d->app.chosenPath, L""); })}, L"", kSaved, K, "main+setup"},
        {kSaved, {Press(ProgramPathBox), Close(kMain), Click(Setup::BrowseButton), Close(kSetup), Accept(O)}, L"", kSaved, L"", "exit 0"},
        {kMissing, {Click(OkButton), Close(kMain), Dismiss()}, L"", kMissing, L"C:\\missing.exe", "exit 0"},
    };
    for (const auto& run : runs) {
        TestDesktop desktop;
        d = &desktop;
        desktop.programs = {K, O};
        if (run.ini) desktop.files[desktop.Ini()] = run.ini;
        desktop.Run(run.steps);
        const int row = static_cast<int>(&run - runs);
        EXPECT_EQ(desktop.started.empty() ? L"" : desktop.started[1], run.started) << row;
        EXPECT_EQ(desktop.files.count(desktop.Ini()) ? desktop.files[desktop.Ini()] : "none", run.saved ? run.saved : "none") << row;
        EXPECT_EQ(desktop.Text(ProgramPathBox), run.programPath) << row;
        EXPECT_EQ(End(desktop), run.end) << row;
    }
}

// A failure in a guarded handler's steps runs its answer: the browse buttons
// ignore it, the start-up read asks for the program path, the launch shows
// its message. In an unguarded handler, or in an answer, it is fatal.
TEST(WindowFlow, Failures) {
    TestDesktop* d = nullptr;
    const auto shows = [&](Control box, std::wstring text) { return Check([&d, box, text] { EXPECT_EQ(d->Text(box), text); }); };
    const Step setupAsked = Check([&] { EXPECT_TRUE(d->Visible(kSetup) && !d->enabled[kMain] && d->messages.empty()); });
    const struct {
        const char* operation;
        int nth;
        std::vector<Step> steps;
        std::string end;
        std::wstring fatal = L"";  // what the fatal report says failed
    } cases[] = {
        {"OpenForInput", 1, {setupAsked, Close(kSetup)}, "main"},
        {"SetText", 1, {setupAsked, Close(kSetup)}, "main"},
        {"Create", 1, {}, "exit 1", L"injected"},
        {"Show", 2, {Press(ProgramPathBox)}, "exit 1", L"injected"},
        {"ShowOpen", 1, {Click(BrowseRomButton), Click(BrowseSecondaryTableButton), Accept(L"C:\\b.tbl"), shows(RomBox, L""),
                         shows(SecondaryTableBox, L"C:\\b.tbl")}, "main"},
        {"SetText", 2, {Click(BrowsePrimaryTableButton), Accept(L"C:\\a.tbl"), shows(PrimaryTableBox, L"")}, "main"},
        {"GetText", 1, {Press(ProgramPathBox), Click(Setup::BrowseButton), Accept(O), shows(Setup::ProgramPathBox, O),
                        Check([&] { EXPECT_EQ(d->app.chosenPath, L""); })}, "main+setup"},
        {"GetText", 3, {Click(OkButton), Dismiss(), Check([&] { EXPECT_EQ(d->messages.size() + !d->focus, 1u); })},
         "main"},
        {"ShowMessage", 1, {Click(OkButton)}, "exit 1", L"injected"},
        {"SetFocus", 1, {Click(OkButton), Dismiss()}, "exit 1", L"injected"},
        {"WriteText", 1, {Press(ProgramPathBox), Click(Setup::BrowseButton), Accept(O), Click(Setup::OkButton)}, "exit 1",
         L"Не удалось сохранить путь к kravix.exe в файл C:\\Tools\\kx_shell.ini."},
        {"SetText", 3, {Press(ProgramPathBox), Click(Setup::BrowseButton), Accept(O), Click(Setup::OkButton)}, "exit 1",
         L"injected"},
        // Loaded again by the setup window's OK, the main window reads the file
        // again; its answer cannot show the visible setup window modally.
        {"OpenForInput", 2, {Press(ProgramPathBox), Close(kMain), Click(Setup::BrowseButton), Accept(O), Click(Setup::OkButton)},
         "exit 1", L"Окно уже открыто и не может стать модальным."},
    };
    for (const auto& c : cases) {
        TestDesktop desktop;
        d = &desktop;
        desktop.files[desktop.Ini()] = kSaved;
        desktop.FailOn(c.operation, c.nth);
        desktop.Run(c.steps);
        EXPECT_EQ(End(desktop), c.end) << c.operation << c.nth;
        EXPECT_EQ(desktop.fatal ? desktop.fatal->action : L"", c.fatal) << c.operation << c.nth;
    }
    // Anything but a platform failure is an internal error, told in its own words when they are UTF-8.
    for (const auto& [what, reason] : {std::pair("нет памяти", L"нет памяти"), std::pair("\xFF", L"")}) {
        TestDesktop other;
        other.files[other.Ini()] = kSaved;
        other.failureText = what;
        other.FailOn("ShowOpen");
        other.Run({Click(BrowseRomButton)});
        EXPECT_EQ(other.fatal->action + L" " + other.fatal->reason, L"Внутренняя ошибка программы. " + std::wstring(reason));
    }
}
