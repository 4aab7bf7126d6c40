// The system's 8-bit ANSI code page: kx_shell.ini is kept in it, and old
// programs read their command line in it.
#pragma once

#include <string>

class AnsiCodec {
public:
    virtual ~AnsiCodec() = default;
    // False when a character has no exact equivalent in the code page: no
    // best-fit substitutes, so "∞" never turns into "8".
    virtual bool ToAnsi(const std::wstring& text, std::string& bytes) = 0;
    virtual std::wstring FromAnsi(const std::string& bytes) = 0;
    // The text as a program that reads it in the code page gets it: Windows
    // turns each character the code page lacks into a look-alike ("best
    // fit": "∞" becomes "8"), or into a question mark.
    virtual std::wstring AnsiView(const std::wstring& text) = 0;
};
