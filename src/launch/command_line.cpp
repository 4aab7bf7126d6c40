#include "command_line.h"

#include <span>
#include <string_view>

namespace {

// cmd's own limit for a command line; past it, the end is cut off.
constexpr std::size_t kLongestCmdLine = 8191;
// CreateProcessW's, counting the NUL that ends the line.
constexpr std::size_t kLongestLine = 32767 - 1;

// As the C runtime and CommandLineToArgvW read it back: backslashes are
// literal unless a quote follows them, so those before the closing quote
// ("C:\a b\") or a quote of the text are doubled.
void AppendQuoted(std::wstring& line, const std::wstring& text, bool forCmd) {
    line += L'"';
    std::size_t backslashes = 0;
    for (const wchar_t c : text) {
        if (c == L'"') line.append(backslashes + 1, L'\\');
        // cmd expands %name% even between quotes; "%cd:~,%" is an empty slice
        // of a variable that always exists, and it breaks any name apart.
        if (c == L'%' && forCmd) line += L"%%cd:~,";
        backslashes = c == L'\\' ? backslashes + 1 : 0;
        line += c;
    }
    line.append(backslashes, L'\\');
    line += L'"';
}

// The texts joined by single spaces; empty texts at the end are left out,
// their separators kept.
template <typename Append>
std::wstring Join(std::span<const std::wstring* const> texts, Append append) {
    std::size_t used = texts.size();
    while (used > 0 && texts[used - 1]->empty()) --used;
    std::wstring line;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0) line += L' ';
        if (i < used) append(line, *texts[i], i);
    }
    return line;
}

// A text holding a blank or quote is quoted so that it arrives as one
// argument, and an empty one goes as "" so that the next keeps its place.
void AppendArgument(std::wstring& line, const std::wstring& text, std::size_t = 0) {
    if (text.empty() || text.find_first_of(L" \t\"") != std::wstring::npos) {
        AppendQuoted(line, text, false);
    } else {
        line += text;
    }
}

// Letters, digits and these marks are read by cmd as part of a word; every
// other character may separate, redirect, escape or expand.
bool PlainForCmd(wchar_t c) {
    return (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') ||
           std::wstring_view(L"#$*+-./:?@\\_").find(c) != std::wstring_view::npos;
}

}  // namespace

std::wstring BuildParameters(const LaunchTexts& texts) {
    const auto inOrder = texts.InOrder();
    return Join(std::span(inOrder).subspan(1), AppendArgument);
}

std::optional<std::wstring> BuildCommandLine(const LaunchTexts& texts) {
    std::wstring line;
    AppendArgument(line, texts.program);
    line += L' ' + BuildParameters(texts);
    if (line.size() > kLongestLine) return std::nullopt;
    return line;
}

std::optional<std::wstring> BuildBatchCommandLine(const LaunchTexts& texts) {
    for (const std::wstring* text : texts.InOrder()) {
        // A line end or NUL would end the command, a quote the quoting.
        if (text->find_first_of(L"\r\n\"") != std::wstring::npos || text->find(L'\0') != std::wstring::npos) {
            return std::nullopt;
        }
    }
    const std::wstring arguments =
        Join(texts.InOrder(), [](std::wstring& line, const std::wstring& text, std::size_t i) {
            // The batch file's own path is always quoted, as is a text ending in
            // a backslash, which would otherwise escape a quote the batch adds.
            bool quote = i == 0 || text.empty() || text.back() == L'\\';
            for (const wchar_t c : text) quote = quote || !PlainForCmd(c);
            if (quote) {
                AppendQuoted(line, text, true);
            } else {
                line += text;
            }
        });
    // /d: no AutoRun commands; /e:on: the %cd:~,% slice works; /v:off: "!"
    // is a plain letter; /s: the outer quotes go, whatever lies between.
    const std::wstring line = L"cmd.exe /d /e:on /v:off /s /c \"" + arguments + L'"';
    if (line.size() > kLongestCmdLine) return std::nullopt;
    return line;
}
