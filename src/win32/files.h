// Plain sequential files, for the configuration file. Each function throws
// PlatformFailure naming the file and the system's reason.
#pragma once

#include <cstddef>
#include <string>

#include "platform_ops.h"

namespace win32 {

std::wstring ProgramDirectory();
// Readers share the file with writers and with a save replacing it.
FileHandle OpenForInput(const std::wstring& path);
FileHandle CreateNewFile(const std::wstring& path);
std::string ReadText(FileHandle file, std::size_t maxBytes);
// Written through to the disk before it returns.
void WriteText(FileHandle file, const std::string& bytes);
void CloseFile(FileHandle file);
// A failure because another program holds a file is marked transient.
void MoveIntoPlace(const std::wstring& from, const std::wstring& to);
void DeleteFileQuietly(const std::wstring& path) noexcept;
std::wstring UniqueName();

}  // namespace win32
