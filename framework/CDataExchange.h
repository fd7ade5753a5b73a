#pragma once

#include <string>

class CWnd;

// Moves texts between a dialog's members and its controls: into the controls
// when the dialog opens, back into the members when it is accepted.
class CDataExchange {
public:
    CDataExchange(CWnd* dialog, bool saveAndValidate) : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}

    CWnd* m_pDlgWnd;
    bool m_bSaveAndValidate;
};

void DDX_Text(CDataExchange* pDX, int id, std::string& value);
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
