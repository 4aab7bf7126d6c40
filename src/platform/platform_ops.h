// The desktop services the launcher rests on. Every operation either completes
// or throws PlatformFailure; what a failure means is decided by the handler it
// happens in, never by the operation.
#pragma once

#include <cstddef>
#include <string>

#include "platform/ansi_codec.h"
#include "platform/forms.h"

struct PlatformFailure {
    std::wstring action;  // what could not be done, in the user's words
    std::wstring reason;  // the system's explanation, may be empty
};

enum class WindowMode { Modal, Modeless };

// How the started program's window appears: normal size, with the focus.
constexpr int kNormalFocus = 1;
// Message box with the stop icon and the OK button alone.
constexpr int kCriticalOk = 16;

struct FileHandle {
    std::size_t id = 0;
};

class PlatformOps : public AnsiCodec {
public:
    virtual ~PlatformOps() = default;

    // Files hold 8-bit text; which code page it is in is the reader's and
    // writer's business (see ToAnsi and FromAnsi).
    virtual std::wstring ProgramDirectory() = 0;
    virtual FileHandle OpenForInput(const std::wstring& path) = 0;
    virtual FileHandle OpenForOutput(const std::wstring& path) = 0;
    // Reads at most maxBytes from the current position; fewer only at the end.
    virtual std::string ReadText(FileHandle file, std::size_t maxBytes) = 0;
    virtual void WriteText(FileHandle file, const std::string& bytes) = 0;
    // Flushes what was written to the disk before releasing the file.
    virtual void CloseFile(FileHandle file) = 0;
    // Puts `from` in the place of `to` in one step: readers see the old file or the new one.
    virtual void MoveIntoPlace(const std::wstring& from, const std::wstring& to) = 0;
    // Never fails: used on paths that are already failing.
    virtual void DeleteFileQuietly(const std::wstring& path) noexcept = 0;

    // Starts `program` (a full path, or a bare name looked up beside the
    // launcher first) with `commandLine` as its whole command line; does not wait.
    // The short (8.3) form of an existing file's path, or empty when Windows
    // keeps none for it.
    virtual std::wstring ShortPath(const std::wstring& path) = 0;
    virtual void StartProgram(const std::wstring& program, const std::wstring& commandLine, int windowStyle) = 0;
    virtual void ShowMessage(const std::wstring& text, int style) = 0;
    [[noreturn]] virtual void EndProgram() = 0;
    // Tells the user what failed and ends the process with a non-zero status.
    [[noreturn]] virtual void Fatal(const PlatformFailure& failure) = 0;

    // Windows. Using a control of a window that is not loaded loads it first.
    virtual void ShowWindow(Form form, WindowMode mode) = 0;
    virtual void UnloadWindow(Form form) = 0;
    virtual void SetFocus(Control control) = 0;
    virtual std::wstring GetText(Control box) = 0;
    virtual void SetText(Control box, const std::wstring& text) = 0;
    // Shows the Open dialog and returns its file name afterwards: the chosen
    // file's full path, or after a cancel the name it held before.
    virtual std::wstring ShowOpen(Control dialog) = 0;
};
