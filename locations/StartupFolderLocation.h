#pragma once

#include "StartupFolder.h"
#include "StartupLocation.h"

// A Startup folder: each shortcut file is an entry, shown as "Name",
// "Executable" and "Parameters".
class StartupFolderLocation : public StartupLocation {
public:
    explicit StartupFolderLocation(const std::string& folderPath) : folder(folderPath) {}

    int Add() override;
    int Edit(CListCtrl* list) override;
    int Delete(CListCtrl* list) override;
    void SetupColumns(CListCtrl* list) override;
    void RemoveColumns(CListCtrl* list) override;
    void Fill(CListCtrl* list) override;

    const StartupFolder& Folder() const { return folder; }

private:
    // Shows the dialog until its texts can be written, or are those of the
    // shortcut being edited (current, if any), or the user cancels; false on cancel.
    bool AskForShortcut(std::string& name, std::string& executable, std::string& parameters,
                        const ShortcutEntry* current) const;

    StartupFolder folder;
};
