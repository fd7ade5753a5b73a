#include "ShortcutDialog.h"

#include "resources/resource.h"

ShortcutDialog::ShortcutDialog() : CDialog(IDD_SHORTCUT) {}

void ShortcutDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_NAME, m_name);
    DDX_Text(pDX, IDC_EXECUTABLE, m_executable);
    DDX_Text(pDX, IDC_PARAMETERS, m_parameters);
}

int RunShortcutDialog(std::string& name, std::string& executable, std::string& parameters)
{
    ShortcutDialog dialog;
    dialog.m_name = name;
    dialog.m_executable = executable;
    dialog.m_parameters = parameters;
    if (dialog.DoModal() != IDOK)
        return 0;
    name = dialog.m_name;
    executable = dialog.m_executable;
    parameters = dialog.m_parameters;
    return 1;
}
