// Feeds arbitrary bytes to the configuration reader as a whole file and as
// the start of a longer one. It must never crash, never return more than a
// path can hold, and every path it writes must read back unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/config_file.h"

namespace {

// Latin-1 stands in for the ANSI code page: every byte maps to a character.
class Latin1 final : public AnsiCodec {
public:
    bool ToAnsi(const std::wstring& text, std::string& bytes) override {
        bytes.clear();
        for (const wchar_t c : text) {
            if (c > 0xFF) return false;
            bytes += static_cast<char>(c);
        }
        return true;
    }
    std::wstring FromAnsi(const std::string& bytes) override {
        std::wstring text;
        for (const char b : bytes) text += static_cast<wchar_t>(static_cast<unsigned char>(b));
        return text;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Latin1 codec;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const bool whole : {true, false}) {
        const auto field = ParseFirstField(codec, bytes, whole);
        if (!field) continue;
        if (field->size() > kLongestPath) std::abort();
        // What was read, written back, reads the same unless it holds what a
        // path cannot (a quote ends the quoted field, a line end the line).
        if (field->find_first_of(L"\"\r\n") != std::wstring::npos) continue;
        if (ParseFirstField(codec, EncodeRecord(codec, *field), true) != field) std::abort();
    }
    return 0;
}
