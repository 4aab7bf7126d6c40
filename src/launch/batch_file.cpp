#include "batch_file.h"

#include "program_path.h"

bool IsBatchFile(const std::wstring& program) {
    const std::wstring extension = ExtensionAsOpened(program);
    return extension == L".bat" || extension == L".cmd";
}

std::optional<std::wstring> BatchPathForCmd(const std::wstring& program) {
    if (!IsDevicePath(program)) return program;
    // The \\?\ form names a file exactly as written; the plain path drops an
    // empty part and the dots and blanks that end a part ("." and ".." too),
    // and reads a slash as a backslash. With a backslash after every part:
    const std::wstring plain = program.substr(4) + L'\\';
    if (!IsOnDrive(plain) || plain.find(L'/') != std::wstring::npos) return std::nullopt;
    for (const wchar_t* partEnd : {L"\\\\", L".\\", L" \\"}) {
        if (plain.find(partEnd, 2) != std::wstring::npos) return std::nullopt;
    }
    return plain.substr(0, plain.size() - 1);
}
