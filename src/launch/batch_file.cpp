#include "batch_file.h"

#include "program_path.h"

bool IsBatchFile(const std::wstring& program) {
    const std::size_t last = program.find_last_not_of(L". ");
    if (last == std::wstring::npos || last < 3) return false;
    std::wstring extension = program.substr(last - 3, 4);
    for (wchar_t& c : extension) c = c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c;
    return extension == L".bat" || extension == L".cmd";
}

std::optional<std::wstring> BatchPathForCmd(const std::wstring& program) {
    if (!program.starts_with(L"\\\\?\\") && !program.starts_with(L"\\\\.\\")) return program;
    std::wstring plain = program.substr(4);
    if (plain.starts_with(L"UNC\\")) plain.replace(0, 3, L"\\");
    if (!IsFullyQualified(plain) || plain.find(L'/') != std::wstring::npos) return std::nullopt;
    // The \\?\ form names a file exactly as written; the plain path drops an
    // empty part and the dots and blanks that end a part ("." and ".." too).
    for (std::size_t end = plain.size(), start; end > 2; end = start) {
        start = plain.rfind(L'\\', end - 1);
        const std::wstring part = plain.substr(start + 1, end - start - 1);
        if (part.empty() || part.ends_with(L'.') || part.ends_with(L' ')) return std::nullopt;
    }
    return plain;
}
