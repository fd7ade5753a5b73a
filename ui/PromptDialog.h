#pragma once

#include "framework/CDialog.h"

#include <string>

// A prompt line and one text: the program of a run or load line.
class PromptDialog : public CDialog {
public:
    PromptDialog();

    std::string m_prompt;
    std::string m_value;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

// Shows the prompt with the initial text; on OK sets value and returns 1. On
// cancel, or when the dialog cannot be shown, returns 0 and leaves value alone.
int RunPromptDialog(std::string& value, const std::string& prompt, const std::string& initial);
