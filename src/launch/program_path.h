// Which file a program path names. The current folder never plays a part: a
// program planted in a download folder must never run in kravix's place.
#pragma once

#include <optional>
#include <string>

#include "platform_ops.h"

// A drive-rooted ("C:\") or UNC ("\\server\") path.
bool IsFullyQualified(const std::wstring& path);
// A path in the \\?\ or \\.\ form, which names a file exactly as written, at any
// length; the rest of the path follows those four characters.
bool IsDevicePath(const std::wstring& path);
// A drive-rooted path ("C:\").
bool IsOnDrive(const std::wstring& path);

// The full path of the program to start. A fully qualified path is taken as
// it is; a bare name (".exe" added when it has no extension) is looked for
// beside the launcher, then in the system folders and the absolute folders of
// PATH; any other relative path is taken from the launcher's folder. "\k.exe"
// and "C:k.exe", which depend on the current drive or folder, are refused:
// nothing then, as when a bare name is found nowhere.
std::optional<std::wstring> ResolveProgram(PlatformOps& ops, const std::wstring& path);

// A file name in `folder`, with one backslash between them also at a drive root.
std::wstring InFolder(const std::wstring& folder, const std::wstring& name);
// The folder a file lies in; a drive root keeps its backslash, since "C:"
// alone names the current folder of drive C.
std::wstring FolderOf(const std::wstring& file);

// The extension Windows goes by, in lower case: in the name it opens the file
// by, without the dots and blanks that end it ("run.BAT. ." has ".bat").
std::wstring ExtensionAsOpened(const std::wstring& path);
