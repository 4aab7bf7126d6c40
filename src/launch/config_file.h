// kx_shell.ini: one record holding where kravix.exe lies.
//
// The record is a double quote, the path, a double quote, CR LF, in the ANSI
// code page. A path that code page cannot hold, or whose ANSI bytes would
// read as UTF-8, is written as UTF-8 after a UTF-8 byte-order mark instead,
// so it is never saved as question marks and always reads back as written.
// A file saved by hand as UTF-8 without the mark is read as UTF-8 whenever
// its field is valid UTF-8 beyond ASCII, and one saved as UTF-16 with its
// byte-order mark (Notepad's "Unicode") is read too.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform_ops.h"

// Enough bytes for the record of the longest path in any encoding; reading
// stops there, whatever size the file has.
constexpr std::size_t kRecordReadLimit = 3 + 3 * (kLongestPath + 2) + 2;

std::wstring ConfigFilePath(PlatformOps& ops);

// Throws PlatformFailure when the file is missing, unreadable or holds no field.
std::wstring ReadProgramPath(PlatformOps& ops);
// Replaces the file in one step; a failure leaves the previous file as it was.
void WriteProgramPath(PlatformOps& ops, const std::wstring& path);

// The pure halves of the two above.
// `whole` says the bytes are the entire file, not only its beginning.
std::optional<std::wstring> ParseFirstField(AnsiCodec& codec, std::string_view bytes, bool whole);
std::string EncodeRecord(AnsiCodec& codec, const std::wstring& text);
