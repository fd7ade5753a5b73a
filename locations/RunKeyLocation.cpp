#include "RunKeyLocation.h"

#include "framework/CListCtrl.h"
#include "ui/NameExecDialog.h"
#include "ui/Questions.h"

namespace {

// Marks a row whose name would address another value, or none: its name has
// characters that the ANSI code page does not hold.
constexpr DWORD_PTR kNameNotExact = 1;

const char* const kNameRefusal = "The name of this entry has characters that Bootwise cannot show as they are, "
                                 "so it leaves the entry as it is.";
const char* const kCommandRefusal = "The command of this entry has characters that Bootwise cannot show as they "
                                    "are, so only its name can be changed here.";

// The selected row, or -1 when there is none or its name would not reach
// its value (the user is told why).
int SelectedValueRow(CListCtrl* list)
{
    const int row = SelectedRow(list);
    if (row != -1 && (list->GetItemData(row) & kNameNotExact)) {
        ExplainRefusal(kNameRefusal);
        return -1;
    }
    return row;
}

} // namespace

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
    const int row = SelectedValueRow(list);
    if (row == -1)
        return 0;
    // The command comes from the registry, not from the row: it may have
    // changed since the list was filled.
    RegistryValue old;
    if (!store.Read(list->GetItemText(row, 0), old))
        return 0;
    std::string name = old.name;
    std::string command = ValueText(old);
    for (;;) {
        if (!RunNameExecDialog(name, command))
            return 0;
        if (old.dataExact || command == ValueText(old))
            return store.Replace(old, name, command);
        ExplainRefusal(kCommandRefusal);
        command = ValueText(old);
    }
}

int RunKeyLocation::Delete(CListCtrl* list)
{
    const int row = SelectedValueRow(list);
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
        const int row = AppendRow(list, {value.name, command});
        if (!value.nameExact)
            list->SetItemData(row, kNameNotExact);
    }
}
