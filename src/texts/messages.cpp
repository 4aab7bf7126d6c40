#include "messages.h"

std::wstring Fill(std::wstring_view message, std::wstring_view value) {
    const std::size_t at = message.find(L"%1");
    if (at == std::wstring_view::npos) return std::wstring(message);
    return std::wstring(message.substr(0, at)).append(value).append(message.substr(at + 2));
}
