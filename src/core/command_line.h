// The command line kravix.exe is started with.
#pragma once

#include <array>
#include <string>

// Program path, ROM image, primary table, secondary table (may be empty).
using LaunchTexts = std::array<std::wstring, 4>;

// The four texts joined by single spaces. A text holding a blank is quoted the
// way a Windows program's runtime splits its command line, so it arrives as
// one argument; every other text, empty ones too, passes unchanged.
std::wstring BuildCommandLine(const LaunchTexts& texts);
std::wstring QuoteArgument(const std::wstring& text);
