#include "RunKeyLocation.h"

#include "framework/CListCtrl.h"
#include "ui/NameExecDialog.h"
#include "ui/Questions.h"

int RunKeyLocation::Add()
{
    std::string name;
    std::string command;
    if (!RunNameExecDialog(name, command))
        return 0;
    return store.Write(name, command);
}

int RunKeyLocation::Edit(CListCtrl* list)
{
    const int row = SelectedRow(list);
    if (row == -1)
        return 0;
    // The command comes from the registry, not from the row: it may have
    // changed since the list was filled.
    RegistryValue old;
    if (!store.Read(list->GetItemText(row, 0), old))
        return 0;
    std::string name = old.name;
    std::string command = ValueText(old);
    if (!RunNameExecDialog(name, command))
        return 0;
    return store.Replace(old, name, command);
}

int RunKeyLocation::Delete(CListCtrl* list)
{
    const int row = SelectedRow(list);
    if (row == -1)
        return 0;
    const std::string name = list->GetItemText(row, 0);
    if (!ConfirmDeletion())
        return 0;
    return store.Remove(name);
}

void RunKeyLocation::SetupColumns(CListCtrl* list)
{
    list->InsertColumn(0, "Name", LVCFMT_LEFT, 120, -1);
}

void RunKeyLocation::RemoveColumns(CListCtrl* list)
{
    list->DeleteColumn(0);
}

void RunKeyLocation::Fill(CListCtrl* list)
{
    RedrawSuspended quiet(*list);
    for (const RegistryValue& value : store.Values()) {
        const std::string command = ValueText(value);
        AppendRow(list, {value.name, command});
    }
}
