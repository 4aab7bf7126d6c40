#include "core/config_file.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

#include "support/fake_platform.h"

namespace {

class ConfigFile : public ::testing::Test {
protected:
    std::optional<std::wstring> Parse(const std::string& bytes) { return ParseFirstField(fake, bytes, true); }
    std::wstring Saved() { return fake.directory + L"\\kx_shell.ini"; }

    FakePlatform fake;
};

}  // namespace

TEST_F(ConfigFile, RecordIsTheQuotedPathAndCrLfInTheAnsiCodePage) {
    EXPECT_EQ(EncodeRecord(fake, L"C:\\Tools\\kravix.exe"), "\"C:\\Tools\\kravix.exe\"\r\n");
    EXPECT_EQ(EncodeRecord(fake, L"C:\\Tools\\kravix.exe").size(), 23u);
    EXPECT_EQ(EncodeRecord(fake, L""), "\"\"\r\n");
    EXPECT_EQ(EncodeRecord(fake, L"C:\\Ж\\k.exe"), "\"C:\\\xC6\\k.exe\"\r\n");
}

TEST_F(ConfigFile, PathOutsideTheCodePageIsWrittenAsUtf8AfterTheMark) {
    EXPECT_EQ(EncodeRecord(fake, L"C:\\∞\\k.exe"), "\xEF\xBB\xBF\"C:\\\xE2\x88\x9E\\k.exe\"\r\n");
    EXPECT_EQ(Parse("\xEF\xBB\xBF\"C:\\\xE2\x88\x9E\\k.exe\"\r\n"), L"C:\\∞\\k.exe");
}

TEST_F(ConfigFile, EveryWrittenRecordReadsBackExactly) {
    const std::wstring paths[] = {L"",
                                  L"C:\\Tools\\kravix.exe",
                                  L"C:\\a,b\\kravix.exe",
                                  L"  C:\\leading blanks\\k.exe  ",
                                  L"C:\\Игры\\kravix.exe",
                                  L"C:\\日本\\kravix.exe",
                                  L"C:\\emoji \U0001F600\\k.exe",
                                  std::wstring(kLongestPath, L'a')};
    for (const std::wstring& path : paths)
        EXPECT_EQ(Parse(EncodeRecord(fake, path)), path);
}

TEST_F(ConfigFile, FieldRules) {
    EXPECT_EQ(Parse("\"\"\r\n"), L"");
    EXPECT_EQ(Parse("\r\n"), L"");
    EXPECT_EQ(Parse("C:\\A,B\r\n"), L"C:\\A");
    EXPECT_EQ(Parse("C:\\A"), L"C:\\A");
    EXPECT_EQ(Parse("   \t\"C:\\x\"junk,more\r\nsecond line"), L"C:\\x");
    EXPECT_EQ(Parse("C:\\with blanks after  \t\r\n"), L"C:\\with blanks after");
    EXPECT_EQ(Parse("\"C:\\A,B\""), L"C:\\A,B");
}

TEST_F(ConfigFile, LineEndsAndUnclosedQuotes) {
    EXPECT_EQ(Parse("C:\\lone cr\rnext"), L"C:\\lone cr");
    EXPECT_EQ(Parse("C:\\lone lf\nnext"), L"C:\\lone lf");
    EXPECT_EQ(Parse("\"C:\\unclosed\r\n\"next\""), L"C:\\unclosed");
    EXPECT_EQ(Parse("\"C:\\unclosed to the end"), L"C:\\unclosed to the end");
}

TEST_F(ConfigFile, FilesWithoutAPathFail) {
    EXPECT_FALSE(Parse(""));
    EXPECT_FALSE(Parse("   \t  "));
    EXPECT_FALSE(Parse("C:\\a\0b\r\n"s));
    EXPECT_FALSE(Parse("\xEF\xBB\xBF\"C:\\\xC0\xAF\"\r\n"));  // not UTF-8
    EXPECT_FALSE(Parse("\xEF\xBB\xBF\"C:\\\xE2\x88\"\r\n"));  // cut sequence
    EXPECT_FALSE(Parse(std::string(kLongestPath + 1, 'a')));
}

