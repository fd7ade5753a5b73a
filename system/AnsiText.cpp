#include "AnsiText.h"

#include <windows.h>

bool ToWide(const std::string& text, std::wstring& wide)
{
    wide.clear();
    if (text.empty())
        return true;
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0)
        return false;
    wide.resize(static_cast<size_t>(length));
    if (MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length) == length)
        return true;
    wide.clear();
    return false;
}

bool ToAnsi(const wchar_t* text, size_t length, std::string& ansi)
{
    ansi.clear();
    if (length == 0)
        return true;
    const int count = WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    if (count <= 0)
        return false;
    ansi.resize(static_cast<size_t>(count));
    WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), ansi.data(), count, nullptr, nullptr);
    // Exact only when it converts back to the very same characters.
    std::wstring back;
    return ToWide(ansi, back) && back.compare(0, std::wstring::npos, text, length) == 0;
}
