// A kravix that is a batch file (.bat or .cmd), which Windows runs through
// cmd. cmd runs it only by a plain path and in a folder with a drive letter;
// anything else fails once the launcher has ended, too late to tell the user.
#pragma once

#include <optional>
#include <string>

// Whether Windows would run the file through cmd, by its extension.
bool IsBatchFile(const std::wstring& program);

// The path cmd can run the batch file by: a drive-letter or network path as
// it is; the \\?\ or \\.\ form of a drive-letter path, which cmd does not
// take, as the plain path it stands for, where that names the same file;
// otherwise nothing.
std::optional<std::wstring> BatchPathForCmd(const std::wstring& program);
