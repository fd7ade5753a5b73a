#include "StartupFolderLocation.h"

#include "framework/CListCtrl.h"
#include "system/PathHelpers.h"
#include "ui/Questions.h"
#include "ui/ShortcutDialog.h"

bool StartupFolderLocation::AskForShortcut(std::string& name, std::string& executable, std::string& parameters,
                                           const std::string* currentName) const
{
    // After a refusal the dialog comes back with what the user typed.
    for (;;) {
        if (!RunShortcutDialog(name, executable, parameters))
            return false;
        const std::string problem = folder.ProblemWith(name, executable, parameters);
        if (!problem.empty()) {
            ExplainRefusal(problem);
            continue;
        }
        const bool sameFile = currentName && EqualIgnoringCase(*currentName, name);
        if (!sameFile && folder.Has(name) && !ConfirmReplace(name))
            continue;
        return true;
    }
}

int StartupFolderLocation::Add()
{
    if (!folder.Known()) {
        ExplainRefusal("The Startup folder is not known, so no shortcut can be added to it.");
        return 0;
    }
    std::string name;
    std::string executable;
    std::string parameters;
    if (!AskForShortcut(name, executable, parameters, nullptr))
        return 0;
    folder.Create(name, executable, parameters);
    return 1;
}

int StartupFolderLocation::Edit(CListCtrl* list)
{
    const int row = SelectedRow(list);
    if (row == -1 || !folder.Known())
        return 0;
    const std::string oldName = list->GetItemText(row, 0);
    std::string name = oldName;
    std::string executable = list->GetItemText(row, 1);
    std::string parameters = list->GetItemText(row, 2);
    if (!AskForShortcut(name, executable, parameters, &oldName))
        return 0;
    folder.Replace(oldName, name, executable, parameters);
    return 1;
}

int StartupFolderLocation::Delete(CListCtrl* list)
{
    const int row = SelectedRow(list);
    if (row == -1 || !folder.Known())
        return 0;
    const std::string name = list->GetItemText(row, 0);
    if (!ConfirmDeletion())
        return 0;
    folder.Remove(name);
    return 1;
}

void StartupFolderLocation::SetupColumns(CListCtrl* list)
{
    list->InsertColumn(0, "Name", LVCFMT_LEFT, 120, -1);
    list->InsertColumn(2, "Parameters", LVCFMT_LEFT, 120, -1);
}

void StartupFolderLocation::RemoveColumns(CListCtrl* list)
{
    list->DeleteColumn(2);
    list->DeleteColumn(0);
}

void StartupFolderLocation::Fill(CListCtrl* list)
{
    RedrawSuspended quiet(*list);
    for (const ShortcutEntry& shortcut : folder.Shortcuts())
        AppendRow(list, {shortcut.name, shortcut.executable, shortcut.parameters});
}
