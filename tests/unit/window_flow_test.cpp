// A run as the user lives it, on the in-memory desktop: every state of the
// two windows and what each event leads to.
#include <gtest/gtest.h>

#include "core/launch.h"
#include "core/window_flow.h"
#include "support/fake_platform.h"

namespace {

const std::wstring kKravix = L"C:\\Tools\\kravix.exe";
const std::wstring kOther = L"D:\\Emu\\kravix.exe";

class WindowFlow : public ::testing::Test {
protected:
    void SetUp() override {
        fake.programs = {kKravix, kOther};
        fake.files[fake.ConfigPath()] = "\"C:\\Tools\\kravix.exe\"\r\n";
    }
    std::string Saved() { return fake.files[fake.ConfigPath()]; }
    bool Ended() const { return fake.exitStatus.has_value(); }

    FakePlatform fake;
};

// Browse the setup window to `path` and confirm it.
std::vector<UserStep> ChooseProgram(const std::wstring& path) {
    return {Click(SetupWindow::BrowseButton), Accept(path), Click(SetupWindow::OkButton)};
}

}  // namespace

TEST_F(WindowFlow, SavedPathFillsTheMainWindow) {
    fake.Run({});
    EXPECT_TRUE(fake.IsVisible(WindowId::Main));
    EXPECT_FALSE(fake.IsLoaded(WindowId::Setup));
    EXPECT_EQ(fake.TextOf(MainWindow::ProgramPathBox), kKravix);
    EXPECT_FALSE(Ended());
}

TEST_F(WindowFlow, EmptySavedPathOpensTheMainWindowWithoutSetup) {
    fake.files[fake.ConfigPath()] = "\"\"\r\n";
    fake.Run({});
    EXPECT_TRUE(fake.IsVisible(WindowId::Main));
    EXPECT_FALSE(fake.IsLoaded(WindowId::Setup));
    EXPECT_EQ(fake.TextOf(MainWindow::ProgramPathBox), L"");
}

