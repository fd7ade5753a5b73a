#include "StartupFolderLocation.h"

#include "framework/CListCtrl.h"
#include "system/PathHelpers.h"
#include "ui/Questions.h"
#include "ui/ShortcutDialog.h"

bool StartupFolderLocation::AskForShortcut(std::string& name, std::string& executable, std::string& parameters,
                                           const ShortcutEntry* current) const
{
    // After a refusal the dialog comes back with what the user typed.
    for (;;) {
        if (!RunShortcutDialog(name, executable, parameters))
            return false;
        // What is already there needs no check, however it was written.
        if (current && name == current->name && executable == current->executable &&
            parameters == current->parameters)
            return true;
        const std::string problem = folder.ProblemWith(name, executable, parameters);
        if (!problem.empty()) {
            ExplainRefusal(problem);
            continue;
        }
        const bool sameFile = current && EqualIgnoringCase(current->name, name);
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
    return folder.Create(name, executable, parameters);
}

int StartupFolderLocation::Edit(CListCtrl* list)
{
    const int row = SelectedRow(list);
    if (row == -1 || !folder.Known())
        return 0;
    // The texts come from the file, not from the row: another program may
    // have changed it since the list was filled.
    const std::string oldName = list->GetItemText(row, 0);
    if (!folder.Has(oldName))
        return 0;
    ShortcutEntry current;
    if (!folder.Read(oldName, current)) {
        ExplainRefusal("This shortcut could not be read whole, so it is left as it is. It can still be deleted.");
        return 0;
    }
    std::string name = oldName;
    std::string executable = current.executable;
    std::string parameters = current.parameters;
    if (!AskForShortcut(name, executable, parameters, &current))
        return 0;
    if (name == current.name && executable == current.executable && parameters == current.parameters)
        return 1;
    return folder.Replace(oldName, name, executable, parameters);
}

int StartupFolderLocation::Delete(CListCtrl* list)
{
    const int row = SelectedRow(list);
    if (row == -1 || !folder.Known())
        return 0;
    const std::string name = list->GetItemText(row, 0);
    if (!ConfirmDeletion())
        return 0;
    return folder.Remove(name);
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
