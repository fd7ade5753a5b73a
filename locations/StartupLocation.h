#pragma once

#include <functional>
#include <initializer_list>
#include <string>

class CListCtrl;

// One place from which Windows starts programs at log-on. The main window
// knows locations only through this interface: a location puts its own
// columns into the entry list, fills it with its entries, and adds, edits
// and deletes them itself, asking the user first.
//
// Add, Edit and Delete return nonzero when the location acted on its store
// and the entry list must be filled again, 0 when nothing was done.
class StartupLocation {
public:
    virtual int Add() = 0;
    // Edit and Delete act on the list's selected row; with none they return 0
    // at once.
    virtual int Edit(CListCtrl* list) = 0;
    virtual int Delete(CListCtrl* list) = 0;
    virtual std::string GetName() const = 0;
    // The columns this location shows around the permanent "Executable" column.
    virtual void SetupColumns(CListCtrl* list);
    virtual void RemoveColumns(CListCtrl* list);
    // Appends one row per entry, in the store's order, to a list handed over empty.
    virtual void Fill(CListCtrl* list) = 0;
    // Nonzero for a location that only Windows NT reads.
    virtual int IsNtOnly() const;
    virtual ~StartupLocation() = default;

protected:
    StartupLocation() = default;
    StartupLocation(const StartupLocation&) = delete;
    StartupLocation& operator=(const StartupLocation&) = delete;
};

// Appends a row after the last one, with these texts in columns 0, 1, ...;
// returns its index, or -1.
int AppendRow(CListCtrl* list, std::initializer_list<std::reference_wrapper<const std::string>> cells);
// The selected row of the list, or -1.
int SelectedRow(const CListCtrl* list);