TEST_F(WindowFlow, TypicalRunStartsKravixAndEnds) {
    fake.Run({Click(MainWindow::BrowseRomButton), Accept(L"C:\\ROMs\\Super Game.nes"),
              Click(MainWindow::BrowsePrimaryTableButton), Accept(L"C:\\t\\main.tbl"),
              Click(MainWindow::BrowseSecondaryTableButton), Accept(L"C:\\t\\extra.tbl"), Click(MainWindow::OkButton)});
    ASSERT_EQ(fake.started.size(), 1u);
    EXPECT_EQ(fake.started[0].program, kKravix);
    EXPECT_EQ(fake.started[0].commandLine,
              L"C:\\Tools\\kravix.exe \"C:\\ROMs\\Super Game.nes\" C:\\t\\main.tbl C:\\t\\extra.tbl");
    EXPECT_EQ(fake.exitStatus, 0);
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(WindowFlow, BrowseCancelKeepsTheBoxAndTheDialogRemembersItsChoice) {
    fake.Run({Click(MainWindow::BrowseRomButton), CancelDialog(),
              Check([&] { EXPECT_EQ(fake.TextOf(MainWindow::RomBox), L""); }), Click(MainWindow::BrowseRomButton),
              Accept(L"C:\\a.nes"), Click(MainWindow::BrowseRomButton), CancelDialog()});
    EXPECT_EQ(fake.TextOf(MainWindow::RomBox), L"C:\\a.nes");
    EXPECT_EQ(fake.TextOf(MainWindow::PrimaryTableBox), L"");
}

TEST_F(WindowFlow, NoConfigurationFileAsksForThePathFirst) {
    fake.files.clear();
    fake.Run({Check([&] {
                  EXPECT_TRUE(fake.IsModal(WindowId::Setup));
                  EXPECT_TRUE(fake.IsLoaded(WindowId::Main));
                  EXPECT_FALSE(fake.IsVisible(WindowId::Main)) << "the main window waits for the setup window";
              }),
              Click(SetupWindow::BrowseButton), Accept(kOther), Click(SetupWindow::OkButton)});
    EXPECT_EQ(Saved(), "\"D:\\Emu\\kravix.exe\"\r\n");
    EXPECT_TRUE(fake.IsVisible(WindowId::Main));
    EXPECT_FALSE(fake.IsLoaded(WindowId::Setup));
    EXPECT_EQ(fake.TextOf(MainWindow::ProgramPathBox), kOther);
}

TEST_F(WindowFlow, SetupCancelAtStartUpEndsAndWritesNothing) {
    fake.files.clear();
    fake.Run({Click(SetupWindow::BrowseButton), Accept(kOther), Click(SetupWindow::CancelButton)});
    EXPECT_EQ(fake.exitStatus, 0);
    EXPECT_TRUE(fake.files.empty());
}

TEST_F(WindowFlow, SetupCloseBoxAtStartUpShowsAnEmptyMainWindow) {
    fake.files.clear();
    fake.Run({Click(SetupWindow::BrowseButton), Accept(kOther), CloseBox(WindowId::Setup)});
    EXPECT_TRUE(fake.IsVisible(WindowId::Main));
    EXPECT_EQ(fake.TextOf(MainWindow::ProgramPathBox), L"");
    EXPECT_TRUE(fake.files.empty());
}

TEST_F(WindowFlow, ZeroLengthFileIsReplacedBySetup) {
    fake.files[fake.ConfigPath()] = "";
    fake.Run(ChooseProgram(kOther));
    EXPECT_EQ(Saved(), "\"D:\\Emu\\kravix.exe\"\r\n");
}

TEST_F(WindowFlow, FailedLaunchTellsTheUserAndKeepsTheWindow) {
    fake.programs.clear();
    fake.Run({Click(MainWindow::BrowseRomButton), Accept(L"C:\\a.nes"), Click(MainWindow::OkButton)});
    EXPECT_EQ(fake.messages, std::vector<std::wstring>{kLaunchFailureMessage});
    EXPECT_EQ(fake.screen.focus, MainWindow::ProgramPathBox);
    EXPECT_EQ(fake.TextOf(MainWindow::ProgramPathBox), kKravix);
    EXPECT_EQ(fake.TextOf(MainWindow::RomBox), L"C:\\a.nes");
    EXPECT_FALSE(Ended());
}

TEST_F(WindowFlow, EmptyProgramPathFailsInsteadOfStartingTheRom) {
    fake.files[fake.ConfigPath()] = "\"\"\r\n";
    fake.programs.insert(L"");
    fake.Run({Click(MainWindow::BrowseRomButton), Accept(L"C:\\a.nes"), Click(MainWindow::OkButton)});
    // The fake would start "" if asked; the point is that the ROM is never
    // taken for the program.
    for (const auto& start : fake.started)
        EXPECT_NE(start.program, L"C:\\a.nes");
}

TEST_F(WindowFlow, MainCancelAndCloseBoxEndTheProgram) {
    fake.Run({Click(MainWindow::CancelButton)});
    EXPECT_EQ(fake.exitStatus, 0);

    FakePlatform closing;
    closing.files = fake.files;
    closing.Run({CloseBox(WindowId::Main)});
    EXPECT_EQ(closing.exitStatus, 0);
    EXPECT_TRUE(closing.started.empty());
}

TEST_F(WindowFlow, F12OpensAnEmptySetupWindowBesideTheMainOne) {
    fake.Run({KeyDown(MainWindow::ProgramPathBox, Key::F12), Check([&] {
                  EXPECT_TRUE(fake.IsVisible(WindowId::Setup));
                  EXPECT_FALSE(fake.IsModal(WindowId::Setup));
                  EXPECT_EQ(fake.TextOf(SetupWindow::ProgramPathBox), L"") << "it does not show the current path";
              }),
              // Both windows take input.
              Click(MainWindow::BrowseRomButton), Accept(L"C:\\a.nes")});
    EXPECT_EQ(fake.TextOf(MainWindow::RomBox), L"C:\\a.nes");
}

TEST_F(WindowFlow, F12OnlyInTheProgramPathBoxAndNoOtherKey) {
    fake.Run({KeyDown(MainWindow::RomBox, Key::F12), KeyDown(MainWindow::OkButton, Key::F12),
              KeyDown(MainWindow::ProgramPathBox, Key::Other), KeyDown(MainWindow::ProgramPathBox, Key::Other)});
    EXPECT_FALSE(fake.IsLoaded(WindowId::Setup));
    EXPECT_FALSE(Ended());
}

TEST_F(WindowFlow, F12AgainBringsTheSetupWindowForwardUnchanged) {
    fake.Run({KeyDown(MainWindow::ProgramPathBox, Key::F12), Click(SetupWindow::BrowseButton), Accept(kOther),
              KeyDown(MainWindow::ProgramPathBox, Key::F12)});
    EXPECT_EQ(fake.screen.frontmost, WindowId::Setup);
    EXPECT_EQ(fake.TextOf(SetupWindow::ProgramPathBox), kOther);
}

TEST_F(WindowFlow, SetupOkAfterF12SavesAndFillsTheMainWindow) {
    std::vector<UserStep> script{KeyDown(MainWindow::ProgramPathBox, Key::F12)};
    for (auto& step : ChooseProgram(kOther))
        script.push_back(step);
    fake.Run(script);
    EXPECT_EQ(Saved(), "\"D:\\Emu\\kravix.exe\"\r\n");
    EXPECT_EQ(fake.TextOf(MainWindow::ProgramPathBox), kOther);
    EXPECT_FALSE(fake.IsLoaded(WindowId::Setup));
    EXPECT_TRUE(fake.IsVisible(WindowId::Main));
}

TEST_F(WindowFlow, MainOkWithSetupOpenUsesTheMainWindowsPath) {
    fake.Run({KeyDown(MainWindow::ProgramPathBox, Key::F12), Click(SetupWindow::BrowseButton), Accept(kOther),
              Click(MainWindow::OkButton)});
    ASSERT_EQ(fake.started.size(), 1u);
    EXPECT_EQ(fake.started[0].program, kKravix);
}

TEST_F(WindowFlow, FailedLaunchWithSetupOpenKeepsBoth) {
    fake.programs.clear();
    fake.Run({KeyDown(MainWindow::ProgramPathBox, Key::F12), Click(MainWindow::OkButton)});
    EXPECT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.screen.focus, MainWindow::ProgramPathBox);
    EXPECT_TRUE(fake.IsVisible(WindowId::Setup));
}

