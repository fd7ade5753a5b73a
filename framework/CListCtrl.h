#pragma once

#include "CWnd.h"

#include <commctrl.h>

// The report-style list view. Texts go in and come out whole, however long.
class CListCtrl : public CWnd {
public:
    int InsertColumn(int index, const std::string& heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
    BOOL DeleteColumn(int index) { return static_cast<BOOL>(SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(index))); }
    int GetColumnCount() const;
    std::string GetColumnHeading(int index) const;
    int GetColumnWidth(int index) const { return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(index))); }

    int InsertItem(int index, const std::string& text);
    BOOL SetItemText(int item, int subItem, const std::string& text);
    std::string GetItemText(int item, int subItem) const;
    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    int GetNextItem(int start, int flags) const
    {
        return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(start), MAKELPARAM(flags, 0)));
    }
    BOOL SetItemState(int item, UINT state, UINT mask);
    BOOL SetItemData(int item, DWORD_PTR data);
    DWORD_PTR GetItemData(int item) const;
    BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }
};

// Turns a list's drawing off while it fills: redrawing after every row makes a
// long list take seconds instead of milliseconds.
class RedrawSuspended {
public:
    explicit RedrawSuspended(CWnd& window) : m_window(window) { m_window.SetRedraw(FALSE); }
    ~RedrawSuspended();
    RedrawSuspended(const RedrawSuspended&) = delete;
    RedrawSuspended& operator=(const RedrawSuspended&) = delete;

private:
    CWnd& m_window;
};
