// The Unicode forms of the configuration file: UTF-8, its fallback encoding,
// and UTF-16, which Notepad saves as "Unicode". Platform strings are UTF-16 on
// Windows and UTF-32 elsewhere; the code is written for both sizes of code
// unit, so that each is tested on every host. A lone surrogate, which a
// Windows file name may hold, is kept (in UTF-8 in its 3-byte form) so that a
// saved path always reads back as it was.
#pragma once

#include <optional>
#include <string>
#include <string_view>

template <typename Char>
std::string EncodeUtf8(std::basic_string_view<Char> text);
// Nothing when the bytes are not UTF-8.
template <typename Char>
std::optional<std::basic_string<Char>> DecodeUtf8(std::string_view bytes);

// Little- or big-endian UTF-16; an odd last byte is left out.
template <typename Char>
std::basic_string<Char> DecodeUtf16(std::string_view bytes, bool bigEndian);

inline std::string EncodeUtf8(std::wstring_view text) { return EncodeUtf8<wchar_t>(text); }
inline std::optional<std::wstring> DecodeUtf8(std::string_view bytes) { return DecodeUtf8<wchar_t>(bytes); }
inline std::wstring DecodeUtf16(std::string_view bytes, bool bigEndian) {
    return DecodeUtf16<wchar_t>(bytes, bigEndian);
}
