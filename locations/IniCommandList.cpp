#include "IniCommandList.h"

#include "system/PathHelpers.h"

#include <windows.h>

namespace {

const wchar_t* const kSection = L"windows";

// Far beyond any real line; a line that still fills the buffer is not read whole.
constexpr size_t kLongestLine = 64u << 20;

// The profile functions are called in their wide form, converting from and to
// the ANSI code page here: the ANSI forms of some systems fail on lines of
// 32,767 characters or more, and a failed conversion reaches the wide form as
// "no text", which deletes the line.
bool Widen(const std::string& text, std::wstring& wide)
{
    wide.clear();
    if (text.empty())
        return true;
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0)
        return false;
    wide.resize(static_cast<size_t>(length));
    return MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length) == length;
}

// False when the text has characters the ANSI code page lacks: a line
// rebuilt from it would lose them.
bool Narrow(const std::wstring& wide, std::string& text)
{
    text.clear();
    if (wide.empty())
        return true;
    const int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                           nullptr);
    if (length <= 0)
        return false;
    text.resize(static_cast<size_t>(length));
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length, nullptr, nullptr);
    std::wstring back;
    return Widen(text, back) && back == wide;
}

} // namespace

int IniCommandList::ReadList(std::string& line) const
{
    // Without a known win.ini, a bare name would reach another file.
    std::wstring file;
    std::wstring key;
    line.clear();
    if (WinIniPath.empty() || !Widen(WinIniPath, file) || !Widen(ValueName(), key))
        return 0;
    // The profile functions cut a line to the buffer without saying so; a
    // line that fills the buffer to the last character may be longer.
    std::wstring buffer(1024, L'\0');
    for (;;) {
        const DWORD length = GetPrivateProfileStringW(kSection, key.c_str(), L"", buffer.data(),
                                                      static_cast<DWORD>(buffer.size()), file.c_str());
        if (length + 1 < buffer.size()) {
            buffer.resize(length);
            return Narrow(buffer, line) ? 1 : 0;
        }
        if (buffer.size() >= kLongestLine)
            return 0;
        buffer.resize(buffer.size() * 4);
    }
}

void IniCommandList::WriteList(const std::string& line)
{
    std::wstring file;
    std::wstring key;
    std::wstring text;
    if (WinIniPath.empty() || !Widen(WinIniPath, file) || !Widen(ValueName(), key) || !Widen(line, text))
        return;
    WritePrivateProfileStringW(kSection, key.c_str(), text.c_str(), file.c_str());
}
