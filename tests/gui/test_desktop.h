// An in-memory desktop: files, programs, and a screen that only records what it is
// told and plays the user's script; the window rules are the shipped ones.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <stdexcept>

#include "app.h"
#include "controls.h"
#include "window_tables.h"

struct ProgramEnded { int status; };  // thrown where the real process would end; -1: the script ran out

class TestDesktop;

// One thing the user, or another program, does; the last three answer a dialog.
struct Step {
    enum Kind { Click, KeyDown, Close, Check, Accept, Cancel, Dismiss } kind;
    Control control{WindowId::Main, 0};
    Key key = Key::F12;
    std::wstring path{};
    std::function<void(TestDesktop&)> check{};
};
inline Step Click(Control button) { return {Step::Click, button}; }
// Clicks a browse button and accepts `path` in its dialog.
inline Step Browse(Control button, std::wstring path) { return {Step::Click, button, {}, std::move(path)}; }
inline Step Press(Control box, Key key = Key::F12) { return {Step::KeyDown, box, key}; }
inline Step Close(WindowId window) { return {Step::Close, {window, 0}}; }
inline Step Check(std::function<void(TestDesktop&)> check) { return {Step::Check, {}, {}, {}, std::move(check)}; }
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
    int openFiles = 0, pauses = 0;  // pauses: in milliseconds
    bool transientFailures = false;
    std::string failureText;  // if set, failures are std::runtime_error with this text
    std::map<std::pair<WindowId, int>, std::wstring> texts;
    std::map<WindowId, bool> enabled;
    std::optional<Control> focus;
    App app{*this, *this, kMainWindow, kSetupWindow};

    // The nth call of `operation` from now fails, and the `times - 1` after it.
    void FailOn(const std::string& operation, int nth = 1, int times = 1) {
        failures_[operation] = {calls_[operation] + nth, times};
    }
    // Runs the program through the script until it ends or the script runs out.
    void Run(std::vector<Step> script) {
        script_ = std::move(script);
        try {
            app.Run();
            exitStatus = 0;
        } catch (const ProgramEnded& end) {
            if (end.status >= 0) exitStatus = end.status;
        }
    }
    std::wstring Text(Control box) { return texts[{box.window, box.id}]; }
    bool Visible(WindowId window) const { return app.windows.IsVisible(window); }
    std::wstring Ini() const { return directory + L"\\kx_shell.ini"; }

    std::wstring ProgramDirectory() override { return Count("ProgramDirectory"), directory; }
    FileHandle OpenForInput(const std::wstring& path) override { return Open("OpenForInput", path, true); }
    FileHandle CreateNewFile(const std::wstring& path) override { return Open("CreateNewFile", path, false); }
    std::string ReadText(FileHandle file, std::size_t most) override {
        return Count("ReadText"), File(file).substr(0, most);
    }
    void WriteText(FileHandle file, const std::string& bytes) override { Count("WriteText"), File(file) += bytes; }
    void CloseFile(FileHandle) override { --openFiles, Count("CloseFile"); }
    void MoveIntoPlace(const std::wstring& from, const std::wstring& to) override {
        Count("MoveIntoPlace");
        files[to] = files.at(from);
        files.erase(from);
    }
    void DeleteFileQuietly(const std::wstring& path) noexcept override { files.erase(path); }
    std::wstring UniqueName() override { return L"u" + std::to_wstring(++uniqueNames_); }
    void Pause(int milliseconds) override { pauses += milliseconds; }
    // A model of code page 1251: ASCII, the Russian alphabet and 0xB8 "ё".
    bool ToAnsi(const std::wstring& text, std::string& bytes) override {
        bytes.clear();
        for (const wchar_t c : text) bytes += static_cast<char>(c < 0x80 ? c : c == L'ё' ? 0xB8 : c - 0x410 + 0xC0);
        return FromAnsi(bytes) == text;  // what the model lacks comes back otherwise
    }
    std::wstring FromAnsi(const std::string& bytes) override {
        std::wstring text;
        for (const unsigned char c : bytes) text += c < 0x80 ? c : c >= 0xC0 ? c + 0x350 : c == 0xB8 ? L'ё' : L'?';
        return text;
    }
    bool IsFile(const std::wstring& path) override { return programs.count(path) || files.count(path); }
    std::vector<std::wstring> SystemFolders() override { return {L"C:\\Windows\\system32", L"C:\\Windows"}; }
    std::wstring PathVariable() override { return pathVariable; }
    std::wstring ShortPath(const std::wstring& path) override { return shortPaths[path]; }
    void StartProgram(const std::wstring& program, const std::wstring& line, StartedWindow) override {
        Count("StartProgram");
        if (!programs.count(program)) throw PlatformFailure{L"cannot start " + program, {}};
        started = {program, line};
    }
    void ShowMessage(const std::wstring& text, MessageKind) override {
        Count("ShowMessage");
        messages.push_back(text);
        EXPECT_EQ(PlayUntilAnswered().kind, Step::Dismiss);
    }
    [[noreturn]] void EndProgram() override { throw ProgramEnded{0}; }
    [[noreturn]] void Fatal(const PlatformFailure& failure) override { fatal = failure, throw ProgramEnded{1}; }

    void Create(const WindowDef& window, ScreenEvents& events) override {
        Count("Create");
        events_[window.id] = &events;
        enabled[window.id] = true;
    }
    void Destroy(WindowId window) override {
        // The input comes back first, so that Windows activates another window of the launcher.
        for (const auto& [other, on] : enabled) EXPECT_TRUE(on || other == window || !events_.count(other));
        std::erase_if(texts, [&](const auto& entry) { return entry.first.first == window; });
        events_.erase(window);
    }
    void Show(WindowId) override { Count("Show"); }
    void Enable(WindowId window, bool on) override { enabled[window] = on; }
    void RunUntil(const std::function<bool()>& done) override {
        ++loops_;
        while (!done()) {
            if (next_ == script_.size()) throw RanOut();
            Perform(script_[next_++]);
            // Whenever no window is visible outside every nested loop, the program has ended.
            if (loops_ == 1 && !Visible(WindowId::Main) && !Visible(WindowId::Setup)) {
                EXPECT_TRUE(done());
            }
        }
        --loops_;
    }
    std::optional<std::wstring> ShowOpenDialog(WindowId, const FileDialogDef& dialog, const std::wstring& at) override {
        Count("ShowOpen");
        dialogs.push_back(dialog.title + (L": " + at));
        const Step answer = PlayUntilAnswered();
        return answer.kind == Step::Accept ? std::optional(answer.path) : std::nullopt;
    }
    std::wstring GetText(Control box) override { return Count("GetText", box), Text(box); }
    void SetText(Control box, const std::wstring& text) override {
        Count("SetText", box), texts[{box.window, box.id}] = text;
    }
    void Focus(Control control) override { Count("SetFocus", control), focus = control; }

