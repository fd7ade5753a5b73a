#include "CListCtrl.h"

int CListCtrl::InsertColumn(int index, const std::string& heading, int format, int width, int subItem)
{
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.fmt = format;
    column.pszText = const_cast<char*>(heading.c_str());
    if (width != -1) {
        column.mask |= LVCF_WIDTH;
        column.cx = width;
    }
    if (subItem != -1) {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = subItem;
    }
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column)));
}

int CListCtrl::GetColumnCount() const
{
    const HWND header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
    return header ? static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

std::string CListCtrl::GetColumnHeading(int index) const
{
    char buffer[256] = {};
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT;
    column.pszText = buffer;
    column.cchTextMax = sizeof buffer;
    if (!SendMessage(LVM_GETCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column)))
        return {};
    return column.pszText;
}

int CListCtrl::InsertItem(int index, const std::string& text)
{
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<char*>(text.c_str());
    return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::SetItemText(int item, int subItem, const std::string& text)
{
    LVITEMA cell{};
    cell.iSubItem = subItem;
    cell.pszText = const_cast<char*>(text.c_str());
    return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&cell)));
}

std::string CListCtrl::GetItemText(int item, int subItem) const
{
    // The control copies at most the buffer it is given and says how much it
    // copied, so grow the buffer until the text no longer fills it.
    std::string text(256, '\0');
    for (;;) {
        LVITEMA cell{};
        cell.iSubItem = subItem;
        cell.pszText = text.data();
        cell.cchTextMax = static_cast<int>(text.size());
        const LRESULT length = SendMessage(LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&cell));
        if (length < 0)
            return {};
        if (static_cast<size_t>(length) + 1 < text.size()) {
            text.resize(static_cast<size_t>(length));
            return text;
        }
        text.resize(text.size() * 2);
    }
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask)
{
    LVITEMA cell{};
    cell.state = state;
    cell.stateMask = mask;
    return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&cell)));
}

BOOL CListCtrl::SetItemData(int item, DWORD_PTR data)
{
    LVITEMA cell{};
    cell.mask = LVIF_PARAM;
    cell.iItem = item;
    cell.lParam = static_cast<LPARAM>(data);
    return static_cast<BOOL>(SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&cell)));
}

DWORD_PTR CListCtrl::GetItemData(int item) const
{
    LVITEMA cell{};
    cell.mask = LVIF_PARAM;
    cell.iItem = item;
    if (!SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&cell)))
        return 0;
    return static_cast<DWORD_PTR>(cell.lParam);
}

RedrawSuspended::~RedrawSuspended()
{
    m_window.SetRedraw(TRUE);
    ::InvalidateRect(m_window.m_hWnd, nullptr, TRUE);
}
