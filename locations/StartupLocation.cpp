#include "StartupLocation.h"

#include "framework/CListCtrl.h"

void StartupLocation::SetupColumns(CListCtrl*) {}

void StartupLocation::RemoveColumns(CListCtrl*) {}

int StartupLocation::IsNtOnly() const
{
    return 0;
}

int AppendRow(CListCtrl* list, std::initializer_list<std::reference_wrapper<const std::string>> cells)
{
    // Inserting at the row count, not at a fixed large index: past that many
    // rows a fixed index would put later entries in the middle of the list.
    auto cell = cells.begin();
    const int row = list->InsertItem(list->GetItemCount(), *cell);
    if (row < 0)
        return row;
    int column = 1;
    for (++cell; cell != cells.end(); ++cell, ++column)
        list->SetItemText(row, column, *cell);
    return row;
}

int SelectedRow(const CListCtrl* list)
{
    return list->GetNextItem(-1, LVNI_SELECTED);
}
