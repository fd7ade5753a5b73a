#include "CTabCtrl.h"

int CTabCtrl::InsertItem(UINT mask, int index, const std::string& text, int image)
{
    TCITEMA item{};
    item.mask = mask;
    item.pszText = const_cast<char*>(text.c_str());
    item.iImage = image;
    return static_cast<int>(SendMessage(TCM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}

std::string CTabCtrl::GetItemText(int index) const
{
    char buffer[256] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    if (!SendMessage(TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)))
        return {};
    return item.pszText;
}

int CTabCtrl::GetItemImage(int index) const
{
    TCITEMA item{};
    item.mask = TCIF_IMAGE;
    if (!SendMessage(TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)))
        return -1;
    return item.iImage;
}
