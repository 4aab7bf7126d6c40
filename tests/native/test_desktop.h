// An in-memory desktop for the native tests: files and programs, and a
// screen that only records what it is told and plays the user's script. The
// rules of the windows' life are the shipped ones (core/window_life.h).
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <set>

#include "core/app.h"
#include "core/controls.h"
#include "window_tables/window_tables.h"

struct ProgramEnded {  // thrown where the real process would end
    int status;
};

// One thing the user, or another program, does; the last three answer a
// file dialog or the message box.
struct Step {
    enum Kind { Click, KeyDown, Close, Check, Accept, Cancel, Dismiss } kind;
    Control control{WindowId::Main, 0};
    Key key = Key::F12;
    std::wstring path{};
    std::function<void()> check{};
};
inline Step Click(Control button) { return {Step::Click, button}; }
inline Step Press(Control box, Key key = Key::F12) { return {Step::KeyDown, box, key}; }
inline Step Close(WindowId window) { return {Step::Close, {window, 0}}; }
inline Step Check(std::function<void()> check) { return {Step::Check, {}, {}, {}, std::move(check)}; }
inline Step Accept(std::wstring path) { return {Step::Accept, {}, {}, std::move(path)}; }
inline Step Cancel() { return {Step::Cancel}; }
inline Step Dismiss() { return {Step::Dismiss}; }

class TestDesktop final : public PlatformOps, public Screen {
public:
    std::wstring directory = L"C:\\Tools", pathVariable;
    std::map<std::wstring, std::string> files;
    std::set<std::wstring> programs;  // files that can be started
    std::map<std::wstring, std::wstring> shortPaths;
    std::vector<std::wstring> started, messages, dialogs;  // started: the program, then its line
    std::optional<PlatformFailure> fatal;
    std::optional<int> exitStatus;  // once the program has ended
    int openFiles = 0, pauses = 0;
    bool transientFailures = false;
    std::string failureText;  // if set, failures are std::runtime_error with this text
    std::map<std::pair<WindowId, int>, std::wstring> texts;
    std::map<WindowId, bool> enabled;
    std::optional<Control> focus;
    std::optional<WindowId> front;
    App app{*this, *this, kMainWindow, kSetupWindow};

    // The nth call of `operation` from now fails, and the `times - 1` after it.
    void FailOn(const std::string& operation, int nth = 1, int times = 1) {
        failures_[operation] = {calls_[operation] + nth, times};
    }
    // Runs the program through the script, until it ends or the script runs
    // out in the outermost loop, where the program keeps running.
    void Run(std::vector<Step> script);
    std::wstring Text(Control box) { return texts[{box.window, box.id}]; }
    bool Visible(WindowId window) const { return app.windows.IsVisible(window); }
    std::wstring Ini() const { return directory + L"\\kx_shell.ini"; }

    std::wstring ProgramDirectory() override { return Count("ProgramDirectory"), directory; }
    FileHandle OpenForInput(const std::wstring& path) override { return Open("OpenForInput", path, true); }
    FileHandle CreateNewFile(const std::wstring& path) override { return Open("CreateNewFile", path, false); }
    std::string ReadText(FileHandle file, std::size_t most) override { return Count("ReadText"), File(file).substr(0, most); }
    void WriteText(FileHandle file, const std::string& bytes) override { Count("WriteText"), File(file) += bytes; }
    void CloseFile(FileHandle file) override { --openFiles, handles_.erase(file.id), Count("CloseFile"); }
    void MoveIntoPlace(const std::wstring& from, const std::wstring& to) override;
    void DeleteFileQuietly(const std::wstring& path) noexcept override { files.erase(path); }
    std::wstring UniqueName() override { return L"u" + std::to_wstring(++uniqueNames_); }
    void Pause(int) override { ++pauses; }
    bool ToAnsi(const std::wstring& text, std::string& bytes) override;
    std::wstring FromAnsi(const std::string& bytes) override;
    bool IsFile(const std::wstring& path) override { return programs.count(path) || files.count(path); }
    std::vector<std::wstring> SystemFolders() override { return {L"C:\\Windows\\system32", L"C:\\Windows"}; }
    std::wstring PathVariable() override { return pathVariable; }
    std::wstring ShortPath(const std::wstring& path) override { return shortPaths[path]; }
    void StartProgram(const std::wstring& program, const std::wstring& commandLine, StartedWindow) override;
    void ShowMessage(const std::wstring& text, MessageKind) override;
    [[noreturn]] void EndProgram() override { throw ProgramEnded{0}; }
    [[noreturn]] void Fatal(const PlatformFailure& failure) override { fatal = failure, throw ProgramEnded{1}; }

    void Create(const WindowDef& window, ScreenEvents& events) override;
    void Destroy(WindowId window) override;
    void Show(WindowId window) override { Count("Show"), front = window; }
    void Enable(WindowId window, bool on) override { enabled[window] = on; }
    void RunUntil(const std::function<bool()>& done) override;
    std::optional<std::wstring> ShowOpenDialog(WindowId, const FileDialogDef& dialog, const std::wstring& name) override;
    std::wstring GetText(Control box) override { return Count("GetText"), Text(box); }
    void SetText(Control box, const std::wstring& text) override { Count("SetText"), texts[{box.window, box.id}] = text; }
    void Focus(Control control) override { Count("SetFocus"), focus = control; }

private:
    void Count(const char* operation);  // and fails as FailOn says
    Step PlayUntilAnswered();           // the step that answers a dialog or the message box
    void Perform(const Step& step);
    FileHandle Open(const char* operation, const std::wstring& path, bool existing);
    std::string& File(FileHandle file) { return files.at(handles_.at(file.id)); }

    std::vector<Step> script_;
    std::size_t next_ = 0, handleCount_ = 0;
    int loops_ = 0, uniqueNames_ = 0;
    std::map<WindowId, ScreenEvents*> events_;
    std::map<std::string, int> calls_;
    std::map<std::string, std::pair<int, int>> failures_;
    std::map<std::size_t, std::wstring> handles_;
};
