#include "CDataExchange.h"

#include "CWnd.h"

void DDX_Text(CDataExchange* pDX, int id, std::string& value)
{
    const HWND control = pDX->m_pDlgWnd->GetDlgItem(id);
    if (pDX->m_bSaveAndValidate) {
        value = GetWindowTextOf(control);
        return;
    }
    // An edit control refuses typing beyond 30,000 characters unless told
    // otherwise; the entries it shows may be longer.
    char className[16] = {};
    ::GetClassNameA(control, className, sizeof className);
    if (lstrcmpiA(className, "Edit") == 0)
        ::SendMessageA(control, EM_SETLIMITTEXT, 0, 0);
    ::SetWindowTextA(control, value.c_str());
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control)
{
    if (!control.m_hWnd)
        control.Attach(pDX->m_pDlgWnd->GetDlgItem(id));
}
