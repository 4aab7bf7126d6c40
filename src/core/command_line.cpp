#include "core/command_line.h"

std::wstring QuoteArgument(const std::wstring& text) {
    if (text.find_first_of(L" \t") == std::wstring::npos)
        return text;
    // Backslashes are literal unless a quote follows them; then each one must
    // be doubled, including those before the closing quote ("C:\a b\").
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : text) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L'"';
}

std::wstring BuildCommandLine(const LaunchTexts& texts) {
    std::wstring line = QuoteArgument(texts[0]);
    for (std::size_t i = 1; i < texts.size(); ++i)
        line += L' ' + QuoteArgument(texts[i]);
    return line;
}
