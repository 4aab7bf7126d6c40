#include "core/config_file.h"

#include "core/utf8.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// Every byte this reader stops at lies below 0x40, so none of them can be the
// second byte of a double-byte ANSI character nor part of a UTF-8 sequence:
// the field is cut out of the raw bytes and only then decoded.
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

struct RawField {
    std::string_view bytes;
    bool ended;  // a delimiter, or the true end of the file, closed it
};

std::optional<RawField> CutFirstField(std::string_view bytes, bool whole) {
    std::size_t i = 0;
    while (i < bytes.size() && IsBlank(bytes[i]))
        ++i;
    if (i == bytes.size())
        return std::nullopt;  // the file ends before any field

    if (bytes[i] == '"') {
        const std::size_t start = ++i;
        while (i < bytes.size() && bytes[i] != '"' && !IsLineEnd(bytes[i]))
            ++i;
        return RawField{bytes.substr(start, i - start), i < bytes.size() || whole};
    }
    const std::size_t start = i;
    while (i < bytes.size() && bytes[i] != ',' && !IsLineEnd(bytes[i]))
        ++i;
    std::size_t end = i;
    while (end > start && IsBlank(bytes[end - 1]))
        --end;
    return RawField{bytes.substr(start, end - start), i < bytes.size() || whole};
}

PlatformFailure NoPathIn(const std::wstring& file) {
    return {L"Файл " + file + L" не содержит пути к kravix.exe.", {}};
}

// Closes the file on every path out of a reader or writer.
class OpenFile {
public:
    OpenFile(PlatformOps& ops, FileHandle handle) : ops_(ops), handle_(handle) {}
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    ~OpenFile() {
        if (open_) {
            try {
                ops_.CloseFile(handle_);
            } catch (const PlatformFailure&) {
                // Already failing: the first failure is the one that counts.
            }
        }
    }
    FileHandle handle() const { return handle_; }
    void Close() {
        open_ = false;
        ops_.CloseFile(handle_);
    }

private:
    PlatformOps& ops_;
    FileHandle handle_;
    bool open_ = true;
};

}  // namespace

std::wstring ConfigFilePath(PlatformOps& ops) {
    return ops.ProgramDirectory() + L"\\kx_shell.ini";
}

std::optional<std::wstring> ParseFirstField(AnsiCodec& codec, std::string_view bytes, bool whole) {
    const bool utf8 = bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark;
    if (utf8)
        bytes.remove_prefix(kUtf8Mark.size());

    const auto field = CutFirstField(bytes, whole);
    // A field still open where reading stopped is longer than any path.
    if (!field || !field->ended)
        return std::nullopt;
    // A NUL would cut the path short wherever it is shown or used.
    if (field->bytes.find('\0') != std::string_view::npos)
        return std::nullopt;

    std::optional<std::wstring> text =
        utf8 ? DecodeUtf8(field->bytes) : std::optional(codec.FromAnsi(std::string(field->bytes)));
    if (!text || text->size() > kLongestPath)
        return std::nullopt;
    return text;
}

std::string EncodeRecord(AnsiCodec& codec, const std::wstring& text) {
    std::string ansi;
    if (codec.ToAnsi(text, ansi))
        return '"' + ansi + "\"\r\n";
    return std::string(kUtf8Mark) + '"' + EncodeUtf8(text) + "\"\r\n";
}

namespace {

std::wstring ReadField(PlatformOps& ops, FileHandle file) {
    const std::string bytes = ops.ReadText(file, kRecordReadLimit);
    auto field = ParseFirstField(ops, bytes, bytes.size() < kRecordReadLimit);
    if (!field)
        throw NoPathIn(ConfigFilePath(ops));
    return *field;
}

void WriteQuotedRecord(PlatformOps& ops, FileHandle file, const std::wstring& text) {
    ops.WriteText(file, EncodeRecord(ops, text));
}

}  // namespace

std::wstring ReadProgramPath(PlatformOps& ops) {
    OpenFile file(ops, ops.OpenForInput(ConfigFilePath(ops)));
    std::wstring path = ReadField(ops, file.handle());
    file.Close();
    return path;
}

void WriteProgramPath(PlatformOps& ops, const std::wstring& path) {
    const std::wstring target = ConfigFilePath(ops);
    // The new record goes to a file of its own first, so a failure part way
    // (disk full, power cut) can never leave the saved path empty or cut short.
    const std::wstring temporary = target + L".tmp";
    try {
        OpenFile file(ops, ops.OpenForOutput(temporary));
        WriteQuotedRecord(ops, file.handle(), path);
        file.Close();
        ops.MoveIntoPlace(temporary, target);
    } catch (const PlatformFailure& failure) {
        ops.DeleteFileQuietly(temporary);
        // The user needs to know which file could not be saved, and why.
        throw PlatformFailure{L"Не удалось сохранить путь к kravix.exe в файл " + target + L".", failure.reason};
    }
}
