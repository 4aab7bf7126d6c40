// Arbitrary bytes, as a whole file and as the start of a longer one: the reader never crashes,
// never returns more than a path can hold, and what it reads is written and read back the same.
#include <cstdint>
#include <cstdlib>

#include "config_file.h"

namespace {

// Latin-1 stands in for the ANSI code page: every byte is a character.
struct Latin1 final : AnsiCodec {
    bool ToAnsi(const std::wstring& text, std::string& bytes) override {
        bytes.assign(text.begin(), text.end());  // each character cut to a byte
        return FromAnsi(bytes) == text;
    }
    std::wstring FromAnsi(const std::string& bytes) override {
        const auto* begin = reinterpret_cast<const unsigned char*>(bytes.data());
        return {begin, begin + bytes.size()};
    }
    std::wstring AnsiView(const std::wstring& text) override { return text; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Latin1 codec;
    for (const bool whole : {true, false}) {
        const auto field = ParseFirstField(codec, {reinterpret_cast<const char*>(data), size}, whole);
        // A quote ends a quoted field and a line end the line: no path holds them.
        if (field && (field->size() > 32767 || (field->find_first_of(L"\"\r\n") == std::wstring::npos &&
                                                ParseFirstField(codec, EncodeRecord(codec, *field), true) != field))) {
            std::abort();
        }
    }
    return 0;
}
