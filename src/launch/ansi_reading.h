// What a program that reads its command line in the ANSI code page gets:
// each character the code page lacks arrives as a look-alike ("best fit":
// "é" as "e") or as a question mark.
#pragma once

#include <optional>
#include <string>

#include "platform_ops.h"

// The text, or another name of the same file, that such a program reads as
// the same path; nothing when there is none.
std::optional<std::wstring> ReadableInAnsi(PlatformOps& ops, const std::wstring& text);
