#include "NameExecDialog.h"

#include "resources/resource.h"

NameExecDialog::NameExecDialog() : CDialog(IDD_NAME_EXEC) {}

void NameExecDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_NAME, m_name);
    DDX_Text(pDX, IDC_EXECUTABLE, m_executable);
}

int RunNameExecDialog(std::string& name, std::string& executable)
{
    NameExecDialog dialog;
    dialog.m_name = name;
    dialog.m_executable = executable;
    if (dialog.DoModal() != IDOK)
        return 0;
    name = dialog.m_name;
    executable = dialog.m_executable;
    return 1;
}
