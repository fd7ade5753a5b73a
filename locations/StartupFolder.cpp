#include "StartupFolder.h"

#include "system/PathHelpers.h"
#include "system/ShortcutInfo.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace {

const char* const kExtension = ".lnk";

// The search pattern also matches longer extensions through their short
// 8.3 names (x.lnk2 is X~1.LNK); only a name ending in ".lnk" is a shortcut.
bool IsShortcutFileName(const std::string& name)
{
    return name.size() >= 4 && EqualIgnoringCase(name.substr(name.size() - 4), kExtension);
}

bool IsReservedDeviceName(const std::string& name)
{
    std::string base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL"};
    for (const char* device : kDevices)
        if (EqualIgnoringCase(base, device))
            return true;
    return base.size() == 4 && (EqualIgnoringCase(base.substr(0, 3), "COM") || EqualIgnoringCase(base.substr(0, 3), "LPT")) &&
           base[3] >= '1' && base[3] <= '9';
}

} // namespace

std::string StartupFolder::FileFor(const std::string& name) const
{
    return JoinPath(path, name + kExtension);
}

bool StartupFolder::Has(const std::string& name) const
{
    return Known() && GetFileAttributesA(FileFor(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<ShortcutEntry> StartupFolder::Shortcuts() const
{
    std::vector<ShortcutEntry> shortcuts;
    if (!Known())
        return shortcuts;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(JoinPath(path, "*.lnk").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return shortcuts;
    ShortcutReader reader;
    do {
        const std::string fileName = found.cFileName;
        if (fileName == "." || fileName == ".." || !IsShortcutFileName(fileName))
            continue;
        ShortcutEntry entry{StripExtension(fileName), {}, {}};
        // A file that does not load is still listed, so that it can be seen and deleted.
        ShortcutInfo info;
        if (reader.Read(JoinPath(path, fileName).c_str(), info)) {
            entry.executable = info.targetPath;
            entry.parameters = info.arguments;
        }
        shortcuts.push_back(std::move(entry));
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return shortcuts;
}

int StartupFolder::Read(const std::string& name, ShortcutEntry& entry) const
{
    ShortcutInfo info;
    if (!Known() || !info.ReadLink(FileFor(name).c_str()))
        return 0;
    entry = {name, info.targetPath, info.arguments};
    return 1;
}

std::string StartupFolder::ProblemWith(const std::string& name, const std::string& executable,
                                       const std::string& parameters) const
{
    if (!Known())
        return "The Startup folder is not known, so no shortcut can be written there.";
    const bool badCharacter = std::any_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || std::strchr("\\/:*?\"<>|", c) != nullptr;
    });
    if (badCharacter)
        return "A shortcut's name cannot contain any of these characters:\n\\ / : * ? \" < > |";
    if (IsReservedDeviceName(name))
        return "\"" + name + "\" is a name that Windows keeps for a device.\nPlease choose another name.";
    if (FileFor(name).size() >= MAX_PATH)
        return "The name is too long for a file in this folder.";
    // The shell keeps no target it cannot take for a path; the shortcut would
    // be written without one.
    const bool blanksOnly = !executable.empty() && executable.find_first_not_of(' ') == std::string::npos;
    if (blanksOnly || executable.find_first_of("\"<>|*?") != std::string::npos)
        return "The executable is the path of a program: it cannot be blanks only or hold quotes or any of "
               "< > | * ?, and what the program is given goes under Parameters.";
    if (executable.size() > kMaxTargetLength)
        return "The executable is too long: a shortcut holds at most " + std::to_string(kMaxTargetLength) +
               " characters.";
    if (parameters.size() > kMaxArgumentsLength)
        return "The parameters are too long: a shortcut holds at most " + std::to_string(kMaxArgumentsLength) +
               " characters.";
    return {};
}

int StartupFolder::Create(const std::string& name, const std::string& executable,
                          const std::string& parameters) const
{
    if (!ProblemWith(name, executable, parameters).empty())
        return 0;
    ShortcutInfo info{};
    CopyToField(info.targetPath, executable);
    CopyToField(info.arguments, parameters);
    info.showCommand = SW_SHOW;
    return info.CreateLink(FileFor(name).c_str());
}

int StartupFolder::Replace(const std::string& oldName, const std::string& newName, const std::string& executable,
                           const std::string& parameters) const
{
    if (!ProblemWith(newName, executable, parameters).empty())
        return 0;
    const std::string oldFile = FileFor(oldName);
    const std::string newFile = FileFor(newName);

    ShortcutInfo info{};
    if (info.ReadLink(oldFile.c_str())) {
        if (const int stored = ReadStoredShowCommand(oldFile.c_str()))
            info.showCommand = stored;
    } else {
        info = ShortcutInfo{};
        info.showCommand = SW_SHOW;
    }
    info.findData = {};
    CopyToField(info.targetPath, executable);
    CopyToField(info.arguments, parameters);

    if (EqualIgnoringCase(oldName, newName)) {
        // The same file: writing replaces it; a change of letter case alone
        // is then a rename.
        if (!info.CreateLink(oldFile.c_str()))
            return 0;
        if (oldName != newName) {
            // Through a third name: some file systems take a direct rename
            // that only changes the case for a move onto itself, and do nothing.
            const std::string step = oldFile + ".renaming";
            if (MoveFileA(oldFile.c_str(), step.c_str()) && !MoveFileA(step.c_str(), newFile.c_str()))
                MoveFileA(step.c_str(), oldFile.c_str());
        }
        return 1;
    }
    if (!info.CreateLink(newFile.c_str()))
        return 0;
    DeleteFileA(oldFile.c_str());
    return 1;
}

int StartupFolder::Remove(const std::string& name) const
{
    return Known() && DeleteFileA(FileFor(name).c_str());
}
