#pragma once

#include "framework/CListCtrl.h"

#include <string>
#include <vector>

// A real report-style list view in a hidden window, set up as the main window
// sets up its entry list: single selection, one "Executable" column.
class TestListView {
public:
    TestListView();
    ~TestListView();
    TestListView(const TestListView&) = delete;
    TestListView& operator=(const TestListView&) = delete;

    CListCtrl* operator->() { return &list; }
    CListCtrl* Get() { return &list; }

    void Select(int row);
    // Every row, each with the text of every column.
    std::vector<std::vector<std::string>> Rows() const;
    // The column headings, left to right.
    std::vector<std::string> Headings() const;
    // Empties the list and fills it again, as the main window does after a change.
    void Clear() { list.DeleteAllItems(); }

private:
    HWND host = nullptr;
    CListCtrl list;
};

using Table = std::vector<std::vector<std::string>>;
