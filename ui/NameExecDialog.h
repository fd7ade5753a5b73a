#pragma once

#include "framework/CDialog.h"

#include <string>

// Name and Executable of a registry Run entry.
class NameExecDialog : public CDialog {
public:
    NameExecDialog();

    std::string m_name;
    std::string m_executable;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

// Opens with the texts given and hands the fields back on OK (1); on cancel,
// or when the dialog cannot be shown, returns 0 and leaves them alone.
int RunNameExecDialog(std::string& name, std::string& executable);
