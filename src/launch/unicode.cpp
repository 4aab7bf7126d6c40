#include "unicode.h"

namespace {

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

void AppendCodePoint(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// A code point beyond the first 65536 takes two UTF-16 units, a surrogate pair.
template <typename Char>
void AppendUnits(std::basic_string<Char>& out, char32_t c) {
    if (sizeof(Char) == 2 && c >= 0x10000) {
        out += static_cast<Char>(0xD800 + ((c - 0x10000) >> 10));
        out += static_cast<Char>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
        out += static_cast<Char>(c);
    }
}

}  // namespace

template <typename Char>
std::string EncodeUtf8(std::basic_string_view<Char> text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = static_cast<char32_t>(text[i]);
        if (sizeof(Char) == 2 && IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(text[++i]) - 0xDC00);
        }
        AppendCodePoint(out, c > 0x10FFFF ? U'\uFFFD' : c);
    }
    return out;
}

template <typename Char>
std::optional<std::basic_string<Char>> DecodeUtf8(std::string_view bytes) {
    std::basic_string<Char> out;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        // The sequence's length, told by its first byte; 0 for a byte that
        // cannot start one (C0 and C1 could only start a longer form of ASCII).
        const int length = lead < 0x80 ? 1 : lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
        if (length == 0 || bytes.size() - i < static_cast<std::size_t>(length)) return std::nullopt;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) return std::nullopt;
            c = (c << 6) | (next & 0x3F);
        }
        // Only the shortest form of each code point, and none past U+10FFFF.
        constexpr char32_t kSmallest[] = {0, 0, 0, 0x800, 0x10000};
        if (c < kSmallest[length] || c > 0x10FFFF) return std::nullopt;
        AppendUnits(out, c);
        i += length;
    }
    return out;
}

template <typename Char>
std::basic_string<Char> DecodeUtf16(std::string_view bytes, bool bigEndian) {
    const auto unit = [&](std::size_t i) {
        const auto first = static_cast<unsigned char>(bytes[i]), second = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char32_t>(bigEndian ? first << 8 | second : second << 8 | first);
    };
    std::basic_string<Char> out;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (IsHighSurrogate(c) && i + 3 < bytes.size() && IsLowSurrogate(unit(i + 2))) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        }
        AppendUnits(out, c);
    }
    return out;
}

template std::string EncodeUtf8(std::basic_string_view<wchar_t>);
template std::string EncodeUtf8(std::basic_string_view<char16_t>);
template std::optional<std::wstring> DecodeUtf8(std::string_view);
template std::optional<std::u16string> DecodeUtf8(std::string_view);
template std::wstring DecodeUtf16(std::string_view, bool);
