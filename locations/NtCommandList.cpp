#include "NtCommandList.h"

#include "system/RegistryKey.h"

#include <windows.h>

const char* const kNtWindowsKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

int NtCommandList::ReadList(std::string& line) const
{
    RegistryKey key(HKEY_CURRENT_USER);
    if (!key.Open(kNtWindowsKey)) {
        line.clear();
        return 1;
    }
    std::string bytes;
    DWORD type = REG_NONE;
    bool exact = true;
    if (!key.QueryValue(ValueName(), bytes, type, &exact)) {
        line.clear();
        // Missing is an empty line; present but unreadable is not.
        return !key.HasValue(ValueName());
    }
    // Any other type is not a line of text that could be rebuilt and stored back.
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
        line.clear();
        return 0;
    }
    // A line with characters the code page lacks would come back with them lost.
    line = bytes.substr(0, bytes.find('\0'));
    return exact ? 1 : 0;
}

void NtCommandList::WriteList(const std::string& line)
{
    RegistryKey key(HKEY_CURRENT_USER);
    if (!key.Create(kNtWindowsKey))
        return;
    DWORD type = REG_NONE;
    // A line stored as REG_EXPAND_SZ stays so, or its variables stop expanding.
    if (!key.QueryType(ValueName(), type) || type != REG_EXPAND_SZ)
        type = REG_SZ;
    key.SetValue(ValueName(), type, line + '\0');
}
