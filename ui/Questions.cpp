#include "Questions.h"

#include "framework/AfxMessageBox.h"

bool ConfirmDeletion()
{
    return AfxMessageBox("Are you sure?", MB_YESNO, 0) == IDYES;
}

bool ConfirmReplace(const std::string& name)
{
    return AfxMessageBox("A shortcut named \"" + name + "\" already exists.\nDo you want to replace it?",
                         MB_YESNO | MB_ICONQUESTION, 0) == IDYES;
}

void ExplainRefusal(const std::string& reason)
{
    AfxMessageBox(reason, MB_OK | MB_ICONEXCLAMATION, 0);
}
