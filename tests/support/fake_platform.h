// An in-memory desktop: files, programs, and the two windows with their
// loaded, visible and modal states. A test scripts what the user does; modal
// windows and file dialogs take the next steps of that script from within
// their own nested loop, as on the real desktop.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/app.h"

// Thrown where the real process would end, so the test regains control.
struct ProgramEnded {
    int status;
};

struct UserStep {
    enum Kind { Click, KeyDown, CloseBox, AcceptDialog, CancelDialog, Check } kind;
    Control control{Form::Form1, 0};
    int key = 0;
    std::wstring path{};
    std::function<void()> check{};
};

UserStep Click(Control button);
UserStep KeyDown(Control box, int key);
UserStep CloseBox(Form form);
UserStep Accept(const std::wstring& path);
UserStep CancelDialog();
// Runs `check` at this point of the script, e.g. while a modal window is up.
UserStep Check(std::function<void()> check);

class FakePlatform : public PlatformOps {
public:
    // The desktop.
    std::wstring directory = L"C:\\Tools";
    std::map<std::wstring, std::string> files;
    std::set<std::wstring> lockedFiles;   // exist, but cannot be opened
    std::set<std::wstring> programs;      // can be started
    std::map<std::wstring, std::wstring> shortPaths;
    struct Start {
        std::wstring program, commandLine;
        int style;
    };
    std::vector<Start> started;
    std::vector<std::wstring> messages;
    std::optional<PlatformFailure> fatal;
    std::optional<int> exitStatus;  // set once the program has ended
    int openFiles = 0;

    // Makes the nth call (from 1) of the named operation fail.
    void FailOn(const std::string& operation, int nth = 1);
    int CallsOf(const std::string& operation) const;

    // Starts the program and plays the script until it runs out or the program ends.
    void Run(std::vector<UserStep> script);

    // What the user sees.
    bool IsLoaded(Form form) const { return window(form).loaded; }
    bool IsVisible(Form form) const { return window(form).visible; }
    bool IsModal(Form form) const { return !modal_.empty() && modal_.back() == form; }
    std::wstring TextOf(Control box) const;
    std::optional<Control> focus;
    std::optional<Form> frontmost;

    std::wstring ConfigPath() const { return directory + L"\\kx_shell.ini"; }

    // PlatformOps
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

    App app{*this, {}};

private:
    struct WindowState {
        bool loaded = false;
        bool visible = false;
        std::map<int, std::wstring> texts;
        std::map<int, std::wstring> dialogNames;
    };
    struct OpenFileState {
        std::wstring path{};
        std::size_t position = 0;
    };

    WindowState& window(Form form) { return windows_[form == Form::Form1 ? 0 : 1]; }
    const WindowState& window(Form form) const { return windows_[form == Form::Form1 ? 0 : 1]; }
    void Step(const char* operation);
    void Load(Form form);
    WindowState& Loaded(Form form);
    void PlayOne();
    void Perform(const UserStep& step);

    WindowState windows_[2];
    std::vector<Form> modal_;
    std::deque<UserStep> script_;
    std::map<std::size_t, OpenFileState> handles_;
    std::size_t nextHandle_ = 1;
    std::map<std::string, int> calls_;
    std::map<std::string, int> failures_;
};
