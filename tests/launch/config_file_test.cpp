// kx_shell.ini: the bytes written, the rule the first field is read by, and saves.
#include "config_file.h"

#include "fake_system.h"
#include "unicode.h"

using namespace std::string_literals;

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
    const struct {
        const char* name;
        std::string bytes;
        std::optional<std::wstring> field{};  // none: no usable path
    } cases[] = {
        {.name = "blanks after an unquoted value", .bytes = "C:\\blanks after  \t\r\n", .field = L"C:\\blanks after"},
        {.name = "UTF-8 without the mark", .bytes = "\"C:\\\xD0\x98\xD0\xB3\"", .field = L"C:\\Иг"},
        // As Notepad saves "Unicode": UTF-16 after its byte-order mark.
        {.name = "UTF-16", .bytes = "\xFF\xFE\"\0\x18\x04\x3D\xD8\x00\xDE\"\0,\0x\0"s, .field = L"\u0418\U0001F600"},
        {.name = "zero length", .bytes = ""},
        // A reader takes 98,312 bytes at most: a UTF-8 mark, the longest path and its quotes in UTF-8, CR LF.
        {.name = "a quoted field open where reading stops", .bytes = std::string(98312 - 7, ' ') + "\"C:\\k.e"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeSystem system;
        system.files[system.Ini()] = c.bytes;
        EXPECT_EQ(ReadProgramPath(system), c.field);
        EXPECT_EQ(system.openFiles, 0);
    }
}

// The record written; kx_shell.ini replaced in one step, or written in place where only it may be written; what the
// user is told when neither works. No save leaves a file of its own behind.
TEST(ConfigFile, Saves) {
    using enum PlatformFailure::Cause;
    const std::wstring ini = L"D:\\\\kx_shell.ini";  // at a drive root: the two backslashes name the same file
    const std::string oldRecord = "\"C:\\old.exe\"\r\nsecond\r\n";
    const struct {
        const char* name;
        std::wstring path = L"C:\\new.exe";
        std::vector<std::tuple<const char*, int, PlatformFailure::Cause>> failing{};  // the operation, how often, why
        bool readOnly = false;
        std::string saved = "\"C:\\new.exe\"\r\n";  // empty: the old record kept
        std::wstring told = L"";                    // why nothing was saved
        bool retried = false;
    } cases[] = {
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
        for (const auto& [operation, times, cause] : c.failing) system.FailOn(operation, times, cause);
        try {
            WriteProgramPath(system, c.path);
            EXPECT_EQ(ReadProgramPath(system), std::optional(c.path));
        } catch (const PlatformFailure& failure) {
            EXPECT_EQ(failure.action + L"\n" + failure.reason,
                      L"Не удалось сохранить путь к kravix.exe в файл D:\\\\kx_shell.ini.\n" + c.told);
        }
        EXPECT_EQ(system.files[ini], c.saved.empty() ? oldRecord : c.saved);
        EXPECT_EQ(system.files.size() + system.openFiles, 2u) << "a temporary file left behind, or a file open";
        // A move is tried again a moment later, and the user waits less than half a second in all.
        EXPECT_EQ(system.pausedMs > 0, c.retried);
        EXPECT_LT(system.pausedMs, 500);
    }
}
