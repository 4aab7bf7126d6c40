#include "win32_platform.h"

#include <windows.h>

#include "ansi_code_page.h"
#include "files.h"
#include "message_box.h"
#include "programs.h"

Win32Platform::Win32Platform() : startFolder_(win32::CurrentFolder()) {}

std::wstring Win32Platform::ProgramDirectory() { return win32::ProgramDirectory(); }
FileHandle Win32Platform::OpenForInput(const std::wstring& path) { return win32::OpenForInput(path); }
FileHandle Win32Platform::CreateNewFile(const std::wstring& path) { return win32::CreateNewFile(path); }
std::string Win32Platform::ReadText(FileHandle file, std::size_t maxBytes) { return win32::ReadText(file, maxBytes); }
void Win32Platform::WriteText(FileHandle file, const std::string& bytes) { win32::WriteText(file, bytes); }
void Win32Platform::CloseFile(FileHandle file) { win32::CloseFile(file); }
void Win32Platform::MoveIntoPlace(const std::wstring& from, const std::wstring& to) { win32::MoveIntoPlace(from, to); }
void Win32Platform::DeleteFileQuietly(const std::wstring& path) noexcept { win32::DeleteFileQuietly(path); }
std::wstring Win32Platform::UniqueName() { return win32::UniqueName(); }
void Win32Platform::Pause(int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); }
bool Win32Platform::ToAnsi(const std::wstring& text, std::string& bytes) { return win32::ToAnsi(text, bytes); }
std::wstring Win32Platform::FromAnsi(const std::string& bytes) { return win32::FromAnsi(bytes); }
bool Win32Platform::IsFile(const std::wstring& path) { return win32::IsFile(path); }
std::vector<std::wstring> Win32Platform::SystemFolders() { return win32::SystemFolders(); }
std::wstring Win32Platform::PathVariable() { return win32::EnvironmentValue(L"PATH"); }
std::wstring Win32Platform::ShortPath(const std::wstring& path) { return win32::ShortPath(path); }
void Win32Platform::StartProgram(const std::wstring& program, const std::wstring& commandLine, StartedWindow window) {
    win32::StartProgram(program, commandLine, window, startFolder_);
}
void Win32Platform::ShowMessage(const std::wstring& text, MessageKind kind) { win32::ShowMessage(text, kind); }
void Win32Platform::EndProgram() { ExitProcess(0); }
void Win32Platform::Fatal(const PlatformFailure& failure) { win32::ReportFatal(failure); }