TEST_F(WindowFlow, CancelInEitherWindowEndsTheWholeProgram) {
    for (const Control cancel : {MainWindow::CancelButton, SetupWindow::CancelButton}) {
        FakePlatform run;
        run.files = fake.files;
        run.Run({KeyDown(MainWindow::ProgramPathBox, Key::F12), Click(SetupWindow::BrowseButton), Accept(kOther),
                 Click(cancel)});
        EXPECT_EQ(run.exitStatus, 0);
        EXPECT_EQ(run.files[run.ConfigPath()], "\"C:\\Tools\\kravix.exe\"\r\n");
    }
}

TEST_F(WindowFlow, SetupCloseBoxWritesNothingButChosenPathSurvives) {
    fake.Run({KeyDown(MainWindow::ProgramPathBox, Key::F12), Click(SetupWindow::BrowseButton), Accept(kOther),
              CloseBox(WindowId::Setup), Check([&] { EXPECT_EQ(fake.TextOf(MainWindow::ProgramPathBox), kKravix); }),
              KeyDown(MainWindow::ProgramPathBox, Key::F12), Check([&] {
                  EXPECT_EQ(fake.TextOf(SetupWindow::ProgramPathBox), L"") << "a new load starts empty";
                  EXPECT_EQ(fake.app.chosenPath, kOther);
              }),
              // The dialog starts again from its initial name: a cancel now gives that.
              Click(SetupWindow::BrowseButton), CancelDialog()});
    EXPECT_EQ(fake.TextOf(SetupWindow::ProgramPathBox), L"kravix.exe");
    EXPECT_EQ(fake.app.chosenPath, L"kravix.exe");
    EXPECT_EQ(Saved(), "\"C:\\Tools\\kravix.exe\"\r\n");
}

