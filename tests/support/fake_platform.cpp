#include "support/fake_platform.h"

#include <gtest/gtest.h>

#include "core/handler.h"
#include "windows/windows.h"

UserStep Click(Control button) { return {UserStep::Click, button}; }
UserStep KeyDown(Control box, int key) { return {UserStep::KeyDown, box, key}; }
UserStep CloseBox(Form form) { return {UserStep::CloseBox, {form, 0}}; }
UserStep Accept(const std::wstring& path) { return {UserStep::AcceptDialog, {}, 0, path}; }
UserStep CancelDialog() { return {UserStep::CancelDialog}; }
UserStep Check(std::function<void()> check) { return {UserStep::Check, {}, 0, {}, std::move(check)}; }

namespace {

// A script that runs dry inside a modal loop would hang the real program.
struct ScriptExhausted {};

PlatformFailure Injected(const char* operation) {
    return {L"injected failure of " + std::wstring(operation, operation + std::char_traits<char>::length(operation)),
            {}};
}

}  // namespace

void FakePlatform::FailOn(const std::string& operation, int nth) { failures_[operation] = nth; }

int FakePlatform::CallsOf(const std::string& operation) const {
    const auto it = calls_.find(operation);
    return it == calls_.end() ? 0 : it->second;
}

void FakePlatform::Step(const char* operation) {
    const int call = ++calls_[operation];
    const auto it = failures_.find(operation);
    if (it != failures_.end() && it->second == call) throw Injected(operation);
}

std::wstring FakePlatform::TextOf(Control box) const {
    const auto& texts = window(box.form).texts;
    const auto it = texts.find(box.id);
    return it == texts.end() ? L"" : it->second;
}

// The program's start: the start window is loaded, then shown unless its load
// has shown it already.
void FakePlatform::Run(std::vector<UserStep> script) {
    script_.assign(script.begin(), script.end());
    try {
        Load(Form::Form1);
        if (IsLoaded(Form::Form1) && !IsVisible(Form::Form1)) ShowWindow(Form::Form1, WindowMode::Modeless);
        while (!script_.empty()) PlayOne();
    } catch (const ProgramEnded& end) {
        exitStatus = end.status;
    } catch (const ScriptExhausted&) {
        ADD_FAILURE() << "the script ran out while a modal window or dialog was waiting for the user";
    }
}

void FakePlatform::PlayOne() {
    if (script_.empty()) throw ScriptExhausted{};
    UserStep step = std::move(script_.front());
    script_.pop_front();
    Perform(step);
    if (!IsLoaded(Form::Form1) && !IsLoaded(Form::Form2)) throw ProgramEnded{0};
}

void FakePlatform::Perform(const UserStep& step) {
    if (step.kind == UserStep::Check) {
        step.check();
        return;
    }
    const Form form = step.control.form;
    if (step.kind == UserStep::AcceptDialog || step.kind == UserStep::CancelDialog) {
        ADD_FAILURE() << "a dialog answer came when no dialog was open";
        return;
    }
    if (!IsVisible(form) || (!modal_.empty() && modal_.back() != form)) {
        ADD_FAILURE() << "the user cannot reach a window that is hidden or behind a modal one";
        return;
    }
    if (step.kind == UserStep::CloseBox) {
        UnloadWindow(form);
        return;
    }
    const ControlDef* control = WindowOf(form).Find(step.control.id);
    if (!control) {
        ADD_FAILURE() << "no control " << step.control.id;
        return;
    }
    const Handler* handler = step.kind == UserStep::Click ? control->onClick : control->onKeyDown;
    if (step.kind == UserStep::KeyDown) focus = step.control;
    if (handler) RunHandler(app, *handler, Event{step.key, 0});
}

void FakePlatform::Load(Form form) {
    WindowState& state = window(form);
    state = WindowState{};
    state.loaded = true;  // loaded from the moment its load begins
    for (const ControlDef& control : WindowOf(form)) {
        if (control.dialog) state.dialogNames[control.control.id] = control.dialog->initialFileName;
    }
    if (const Handler* onLoad = WindowOf(form).onLoad) RunHandler(app, *onLoad, {});
}

FakePlatform::WindowState& FakePlatform::Loaded(Form form) {
    if (!IsLoaded(form)) Load(form);
    return window(form);
}

std::wstring FakePlatform::ProgramDirectory() {
    Step("ProgramDirectory");
    return directory;
}

