// PlatformOps on the Windows desktop, with only the W (UTF-16) functions.
#pragma once

#include <functional>
#include <memory>

#include "platform/event.h"
#include "platform/platform_ops.h"
#include "platform/window_layout.h"

class WindowRuntime;

class Win32Platform : public PlatformOps {
public:
    using Dispatcher = std::function<void(const Handler&, const Event&)>;

    // `windows` gives each form's layout; every event goes to `dispatch`.
    Win32Platform(const WindowDef* const (&windows)[2], Dispatcher dispatch);
    ~Win32Platform() override;

    // Loads the start window, shows it unless its load already did, and runs
    // the event loop until the last window is unloaded.
    int Run(Form startWindow);

    std::wstring ProgramDirectory() override;
    FileHandle OpenForInput(const std::wstring& path) override;
    FileHandle OpenForOutput(const std::wstring& path) override;
    std::string ReadText(FileHandle file, std::size_t maxBytes) override;
    void WriteText(FileHandle file, const std::string& bytes) override;
    void CloseFile(FileHandle file) override;
    void MoveIntoPlace(const std::wstring& from, const std::wstring& to) override;
    void DeleteFileQuietly(const std::wstring& path) noexcept override;
    bool ToAnsi(const std::wstring& text, std::string& bytes) override;
    std::wstring FromAnsi(const std::string& bytes) override;
    std::wstring ShortPath(const std::wstring& path) override;
    void StartProgram(const std::wstring& program, const std::wstring& commandLine, int windowStyle) override;
    void ShowMessage(const std::wstring& text, int style) override;
    [[noreturn]] void EndProgram() override;
    [[noreturn]] void Fatal(const PlatformFailure& failure) override;
    void ShowWindow(Form form, WindowMode mode) override;
    void UnloadWindow(Form form) override;
    void SetFocus(Control control) override;
    std::wstring GetText(Control box) override;
    void SetText(Control box, const std::wstring& text) override;
    std::wstring ShowOpen(Control dialog) override;

private:
    std::unique_ptr<WindowRuntime> windows_;
};

// The parts of the platform that need no window, usable on their own (tests
// of files and process start, the fatal report before any window exists).
namespace win32 {
std::wstring ProgramDirectory();
// The program a launch starts: a bare name is looked for beside the launcher
// first, then where Windows looks for programs. Throws when there is none.
std::wstring ResolveProgram(const std::wstring& program);
void StartProgram(const std::wstring& program, const std::wstring& commandLine, int windowStyle);
[[noreturn]] void ReportFatal(const PlatformFailure& failure);
}  // namespace win32
