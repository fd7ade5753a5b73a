#include "CatalogueEntries.h"

#include "system/PathHelpers.h"

const char* const kRunKeyPaths[3] = {
    "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
    "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
    "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce\\Setup",
};

namespace {

std::string KeyName(const char* root, const char* path)
{
    return std::string(root) + "\\" + path;
}

std::string NtValueName(const char* value)
{
    return KeyName("HKEY_CURRENT_USER", kNtWindowsKey) + ", " + value;
}

std::string IniLineName(const char* key)
{
    return "\"" + WinIniPath + "\" file, \"[windows]\" section, \"" + key + "=\" line";
}

} // namespace

MachineRunKey::MachineRunKey() : RunKeyLocation(HKEY_LOCAL_MACHINE, kRunKeyPaths[0]) {}
std::string MachineRunKey::GetName() const
{
    return KeyName("HKEY_LOCAL_MACHINE", kRunKeyPaths[0]);
}

MachineRunOnceKey::MachineRunOnceKey() : RunKeyLocation(HKEY_LOCAL_MACHINE, kRunKeyPaths[1]) {}
std::string MachineRunOnceKey::GetName() const
{
    return KeyName("HKEY_LOCAL_MACHINE", kRunKeyPaths[1]);
}

UserRunKey::UserRunKey() : RunKeyLocation(HKEY_CURRENT_USER, kRunKeyPaths[0]) {}
std::string UserRunKey::GetName() const
{
    return KeyName("HKEY_CURRENT_USER", kRunKeyPaths[0]);
}

UserRunOnceKey::UserRunOnceKey() : RunKeyLocation(HKEY_CURRENT_USER, kRunKeyPaths[1]) {}
std::string UserRunOnceKey::GetName() const
{
    return KeyName("HKEY_CURRENT_USER", kRunKeyPaths[1]);
}

MachineRunOnceSetupKey::MachineRunOnceSetupKey() : RunKeyLocation(HKEY_LOCAL_MACHINE, kRunKeyPaths[2]) {}
std::string MachineRunOnceSetupKey::GetName() const
{
    return KeyName("HKEY_LOCAL_MACHINE", kRunKeyPaths[2]);
}

NtRunValue::NtRunValue() : NtCommandList("run") {}
std::string NtRunValue::GetName() const
{
    return NtValueName("run");
}
int NtRunValue::IsNtOnly() const
{
    return 1;
}

NtLoadValue::NtLoadValue() : NtCommandList("load") {}
std::string NtLoadValue::GetName() const
{
    return NtValueName("load");
}
int NtLoadValue::IsNtOnly() const
{
    return 1;
}

// The folder in the name is asked for afresh: it shows where the setting
// points now, while the location keeps the folder it was built with.
UserStartupFolder::UserStartupFolder(const std::string& folderPath) : StartupFolderLocation(folderPath) {}
std::string UserStartupFolder::GetName() const
{
    return "Startup folder, current user  (" + GetCurrentUserStartupFolder() + ")";
}

AllUsersStartupFolder::AllUsersStartupFolder(const std::string& folderPath) : StartupFolderLocation(folderPath) {}
std::string AllUsersStartupFolder::GetName() const
{
    return "Startup folder, all users  (" + GetAllUsersStartupFolder() + ")";
}
int AllUsersStartupFolder::IsNtOnly() const
{
    return 1;
}

WinIniRunLine::WinIniRunLine() : IniCommandList("run") {}
std::string WinIniRunLine::GetName() const
{
    return IniLineName("run");
}

WinIniLoadLine::WinIniLoadLine() : IniCommandList("load") {}
std::string WinIniLoadLine::GetName() const
{
    return IniLineName("load");
}
