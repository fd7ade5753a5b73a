#include "BootwiseApp.h"

#include "ui/MainDialog.h"

BOOL BootwiseApp::InitInstance()
{
    MainDialog dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    // Nothing is left to do: no message loop follows the window.
    return FALSE;
}
