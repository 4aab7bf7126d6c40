#include "core/launch.h"

#include <gtest/gtest.h>

#include "support/fake_platform.h"

namespace {

class Launch : public ::testing::Test {
protected:
    void SetUp() override { fake.programs = {kProgram}; }
    // Runs a launch to its end and returns the command line it started.
    std::wstring Started(const LaunchTexts& texts) {
        EXPECT_THROW(LaunchProgram(fake, texts), ProgramEnded);
        return fake.started.empty() ? L"<nothing started>" : fake.started.back().commandLine;
    }

    const std::wstring kProgram = L"C:\\Tools\\kravix.exe";
    FakePlatform fake;
};

}  // namespace

TEST_F(Launch, PathsTheCodePageHoldsPassUnchanged) {
    EXPECT_EQ(Started({kProgram, L"C:\\Игры\\Танчики.nes", L"C:\\t.tbl", L""}),
              L"C:\\Tools\\kravix.exe C:\\Игры\\Танчики.nes C:\\t.tbl ");
}

// An old program reading its command line in the ANSI code page would get
// question marks for these letters; the short form names the same file.
TEST_F(Launch, PathOutsideTheCodePageGoesByItsShortForm) {
    fake.shortPaths[L"C:\\ROMs\\ゲーム.nes"] = L"C:\\ROMs\\8B2E~1.NES";
    fake.shortPaths[L"C:\\Tables\\∞ table.tbl"] = L"C:\\Tables\\TABLE~1.TBL";
    EXPECT_EQ(Started({kProgram, L"C:\\ROMs\\ゲーム.nes", L"C:\\Tables\\∞ table.tbl", L"C:\\plain.tbl"}),
              L"C:\\Tools\\kravix.exe C:\\ROMs\\8B2E~1.NES C:\\Tables\\TABLE~1.TBL C:\\plain.tbl");
}

TEST_F(Launch, WithoutAShortFormThePathPassesAsItIs) {
    EXPECT_EQ(Started({kProgram, L"C:\\ROMs\\ゲーム 2.nes", L"", L""}),
              L"C:\\Tools\\kravix.exe \"C:\\ROMs\\ゲーム 2.nes\"  ");
}

TEST_F(Launch, AShortFormTheCodePageCannotHoldIsNotUsed) {
    fake.shortPaths[L"C:\\ゲーム.nes"] = L"C:\\ゲーム.nes";
    EXPECT_EQ(Started({kProgram, L"C:\\ゲーム.nes", L"", L""}), L"C:\\Tools\\kravix.exe C:\\ゲーム.nes  ");
}

TEST_F(Launch, TheProgramIsStartedByItsFullName) {
    const std::wstring program = L"C:\\Программы ∞\\kravix.exe";
    fake.programs = {program};
    fake.shortPaths[program] = L"C:\\PROGRA~1\\kravix.exe";
    EXPECT_EQ(Started({program, L"r.nes", L"t.tbl", L""}), L"C:\\PROGRA~1\\kravix.exe r.nes t.tbl ");
    EXPECT_EQ(fake.started.back().program, program);
}

TEST_F(Launch, FailedStartThrowsAndEndsNothing) {
    fake.programs.clear();
    EXPECT_THROW(LaunchProgram(fake, {kProgram, L"", L"", L""}), PlatformFailure);
    EXPECT_FALSE(fake.exitStatus);
}
