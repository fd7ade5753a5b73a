#pragma once

#include "CWnd.h"

#include <commctrl.h>

class CTabCtrl : public CWnd {
public:
    HIMAGELIST SetImageList(HIMAGELIST images)
    {
        return reinterpret_cast<HIMAGELIST>(SendMessage(TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images)));
    }
    int InsertItem(UINT mask, int index, const std::string& text, int image);
    int GetCurSel() const { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }
    int SetCurSel(int index) { return static_cast<int>(SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(index))); }
    int GetItemCount() const { return static_cast<int>(SendMessage(TCM_GETITEMCOUNT)); }
    std::string GetItemText(int index) const;
    int GetItemImage(int index) const;
};