TEST_F(WindowFlow, CancelledFirstBrowseConfirmsTheBareName) {
    fake.files.clear();
    fake.Run({Click(SetupWindow::BrowseButton), CancelDialog(), Click(SetupWindow::OkButton)});
    EXPECT_EQ(Saved(), "\"kravix.exe\"\r\n");
    EXPECT_EQ(fake.TextOf(MainWindow::ProgramPathBox), L"kravix.exe");
}

// With nothing browsed since the window was loaded there is no new choice:
// the saved path and the main window's box stay as they were.
TEST_F(WindowFlow, SetupOkWithAnEmptyBoxChangesNothing) {
    fake.Run({KeyDown(MainWindow::ProgramPathBox, Key::F12), Click(SetupWindow::OkButton)});
    EXPECT_EQ(Saved(), "\"C:\\Tools\\kravix.exe\"\r\n");
    EXPECT_EQ(fake.TextOf(MainWindow::ProgramPathBox), kKravix);
    EXPECT_FALSE(fake.IsLoaded(WindowId::Setup));
    EXPECT_TRUE(fake.IsVisible(WindowId::Main));

    FakePlatform startUp;
    startUp.Run({Click(SetupWindow::OkButton)});
    EXPECT_TRUE(startUp.files.empty());
    EXPECT_TRUE(startUp.IsVisible(WindowId::Main));
    EXPECT_FALSE(startUp.IsLoaded(WindowId::Setup));
}

TEST_F(WindowFlow, SetupAloneReloadsTheMainWindowOnOk) {
    fake.Run({Click(MainWindow::BrowseRomButton), Accept(L"C:\\a.nes"), KeyDown(MainWindow::ProgramPathBox, Key::F12),
              CloseBox(WindowId::Main), Check([&] {
                  EXPECT_FALSE(fake.IsLoaded(WindowId::Main));
                  EXPECT_TRUE(fake.IsVisible(WindowId::Setup));
              }),
              Click(SetupWindow::BrowseButton), Accept(kOther), Click(SetupWindow::OkButton)});
    EXPECT_EQ(Saved(), "\"D:\\Emu\\kravix.exe\"\r\n");
    EXPECT_TRUE(fake.IsVisible(WindowId::Main));
    EXPECT_EQ(fake.TextOf(MainWindow::ProgramPathBox), kOther);
    EXPECT_EQ(fake.TextOf(MainWindow::RomBox), L"") << "fresh boxes after the reload";
    EXPECT_FALSE(fake.IsLoaded(WindowId::Setup));
    EXPECT_FALSE(Ended());
}

TEST_F(WindowFlow, SetupAloneCancelOrCloseEnds) {
    fake.Run(
        {KeyDown(MainWindow::ProgramPathBox, Key::F12), CloseBox(WindowId::Main), Click(SetupWindow::CancelButton)});
    EXPECT_EQ(fake.exitStatus, 0);

    FakePlatform closing;
    closing.files = fake.files;
    closing.Run({KeyDown(MainWindow::ProgramPathBox, Key::F12), CloseBox(WindowId::Main), CloseBox(WindowId::Setup)});
    EXPECT_EQ(closing.exitStatus, 0);
    EXPECT_EQ(closing.files, fake.files);
}
