#include "support/fake_platform.h"

#include <gtest/gtest.h>

UserStep Click(Control button) {
    return {UserStep::Click, button};
}
UserStep KeyDown(Control box, Key key) {
    return {UserStep::KeyDown, box, key};
}
UserStep CloseBox(WindowId window) {
    return {UserStep::CloseBox, {window, 0}};
}
UserStep Accept(const std::wstring& path) {
    return {UserStep::AcceptDialog, {}, Key::Other, path};
}
UserStep CancelDialog() {
    return {UserStep::CancelDialog};
}
UserStep Check(std::function<void()> check) {
    return {UserStep::Check, {}, Key::Other, {}, std::move(check)};
}

namespace {

// The script ran out: inside a modal loop or dialog the real program would
// wait for the user forever; in the outermost loop it simply keeps running.
struct ScriptExhausted {
    bool inModalLoop;
};

}  // namespace

void Faults::Step(const char* operation) {
    const int call = ++calls_[operation];
    const auto it = failures_.find(operation);
    if (it != failures_.end() && it->second == call) {
        throw PlatformFailure{L"injected failure of " + std::wstring(operation, operation + strlen(operation)), {}};
    }
}

std::wstring FakeScreen::TextOf(Control box) const {
    const auto it = texts.find({box.window, box.id});
    return it == texts.end() ? L"" : it->second;
}

void FakeScreen::Create(const WindowDef& window, ScreenEvents& events) {
    faults_.Step("Create");
    events_[window.id] = &events;
    enabled[window.id] = true;
}

void FakeScreen::Destroy(WindowId window) {
    std::erase_if(texts, [&](const auto& entry) { return entry.first.first == window; });
    events_.erase(window);
    if (focus && focus->window == window)
        focus.reset();
}

void FakeScreen::Show(WindowId window) {
    faults_.Step("ShowWindow");
    frontmost = window;
}

void FakeScreen::Enable(WindowId window, bool on) {
    enabled[window] = on;
}

void FakeScreen::RunUntil(const std::function<bool()>& done) {
    ++loops_;
    while (!done()) {
        if (script.empty())
            throw ScriptExhausted{loops_ > 1};
        UserStep step = std::move(script.front());
        script.pop_front();
        Perform(step);
    }
    --loops_;
}

void FakeScreen::Perform(const UserStep& step) {
    if (step.kind == UserStep::Check)
        return step.check();
    if (step.kind == UserStep::AcceptDialog || step.kind == UserStep::CancelDialog) {
        ADD_FAILURE() << "a dialog answer came when no dialog was open";
        return;
    }
    const WindowId window = step.control.window;
    if (!events_.count(window) || !enabled[window]) {
        ADD_FAILURE() << "the user cannot reach a window that is not there or takes no input";
        return;
    }
    if (step.kind == UserStep::CloseBox)
        return events_[window]->CloseRequested(window);
    if (step.kind == UserStep::KeyDown) {
        focus = step.control;
        return events_[window]->KeyDown(step.control, step.key);
    }
    events_[window]->Clicked(step.control);
}

std::optional<std::wstring> FakeScreen::ShowOpenDialog(WindowId, const FileDialogDef&, const std::wstring&) {
    faults_.Step("ShowOpen");
    // Until the user answers the dialog, other things may happen (another
    // program closing a window, a click in a window the dialog left enabled).
    ++loops_;
    for (;;) {
        if (script.empty())
            throw ScriptExhausted{true};
        UserStep step = std::move(script.front());
        script.pop_front();
        if (step.kind == UserStep::AcceptDialog || step.kind == UserStep::CancelDialog) {
            --loops_;
            if (step.kind == UserStep::AcceptDialog)
                return step.path;
            return std::nullopt;
        }
        Perform(step);
    }
}

std::wstring FakeScreen::GetText(Control box) {
    faults_.Step("GetText");
    return TextOf(box);
}

void FakeScreen::SetText(Control box, const std::wstring& text) {
    faults_.Step("SetText");
    texts[{box.window, box.id}] = text;
}

void FakeScreen::Focus(Control control) {
    faults_.Step("SetFocus");
    focus = control;
}