FileHandle FakePlatform::OpenForInput(const std::wstring& path) {
    Step("OpenForInput");
    if (!files.count(path) || lockedFiles.count(path)) throw PlatformFailure{L"cannot open " + path, {}};
    handles_[nextHandle_] = {path, 0};
    ++openFiles;
    return {nextHandle_++};
}

FileHandle FakePlatform::OpenForOutput(const std::wstring& path) {
    Step("OpenForOutput");
    if (lockedFiles.count(path)) throw PlatformFailure{L"cannot create " + path, {}};
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
    if (lockedFiles.count(to)) throw PlatformFailure{L"cannot replace " + to, {}};
    files[to] = files.at(from);
    files.erase(from);
}

void FakePlatform::DeleteFileQuietly(const std::wstring& path) noexcept { files.erase(path); }

// A small model of code page 1251: ASCII and the Russian alphabet.
bool FakePlatform::ToAnsi(const std::wstring& text, std::string& bytes) {
    bytes.clear();
    for (const wchar_t c : text) {
        if (c < 0x80) bytes += static_cast<char>(c);
        else if (c >= 0x410 && c <= 0x44F) bytes += static_cast<char>(c - 0x410 + 0xC0);
        else if (c == 0x401) bytes += '\xA8';
        else if (c == 0x451) bytes += '\xB8';
        else return false;
    }
    return true;
}

std::wstring FakePlatform::FromAnsi(const std::string& bytes) {
    std::wstring text;
    for (const char b : bytes) {
        const auto c = static_cast<unsigned char>(b);
        if (c < 0x80) text += static_cast<wchar_t>(c);
        else if (c >= 0xC0) text += static_cast<wchar_t>(c - 0xC0 + 0x410);
        else if (c == 0xA8) text += L'\u0401';
        else if (c == 0xB8) text += L'\u0451';
        else text += L'?';
    }
    return text;
}

std::wstring FakePlatform::ShortPath(const std::wstring& path) {
    const auto it = shortPaths.find(path);
    return it == shortPaths.end() ? L"" : it->second;
}

void FakePlatform::StartProgram(const std::wstring& program, const std::wstring& commandLine, int windowStyle) {
    Step("StartProgram");
    if (!programs.count(program)) throw PlatformFailure{L"cannot start " + program, {}};
    started.push_back({program, commandLine, windowStyle});
}

void FakePlatform::ShowMessage(const std::wstring& text, int style) {
    Step("ShowMessage");
    EXPECT_EQ(style, kCriticalOk);
    messages.push_back(text);
}

void FakePlatform::EndProgram() { throw ProgramEnded{0}; }

void FakePlatform::Fatal(const PlatformFailure& failure) {
    fatal = failure;
    throw ProgramEnded{1};
}

void FakePlatform::ShowWindow(Form form, WindowMode mode) {
    Step("ShowWindow");
    if (mode == WindowMode::Modal && IsVisible(form)) throw PlatformFailure{L"already visible", {}};
    Loaded(form).visible = true;
    frontmost = form;
    if (mode == WindowMode::Modeless) return;
    // The nested loop: the caller waits while the user works in this window.
    modal_.push_back(form);
    while (IsVisible(form)) PlayOne();
    modal_.pop_back();
}

void FakePlatform::UnloadWindow(Form form) {
    Step("UnloadWindow");
    window(form) = WindowState{};
    if (focus && focus->form == form) focus.reset();
}

void FakePlatform::SetFocus(Control control) {
    Step("SetFocus");
    Loaded(control.form);
    focus = control;
}

std::wstring FakePlatform::GetText(Control box) {
    Step("GetText");
    return Loaded(box.form).texts[box.id];
}

void FakePlatform::SetText(Control box, const std::wstring& text) {
    Step("SetText");
    Loaded(box.form).texts[box.id] = text;
}

std::wstring FakePlatform::ShowOpen(Control dialog) {
    Step("ShowOpen");
    WindowState& state = Loaded(dialog.form);
    if (script_.empty()) throw ScriptExhausted{};
    UserStep answer = std::move(script_.front());
    script_.pop_front();
    if (answer.kind == UserStep::AcceptDialog) state.dialogNames[dialog.id] = answer.path;
    else if (answer.kind != UserStep::CancelDialog) ADD_FAILURE() << "the script did not answer the file dialog";
    return window(dialog.form).dialogNames[dialog.id];
}
