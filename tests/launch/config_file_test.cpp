// kx_shell.ini: the bytes written, the rule the first field is read by, and saves.
#include "config_file.h"
#include "utf8.h"

#include "test_desktop.h"

using namespace std::string_literals;

namespace {

const std::string kMark = "\xEF\xBB\xBF";

std::optional<std::wstring> Parse(const std::string& bytes) {
    TestDesktop codec;
    return ParseFirstField(codec, bytes, true);
}

}  // namespace

TEST(ConfigFile, RecordsAreQuotedAnsiOrMarkedUtf8AndReadBackExactly) {
    const std::pair<std::wstring, std::string> cases[] = {
        {L"C:\\Tools\\kravix.exe", "\"C:\\Tools\\kravix.exe\"\r\n"}, {L"", "\"\"\r\n"},
        {L"C:\\Ж\\\x7F.exe", "\"C:\\\xC6\\\x7F.exe\"\r\n"}, {L"C:\\a,b\\k.exe", "\"C:\\a,b\\k.exe\"\r\n"},
        // Not in the code page: 2, 3 and 4 bytes of UTF-8 after the mark.
        {L"C:\\\u00E9\u0080\u07FF", kMark + "\"C:\\\xC3\xA9\xC2\x80\xDF\xBF\"\r\n"},
        {L"C:\\\u0800\u221E\uFFFF", kMark + "\"C:\\\xE0\xA0\x80\xE2\x88\x9E\xEF\xBF\xBF\"\r\n"},
        {L"C:\\\U00010000\U0010FFFF", kMark + "\"C:\\\xF0\x90\x80\x80\xF4\x8F\xBF\xBF\"\r\n"},
        // In the code page, but its bytes (D0 B8) would read as UTF-8 "и".
        {L"C:\\Рё", kMark + "\"C:\\\xD0\xA0\xD1\x91\"\r\n"},
    };
    TestDesktop codec;
    for (const auto& [path, record] : cases) {
        EXPECT_EQ(EncodeRecord(codec, path), record);
        EXPECT_EQ(ParseFirstField(codec, record, true), path);
    }
    const std::wstring longest(32767, L'я');
    EXPECT_EQ(ParseFirstField(codec, EncodeRecord(codec, longest), true), longest);
}

// Windows' UTF-16, with its surrogate pairs, on every host.
TEST(ConfigFile, Utf8OfBothSizesOfCodeUnit) {
    // Lone surrogates in their 3-byte form, pairs in the 4-byte form of the code point.
    EXPECT_EQ(EncodeUtf8<char16_t>(u"\xD800x\xDC00\xDC00\xDBFF\xE000\U00010000\U0001F600\U0010FFFF"),
              "\xED\xA0\x80x\xED\xB0\x80\xED\xB0\x80\xED\xAF\xBF\xEE\x80\x80"
              "\xF0\x90\x80\x80\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF");
    EXPECT_EQ(DecodeUtf8<char16_t>("\xF0\x90\x80\x80\xF4\x8F\xBF\xBF\xED\xB0\x80\0"s),
              u"\U00010000\U0010FFFF\xDC00\0"s);
    EXPECT_EQ(EncodeUtf8<char32_t>(std::u32string(1, 0x110000)), "\xEF\xBF\xBD");
}

TEST(ConfigFile, FirstFieldRules) {
    const std::pair<std::string, std::optional<std::wstring>> cases[] = {
        {"\"\"\r\n", L""}, {"\r\n", L""}, {"C:\\A,B\r\n", L"C:\\A"}, {"C:\\A", L"C:\\A"}, {"\"C:\\A,B\"", L"C:\\A,B"},
        {"   \t\"C:\\x\"junk,more\r\nsecond line", L"C:\\x"},
        {"C:\\blanks after  \t\r\n", L"C:\\blanks after"},
        {"C:\\lone cr\rnext", L"C:\\lone cr"}, {"C:\\lone lf\nnext", L"C:\\lone lf"},
        {"\"C:\\unclosed\r\n\"next\"", L"C:\\unclosed"},
        {"\"C:\\unclosed to the end", L"C:\\unclosed to the end"},
        {"\"C:\\\xC8\xE3\xF0\xFB\"", L"C:\\Игры"},             // ANSI: not UTF-8
        {"\"C:\\\xD0\x98\xD0\xB3\"", L"C:\\Иг"},                // UTF-8 without the mark
        {"\"C:\\\xC2\xBB\"", L"C:\\\u00BB"},                    // U+00BB from "В»" in 1251
        {"\"C:\\\xC0\xAF\"", L"C:\\\u0410?"},                   // overlong: ANSI
        {kMark + "\"\xED\xA0\x80\"", std::wstring(1, wchar_t(0xD800))},  // a lone surrogate, as written
        {"", std::nullopt}, {"   \t  ", std::nullopt}, {"C:\\a\0b\r\n"s, std::nullopt},
        {std::string(32768, 'a'), std::nullopt},
    };
    for (const auto& [bytes, field] : cases) EXPECT_EQ(Parse(bytes), field) << bytes;
    EXPECT_EQ(Parse(std::string(32767, 'a')), std::wstring(32767, L'a'));
    // After the mark, anything that is not UTF-8 fails.
    for (const char* field : {"\xC0\xAF", "\xC1\xBF", "\xE0\x9F\xBF", "\xF0\x8F\xBF\xBF", "\xF4\x90\x80\x80",
                              "\xF5\x80\x80\x80", "\xE2\x88", "\x80", "\xC2\x41"}) {
        EXPECT_FALSE(Parse(kMark + '"' + field + "\"\r\n")) << field;
    }
}

