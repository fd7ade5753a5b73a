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
    if (!key.QueryValue(ValueName(), bytes, type)) {
        line.clear();
        // Missing is an empty line; present but unreadable is not.
        return !key.HasValue(ValueName());
    }
    // Any other type is not a line of text that could be rebuilt and stored back.
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return 0;
    line = bytes.substr(0, bytes.find('\0'));
    return 1;
}

void NtCommandList::WriteList(const std::string& line)
{
    RegistryKey key(HKEY_CURRENT_USER);
    if (!key.Create(kNtWindowsKey))
        return;
    std::string old;
    DWORD type = REG_NONE;
    // A line stored as REG_EXPAND_SZ stays so, or its variables stop expanding.
    if (!key.QueryValue(ValueName(), old, type) || type != REG_EXPAND_SZ)
        type = REG_SZ;
    key.SetValue(ValueName(), type, line + '\0');
}
