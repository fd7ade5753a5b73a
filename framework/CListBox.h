#pragma once

#include "CWnd.h"

class CListBox : public CWnd {
public:
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    int AddString(const std::string& text)
    {
        return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    }
    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
    int SetCurSel(int index) { return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index))); }
    std::string GetText(int index) const;
};
