// A scratch folder of a test's own, removed with everything in it at the end.
#pragma once

#include <string>

class TestFolder {
public:
    // A new, empty folder under the temporary folder; `name` may hold any
    // characters a folder name can (spaces, Cyrillic).
    explicit TestFolder(const std::wstring& name = L"kx test");
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::wstring& path() const { return path_; }
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

// The folder this test program lies in; kx_shell.exe and stand_in\kravix.exe lie there too.
std::wstring TestProgramFolder();
std::string ReadBytes(const std::wstring& path);     // empty when missing
void WriteBytes(const std::wstring& path, const std::string& bytes);
bool Exists(const std::wstring& path);
void CopyInto(const std::wstring& file, const std::wstring& folder, const std::wstring& name);
std::wstring FromUtf8(const std::string& text);
std::string ToUtf8(const std::wstring& text);
