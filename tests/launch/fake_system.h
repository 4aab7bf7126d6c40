// An in-memory system for the launch's rules: files, the programs that can be started, short names and PATH, and any
// operation made to fail on cue.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "platform_ops.h"

// Thrown where the real process would end.
struct ProgramEnded {
    int status;
};

class FakeSystem : public PlatformOps {
public:
    std::wstring directory = L"C:\\Tools", pathVariable, startFolder = L"C:\\Start";
    std::set<std::wstring> folders{L"C:\\Start"}, programs, readOnly;  // programs: the files that can be started
    std::map<std::wstring, std::string> files;
    std::map<std::wstring, std::wstring> shortPaths;
    std::vector<std::wstring> started, messages;  // started: the program, its command line, its folder
    std::wstring fatal;                           // what the fatal report said: what failed, then why
    int openFiles = 0, pausedMs = 0;

    std::wstring Ini() const { return directory + L"\\kx_shell.ini"; }
    // The next `times` calls of `operation` fail for `cause`.
    void FailOn(const std::string& operation, int times = 1, PlatformFailure::Cause cause = {}) {
        failures_[operation] = {calls_[operation] + 1, calls_[operation] + 1 + times, cause};
    }

    std::wstring ProgramDirectory() override { return Call("ProgramDirectory", directory); }
    FileHandle OpenForInput(const std::wstring& path) override { return Open("OpenForInput", path, true); }
    FileHandle CreateNewFile(const std::wstring& path) override { return Open("CreateNewFile", path, false); }
    FileHandle OpenForOutput(const std::wstring& path) override {
        return Open("OpenForOutput", path, files.count(path));
    }
    std::string ReadText(FileHandle file, std::size_t most) override {
        return Call("ReadText", File(file)).substr(0, most);
    }
    // Every write here starts at the beginning of the file.
    void WriteText(FileHandle file, const std::string& bytes) override {
        File(file).replace(0, bytes.size(), Call("WriteText", bytes));
    }
    std::size_t LengthOf(FileHandle file) override { return File(file).size(); }
    void SetLength(FileHandle file, std::size_t bytes) override { File(file).resize(Call("SetLength", bytes)); }
    void CloseFile(FileHandle) override { Call("CloseFile", --openFiles); }
    void MoveIntoPlace(FileHandle file, const std::wstring& to) override {
        files[Call("MoveIntoPlace", to)] = File(file);
        files.erase(std::exchange(opened_.at(file.id), to));
    }
    void Discard(FileHandle file) noexcept override { files.erase(opened_.at(file.id)); }
    bool IsReadOnly(const std::wstring& path) override { return readOnly.count(path); }
    std::wstring UniqueName() override { return L"u" + std::to_wstring(++uniqueNames_); }
    void Pause(int milliseconds) override { pausedMs += milliseconds; }
    // A model of code page 1251: ASCII, the Russian alphabet and "ё"; anything else comes back as "?".
    bool ToAnsi(const std::wstring& text, std::string& bytes) override {
        bytes.clear();
        for (const wchar_t c : text) bytes += static_cast<char>(c < 0x80 ? c : c == L'ё' ? 0xB8 : c - 0x410 + 0xC0);
        return FromAnsi(bytes) == text;
    }
    std::wstring FromAnsi(const std::string& bytes) override {
        std::wstring text;
        for (const unsigned char c : bytes) text += c < 0x80 ? c : c >= 0xC0 ? c + 0x350 : c == 0xB8 ? L'ё' : L'?';
        return text;
    }
    // Best fit, as Windows does it, for a few characters the model lacks.
    std::wstring AnsiView(const std::wstring& text) override {
        const std::map<wchar_t, wchar_t> lookAlikes{{L'＂', L'"'},     {L'＼', L'\\'}, {L'／', L'/'}, {L'：', L':'},
                                                    {L'\u3000', L' '}, {L'．', L'.'},  {L'∞', L'8'},  {L'é', L'e'}};
        std::wstring seen;
        std::string ignored;
        for (const wchar_t c : text)
            seen += ToAnsi({c}, ignored) ? c : lookAlikes.contains(c) ? lookAlikes.at(c) : L'?';
        return seen;
    }
    bool IsFile(const std::wstring& path) override { return programs.count(path) || files.count(path); }
    bool IsFolder(const std::wstring& path) override { return folders.count(path); }
    std::wstring StartFolder() override { return startFolder; }
    std::vector<std::wstring> SystemFolders() override { return {L"C:\\Windows\\system32", L"C:\\Windows"}; }
    std::wstring PathVariable() override { return pathVariable; }
    std::wstring ShortPath(const std::wstring& path) override { return shortPaths[path]; }
    void StartProgram(const std::wstring& program, const std::wstring& line, const std::wstring& folder) override {
        if (!programs.count(Call("StartProgram", program))) throw PlatformFailure{};
        started = {program, line, folder};
    }
    void StartThroughShell(const std::wstring& file, const std::wstring& rest, const std::wstring& in) override {
        started = {Call("StartThroughShell", file), L"through the shell: " + rest, in};
    }
    void ShowMessage(const std::wstring& text) override { messages.push_back(Call("ShowMessage", text)); }
    [[noreturn]] void EndProgram() override { throw ProgramEnded{0}; }
    [[noreturn]] void Fatal(const PlatformFailure& failure) override {
        fatal = failure.action + L"\n" + failure.reason;
        throw ProgramEnded{1};
    }

protected:
    // Counts a call of `operation` and returns `value`, or fails as FailOn says.
    template <typename Value>
    Value Call(const std::string& operation, Value value) {
        const int call = ++calls_[operation];
        const auto [from, to, cause] = failures_[operation];
        if (call < from || call >= to) return value;
        throw PlatformFailure{L"injected", std::wstring(operation.begin(), operation.end()), cause};
    }

private:
    FileHandle Open(const char* operation, const std::wstring& path, bool existing) {
        if (files.count(Call(operation, path)) != existing) throw PlatformFailure{};
        ++openFiles;
        opened_.push_back(path);
        files[path];
        return {opened_.size() - 1};
    }
    std::string& File(FileHandle file) { return files.at(opened_.at(file.id)); }

    std::map<std::string, int> calls_;
    std::map<std::string, std::tuple<int, int, PlatformFailure::Cause>> failures_;  // failing calls: from, ..., to - 1
    std::vector<std::wstring> opened_;  // the path of each file opened, by handle
    int uniqueNames_ = 0;
};
