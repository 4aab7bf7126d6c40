// Whole runs on the in-memory desktop, as the user lives them: what the
// configuration file holds and what the user does, against the program
// started, the bytes saved, the windows left visible and the exit status.
#include "core/window_flow.h"

#include <gtest/gtest.h>

#include "native/test_desktop.h"

namespace {

using namespace MainWindow;
namespace Setup = SetupWindow;
constexpr WindowId kMain = WindowId::Main, kSetup = WindowId::Setup;

const std::wstring K = L"C:\\Tools\\kravix.exe", O = L"D:\\Emu\\kravix.exe";
const std::string kSaved = "\"C:\\Tools\\kravix.exe\"\r\n", kOther = "\"D:\\Emu\\kravix.exe\"\r\n";
const std::wstring kFailed = L"Не найден файл kravix.exe. Нажмите F12  в главном окне для установки пути к этому файлу";

struct Scenario {
    const char* name;
    std::optional<std::string> ini;  // nothing: no file
    std::vector<Step> steps;
    std::vector<std::wstring> started;  // program, line
    std::optional<std::string> saved;
    bool main, setup;             // visible at the end
    std::optional<int> exit;      // nothing: still running
    std::wstring programPath{};   // the main window's box at the end
};

std::vector<Step> Choose(Control button, std::wstring path) { return {Click(button), Accept(std::move(path))}; }
std::vector<Step> operator+(std::vector<Step> a, const std::vector<Step>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace

TEST(WindowFlow, Runs) {
    TestDesktop* d = nullptr;  // the run being played, for the checks inside a script
    const auto expect = [&](Control box, std::wstring text) { return Check([&d, box, text] { EXPECT_EQ(d->Text(box), text); }); };
    const auto modalSetup = Check([&] { EXPECT_TRUE(d->Visible(kSetup) && !d->Visible(kMain) && !d->enabled[kMain]); });
    const Scenario runs[] = {
        {"typical", kSaved, Choose(BrowseRomButton, L"C:\\ROMs\\Super Game.nes") + Choose(BrowsePrimaryTableButton, L"C:\\t\\a.tbl") +
             Choose(BrowseSecondaryTableButton, L"C:\\t\\b.tbl") + std::vector{Click(OkButton)},
         {K, K + L" \"C:\\ROMs\\Super Game.nes\" C:\\t\\a.tbl C:\\t\\b.tbl"}, kSaved, true, false, 0, K},
        {"browse cancel keeps the box", kSaved, {Click(BrowseRomButton), Cancel(), expect(RomBox, L""), Click(BrowseRomButton),
         Accept(L"C:\\a.nes"), Click(BrowseRomButton), Cancel(), expect(RomBox, L"C:\\a.nes"), Click(OkButton)},
         {K, K + L" C:\\a.nes  "}, kSaved, true, false, 0, K},
        {"empty saved path", "\"\"\r\n", {}, {}, "\"\"\r\n", true, false, {}, L""},
        {"no file: the setup window first", {}, std::vector{modalSetup} + Choose(Setup::BrowseButton, O) + std::vector{Click(Setup::OkButton)},
         {}, kOther, true, false, {}, O},
        {"empty file: the setup window first", "", std::vector{modalSetup} + Choose(Setup::BrowseButton, O) +
         std::vector{Click(Setup::OkButton)}, {}, kOther, true, false, {}, O},
        {"setup cancel at start-up", {}, Choose(Setup::BrowseButton, O) + std::vector{Click(Setup::CancelButton)}, {}, {}, false, true, 0},
        {"setup closed at start-up", {}, Choose(Setup::BrowseButton, O) + std::vector{Close(kSetup)}, {}, {}, true, false, {}, L""},
        {"cancelled first browse confirms the bare name", {}, {Click(Setup::BrowseButton), Cancel(), Click(Setup::OkButton)},
         {}, "\"kravix.exe\"\r\n", true, false, {}, L"kravix.exe"},
        {"setup OK with nothing browsed at start-up", {}, {Click(Setup::OkButton)}, {}, {}, true, false, {}, L""},
        {"failed launch", "\"C:\\missing.exe\"\r\n", {Click(OkButton), Dismiss(), Check([&] { EXPECT_EQ(d->focus, ProgramPathBox); })},
         {}, "\"C:\\missing.exe\"\r\n", true, false, {}, L"C:\\missing.exe"},
        {"main cancel", kSaved, {Click(CancelButton)}, {}, kSaved, true, false, 0, K},
        {"main closed", kSaved, {Close(kMain)}, {}, kSaved, false, false, 0},
        {"F12 elsewhere or another key", kSaved, {Press(RomBox), Press(OkButton), Press(ProgramPathBox, Key::Other)},
         {}, kSaved, true, false, {}, K},
        {"F12: the setup window beside the main one", kSaved, {Press(ProgramPathBox), expect(Setup::ProgramPathBox, L""),
         Click(Setup::BrowseButton), Accept(O), Click(BrowseRomButton), Accept(L"C:\\a.nes"), Check([&] { d->front.reset(); }),
         Press(ProgramPathBox), expect(Setup::ProgramPathBox, O), Check([&] { EXPECT_EQ(d->front, kSetup); }), Click(OkButton)},
         {K, K + L" C:\\a.nes  "}, kSaved, true, true, 0, K},
        {"setup OK after F12", kSaved, std::vector{Press(ProgramPathBox)} + Choose(Setup::BrowseButton, O) +
         std::vector{Click(Setup::OkButton)}, {}, kOther, true, false, {}, O},
        {"setup OK after F12 with nothing browsed", kSaved, {Press(ProgramPathBox), Click(Setup::OkButton)}, {}, kSaved, true, false, {}, K},
        {"setup cancel after F12", kSaved, std::vector{Press(ProgramPathBox)} + Choose(Setup::BrowseButton, O) +
         std::vector{Click(Setup::CancelButton)}, {}, kSaved, true, true, 0, K},
        {"failed launch beside the setup window", "\"C:\\missing.exe\"\r\n", {Press(ProgramPathBox), Click(OkButton), Dismiss(),
         Check([&] { EXPECT_EQ(d->focus, ProgramPathBox); })}, {}, "\"C:\\missing.exe\"\r\n", true, true, {}, L"C:\\missing.exe"},
        {"setup closed after F12: the chosen path outlives it", kSaved, std::vector{Press(ProgramPathBox)} + Choose(Setup::BrowseButton, O) +
         std::vector{Close(kSetup), Press(ProgramPathBox), expect(Setup::ProgramPathBox, L""), Click(Setup::BrowseButton), Cancel(),
         expect(Setup::ProgramPathBox, L"kravix.exe"), Click(Setup::OkButton)}, {}, "\"kravix.exe\"\r\n", true, false, {}, L"kravix.exe"},
        {"setup alone: its OK loads a fresh main window", kSaved, Choose(BrowseRomButton, L"C:\\a.nes") + std::vector{Press(ProgramPathBox),
         Close(kMain)} + Choose(Setup::BrowseButton, O) + std::vector{Click(Setup::OkButton), expect(RomBox, L""), Click(OkButton)},
         {O, O + L"   "}, kOther, true, false, 0, O},
        {"setup alone, closed", kSaved, {Press(ProgramPathBox), Close(kMain), Close(kSetup)}, {}, kSaved, false, false, 0},
        // Closed by another program while its dialog is open, a window stays
        // closed and the choice goes nowhere.
        {"setup closed during its dialog", kSaved, {Press(ProgramPathBox), Click(Setup::BrowseButton), Close(kSetup), Accept(O),
         Check([&] { EXPECT_EQ(d->app.chosenPath, L""); })}, {}, kSaved, true, false, {}, K},
        {"setup alone, closed during its dialog", kSaved, {Press(ProgramPathBox), Close(kMain), Click(Setup::BrowseButton),
         Close(kSetup), Accept(O)}, {}, kSaved, false, false, 0},
        {"main closed during the failure message", "\"C:\\missing.exe\"\r\n", {Click(OkButton), Close(kMain), Dismiss()},
         {}, "\"C:\\missing.exe\"\r\n", false, false, 0, L"C:\\missing.exe"},
    };
    for (const Scenario& run : runs) {
        TestDesktop desktop;
        d = &desktop;
        desktop.programs = {K, O};
        if (run.ini) desktop.files[desktop.Ini()] = *run.ini;
        desktop.Run(run.steps);
        EXPECT_EQ(desktop.started, run.started) << run.name;
        EXPECT_EQ(run.saved ? desktop.files[desktop.Ini()] : "none", run.saved.value_or("none")) << run.name;
        EXPECT_EQ(desktop.Visible(kMain), run.main) << run.name;
        EXPECT_EQ(desktop.Visible(kSetup), run.setup) << run.name;
        EXPECT_EQ(desktop.exitStatus, run.exit) << run.name;
        EXPECT_EQ(desktop.Text(ProgramPathBox), run.programPath) << run.name;
        EXPECT_EQ(desktop.messages.size(), run.saved && run.saved->find("missing") != std::string::npos ? 1u : 0u) << run.name;
    }
}

// A failure in a guarded handler's steps runs its answer; in an unguarded
// handler, or in an answer, it ends the program with a report.
TEST(WindowFlow, Failures) {
    TestDesktop* d = nullptr;
    const auto box = [&](Control control, std::wstring text) {
        return Check([&d, control, text] { EXPECT_EQ(d->Text(control), text); });
    };
    const auto setupAsked = Check([&] { EXPECT_TRUE(d->Visible(kSetup) && !d->enabled[kMain] && d->messages.empty()); });
    enum Outcome { Answered, Fatal };
    const struct {
        const char* operation;
        int nth;
        std::vector<Step> steps;
        Outcome outcome;
    } cases[] = {
        {"ProgramDirectory", 1, {setupAsked, Close(kSetup)}, Answered},
        {"OpenForInput", 1, {setupAsked, Close(kSetup)}, Answered},
        {"ReadText", 1, {setupAsked, Close(kSetup)}, Answered},
        {"CloseFile", 1, {setupAsked, Close(kSetup)}, Answered},
        {"SetText", 1, {setupAsked, Close(kSetup)}, Answered},
        {"Create", 1, {}, Fatal},
        {"Show", 2, {Press(ProgramPathBox)}, Fatal},
        {"ShowOpen", 1, {Click(BrowseRomButton), Click(BrowseSecondaryTableButton), Accept(L"C:\\b.tbl"),
                         box(RomBox, L""), box(SecondaryTableBox, L"C:\\b.tbl")}, Answered},
        {"SetText", 2, {Click(BrowsePrimaryTableButton), Accept(L"C:\\a.tbl"), box(PrimaryTableBox, L"")}, Answered},
        {"GetText", 1, std::vector{Press(ProgramPathBox)} + Choose(Setup::BrowseButton, O) +
         std::vector{box(Setup::ProgramPathBox, O), Check([&] { EXPECT_EQ(d->app.chosenPath, L""); })}, Answered},
        {"GetText", 3, {Click(OkButton), Dismiss(), Check([&] {
             EXPECT_EQ(d->messages, std::vector{kFailed});
             EXPECT_EQ(d->focus, ProgramPathBox);
         })}, Answered},
        {"ShowMessage", 1, {Click(OkButton)}, Fatal},
        {"SetFocus", 1, {Click(OkButton), Dismiss()}, Fatal},
        {"WriteText", 1, std::vector{Press(ProgramPathBox)} + Choose(Setup::BrowseButton, O) +
         std::vector{Click(Setup::OkButton)}, Fatal},
        {"SetText", 3, std::vector{Press(ProgramPathBox)} + Choose(Setup::BrowseButton, O) +
         std::vector{Click(Setup::OkButton)}, Fatal},
        // The main window loaded again by the setup window's OK reads the file
        // again; its answer cannot show the setup window modally.
        {"OpenForInput", 2, std::vector{Press(ProgramPathBox), Close(kMain)} + Choose(Setup::BrowseButton, O) +
         std::vector{Click(Setup::OkButton)}, Fatal},
    };
    for (const auto& c : cases) {
        TestDesktop desktop;
        d = &desktop;
        desktop.programs = {O};
        desktop.files[desktop.Ini()] = kSaved;
        desktop.FailOn(c.operation, c.nth);
        desktop.Run(c.steps);
        EXPECT_EQ(desktop.exitStatus, c.outcome == Fatal ? std::optional(1) : std::nullopt) << c.operation;
        EXPECT_EQ(desktop.fatal.has_value(), c.outcome == Fatal) << c.operation;
        EXPECT_EQ(desktop.started, std::vector<std::wstring>{}) << c.operation;
    }
}

TEST(WindowFlow, AnyOtherFailureIsAnInternalError) {
    TestDesktop desktop;
    desktop.files[desktop.Ini()] = kSaved;
    desktop.failureText = "нет памяти";
    desktop.FailOn("ShowOpen");
    desktop.Run({Click(BrowseRomButton)});
    EXPECT_EQ(desktop.exitStatus, 1);
    ASSERT_TRUE(desktop.fatal);
    EXPECT_EQ(desktop.fatal->action, L"Внутренняя ошибка программы.");
    EXPECT_EQ(desktop.fatal->reason, L"нет памяти");
}