private:
    void Count(const char* operation, std::optional<Control> control = {}) {  // and fail as FailOn says
        EXPECT_TRUE(!control || events_.count(control->window)) << operation << ": the window is not there";
        const int call = ++calls_[operation];
        const auto it = failures_.find(operation);
        if (it == failures_.end() || call < it->second.first || call >= it->second.first + it->second.second) return;
        if (!failureText.empty()) throw std::runtime_error(failureText);
        throw PlatformFailure{L"injected", std::wstring(operation, operation + strlen(operation)), transientFailures};
    }
    // In the outermost loop the program keeps running; in a nested one it would wait forever.
    ProgramEnded RanOut() {
        EXPECT_EQ(loops_, 1) << "the script ran out while a modal window, dialog or message box waited";
        return {-1};
    }
    Step PlayUntilAnswered() {
        ++loops_;
        while (next_ < script_.size()) {
            const Step& step = script_[next_++];
            if (step.kind >= Step::Accept) return --loops_, step;
            Perform(step);  // meanwhile the other windows still get their messages
        }
        throw RanOut();
    }
    void Perform(const Step& step) {
        const WindowId window = step.control.window;
        if (step.kind == Step::Check) return step.check(*this);
        // Another program may close a window that the user could not reach.
        if (step.kind == Step::Close && events_.count(window)) return events_[window]->CloseRequested(window);
        if (!events_.count(window) || !Visible(window) || !enabled[window] || step.kind > Step::KeyDown) {
            ADD_FAILURE() << "step " << next_ << " cannot happen now";
        } else if (step.kind == Step::Click) {
            const Control button = step.control;  // the insertion may move the step
            if (!step.path.empty()) script_.insert(script_.begin() + next_, Accept(step.path));
            events_[window]->Clicked(button);
        } else {
            focus = step.control;
            events_[window]->KeyDown(step.control, step.key);
        }
    }
    FileHandle Open(const char* operation, const std::wstring& path, bool existing) {
        Count(operation);
        if (files.count(path) != existing) throw PlatformFailure{L"cannot open " + path, {}};
        ++openFiles;
        files[path];
        paths_.push_back(path);
        return {paths_.size() - 1};
    }
    std::string& File(FileHandle file) { return files.at(paths_.at(file.id)); }

    std::vector<Step> script_;
    std::size_t next_ = 0;
    int loops_ = 0, uniqueNames_ = 0;
    std::map<WindowId, ScreenEvents*> events_;
    std::map<std::string, int> calls_;
    std::map<std::string, std::pair<int, int>> failures_;
    std::vector<std::wstring> paths_;  // of the files opened, by handle
};

// Checks the box's text at this point of the script.
inline Step Shows(Control box, std::wstring text) {
    return Check([box, text](TestDesktop& d) { EXPECT_EQ(d.Text(box), text); });
}
