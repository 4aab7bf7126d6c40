#include "native/test_desktop.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// The script ran out; inside a nested loop the real program would wait forever.
struct ScriptExhausted {
    bool nested;
};

}  // namespace

void TestDesktop::Count(const char* operation) {
    const int call = ++calls_[operation];
    const auto it = failures_.find(operation);
    if (it == failures_.end() || call < it->second.first || call >= it->second.first + it->second.second) return;
    if (!failureText.empty()) throw std::runtime_error(failureText);
    throw PlatformFailure{L"injected", std::wstring(operation, operation + strlen(operation)), transientFailures};
}

void TestDesktop::Run(std::vector<Step> script) {
    script_ = std::move(script);
    try {
        app.Run();
        exitStatus = 0;
    } catch (const ProgramEnded& end) {
        exitStatus = end.status;
    } catch (const ScriptExhausted& exhausted) {
        if (exhausted.nested) ADD_FAILURE() << "the script ran out while a modal window, dialog or message box waited";
    }
}

void TestDesktop::RunUntil(const std::function<bool()>& done) {
    ++loops_;
    while (!done()) {
        if (next_ == script_.size()) throw ScriptExhausted{loops_ > 1};
        Perform(script_[next_++]);
        // Whenever no window is visible outside every nested loop, the program has ended.
        if (loops_ == 1 && !Visible(WindowId::Main) && !Visible(WindowId::Setup)) {
            EXPECT_TRUE(done());
        }
    }
    --loops_;
}

Step TestDesktop::PlayUntilAnswered() {
    ++loops_;
    while (next_ < script_.size()) {
        const Step& step = script_[next_++];
        if (step.kind >= Step::Accept) return --loops_, step;
        Perform(step);  // meanwhile the other windows still get their messages
    }
    throw ScriptExhausted{true};
}

void TestDesktop::Perform(const Step& step) {
    const WindowId window = step.control.window;
    if (step.kind == Step::Check) return step.check();
    // Another program may close a window that the user could not reach.
    if (step.kind == Step::Close && events_.count(window)) return events_[window]->CloseRequested(window);
    if (!events_.count(window) || !Visible(window) || !enabled[window] || step.kind > Step::KeyDown) {
        ADD_FAILURE() << "step " << next_ << " cannot happen now";
    } else if (step.kind == Step::Click) {
        events_[window]->Clicked(step.control);
    } else {
        focus = step.control;
        events_[window]->KeyDown(step.control, step.key);
    }
}

FileHandle TestDesktop::Open(const char* operation, const std::wstring& path, bool existing) {
    Count(operation);
    if (files.count(path) != existing) throw PlatformFailure{L"cannot open " + path, {}};
    ++openFiles;
    files[path];
    handles_[++handleCount_] = path;
    return {handleCount_};
}

void TestDesktop::MoveIntoPlace(const std::wstring& from, const std::wstring& to) {
    Count("MoveIntoPlace");
    files[to] = files.at(from);
    files.erase(from);
}

// A model of code page 1251: ASCII, the Russian alphabet and 0xB8 "ё".
bool TestDesktop::ToAnsi(const std::wstring& text, std::string& bytes) {
    bytes.clear();
    for (const wchar_t c : text) {
        if (c >= 0x80 && (c < 0x410 || c > 0x44F) && c != L'ё') return false;
        bytes += static_cast<char>(c < 0x80 ? c : c == L'ё' ? 0xB8 : c - 0x410 + 0xC0);
    }
    return true;
}

std::wstring TestDesktop::FromAnsi(const std::string& bytes) {
    std::wstring text;
    for (const unsigned char c : bytes) text += c < 0x80 ? c : c >= 0xC0 ? c - 0xC0 + 0x410 : c == 0xB8 ? L'ё' : L'?';
    return text;
}

void TestDesktop::StartProgram(const std::wstring& program, const std::wstring& commandLine, StartedWindow) {
    Count("StartProgram");
    if (!programs.count(program)) throw PlatformFailure{L"cannot start " + program, {}};
    started = {program, commandLine};
}

void TestDesktop::ShowMessage(const std::wstring& text, MessageKind) {
    Count("ShowMessage");
    messages.push_back(text);
    EXPECT_EQ(PlayUntilAnswered().kind, Step::Dismiss);
}

void TestDesktop::Create(const WindowDef& window, ScreenEvents& events) {
    Count("Create");
    events_[window.id] = &events;
    enabled[window.id] = true;
}

void TestDesktop::Destroy(WindowId window) {
    std::erase_if(texts, [&](const auto& entry) { return entry.first.first == window; });
    events_.erase(window);
}

std::optional<std::wstring> TestDesktop::ShowOpenDialog(WindowId, const FileDialogDef& dialog, const std::wstring& name) {
    Count("ShowOpen");
    dialogs.push_back(dialog.title + (L": " + name));
    const Step answer = PlayUntilAnswered();
    EXPECT_NE(answer.kind, Step::Dismiss);
    return answer.kind == Step::Accept ? std::optional(answer.path) : std::nullopt;
}
