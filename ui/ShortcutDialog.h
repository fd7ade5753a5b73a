#pragma once

#include "framework/CDialog.h"

#include <string>

// Name, Executable and Parameters of a shortcut in a Startup folder.
class ShortcutDialog : public CDialog {
public:
    ShortcutDialog();

    std::string m_name;
    std::string m_executable;
    std::string m_parameters;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

// Opens with the texts given and hands the fields back on OK (1); on cancel,
// or when the dialog cannot be shown, returns 0 and leaves them alone.
int RunShortcutDialog(std::string& name, std::string& executable, std::string& parameters);
