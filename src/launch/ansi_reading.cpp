#include "ansi_reading.h"

#include <algorithm>

namespace {

// What a program reading its command line goes by: where an argument ends,
// how a backslash before a quote is read, which folders a path names.
bool IsPathOrLineSyntax(wchar_t c) {
    return c == L'"' || c == L'\\' || c == L'/' || c == L':' || c == L' ' || c == L'\t';
}

}  // namespace

// kravix.exe may be an old program that reads its command line in the ANSI
// code page. A path the code page cannot hold goes by its short (8.3) form,
// which names the same file in letters every program reads. Without one it
// goes as it is, unless a look-alike would be a quote, a backslash, a slash,
// a colon, a blank or a tab: the old program would then split the line
// elsewhere or look in other folders. (Best fit keeps every ASCII character,
// so counting these is enough to see whether one appeared.)
std::optional<std::wstring> ReadableInAnsi(PlatformOps& ops, const std::wstring& text) {
    std::string ansi;
    if (ops.ToAnsi(text, ansi)) return text;
    const std::wstring shortPath = ops.ShortPath(text);
    if (!shortPath.empty() && ops.ToAnsi(shortPath, ansi)) return shortPath;
    const std::wstring seen = ops.AnsiView(text);
    const auto syntax = [](const std::wstring& s) { return std::count_if(s.begin(), s.end(), IsPathOrLineSyntax); };
    if (syntax(seen) != syntax(text)) return std::nullopt;
    return text;
}
