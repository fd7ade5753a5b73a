#include "PathHelpers.h"

#include "RegistryKey.h"

#include <windows.h>

#include <cctype>

namespace {

// A bare file name would be taken relative to some other folder: a path below
// an unknown folder stays unknown.
std::string PathBelow(const std::string& directory, const std::string& name)
{
    return directory.empty() ? std::string() : JoinPath(directory, name);
}

} // namespace

std::string WinIniPath = PathBelow(GetWindowsDirectoryPath(), "win.ini");

std::string StripExtension(const std::string& fileName)
{
    const size_t dot = fileName.rfind('.');
    return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

std::string NormalizeDirectory(std::string directory)
{
    if (!directory.empty())
        CharLowerBuffA(directory.data(), static_cast<DWORD>(directory.size()));
    if (directory.size() > 3 && directory.back() == '\\')
        directory.pop_back();
    return directory;
}

std::string JoinPath(const std::string& directory, const std::string& name)
{
    if (directory.empty())
        return name;
    if (directory.back() == '\\')
        return directory + name;
    return directory + '\\' + name;
}

std::string GetWindowsDirectoryPath()
{
    std::string directory(MAX_PATH, '\0');
    UINT length = GetWindowsDirectoryA(directory.data(), static_cast<UINT>(directory.size()));
    if (length >= directory.size()) {
        directory.resize(length);
        length = GetWindowsDirectoryA(directory.data(), static_cast<UINT>(directory.size()));
    }
    if (length == 0 || length >= directory.size())
        return {};
    directory.resize(length);
    return NormalizeDirectory(directory);
}

std::string GetCurrentUserStartupFolder()
{
    RegistryKey key(HKEY_CURRENT_USER);
    if (!key.Open("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"))
        return {};
    std::string bytes;
    DWORD type = REG_NONE;
    bool exact = true;
    if (!key.QueryValue("Startup", bytes, type, &exact) || !exact || (type != REG_SZ && type != REG_EXPAND_SZ))
        return {};
    std::string folder = bytes.substr(0, bytes.find('\0'));
    if (type == REG_EXPAND_SZ) {
        std::string expanded(MAX_PATH, '\0');
        const DWORD length = ExpandEnvironmentStringsA(folder.c_str(), expanded.data(), MAX_PATH);
        if (length == 0 || length > MAX_PATH)
            return {};
        folder = expanded.c_str();
    }
    // Only a full path names a folder: anything else would be taken from the
    // process's current folder.
    const bool drivePath = folder.size() >= 3 && std::isalpha(static_cast<unsigned char>(folder[0])) &&
                           folder[1] == ':' && folder[2] == '\\';
    const bool networkPath = folder.size() >= 3 && folder[0] == '\\' && folder[1] == '\\';
    if (!drivePath && !networkPath)
        return {};
    CharLowerBuffA(folder.data(), static_cast<DWORD>(folder.size()));
    return folder;
}

std::string GetAllUsersStartupFolder()
{
    return PathBelow(GetWindowsDirectoryPath(), "profiles\\all users\\start menu\\programs\\startup");
}

bool EqualIgnoringCase(std::string a, std::string b)
{
    if (a.size() != b.size())
        return false;
    if (!a.empty()) {
        CharUpperBuffA(a.data(), static_cast<DWORD>(a.size()));
        CharUpperBuffA(b.data(), static_cast<DWORD>(b.size()));
    }
    return a == b;
}
