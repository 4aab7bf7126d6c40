#include "config_file.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string_view>

#include "messages.h"
#include "unicode.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// Valid UTF-8 holding at least one character beyond ASCII: text written as
// UTF-8, since ANSI text of letters beyond ASCII seldom is valid UTF-8.
bool IsMultiByteUtf8(std::string_view bytes) {
    const bool beyondAscii = std::any_of(bytes.begin(), bytes.end(), [](char c) { return c & 0x80; });
    return beyondAscii && DecodeUtf8(bytes).has_value();
}

// Every byte this rule stops at lies below 0x40, so none of them can be the
// second byte of a double-byte ANSI character nor part of a UTF-8 sequence:
// the field is cut out of the raw bytes and only then decoded.
std::optional<std::string_view> FirstField(std::string_view bytes, bool whole) {
    constexpr std::string_view kBlanks = " \t";
    const std::size_t start = bytes.find_first_not_of(kBlanks);
    if (start == std::string_view::npos) return std::nullopt;  // the file ends before any field
    const bool quoted = bytes[start] == '"';
    const std::size_t end = bytes.find_first_of(quoted ? "\"\r\n" : ",\r\n", start + quoted);
    // A field still open where reading stopped is not the whole path.
    if (end == std::string_view::npos && !whole) return std::nullopt;
    std::string_view value = bytes.substr(start + quoted, end - start - quoted);
    // Blanks after an unquoted value are not part of it.
    if (!quoted) value = value.substr(0, value.find_last_not_of(kBlanks) + 1);
    // A NUL would cut the path short wherever it is shown or used.
    if (value.find('\0') != std::string_view::npos) return std::nullopt;
    return value;
}

// On Windows a virus scanner, an indexer or a program reading the file may
// hold it for a moment, and a second launcher may be replacing it: such a
// failure is tried again a few times, a little later each time (in all less
// than half a second).
void MoveIntoPlaceRetrying(PlatformOps& ops, FileHandle file, const std::wstring& to) {
    constexpr int kAttempts = 10;
    for (int attempt = 1;; ++attempt) {
        try {
            ops.MoveIntoPlace(file, to);
            return;
        } catch (const PlatformFailure& failure) {
            const bool held =
                failure.cause == PlatformFailure::Cause::Held || failure.cause == PlatformFailure::Cause::Denied;
            if (!held || attempt == kAttempts) throw;
        }
        ops.Pause(10 * attempt);
    }
}

// Enough bytes for the record of the longest path in any encoding; reading
// stops there, whatever size the file has.
constexpr std::size_t kRecordReadLimit = 3 + 3 * (kLongestPath + 2) + 2;

std::wstring ConfigFilePath(PlatformOps& ops) { return ops.ProgramDirectory() + L"\\kx_shell.ini"; }

// `whole` says the bytes are the entire file, not only its beginning.
std::optional<std::wstring> ParseFirstField(AnsiCodec& codec, std::string_view bytes, bool whole) {
    std::string fromUtf16;
    bool marked = bytes.starts_with(kUtf8Mark);
    if (marked) {
        bytes.remove_prefix(kUtf8Mark.size());
    } else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        // Notepad's "Unicode" and "Unicode big endian", read as the same text
        // in UTF-8, which keeps a lone surrogate too.
        bytes = fromUtf16 = EncodeUtf8(DecodeUtf16(bytes.substr(2), bytes[0] == '\xFE'));
        marked = true;
    }

    const auto field = FirstField(bytes, whole);
    if (!field) return std::nullopt;
    // Without the mark, UTF-8 is what Notepad saves by default.
    std::optional<std::wstring> text =
        marked || IsMultiByteUtf8(*field) ? DecodeUtf8(*field) : std::optional(codec.FromAnsi(std::string(*field)));
    if (!text || text->size() > kLongestPath) return std::nullopt;
    return text;
}

std::string EncodeRecord(AnsiCodec& codec, const std::wstring& text) {
    std::string ansi;
    // ANSI text that happens to be UTF-8 as well ("Рё" in code page 1251)
    // would be read back as UTF-8: it goes in the marked form too.
    if (codec.ToAnsi(text, ansi) && !IsMultiByteUtf8(ansi)) return '"' + ansi + "\"\r\n";
    return std::string(kUtf8Mark) + '"' + EncodeUtf8(text) + "\"\r\n";
}

// The new record goes to a file of its own first, which then takes the old
// one's place in one step, so a failure part way (disk full, power cut) never
// leaves the saved path empty or cut short; its name is this save's alone, so
// neither a second launcher saving at the same moment nor a file left behind
// by a crash stands in the way.
void WriteBeside(PlatformOps& ops, const std::wstring& target, const std::string& record) {
    OpenFile file(ops, ops.CreateNewFile(target + L"." + ops.UniqueName() + L".tmp"));
    try {
        ops.WriteText(file.handle(), record);
        MoveIntoPlaceRetrying(ops, file.handle(), target);
    } catch (const PlatformFailure&) {
        ops.Discard(file.handle());
        throw;
    }
    file.Close();
}

// The folder refuses new files or the replacing of kx_shell.ini, as a folder
// under Program Files does, where an administrator may still have let users
// change kx_shell.ini itself: it is written where it stands. The space a
// longer record needs is claimed before a byte of the old one is written
// over, so a full disk leaves the saved path as it was; the file is cut to
// the record only once that is written, and the reader stops at its closing
// quote meanwhile.
void WriteInPlace(PlatformOps& ops, const std::wstring& target, const std::string& record) {
    OpenFile file(ops, ops.OpenForOutput(target));
    if (ops.LengthOf(file.handle()) < record.size()) ops.SetLength(file.handle(), record.size());
    ops.WriteText(file.handle(), record);
    ops.SetLength(file.handle(), record.size());
    file.Close();
}

// The user needs to know which file could not be saved, which step failed,
// and why.
PlatformFailure SaveFailure(const std::wstring& target, const PlatformFailure& failure) {
    std::wstring reason = failure.action;
    if (!failure.reason.empty()) reason += L"\n" + failure.reason;
    return {Fill(kCannotSavePath, target), reason};
}

}  // namespace

std::optional<std::wstring> ReadProgramPath(PlatformOps& ops) {
    OpenFile file(ops, ops.OpenForInput(ConfigFilePath(ops)));
    const std::string bytes = ops.ReadText(file.handle(), kRecordReadLimit);
    file.Close();
    return ParseFirstField(ops, bytes, bytes.size() < kRecordReadLimit);
}

void WriteProgramPath(PlatformOps& ops, const std::wstring& path) {
    const std::wstring target = ConfigFilePath(ops);
    // Nothing replaces or writes a file marked read-only, however often it is
    // tried; the user has only to clear the mark.
    if (ops.IsReadOnly(target)) throw PlatformFailure{Fill(kCannotSavePath, target), kIniReadOnly};
    const std::string record = EncodeRecord(ops, path);
    try {
        WriteBeside(ops, target, record);
        return;
    } catch (const PlatformFailure& failure) {
        if (failure.cause != PlatformFailure::Cause::Denied) throw SaveFailure(target, failure);
    }
    try {
        WriteInPlace(ops, target, record);
    } catch (const PlatformFailure& failure) {
        PlatformFailure told = SaveFailure(target, failure);
        // Refused here too, the folder is not the user's to write in; a full
        // disk or a file held by another program has its own reason.
        if (failure.cause == PlatformFailure::Cause::Denied)
            told.reason += L"\n\n" + std::wstring(kCannotWriteInOwnFolder);
        throw told;
    }
}
