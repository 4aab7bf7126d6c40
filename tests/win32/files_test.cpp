// kx_shell.ini on a real file system (Wine's when cross-compiling): the bytes
// that land on disk, saves that fail, odd and long paths, and the code page.
#include <windows.h>

#include <gtest/gtest.h>

#include "core/config_file.h"
#include "platform/win32/long_path.h"
#include "platform/win32/files.h"
#include "platform/win32/win32_platform.h"
#include "win32/test_folder.h"

namespace {

// The real platform, except that its program folder is a scratch folder, so
// kx_shell.ini is read and written there and not beside the test program.
class PlatformIn : public Win32Platform {
public:
    explicit PlatformIn(std::wstring directory)
        : directory_(std::move(directory)) {}
    std::wstring ProgramDirectory() override { return directory_; }

private:
    std::wstring directory_;
};

bool IsDirectory(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW((L"\\\\?\\" + path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Folders nested below `base` until a file name of `room` characters inside
// the deepest one makes a path longer than `length`.
std::wstring NestedFolder(const std::wstring& base, std::size_t length, std::size_t room) {
    std::wstring path = base;
    for (int depth = 1; path.size() + 1 + room <= length; ++depth) {
        path += L"\\a folder nested at depth " + std::to_wstring(depth);
        EXPECT_TRUE(CreateDirectoryW((L"\\\\?\\" + path).c_str(), nullptr)) << "depth " << depth;
    }
    return path;
}

// Whether a rename may replace a read-only file here, tried on two files of
// the folder's own.
bool RenamesOverReadOnlyFiles(const TestFolder& folder) {
    const std::wstring target = folder / L"probe target", source = folder / L"probe source";
    WriteBytes(target, "target");
    WriteBytes(source, "source");
    SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY);
    const bool renamed = MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING);
    SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(target.c_str());
    DeleteFileW(source.c_str());
    return renamed;
}

class ConfigOnDisk : public ::testing::Test {
protected:
    std::wstring Ini() const { return folder / L"kx_shell.ini"; }
    std::wstring Temporary() const { return folder / L"kx_shell.ini.tmp"; }

    // Saves `path`, checks the file holds exactly `bytes` and that it reads back.
    void ExpectSavedAs(const std::wstring& path, const std::string& bytes) {
        WriteProgramPath(platform, path);
        EXPECT_EQ(ReadBytes(Ini()), bytes);
        EXPECT_EQ(ReadProgramPath(platform), path);
        EXPECT_FALSE(Exists(Temporary()));
    }

    TestFolder folder{L"kx files"};
    PlatformIn platform{folder.path()};
};

const std::string kUtf8Mark = "\xEF\xBB\xBF";

TEST_F(ConfigOnDisk, AsciiPathIsSavedAsItsQuotedRecord) {
    ExpectSavedAs(L"C:\\Tools\\kravix.exe", "\"C:\\Tools\\kravix.exe\"\r\n");
    EXPECT_EQ(ReadBytes(Ini()).size(), 23u);
}

TEST_F(ConfigOnDisk, CyrillicPathIsSavedInCodePage1251WithoutAMark) {
    if (GetACP() != 1251) GTEST_SKIP() << "needs the ANSI code page 1251 (LC_ALL=ru_RU.UTF-8), not " << GetACP();
    // "Игры" and "Кравикс", one byte a letter.
    ExpectSavedAs(L"C:\\Игры\\Кравикс\\kravix.exe", "\"C:\\\xC8\xE3\xF0\xFB\\\xCA\xF0\xE0\xE2\xE8\xEA\xF1\\kravix.exe\"\r\n");
}

TEST_F(ConfigOnDisk, PathOutsideTheCodePageIsSavedAsUtf8AfterTheMark) {
    if (GetACP() == CP_UTF8) GTEST_SKIP() << "under the UTF-8 code page every path fits it";
    // A best-fit conversion would have saved "C:\8\kravix.exe" and "C:\Cafe\kravix.exe".
    ExpectSavedAs(L"C:\\∞\\kravix.exe", kUtf8Mark + "\"C:\\\xE2\x88\x9E\\kravix.exe\"\r\n");
    if (GetACP() == 1251) ExpectSavedAs(L"C:\\Café\\kravix.exe", kUtf8Mark + "\"C:\\Caf\xC3\xA9\\kravix.exe\"\r\n");
    ExpectSavedAs(L"C:\\日本\\kravix.exe", kUtf8Mark + "\"C:\\\xE6\x97\xA5\xE6\x9C\xAC\\kravix.exe\"\r\n");
    // One character outside makes the whole path UTF-8, Cyrillic included.
    ExpectSavedAs(L"C:\\Игры ∞\\kravix.exe",
                  kUtf8Mark + "\"C:\\\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B \xE2\x88\x9E\\kravix.exe\"\r\n");
}

TEST_F(ConfigOnDisk, SuccessfulSaveReplacesAStaleTemporaryFileAndLeavesNone) {
    WriteBytes(Ini(), "\"C:\\Old\\kravix.exe\"\r\n");
    WriteBytes(Temporary(), "left by a save that was cut short, and longer than the new record");
    ExpectSavedAs(L"C:\\New\\kravix.exe", "\"C:\\New\\kravix.exe\"\r\n");
}

TEST_F(ConfigOnDisk, SaveThatCannotCreateItsTemporaryFileKeepsTheOldFile) {
    const std::string old = "\"C:\\Old\\kravix.exe\"\r\n";
    WriteBytes(Ini(), old);
    // A folder in the temporary file's place: it cannot be opened for output.
    ASSERT_TRUE(CreateDirectoryW(Temporary().c_str(), nullptr));
    EXPECT_THROW(WriteProgramPath(platform, L"C:\\New\\kravix.exe"), PlatformFailure);
    EXPECT_EQ(ReadBytes(Ini()), old);
    EXPECT_TRUE(IsDirectory(Temporary())) << "the folder is untouched, no file took its place";
    EXPECT_EQ(ReadProgramPath(platform), L"C:\\Old\\kravix.exe");
}

TEST_F(ConfigOnDisk, SaveThatCannotReplaceTheFileKeepsItAndRemovesTheTemporaryFile) {
    const std::string old = "\"C:\\Old\\kravix.exe\"\r\n";
    WriteBytes(Ini(), old);
    // Another program reading kx_shell.ini without allowing it to be deleted
    // or renamed over: the replace fails after the temporary file is written.
    const HANDLE reader = CreateFileW(Ini().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_THROW(WriteProgramPath(platform, L"C:\\New\\kravix.exe"), PlatformFailure);
    CloseHandle(reader);
    EXPECT_EQ(ReadBytes(Ini()), old);
    EXPECT_FALSE(Exists(Temporary()));
}

TEST_F(ConfigOnDisk, SaveOverAReadOnlyFileKeepsItAndRemovesTheTemporaryFile) {
    // Windows refuses to rename over a read-only file; Wine does it, so there
    // the save simply succeeds and this case cannot arise.
    if (RenamesOverReadOnlyFiles(folder)) GTEST_SKIP() << "this system renames over read-only files (Wine does)";
    const std::string old = "\"C:\\Old\\kravix.exe\"\r\n";
    WriteBytes(Ini(), old);
    ASSERT_TRUE(SetFileAttributesW(Ini().c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_THROW(WriteProgramPath(platform, L"C:\\New\\kravix.exe"), PlatformFailure);
    EXPECT_EQ(ReadBytes(Ini()), old);
    EXPECT_FALSE(Exists(Temporary()));
}

TEST_F(ConfigOnDisk, ReadingFailsWithoutAFileOrWithAnEmptyOne) {
    EXPECT_THROW(ReadProgramPath(platform), PlatformFailure);
    WriteBytes(Ini(), "");
    EXPECT_THROW(ReadProgramPath(platform), PlatformFailure);
}

TEST_F(ConfigOnDisk, ReadsAFileAnotherProgramHoldsOpenForWriting) {
    WriteBytes(Ini(), "\"C:\\Tools\\kravix.exe\"\r\n");
    const HANDLE writer = CreateFileW(Ini().c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_EQ(ReadProgramPath(platform), L"C:\\Tools\\kravix.exe");
    CloseHandle(writer);
}

TEST_F(ConfigOnDisk, ReadsOnlyTheBeginningOfAHugeFile) {
    const std::string record = "\"C:\\Tools\\kravix.exe\"\r\n";
    WriteBytes(Ini(), record);
    // 64 MB: the record, then zeros up to the new end.
    const HANDLE file = CreateFileW(Ini().c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER end{};
    end.QuadPart = 64ll << 20;
    EXPECT_TRUE(SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file));
    CloseHandle(file);

    EXPECT_EQ(ReadProgramPath(platform), L"C:\\Tools\\kravix.exe");
    // Each read takes exactly what it asks for and leaves the rest unread.
    const FileHandle input = platform.OpenForInput(Ini());
    EXPECT_EQ(platform.ReadText(input, 10), record.substr(0, 10));
    EXPECT_EQ(platform.ReadText(input, 10), record.substr(10, 10));
    EXPECT_EQ(platform.ReadText(input, 3 << 20).size(), 3u << 20) << "reads past the 1 MB chunk";
    platform.CloseFile(input);
}

TEST_F(ConfigOnDisk, ReadStopsAtTheEndOfASmallFile) {
    const std::string record = "\"C:\\Tools\\kravix.exe\"\r\n";
    WriteBytes(Ini(), record);
    const FileHandle input = platform.OpenForInput(Ini());
    EXPECT_EQ(platform.ReadText(input, 1000), record);
    EXPECT_EQ(platform.ReadText(input, 1000), "");
    platform.CloseFile(input);
}

TEST_F(ConfigOnDisk, PathsLongerThanMaxPathAreSavedAndRead) {
    const std::wstring deep = NestedFolder(folder.path(), 300, 16);
    PlatformIn deepPlatform(deep);
    ASSERT_GT(ConfigFilePath(deepPlatform).size(), 300u);
    const std::wstring program = deep + L"\\kravix.exe";
    WriteProgramPath(deepPlatform, program);
    EXPECT_EQ(ReadProgramPath(deepPlatform), program);
    EXPECT_EQ(ReadBytes(deep + L"\\kx_shell.ini"), '"' + ToUtf8(program) + "\"\r\n");
    EXPECT_FALSE(Exists(deep + L"\\kx_shell.ini.tmp"));
}

// A drive root's program folder ends in a backslash ("C:\"), so the file's
// path has a doubled one ("C:\\kx_shell.ini"); the \\?\ form would take it
// literally and fail.
TEST_F(ConfigOnDisk, ProgramFolderEndingInABackslashWorksShortAndLong) {
    PlatformIn rootLike(folder.path() + L"\\");
    WriteProgramPath(rootLike, L"C:\\Tools\\kravix.exe");
    EXPECT_EQ(ReadProgramPath(rootLike), L"C:\\Tools\\kravix.exe");
    EXPECT_EQ(ReadBytes(Ini()), "\"C:\\Tools\\kravix.exe\"\r\n");

    const std::wstring deep = NestedFolder(folder.path(), 300, 16);
    PlatformIn deepRootLike(deep + L"\\");
    ASSERT_NE(ConfigFilePath(deepRootLike).find(L"\\\\kx_shell.ini"), std::wstring::npos);
    WriteProgramPath(deepRootLike, L"C:\\Deep\\kravix.exe");
    EXPECT_EQ(ReadProgramPath(deepRootLike), L"C:\\Deep\\kravix.exe");
    EXPECT_EQ(ReadBytes(deep + L"\\kx_shell.ini"), "\"C:\\Deep\\kravix.exe\"\r\n");
    EXPECT_FALSE(Exists(deep + L"\\kx_shell.ini.tmp"));
}

TEST(ForFileApi, ShortPathsAreLeftAsTheyAre) {
    EXPECT_EQ(win32::ForFileApi(L"C:\\Tools\\kx_shell.ini"), L"C:\\Tools\\kx_shell.ini");
    EXPECT_EQ(win32::ForFileApi(L"C:\\\\kx_shell.ini"), L"C:\\\\kx_shell.ini");
    EXPECT_EQ(win32::ForFileApi(L"\\\\server\\share\\kx_shell.ini"), L"\\\\server\\share\\kx_shell.ini");
}

TEST(ForFileApi, LongPathsGetTheExtendedFormFullAndCanonical) {
    std::wstring tail;
    for (int i = 0; i < 12; ++i) tail += L"\\folder number " + std::to_wstring(i) + L" of many";
    tail += L"\\kx_shell.ini";
    ASSERT_GT(tail.size(), 260u);

    EXPECT_EQ(win32::ForFileApi(L"C:" + tail), L"\\\\?\\C:" + tail);
    // Doubled backslashes, "." and ".." mean nothing in the \\?\ form: they are resolved first.
    EXPECT_EQ(win32::ForFileApi(L"C:\\" + tail), L"\\\\?\\C:" + tail);
    EXPECT_EQ(win32::ForFileApi(L"C:\\.\\gone\\.." + tail), L"\\\\?\\C:" + tail);
    EXPECT_EQ(win32::ForFileApi(L"\\\\server\\share" + tail), L"\\\\?\\UNC\\server\\share" + tail);
    EXPECT_EQ(win32::ForFileApi(L"\\\\?\\C:" + tail), L"\\\\?\\C:" + tail) << "already extended";
}

TEST(AnsiCodePage, ToAnsiRefusesWhatCodePage1251Lacks) {
    if (GetACP() != 1251) GTEST_SKIP() << "needs the ANSI code page 1251 (LC_ALL=ru_RU.UTF-8), not " << GetACP();
    PlatformIn platform(L"C:\\");
    std::string bytes;
    EXPECT_FALSE(platform.ToAnsi(L"∞", bytes)) << "best fit would give 8";
    EXPECT_FALSE(platform.ToAnsi(L"C:\\∞\\kravix.exe", bytes));
    EXPECT_FALSE(platform.ToAnsi(L"日本", bytes));
    EXPECT_FALSE(platform.ToAnsi(L"café", bytes)) << "best fit would give e";
    EXPECT_FALSE(platform.ToAnsi(std::wstring(L"C:\\") + wchar_t(0xD800), bytes)) << "a lone surrogate";

    EXPECT_TRUE(platform.ToAnsi(L"C:\\Tools\\kravix.exe", bytes));
    EXPECT_EQ(bytes, "C:\\Tools\\kravix.exe");
    EXPECT_TRUE(platform.ToAnsi(L"Кравикс", bytes));
    EXPECT_EQ(bytes, "\xCA\xF0\xE0\xE2\xE8\xEA\xF1");
    EXPECT_TRUE(platform.ToAnsi(L"Ёё№", bytes));
    EXPECT_EQ(bytes, "\xA8\xB8\xB9");
    EXPECT_TRUE(platform.ToAnsi(L"", bytes));
    EXPECT_EQ(bytes, "");
}

TEST(AnsiCodePage, FromAnsiReadsCodePage1251) {
    if (GetACP() != 1251) GTEST_SKIP() << "needs the ANSI code page 1251 (LC_ALL=ru_RU.UTF-8), not " << GetACP();
    PlatformIn platform(L"C:\\");
    EXPECT_EQ(platform.FromAnsi("\xCA\xF0\xE0\xE2\xE8\xEA\xF1"), L"Кравикс");
    // 0xC0 to 0xFF are А to я, in order.
    std::string bytes;
    std::wstring letters;
    for (int i = 0; i < 64; ++i) {
        bytes += static_cast<char>(0xC0 + i);
        letters += static_cast<wchar_t>(0x0410 + i);
    }
    EXPECT_EQ(platform.FromAnsi(bytes), letters);
    EXPECT_EQ(platform.FromAnsi(""), L"");
}

TEST(ProgramDirectory, IsTheFolderOfTheRunningProgramWithoutATrailingBackslash) {
    wchar_t module[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, module, MAX_PATH * 4);
    ASSERT_GT(length, 0u);
    const std::wstring exe(module, length);
    const std::wstring expected = exe.substr(0, exe.find_last_of(L'\\'));
    EXPECT_EQ(win32::ProgramDirectory(), expected);
    EXPECT_NE(win32::ProgramDirectory().back(), L'\\');
    Win32Platform platform;
    EXPECT_EQ(platform.ProgramDirectory(), expected);
}

}  // namespace
