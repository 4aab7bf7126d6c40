// What a failure inside each handler leads to: guarded handlers answer it,
// unguarded ones and answers end the program with a report.
#include <gtest/gtest.h>

#include "core/launch.h"
#include "core/window_flow.h"
#include "support/fake_platform.h"

namespace {

class Guard : public ::testing::Test {
protected:
    void SetUp() override {
        fake.programs = {L"C:\\k.exe"};
        fake.files[fake.ConfigPath()] = "\"C:\\k.exe\"\r\n";
    }
    bool EndedFatally() const { return fake.exitStatus == 1 && fake.fatal.has_value(); }

    FakePlatform fake;
};

}  // namespace

// Any failing step of the start-up read opens the setup window, silently.
TEST_F(Guard, StartUpReadFailureOpensSetup) {
    for (const char* step : {"ProgramDirectory", "OpenForInput", "ReadText", "CloseFile", "SetText"}) {
        FakePlatform run;
        run.files = fake.files;
        run.FailOn(step);
        run.Run({Check([&] { EXPECT_TRUE(run.IsModal(WindowId::Setup)) << step; }), CloseBox(WindowId::Setup)});
        EXPECT_TRUE(run.messages.empty()) << step;
        EXPECT_FALSE(run.fatal) << step;
        EXPECT_TRUE(run.IsVisible(WindowId::Main)) << step;
    }
}

TEST_F(Guard, FailingToOpenSetupAtStartUpIsFatal) {
    fake.files.clear();
    fake.FailOn("ShowWindow");
    fake.Run({});
    EXPECT_TRUE(EndedFatally());
}

// After F12 and the main window's close, OK reloads the main window; if its
// start-up read then fails, the setup window cannot be shown modally again.
TEST_F(Guard, StartUpReadAnswerInTheReloadIsFatal) {
    fake.FailOn("OpenForInput", 2);
    fake.Run({KeyDown(MainWindow::ProgramPathBox, Key::F12), CloseBox(WindowId::Main), Click(SetupWindow::BrowseButton),
              Accept(L"C:\\k.exe"), Click(SetupWindow::OkButton)});
    EXPECT_TRUE(EndedFatally());
}

TEST_F(Guard, BrowseFailuresAreIgnored) {
    fake.FailOn("ShowOpen");
    fake.FailOn("SetText", 2);  // the first fills the program path
    fake.Run({Click(MainWindow::BrowseRomButton), Click(MainWindow::BrowsePrimaryTableButton), Accept(L"C:\\a.tbl"),
              Click(MainWindow::BrowseSecondaryTableButton), Accept(L"C:\\b.tbl")});
    EXPECT_EQ(fake.TextOf(MainWindow::RomBox), L"");
    EXPECT_EQ(fake.TextOf(MainWindow::PrimaryTableBox), L"");
    EXPECT_EQ(fake.TextOf(MainWindow::SecondaryTableBox), L"C:\\b.tbl");
    EXPECT_FALSE(fake.exitStatus);
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(Guard, SetupBrowseKeepsWhatWasDoneBeforeItsFailure) {
    fake.FailOn("GetText");
    fake.Run({KeyDown(MainWindow::ProgramPathBox, Key::F12), Click(SetupWindow::BrowseButton), Accept(L"D:\\k.exe")});
    EXPECT_EQ(fake.TextOf(SetupWindow::ProgramPathBox), L"D:\\k.exe");
    EXPECT_EQ(fake.app.chosenPath, L"");
    EXPECT_FALSE(fake.exitStatus);
}

TEST_F(Guard, ReadingTheBoxesForALaunchFailsWithTheLaunchMessage) {
    fake.FailOn("GetText", 3);
    fake.Run({Click(MainWindow::OkButton)});
    EXPECT_TRUE(fake.started.empty());
    EXPECT_EQ(fake.messages, std::vector<std::wstring>{kLaunchFailureMessage});
    EXPECT_EQ(fake.screen.focus, MainWindow::ProgramPathBox);
}

TEST_F(Guard, FailuresInTheLaunchAnswerAreFatal) {
    for (const char* step : {"ShowMessage", "SetFocus"}) {
        FakePlatform run;
        run.files = fake.files;
        run.FailOn(step);
        run.Run({Click(MainWindow::OkButton)});
        EXPECT_EQ(run.exitStatus, 1) << step;
        EXPECT_TRUE(run.fatal) << step;
    }
}

TEST_F(Guard, F12FailureIsFatal) {
    fake.FailOn("ShowWindow", 2);  // the first shows the main window
    fake.Run({KeyDown(MainWindow::ProgramPathBox, Key::F12)});
    EXPECT_TRUE(EndedFatally());
}

TEST_F(Guard, FailedSaveIsFatalAndKeepsTheSavedPath) {
    fake.FailOn("WriteText");
    fake.Run({KeyDown(MainWindow::ProgramPathBox, Key::F12), Click(SetupWindow::BrowseButton), Accept(L"D:\\new.exe"),
              Click(SetupWindow::OkButton)});
    EXPECT_TRUE(EndedFatally());
    ASSERT_TRUE(fake.fatal);
    EXPECT_NE(fake.fatal->action.find(fake.ConfigPath()), std::wstring::npos) << "the report names the file";
    EXPECT_EQ(fake.files[fake.ConfigPath()], "\"C:\\k.exe\"\r\n");
    EXPECT_EQ(fake.files.size(), 1u);
}

// The start-up read's guard is waiting in its answer while the modal setup
// window runs; a failure in the setup window's OK is that OK's own, and fatal.
TEST_F(Guard, NoGuardCoversHandlersInsideTheModalWindow) {
    fake.files.clear();
    fake.FailOn("MoveIntoPlace");
    fake.Run({Click(SetupWindow::BrowseButton), Accept(L"D:\\new.exe"), Click(SetupWindow::OkButton)});
    EXPECT_TRUE(EndedFatally());
    EXPECT_FALSE(fake.IsVisible(WindowId::Main));
    EXPECT_TRUE(fake.files.empty());
}

TEST_F(Guard, EveryStepOfTheSetupOkIsUnguarded) {
    for (const char* step : {"SetText"}) {
        FakePlatform run;
        run.files = fake.files;
        // SetText runs at start-up and in the browse before the OK.
        run.FailOn(step, step == std::string("SetText") ? 3 : 1);
        run.Run({KeyDown(MainWindow::ProgramPathBox, Key::F12), Click(SetupWindow::BrowseButton),
                 Accept(L"D:\\new.exe"), Click(SetupWindow::OkButton)});
        EXPECT_EQ(run.exitStatus, 1) << step;
    }
}
