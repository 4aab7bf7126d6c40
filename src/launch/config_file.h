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

#include <optional>
#include <string>

#include "platform_ops.h"

// Nothing when the file holds no usable path; throws PlatformFailure when it
// is missing or cannot be read.
std::optional<std::wstring> ReadProgramPath(PlatformOps& ops);
// Replaces the file in one step, and a failure leaves the previous file as it
// was; where only kx_shell.ini itself may be written, writes it in place.
void WriteProgramPath(PlatformOps& ops, const std::wstring& path);
