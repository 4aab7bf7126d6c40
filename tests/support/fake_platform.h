// An in-memory desktop: files and programs (FakePlatform) and a screen that
// only records what it is told and plays the user's script (FakeScreen). The
// rules of the windows' life are the shipped ones (core/window_life.h).
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/app.h"
#include "core/controls.h"
#include "window_tables/window_tables.h"

// Thrown where the real process would end, so the test regains control.
struct ProgramEnded {
    int status;
};

struct UserStep {
    enum Kind { Click, KeyDown, CloseBox, AcceptDialog, CancelDialog, Check } kind;
    Control control{WindowId::Main, 0};
    Key key = Key::Other;
    std::wstring path{};
    std::function<void()> check{};
};

UserStep Click(Control button);
UserStep KeyDown(Control box, Key key);
UserStep CloseBox(WindowId window);
UserStep Accept(const std::wstring& path);
UserStep CancelDialog();
// Runs `check` at this point of the script, e.g. while a modal window is up.
UserStep Check(std::function<void()> check);

// Failures to inject, shared by the platform and the screen.
class Faults {
public:
    void FailOn(const std::string& operation, int nth = 1) { failures_[operation] = nth; }
    // Counts a call of the operation and throws if it is the one to fail.
    void Step(const char* operation);

private:
    std::map<std::string, int> calls_, failures_;
};

class FakeScreen final : public Screen {
public:
    explicit FakeScreen(Faults& faults) : faults_(faults) {}

    std::deque<UserStep> script;
    std::map<std::pair<WindowId, int>, std::wstring> texts;
    std::map<WindowId, bool> enabled;
    std::optional<Control> focus;
    std::optional<WindowId> frontmost;

    std::wstring TextOf(Control box) const;

    void Create(const WindowDef& window, ScreenEvents& events) override;
    void Destroy(WindowId window) override;
    void Show(WindowId window) override;
    void Enable(WindowId window, bool enabled) override;
    void RunUntil(const std::function<bool()>& done) override;
    std::optional<std::wstring> ShowOpenDialog(WindowId owner,
                                               const FileDialogDef& dialog,
                                               const std::wstring& fileName) override;
    std::wstring GetText(Control box) override;
    void SetText(Control box, const std::wstring& text) override;
    void Focus(Control control) override;

private:
    void Perform(const UserStep& step);

    Faults& faults_;
    std::map<WindowId, ScreenEvents*> events_;
    int loops_ = 0;
};

class FakePlatform : public PlatformOps, public Faults {
public:
    // The desktop.
    std::wstring directory = L"C:\\Tools";
    std::map<std::wstring, std::string> files;
    std::set<std::wstring> lockedFiles;  // exist, but cannot be opened
    std::set<std::wstring> programs;     // can be started
    std::map<std::wstring, std::wstring> shortPaths;
    struct Start {
        std::wstring program, commandLine;
    };
    std::vector<Start> started;
    std::vector<std::wstring> messages;
    std::optional<PlatformFailure> fatal;
    std::optional<int> exitStatus;  // set once the program has ended
    int openFiles = 0;

    FakeScreen screen{*this};
    App app{*this, screen, kMainWindow, kSetupWindow};

    // Starts the program and plays the script until it runs out or the program ends.
    void Run(std::vector<UserStep> script);

    // What the user sees.
    bool IsLoaded(WindowId window) const { return app.windows.IsLoaded(window); }
    bool IsVisible(WindowId window) const { return app.windows.IsVisible(window); }
    // Visible while the other window, if loaded, takes no input.
    bool IsModal(WindowId window) const;
    std::wstring TextOf(Control box) const { return screen.TextOf(box); }

    std::wstring ConfigPath() const { return directory + L"\\kx_shell.ini"; }

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
    void StartProgram(const std::wstring& program, const std::wstring& commandLine, StartedWindow window) override;
    void ShowMessage(const std::wstring& text, MessageKind kind) override;
    [[noreturn]] void EndProgram() override;
    [[noreturn]] void Fatal(const PlatformFailure& failure) override;

private:
    struct OpenFileState {
        std::wstring path{};
        std::size_t position = 0;
    };
    std::map<std::size_t, OpenFileState> handles_;
    std::size_t nextHandle_ = 1;
};
