#pragma once

#include "CDataExchange.h"
#include "CWnd.h"

// A modal dialog built from a dialog template in the program's resources.
// One static procedure finds the object and hands messages to a few virtual
// handlers; no exception gets past it into Windows.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr) : m_templateId(templateId), m_pParentWnd(parent) {}

    // IDOK or IDCANCEL as the dialog ended, or -1 when it could not be shown.
    INT_PTR DoModal();
    void EndDialog(int result) { ::EndDialog(m_hWnd, result); }
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    // The handlers return TRUE when they dealt with the message.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Any other message; result is what the dialog procedure returns for it.
    virtual BOOL OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result);

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    UINT m_templateId;
    CWnd* m_pParentWnd;
};
