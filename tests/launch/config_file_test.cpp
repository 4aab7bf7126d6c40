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

// The record written; kx_shell.ini replaced in one step, or written in place where only it may be written; what the
// user is told when neither works. No save leaves a file of its own behind.
TEST(ConfigFile, Saves) {
    using enum PlatformFailure::Cause;
    const std::wstring ini = L"D:\\\\kx_shell.ini";  // at a drive root: the two backslashes name the same file
    const std::string oldRecord = "\"C:\\old.exe\"\r\nsecond\r\n";
    struct Failing {
        const char* operation;
        int times;
        PlatformFailure::Cause cause;
    };
    const struct {
        const char* name;
        std::wstring path = L"C:\\new.exe";
        std::vector<Failing> failing{};
        bool readOnly = false;
        std::string saved = "\"C:\\new.exe\"\r\n";  // empty: the old record kept
        std::wstring told = L"";                    // why nothing was saved
        bool retried = false;
    } cases[] = {
        {.name = "ANSI", .path = L"C:\\Ж\\\x7F.exe", .saved = "\"C:\\\xC6\\\x7F.exe\"\r\n"},
        {.name = "3-byte UTF-8",
         .path = L"C:\\\u0800\u221E\uFFFF",
         .saved = kMark + "\"C:\\\xE0\xA0\x80\xE2\x88\x9E\xEF\xBF\xBF\"\r\n"},
        {.name = "no new file in the folder: written in place", .failing = {{"CreateNewFile", 1, Denied}}},
        {.name = "never replaced: written in place", .failing = {{"MoveIntoPlace", 10, Denied}}, .retried = true},
        {.name = "refused in place too: told to move kx_shell",
         .failing = {{"CreateNewFile", 1, Denied}, {"OpenForOutput", 1, Denied}},
         .saved = "",
         .told = L"injected\nOpenForOutput\n\nkx_shell не может записывать файлы в свою папку. Перенесите kx_shell в "
                 L"папку, где вы можете сохранять файлы."},
        {.name = "the disk full in place: its reason alone, before a byte is written over",
         .path = L"C:\\a longer path\\kravix.exe",
         .failing = {{"CreateNewFile", 1, Denied}, {"SetLength", 1, Other}},
         .saved = "",
         .told = L"injected\nSetLength"},
        {.name = "marked read-only: told how to clear the mark, nothing tried",
         .readOnly = true,
         .saved = "",
         .told = L"Файл отмечен как доступный только для чтения. Чтобы kx_shell мог сохранять в нём путь, щёлкните "
                 L"файл правой кнопкой мыши, выберите «Свойства» и снимите флажок «Только чтение»."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeSystem system;
        system.directory = L"D:\\";
        system.files = {{ini, oldRecord}, {ini + L".tmp", "a crash's"}};
        if (c.readOnly) system.readOnly = {ini};
        for (const Failing& failing : c.failing) system.FailOn(failing.operation, failing.times, failing.cause);
        try {
            WriteProgramPath(system, c.path);
            EXPECT_EQ(ReadProgramPath(system), c.path);
        } catch (const PlatformFailure& failure) {
            EXPECT_EQ(failure.action, L"Не удалось сохранить путь к kravix.exe в файл D:\\\\kx_shell.ini.");
            EXPECT_EQ(failure.reason, c.told);
        }
        EXPECT_EQ(system.files[ini], c.saved.empty() ? oldRecord : c.saved);
        EXPECT_EQ(system.files.size(), 2u) << "a temporary file left behind";
        EXPECT_EQ(system.openFiles, 0);
        // A move is tried again a moment later, and the user waits less than half a second in all.
        EXPECT_EQ(system.pausedMs > 0, c.retried);
        EXPECT_LT(system.pausedMs, 500);
    }
}
