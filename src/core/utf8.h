// UTF-8 for the configuration file's fallback encoding. Platform strings are
// UTF-16 on Windows and UTF-32 elsewhere; both are handled. A lone surrogate,
// which a Windows file name may hold, is kept in its 3-byte form so that a
// saved path always reads back as it was.
#pragma once

#include <optional>
#include <string>
#include <string_view>

std::string EncodeUtf8(std::wstring_view text);
// Nothing when the bytes are not UTF-8.
std::optional<std::wstring> DecodeUtf8(std::string_view bytes);
