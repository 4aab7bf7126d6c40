// kx_shell.ini: the bytes written, the rule the first field is read by, and saves.
#include "config_file.h"

#include "fake_system.h"
#include "unicode.h"

using namespace std::string_literals;

const std::string kMark = "\xEF\xBB\xBF";

// Windows' UTF-16, with its surrogate pairs, on every host.
TEST(ConfigFile, Utf8OfBothSizesOfCodeUnit) {
    // Lone surrogates in their 3-byte form, pairs in the 4-byte form of the code point.
    EXPECT_EQ(EncodeUtf8<char16_t>(u"\xD800x\xDC00\xDC00\xDBFF\xE000\U00010000\U0001F600\U0010FFFF"),
              "\xED\xA0\x80x\xED\xB0\x80\xED\xB0\x80\xED\xAF\xBF\xEE\x80\x80"
              "\xF0\x90\x80\x80\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF");
    EXPECT_EQ(DecodeUtf8<char16_t>("\xF0\x90\x80\x80\xF4\x8F\xBF\xBF\xED\xB0\x80\0"s),
              u"\U00010000\U0010FFFF\xDC00\0"s);
}

// The first field, up to the most a reader takes; the file is closed whatever it holds.
TEST(ConfigFile, FirstFieldRules) {
    // The most a reader takes: a UTF-8 mark, the longest path and its quotes at three bytes a character, CR LF.
    const std::size_t readLimit = 3 + 3 * (32767 + 2) + 2;
    // clang-format off
    const struct { const char* name; std::string bytes; std::optional<std::wstring> field; } cases[] = {
        {"blanks after an unquoted value", "C:\\blanks after  \t\r\n", L"C:\\blanks after"},
        {"UTF-8 without the mark", "\"C:\\\xD0\x98\xD0\xB3\"", L"C:\\Иг"},
        // As Notepad saves "Unicode": UTF-16 after its byte-order mark.
        {"UTF-16", "\xFF\xFE\"\0\x18\x04\x3D\xD8\x00\xDE\"\0,\0x\0"s, L"\u0418\U0001F600"},
        {"UTF-16 big-endian, unquoted", "\xFE\xFF\0 \0C\0:\0\\\0A\0,\0B"s, L"C:\\A"},
        {"zero length", "", std::nullopt},
        {"a NUL", "C:\\a\0b\r\n"s, std::nullopt},
        {"a quoted field open where reading stops", std::string(readLimit - 7, ' ') + "\"C:\\k.e", std::nullopt},
        // After the mark, what is not UTF-8.
        {"overlong, 3 bytes", kMark + "\xE0\x9F\xBF", std::nullopt},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeSystem system;
        system.files[system.Ini()] = c.bytes;
        try {
            EXPECT_EQ(ReadProgramPath(system), c.field);
        } catch (const PlatformFailure&) {
            EXPECT_EQ(c.field, std::nullopt) << "unreadable";
        }
        EXPECT_EQ(system.openFiles, 0);
    }
}

// Records as written and read back; retried moves; kx_shell.ini written in place where only it may be written; a
// failed save leaves the file and no temporary one.
TEST(ConfigFile, Saves) {
    using enum PlatformFailure::Cause;
    const std::wstring cannotWriteInFolder =
        L"\n\nkx_shell не может записывать файлы в свою папку. Перенесите kx_shell в "
        L"папку, где вы можете сохранять файлы (например, в «Документы»).";
    // The path, the record saved (empty: none, and what the user is told), the operation that fails, how many times
    // and why, and one that fails once after it.
    // clang-format off
    const struct { const char* name; std::wstring path; std::string record; const char* failing = ""; int times = 0;
                   PlatformFailure::Cause cause = Other; const char* thenFailing = ""; std::wstring told = L""; } cases[] = {
        {"ANSI", L"C:\\Ж\\\x7F.exe", "\"C:\\\xC6\\\x7F.exe\"\r\n"},
        {"3-byte UTF-8", L"C:\\\u0800\u221E\uFFFF", kMark + "\"C:\\\xE0\xA0\x80\xE2\x88\x9E\xEF\xBF\xBF\"\r\n"},
        {"no new file in the folder: written in place", L"C:\\new.exe", "\"C:\\new.exe\"\r\n", "CreateNewFile", 1, Denied},
        {"never replaced: written in place", L"C:\\new.exe", "\"C:\\new.exe\"\r\n", "MoveIntoPlace", 10, Denied},
        {"nor in place: the user told why", L"C:\\new.exe", "", "CreateNewFile", 1, Denied, "OpenForOutput",
         L"injected\nOpenForOutput" + cannotWriteInFolder},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeSystem system;
        system.directory = L"D:\\";  // a drive root: the two backslashes name the same file
        const std::wstring ini = L"D:\\\\kx_shell.ini";
        const std::map<std::wstring, std::string> before{{ini, "\"C:\\old.exe\"\r\nsecond\r\n"},
                                                         {ini + L".tmp", "stale"}};
        system.files = before;
        system.FailOn(c.failing, c.times, c.cause);
        system.FailOn(c.thenFailing);
        try {
            WriteProgramPath(system, c.path);
            EXPECT_EQ(system.files[ini], c.record);
            EXPECT_EQ(ReadProgramPath(system), c.path);
            system.files[ini] = before.at(ini);
        } catch (const PlatformFailure& failure) {
            EXPECT_EQ(c.record, "") << "not saved";
            EXPECT_EQ(failure.action, L"Не удалось сохранить путь к kravix.exe в файл D:\\\\kx_shell.ini.");
            EXPECT_EQ(failure.reason, c.told);
        }
        EXPECT_EQ(system.files, before);
        EXPECT_EQ(system.openFiles, 0);
        // A move is tried again a moment later, and the user waits less than half a second in all.
        EXPECT_EQ(system.pausedMs > 0, c.times > 1);
        EXPECT_LT(system.pausedMs, 500);
    }
}
