#include "ansi_reading.h"

#include <algorithm>

namespace {

// What a program reading its command line goes by: where an argument ends
// (a blank, a tab, a quote), how a backslash before a quote is read, which
// file a path names (a backslash, a slash, a colon, a dot: "．．" arriving as
// "..", a folder up), and which names an old C runtime expands as wildcards
// (a star, a question mark). A question mark is also what stands for a
// character with no look-alike at all.
bool IsPathOrLineSyntax(wchar_t c) { return std::wstring_view(L"\" \t\\/:.*?").find(c) != std::wstring_view::npos; }

}  // namespace

// kravix.exe may be an old program that reads its command line in the ANSI
// code page. A path the code page cannot hold goes by its short (8.3) form,
// which names the same file in letters every program reads. Without one it
// goes as it is (Windows keeps no 8.3 names on many volumes), unless a
// look-alike would add one of the characters above: the old program would
// then split the line elsewhere, look in other folders or match other files
// (best fit keeps every ASCII character, so counting them is enough to see
// whether one appeared); or unless what the old program reads names another
// file or folder that exists: "Pokémon.nes" read as "Pokemon.nes".
std::optional<std::wstring> ReadableInAnsi(PlatformOps& ops, const std::wstring& text) {
    std::string ansi;
    if (ops.ToAnsi(text, ansi)) return text;
    const std::wstring shortPath = ops.ShortPath(text);
    if (!shortPath.empty() && ops.ToAnsi(shortPath, ansi)) return shortPath;
    const std::wstring seen = ops.AnsiView(text);
    const auto syntax = [](const std::wstring& s) { return std::count_if(s.begin(), s.end(), IsPathOrLineSyntax); };
    if (syntax(seen) != syntax(text) || ops.IsFile(seen) || ops.IsFolder(seen)) return std::nullopt;
    return text;
}