TEST(ConfigFile, ReadingStopsAtTheLimitAndClosesTheFile) {
    TestDesktop desktop;
    desktop.files[desktop.Ini()] = "\"C:\\k.exe\"\r\n" + std::string(300000, 'x');
    EXPECT_EQ(ReadProgramPath(desktop), L"C:\\k.exe");
    // A UTF-8 letter cut by the limit does not spoil the field before it.
    std::string cut = kMark + "\"C:\\k.exe\"\r\n";
    cut.resize(kRecordReadLimit - 1, 'x');
    desktop.files[desktop.Ini()] = cut + "\xD0\x96";
    EXPECT_EQ(ReadProgramPath(desktop), L"C:\\k.exe");
    // A field still open where reading stops is not the whole path.
    for (const std::string& open : {std::string(300000, 'x'), std::string(kRecordReadLimit - 7, ' ') + "\"C:\\k.e"}) {
        desktop.files[desktop.Ini()] = open;
        EXPECT_THROW(ReadProgramPath(desktop), PlatformFailure);
    }
    desktop.files[desktop.Ini()] = "\"C:\\k.exe\"\r\n";
    for (const char* failing : {"ReadText", "CloseFile"}) {
        desktop.FailOn(failing);
        EXPECT_THROW(ReadProgramPath(desktop), PlatformFailure) << failing;
    }
    EXPECT_EQ(desktop.openFiles, 0);
}

// A save goes through a temporary file of its own; a move held up by another program
// is retried. A failed save leaves the file as it was and no temporary file; the
// report names the file and the step that failed.
TEST(ConfigFile, Saves) {
    const struct {
        const char* failing;
        int times;
        bool transient, saved;
        int pausedMs;
    } cases[] = {{"", 0, false, true, 0},           {"MoveIntoPlace", 2, true, true, 10 + 20},
                 {"MoveIntoPlace", 9, true, true, 450}, {"MoveIntoPlace", 10, true, false, 450},
                 {"MoveIntoPlace", 1, false, false, 0}, {"CreateNewFile", 1, false, false, 0},
                 {"WriteText", 1, false, false, 0},     {"CloseFile", 1, false, false, 0}};
    for (const auto& c : cases) {
        TestDesktop desktop;
        desktop.directory = L"D:\\";  // a drive root: the two backslashes name the same file
        const std::wstring ini = L"D:\\\\kx_shell.ini";
        const std::map<std::wstring, std::string> before{{ini, "\"C:\\old.exe\"\r\nsecond\r\n"},
                                                         {ini + L".tmp", "stale"}};
        desktop.files = before;
        desktop.transientFailures = c.transient;
        desktop.FailOn(c.failing, 1, c.times);
        try {
            WriteProgramPath(desktop, L"C:\\new.exe");
            EXPECT_TRUE(c.saved) << c.failing;
            EXPECT_EQ(desktop.files[ini], "\"C:\\new.exe\"\r\n") << c.failing;
            desktop.files[ini] = before.at(ini);
        } catch (const PlatformFailure& failure) {
            EXPECT_FALSE(c.saved) << c.failing;
            EXPECT_EQ(failure.action + failure.reason,
                      L"Не удалось сохранить путь к kravix.exe в файл D:\\\\kx_shell.ini.injected\n" +
                          std::wstring(c.failing, c.failing + strlen(c.failing)));
        }
        EXPECT_EQ(desktop.files, before) << c.failing;
        EXPECT_EQ(desktop.openFiles, 0) << c.failing;
        EXPECT_EQ(desktop.pauses, c.pausedMs) << c.failing;
    }
}
