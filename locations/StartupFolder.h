#pragma once

#include <string>
#include <vector>

// One shortcut of a Startup folder as the entry list shows it.
struct ShortcutEntry {
    std::string name;       // the file name without ".lnk"
    std::string executable; // empty for a file that does not load as a shortcut
    std::string parameters;
};

// The shortcut files of one Startup folder, read and written as plain values.
// An empty path stands for a folder that is not known: it holds nothing and
// takes nothing.
class StartupFolder {
public:
    explicit StartupFolder(std::string folderPath) : path(std::move(folderPath)) {}

    const std::string& Path() const { return path; }
    bool Known() const { return !path.empty(); }
    std::string FileFor(const std::string& name) const;
    bool Has(const std::string& name) const;

    // Every "*.lnk" file, in the order the file search finds them.
    std::vector<ShortcutEntry> Shortcuts() const;
    // The shortcut as it is now; 0 when it is missing or does not read whole.
    int Read(const std::string& name, ShortcutEntry& entry) const;
    // Why a shortcut with these texts cannot be written, or empty when it can.
    std::string ProblemWith(const std::string& name, const std::string& executable,
                            const std::string& parameters) const;

    // Writes a new shortcut, replacing a file of that name. 1 when written.
    int Create(const std::string& name, const std::string& executable, const std::string& parameters) const;
    // Writes the new shortcut in place of the old one, keeping what the entry
    // list does not show (description, hot key, icon, working directory, show
    // command). The old file goes only once the new one is written.
    int Replace(const std::string& oldName, const std::string& newName, const std::string& executable,
                const std::string& parameters) const;
    int Remove(const std::string& name) const;

private:
    std::string path;
};
