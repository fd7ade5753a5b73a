#include "IniCommandList.h"

#include "system/AnsiText.h"
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

} // namespace

int IniCommandList::ReadList(std::string& line) const
{
    // Without a known win.ini, a bare name would reach another file.
    std::wstring file;
    std::wstring key;
    line.clear();
    if (WinIniPath.empty() || !ToWide(WinIniPath, file) || !ToWide(ValueName(), key))
        return 0;
    // The profile functions cut a line to the buffer without saying so; a
    // line that fills the buffer to the last character may be longer.
    std::wstring buffer(1024, L'\0');
    for (;;) {
        const DWORD length = GetPrivateProfileStringW(kSection, key.c_str(), L"", buffer.data(),
                                                      static_cast<DWORD>(buffer.size()), file.c_str());
        if (length + 1 < buffer.size()) {
            buffer.resize(length);
            // Characters the code page lacks would be lost from a rebuilt line.
            return ToAnsi(buffer.data(), buffer.size(), line) ? 1 : 0;
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
    if (WinIniPath.empty() || !ToWide(WinIniPath, file) || !ToWide(ValueName(), key) || !ToWide(line, text))
        return;
    WritePrivateProfileStringW(kSection, key.c_str(), text.c_str(), file.c_str());
}
