// Plain sequential files, for kx_shell.ini. Each failure names the file and
// the system's reason.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "decimal.h"
#include "growing_buffer.h"
#include "long_path.h"
#include "messages.h"
#include "program_path.h"
#include "system_failure.h"
#include "win32_platform.h"

using namespace win32;

namespace {

HANDLE HandleOf(FileHandle file) { return reinterpret_cast<HANDLE>(file.id); }
FileHandle FileOf(HANDLE handle) { return {reinterpret_cast<std::size_t>(handle)}; }

FileHandle Open(const std::wstring& path, DWORD access, DWORD share, DWORD disposition, const wchar_t* failure) {
    const HANDLE handle =
        CreateFileW(ForFileApi(path).c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) throw SystemFailure(Fill(failure, path));
    return FileOf(handle);
}

}  // namespace

std::wstring Win32Platform::ProgramDirectory() {
    // The executable may lie deeper than 260 characters.
    const std::wstring executable = GrowingBuffer(
        [](const wchar_t*, wchar_t* buffer, DWORD size) { return GetModuleFileNameW(nullptr, buffer, size); });
    if (executable.empty()) throw SystemFailure(kCannotFindOwnFolder);
    return FolderOf(executable);
}

FileHandle Win32Platform::OpenForInput(const std::wstring& path) {
    // Shared with writers and with a save replacing the file meanwhile.
    return Open(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING,
                kCannotOpenFile);
}

FileHandle Win32Platform::CreateNewFile(const std::wstring& path) {
    // DELETE: the file is moved into place, or deleted after a failure,
    // through this handle. The creator of a file gets the access it asks for
    // on it, also where the folder lets nobody delete a file by its name.
    return Open(path, GENERIC_WRITE | DELETE, 0, CREATE_NEW, kCannotCreateFile);
}

FileHandle Win32Platform::OpenForOutput(const std::wstring& path) {
    // Asks only for the right to write this file, not to replace or delete it.
    return Open(path, GENERIC_WRITE, FILE_SHARE_READ, OPEN_ALWAYS, kCannotOpenForWriting);
}

std::string Win32Platform::ReadText(FileHandle file, std::size_t maxBytes) {
    std::string bytes(maxBytes, '\0');
    std::size_t filled = 0;
    while (filled < maxBytes) {
        DWORD read = 0;
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(maxBytes - filled, 1 << 20));
        if (!ReadFile(HandleOf(file), bytes.data() + filled, wanted, &read, nullptr)) {
            throw SystemFailure(kCannotReadFile);
        }
        if (read == 0) break;  // the end of the file
        filled += read;
    }
    bytes.resize(filled);
    return bytes;
}

void Win32Platform::WriteText(FileHandle file, const std::string& bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        DWORD done = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1 << 20));
        if (!WriteFile(HandleOf(file), bytes.data() + written, chunk, &done, nullptr) || done == 0) {
            throw SystemFailure(kCannotWriteFile);
        }
        written += done;
    }
    // On the disk before the file takes the saved one's place.
    if (!FlushFileBuffers(HandleOf(file))) throw SystemFailure(kCannotFlushFile);
}

std::size_t Win32Platform::LengthOf(FileHandle file) {
    LARGE_INTEGER length{};
    if (!GetFileSizeEx(HandleOf(file), &length)) throw SystemFailure(kCannotReadFile);
    return static_cast<std::size_t>(length.QuadPart);
}

void Win32Platform::SetLength(FileHandle file, std::size_t bytes) {
    // Moving the end of a file that is not sparse allocates its clusters:
    // a full disk or a quota fails here.
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(bytes);
    if (!SetFilePointerEx(HandleOf(file), at, nullptr, FILE_BEGIN) || !SetEndOfFile(HandleOf(file)) ||
        !SetFilePointerEx(HandleOf(file), LARGE_INTEGER{}, nullptr, FILE_BEGIN)) {
        throw SystemFailure(kCannotWriteFile);
    }
}

void Win32Platform::CloseFile(FileHandle file) {
    if (!CloseHandle(HandleOf(file))) throw SystemFailure(kCannotCloseFile);
}

void Win32Platform::MoveIntoPlace(FileHandle file, const std::wstring& to) {
    // The rename replaces `to` as MoveFileExW would, but through the handle,
    // which holds the right to move the file.
    const std::wstring name = ForFileApi(to);
    const std::size_t bytes = name.size() * sizeof(wchar_t);
    std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + bytes);
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    rename->ReplaceIfExists = TRUE;
    rename->FileNameLength = static_cast<DWORD>(bytes);
    std::copy(name.begin(), name.end(), rename->FileName);  // the NUL is already there
    if (!SetFileInformationByHandle(HandleOf(file), FileRenameInfo, rename, static_cast<DWORD>(buffer.size()))) {
        throw SystemFailure(Fill(kCannotReplaceFile, to));
    }
}

void Win32Platform::Discard(FileHandle file) noexcept {
    FILE_DISPOSITION_INFO deleted{TRUE};
    SetFileInformationByHandle(HandleOf(file), FileDispositionInfo, &deleted, sizeof deleted);
}

bool Win32Platform::IsReadOnly(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(ForFileApi(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) == FILE_ATTRIBUTE_READONLY;
}

std::wstring Win32Platform::UniqueName() {
    // The process, the moment and a count: a file left behind by an ended
    // process of the same number would also need the same millisecond.
    static unsigned long count = 0;
    return Decimal(GetCurrentProcessId()) + L"-" + Decimal(static_cast<unsigned long>(GetTickCount64())) + L"-" +
           Decimal(++count);
}

void Win32Platform::Pause(int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); }
