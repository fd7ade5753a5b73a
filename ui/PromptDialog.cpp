#include "PromptDialog.h"

#include "resources/resource.h"

PromptDialog::PromptDialog() : CDialog(IDD_PROMPT) {}

void PromptDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_PROMPT, m_prompt);
    DDX_Text(pDX, IDC_VALUE, m_value);
}

int RunPromptDialog(std::string& value, const std::string& prompt, const std::string& initial)
{
    PromptDialog dialog;
    dialog.m_prompt = prompt;
    dialog.m_value = initial;
    if (dialog.DoModal() != IDOK)
        return 0;
    value = dialog.m_value;
    return 1;
}
