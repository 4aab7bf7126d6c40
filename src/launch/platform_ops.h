// The system services the launcher rests on, apart from its windows. Every
// operation either completes or throws PlatformFailure; what a failure means
// is decided by the handler it happens in, never by the operation.
#pragma once

#include <cstddef>
#include <exception>
#include <string>
#include <vector>

#include "ansi_codec.h"

// What the system, or a window operation, could not do. A rule that declines
// (no usable saved path, a launch that cannot be made safe) says so in its
// result instead.
struct PlatformFailure {
    // The causes the launcher answers in a way of its own.
    enum class Cause {
        Other,
        // Another program holds the file for a moment (a virus scanner, an
        // indexer, a second launcher saving): the same step may pass if retried.
        Held,
        // No right to do it. A file being replaced or deleted by another
        // program reports it too, so it is retried as well.
        Denied,
        // The program asks for administrator rights, which only the shell's
        // start asks the user for.
        NeedsElevation,
    };
    std::wstring action;  // what could not be done, in the user's words
    std::wstring reason;  // the system's explanation, may be empty
    Cause cause = Cause::Other;
};

// The longest path Windows handles, in UTF-16 units.
constexpr std::size_t kLongestPath = 32767;

// What the fatal report says of anything thrown: a PlatformFailure as it is,
// another exception as an internal error with its text.
PlatformFailure FailureOf(const std::exception_ptr& thrown);

struct FileHandle {
    std::size_t id = 0;
};

class PlatformOps : public AnsiCodec {
public:
    // The folder holding the launcher's executable, without a trailing
    // backslash except at a drive root.
    virtual std::wstring ProgramDirectory() = 0;

    // Files hold 8-bit text; which code page it is in is the reader's and
    // writer's business (see ToAnsi and FromAnsi).
    virtual FileHandle OpenForInput(const std::wstring& path) = 0;
    // Creates a file that does not exist yet, to take another's place: it is
    // moved or deleted through its handle, so a folder that lets a user
    // create files but not delete them keeps none of them.
    virtual FileHandle CreateNewFile(const std::wstring& path) = 0;
    // Opens a file for writing where it stands, creating it where it is
    // missing; what it holds stays until written over.
    virtual FileHandle OpenForOutput(const std::wstring& path) = 0;
    // Reads at most maxBytes from the current position; fewer only at the end.
    virtual std::string ReadText(FileHandle file, std::size_t maxBytes) = 0;
    // Writes at the current position, the start of a file just opened, and
    // flushes what was written to the disk.
    virtual void WriteText(FileHandle file, const std::string& bytes) = 0;
    virtual std::size_t LengthOf(FileHandle file) = 0;
    // Makes the file `bytes` long, claiming on the disk the space a longer
    // file takes; the next write starts at its beginning.
    virtual void SetLength(FileHandle file, std::size_t bytes) = 0;
    virtual void CloseFile(FileHandle file) = 0;
    // Puts a file made by CreateNewFile in the place of `to` in one step:
    // readers see the old file or the new one.
    virtual void MoveIntoPlace(FileHandle file, const std::wstring& to) = 0;
    // Has a file made by CreateNewFile deleted once it is closed. Never fails:
    // used on paths that are already failing.
    virtual void Discard(FileHandle file) noexcept = 0;
    // Whether a file, not a folder, is marked read-only: no program may then
    // write it or put another file in its place.
    virtual bool IsReadOnly(const std::wstring& path) = 0;
    // A text that no other save, in this process or another, uses meanwhile.
    virtual std::wstring UniqueName() = 0;
    // Lets a moment pass before a failure is retried.
    virtual void Pause(int milliseconds) = 0;

    // Whether a file, not a folder, is at the full path.
    virtual bool IsFile(const std::wstring& path) = 0;
    virtual bool IsFolder(const std::wstring& path) = 0;
    // The folder the launcher was started in, whichever folder an Open
    // dialog has made the current one since.
    virtual std::wstring StartFolder() = 0;
    // Windows' system folder, then the Windows folder.
    virtual std::vector<std::wstring> SystemFolders() = 0;
    // The PATH environment variable, where Windows also looks for programs.
    virtual std::wstring PathVariable() = 0;
    // The short (8.3) form of an existing file's path, or empty when Windows
    // keeps none for it.
    virtual std::wstring ShortPath(const std::wstring& path) = 0;
    // Starts `program`, a full path, with `commandLine` as its whole command
    // line, in `folder`, its window at its normal size and in front; does not
    // wait.
    virtual void StartProgram(const std::wstring& program,
                              const std::wstring& commandLine,
                              const std::wstring& folder) = 0;
    // Starts `program` with `parameters` after its own path, in `folder`,
    // through the shell, which asks the user for administrator rights when
    // the program needs them; fails when the user declines. Does not wait.
    virtual void StartThroughShell(const std::wstring& program,
                                   const std::wstring& parameters,
                                   const std::wstring& folder) = 0;

    // Application-modal, captioned "kx_shell", with the critical icon and the
    // OK button alone.
    virtual void ShowMessage(const std::wstring& text) = 0;
    [[noreturn]] virtual void EndProgram() = 0;
    // Tells the user what failed and ends the process with a non-zero status.
    [[noreturn]] virtual void Fatal(const PlatformFailure& failure) = 0;
};

// An open file, closed on every path out of the scope that opened it. Close
// reports a failure to close; on a path already failing, the first failure
// is the one that counts.
class OpenFile {
public:
    OpenFile(PlatformOps& ops, FileHandle handle) : ops_(ops), handle_(handle) {}
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    ~OpenFile() {
        if (open_) {
            try {
                ops_.CloseFile(handle_);
            } catch (const PlatformFailure&) {
            }
        }
    }
    FileHandle handle() const { return handle_; }
    void Close() {
        open_ = false;
        ops_.CloseFile(handle_);
    }

private:
    PlatformOps& ops_;
    FileHandle handle_;
    bool open_ = true;
};