TEST_F(ConfigFile, ReadingStopsAtTheLimitWhateverTheFileHolds) {
    fake.files[Saved()] = "\"C:\\k.exe\"\r\n" + std::string(3 * kRecordReadLimit, 'x');
    EXPECT_EQ(ReadProgramPath(fake), L"C:\\k.exe");

    // A field still open where reading stops is longer than any path.
    fake.files[Saved()] = std::string(3 * kRecordReadLimit, 'x');
    EXPECT_THROW(ReadProgramPath(fake), PlatformFailure);
    EXPECT_EQ(fake.openFiles, 0);
}

TEST_F(ConfigFile, DoubleByteTextIsCutBeforeItIsDecoded) {
    // Bytes of a UTF-8 letter may straddle the read limit; the field before
    // them is still read.
    std::string bytes = "\xEF\xBB\xBF\"C:\\k.exe\"\r\n";
    bytes.resize(kRecordReadLimit - 1, 'x');
    bytes += "\xD0\x96";
    fake.files[Saved()] = bytes;
    EXPECT_EQ(ReadProgramPath(fake), L"C:\\k.exe");
}

TEST_F(ConfigFile, MissingOrLockedFileFailsAndClosesWhatItOpened) {
    EXPECT_THROW(ReadProgramPath(fake), PlatformFailure);
    fake.files[Saved()] = "\"C:\\k.exe\"\r\n";
    fake.lockedFiles.insert(Saved());
    EXPECT_THROW(ReadProgramPath(fake), PlatformFailure);
    fake.lockedFiles.clear();
    fake.FailOn("ReadText");
    EXPECT_THROW(ReadProgramPath(fake), PlatformFailure);
    EXPECT_EQ(fake.openFiles, 0);
}

TEST_F(ConfigFile, PathIsBuiltFromTheProgramDirectoryEachTime) {
    fake.directory = L"D:\\";
    WriteProgramPath(fake, L"D:\\k.exe");
    EXPECT_EQ(fake.files.count(L"D:\\\\kx_shell.ini"), 1u);
    fake.directory = L"E:\\other";
    EXPECT_THROW(ReadProgramPath(fake), PlatformFailure);
}

TEST_F(ConfigFile, WritingReplacesTheWholeFile) {
    fake.files[Saved()] = "\"C:\\old.exe\"\r\nsecond\r\nthird\r\n";
    WriteProgramPath(fake, L"C:\\Tools\\kravix.exe");
    EXPECT_EQ(fake.files[Saved()], "\"C:\\Tools\\kravix.exe\"\r\n");
    EXPECT_EQ(fake.files.size(), 1u) << "no temporary file is left behind";
    EXPECT_EQ(fake.openFiles, 0);
}

// A save that fails at any step leaves the saved path as it was, and no
// temporary file; the failure still reaches the caller.
TEST_F(ConfigFile, FailedSaveKeepsThePreviousFile) {
    const std::string previous = "\"C:\\old\\kravix.exe\"\r\n";
    for (const char* step : {"ProgramDirectory", "OpenForOutput", "WriteText", "CloseFile", "MoveIntoPlace"}) {
        FakePlatform fresh;
        fresh.files[fresh.ConfigPath()] = previous;
        fresh.FailOn(step);
        EXPECT_THROW(WriteProgramPath(fresh, L"C:\\new\\kravix.exe"), PlatformFailure) << step;
        EXPECT_EQ(fresh.files[fresh.ConfigPath()], previous) << step;
        EXPECT_EQ(fresh.files.size(), 1u) << step;
        EXPECT_EQ(fresh.openFiles, 0) << step;
    }
}

TEST_F(ConfigFile, ZeroLengthFileFailsThenTakesANewRecord) {
    fake.files[Saved()] = "";
    EXPECT_THROW(ReadProgramPath(fake), PlatformFailure);
    WriteProgramPath(fake, L"C:\\k.exe");
    EXPECT_EQ(ReadProgramPath(fake), L"C:\\k.exe");
}
