#include "AfxMessageBox.h"

#include "CWinApp.h"
#include "CWnd.h"

int AfxMessageBox(const std::string& text, UINT type, UINT)
{
    const CWnd* main = AfxGetMainWnd();
    HWND owner = main && ::IsWindow(main->m_hWnd) ? ::GetLastActivePopup(main->m_hWnd) : ::GetActiveWindow();
    return ::MessageBoxA(owner, text.c_str(), AfxGetAppName().c_str(), type);
}
