// The system services on Windows, with only the W (UTF-16) functions; each
// group of operations is defined in the file named beside it.
#pragma once

#include "platform_ops.h"

class Win32Platform : public PlatformOps {
public:
    Win32Platform();

    // files.cpp
    std::wstring ProgramDirectory() override;
    FileHandle OpenForInput(const std::wstring& path) override;
    FileHandle CreateNewFile(const std::wstring& path) override;
    FileHandle OpenForOutput(const std::wstring& path) override;
    std::string ReadText(FileHandle file, std::size_t maxBytes) override;
    void WriteText(FileHandle file, const std::string& bytes) override;
    std::size_t LengthOf(FileHandle file) override;
    void SetLength(FileHandle file, std::size_t bytes) override;
    void CloseFile(FileHandle file) override;
    void MoveIntoPlace(FileHandle file, const std::wstring& to) override;
    void Discard(FileHandle file) noexcept override;
    bool IsReadOnly(const std::wstring& path) override;
    std::wstring UniqueName() override;
    void Pause(int milliseconds) override;

    // ansi_code_page.cpp
    bool ToAnsi(const std::wstring& text, std::string& bytes) override;
    std::wstring FromAnsi(const std::string& bytes) override;
    std::wstring AnsiView(const std::wstring& text) override;

    // programs.cpp
    bool IsFile(const std::wstring& path) override;
    bool IsFolder(const std::wstring& path) override;
    std::wstring StartFolder() override;
    std::vector<std::wstring> SystemFolders() override;
    std::wstring PathVariable() override;
    std::wstring ShortPath(const std::wstring& path) override;
    void StartProgram(const std::wstring& program,
                      const std::wstring& commandLine,
                      const std::wstring& folder) override;
    void StartThroughShell(const std::wstring& program,
                           const std::wstring& parameters,
                           const std::wstring& folder) override;

    // message_box.cpp
    void ShowMessage(const std::wstring& text) override;
    // program_end.cpp
    [[noreturn]] void EndProgram() override;
    [[noreturn]] void Fatal(const PlatformFailure& failure) override;

private:
    const std::wstring startFolder_;
};
