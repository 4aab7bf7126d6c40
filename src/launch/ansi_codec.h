// The system's 8-bit ANSI code page, the one the configuration file is kept in.
#pragma once

#include <string>

class AnsiCodec {
public:
    virtual ~AnsiCodec() = default;
    // False when a character has no exact equivalent in the code page: no
    // best-fit substitutes, so "∞" never turns into "8".
    virtual bool ToAnsi(const std::wstring& text, std::string& bytes) = 0;
    virtual std::wstring FromAnsi(const std::string& bytes) = 0;
};