void FakePlatform::Run(std::vector<UserStep> steps) {
    screen.script.assign(steps.begin(), steps.end());
    try {
        app.Run();
        exitStatus = 0;
    } catch (const ProgramEnded& end) {
        exitStatus = end.status;
    } catch (const ScriptExhausted& exhausted) {
        if (exhausted.inModalLoop)
            ADD_FAILURE() << "the script ran out while a modal window or dialog was waiting";
    }
}

bool FakePlatform::IsModal(WindowId window) const {
    const WindowId other = window == WindowId::Main ? WindowId::Setup : WindowId::Main;
    const auto it = screen.enabled.find(other);
    return IsVisible(window) && IsLoaded(other) && it != screen.enabled.end() && !it->second;
}

std::wstring FakePlatform::ProgramDirectory() {
    Step("ProgramDirectory");
    return directory;
}

FileHandle FakePlatform::OpenForInput(const std::wstring& path) {
    Step("OpenForInput");
    if (!files.count(path) || lockedFiles.count(path))
        throw PlatformFailure{L"cannot open " + path, {}};
    handles_[nextHandle_] = {path, 0};
    ++openFiles;
    return {nextHandle_++};
}

FileHandle FakePlatform::OpenForOutput(const std::wstring& path) {
    Step("OpenForOutput");
    if (lockedFiles.count(path))
        throw PlatformFailure{L"cannot create " + path, {}};
    files[path].clear();
    handles_[nextHandle_] = {path, 0};
    ++openFiles;
    return {nextHandle_++};
}

std::string FakePlatform::ReadText(FileHandle file, std::size_t maxBytes) {
    Step("ReadText");
    OpenFileState& open = handles_.at(file.id);
    const std::string& bytes = files.at(open.path);
    std::string read = bytes.substr(std::min(open.position, bytes.size()), maxBytes);
    open.position += read.size();
    return read;
}

void FakePlatform::WriteText(FileHandle file, const std::string& bytes) {
    Step("WriteText");
    files.at(handles_.at(file.id).path) += bytes;
}

void FakePlatform::CloseFile(FileHandle file) {
    // Released even when closing reports a failure, as a real handle is.
    handles_.erase(file.id);
    --openFiles;
    Step("CloseFile");
}

void FakePlatform::MoveIntoPlace(const std::wstring& from, const std::wstring& to) {
    Step("MoveIntoPlace");
    if (lockedFiles.count(to))
        throw PlatformFailure{L"cannot replace " + to, {}};
    files[to] = files.at(from);
    files.erase(from);
}

void FakePlatform::DeleteFileQuietly(const std::wstring& path) noexcept {
    files.erase(path);
}

// A small model of code page 1251: ASCII and the Russian alphabet.
bool FakePlatform::ToAnsi(const std::wstring& text, std::string& bytes) {
    bytes.clear();
    for (const wchar_t c : text) {
        if (c < 0x80)
            bytes += static_cast<char>(c);
        else if (c >= 0x410 && c <= 0x44F)
            bytes += static_cast<char>(c - 0x410 + 0xC0);
        else if (c == 0x401)
            bytes += '\xA8';
        else if (c == 0x451)
            bytes += '\xB8';
        else
            return false;
    }
    return true;
}

std::wstring FakePlatform::FromAnsi(const std::string& bytes) {
    std::wstring text;
    for (const char b : bytes) {
        const auto c = static_cast<unsigned char>(b);
        if (c < 0x80)
            text += static_cast<wchar_t>(c);
        else if (c >= 0xC0)
            text += static_cast<wchar_t>(c - 0xC0 + 0x410);
        else if (c == 0xA8)
            text += L'\u0401';
        else if (c == 0xB8)
            text += L'\u0451';
        else
            text += L'?';
    }
    return text;
}

std::wstring FakePlatform::ShortPath(const std::wstring& path) {
    const auto it = shortPaths.find(path);
    return it == shortPaths.end() ? L"" : it->second;
}

void FakePlatform::StartProgram(const std::wstring& program, const std::wstring& commandLine, StartedWindow) {
    Step("StartProgram");
    if (!programs.count(program))
        throw PlatformFailure{L"cannot start " + program, {}};
    started.push_back({program, commandLine});
}

void FakePlatform::ShowMessage(const std::wstring& text, MessageKind) {
    Step("ShowMessage");
    messages.push_back(text);
}

void FakePlatform::EndProgram() {
    throw ProgramEnded{0};
}

void FakePlatform::Fatal(const PlatformFailure& failure) {
    fatal = failure;
    throw ProgramEnded{1};
}
