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
    // Shows the dialog until its texts can be written or the user cancels;
    // false on cancel. currentName is the shortcut being edited, if any.
    bool AskForShortcut(std::string& name, std::string& executable, std::string& parameters,
                        const std::string* currentName) const;

    StartupFolder folder;
};
