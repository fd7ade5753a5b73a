#pragma once

#include <string>

// Paths are ANSI text; lengths and positions count bytes.

// The name without its last "." and what follows it.
std::string StripExtension(const std::string& fileName);
// Lower case, without one trailing backslash unless it is a drive root such as c:\.
std::string NormalizeDirectory(std::string directory);
// The directory and the name with one backslash between them; an empty
// directory gives the name alone.
std::string JoinPath(const std::string& directory, const std::string& name);

// The Windows directory, normalised; empty when the system does not tell it.
// Every path built on it is then empty too, and an empty path stands for a
// file or folder that is not known: nothing is read or written in its place.
std::string GetWindowsDirectoryPath();
// The current user's Startup folder from the Shell Folders key, lower case, or
// empty when it is not recorded.
std::string GetCurrentUserStartupFolder();
// The all-users Startup folder below the Windows directory.
std::string GetAllUsersStartupFolder();

// The full path of win.ini, computed once when the program starts.
extern std::string WinIniPath;

// File and registry value names compare without regard to letter case.
bool EqualIgnoringCase(std::string a, std::string b);
