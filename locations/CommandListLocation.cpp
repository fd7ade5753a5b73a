#include "CommandListLocation.h"

#include "CommandList.h"
#include "framework/CListCtrl.h"
#include "ui/PromptDialog.h"
#include "ui/Questions.h"

namespace {

const char* const kPrompt = "Enter executable name";

void ExplainUnreadable()
{
    ExplainRefusal("The line could not be read, so it was left as it is.");
}

// Shows the prompt until its text can stand on the line, or the user cancels.
// A line break would end the line in win.ini and start another there.
bool AskForProgram(std::string& program, std::string initial)
{
    for (;;) {
        if (!RunPromptDialog(program, kPrompt, initial))
            return false;
        if (program.find_first_of("\r\n") == std::string::npos)
            return true;
        ExplainRefusal("A program on a run or load line cannot hold a line break.");
        initial = program;
    }
}

} // namespace

int CommandListLocation::Add()
{
    std::string program;
    if (!AskForProgram(program, ""))
        return 0;
    if (AppendProgram(program))
        return 1;
    ExplainUnreadable();
    return 0;
}

int CommandListLocation::Edit(CListCtrl* list)
{
    const int row = SelectedRow(list);
    if (row == -1)
        return 0;
    const std::string oldProgram = list->GetItemText(row, 0);
    std::string newProgram;
    if (!AskForProgram(newProgram, oldProgram))
        return 0;
    if (ReplaceProgram(oldProgram, newProgram))
        return 1;
    ExplainUnreadable();
    return 0;
}

int CommandListLocation::Delete(CListCtrl* list)
{
    const int row = SelectedRow(list);
    if (row == -1)
        return 0;
    const std::string program = list->GetItemText(row, 0);
    if (!ConfirmDeletion())
        return 0;
    if (RemoveProgram(program))
        return 1;
    ExplainUnreadable();
    return 0;
}

void CommandListLocation::Fill(CListCtrl* list)
{
    // A line that must not be rewritten is still shown as far as it can be.
    std::string line;
    ReadList(line);
    RedrawSuspended quiet(*list);
    for (const std::string& program : SplitEntries(line))
        AppendRow(list, {program});
}

int CommandListLocation::AppendProgram(const std::string& program)
{
    std::string line;
    if (!ReadList(line))
        return 0;
    WriteList(AppendEntry(line, program, ' '));
    return 1;
}

int CommandListLocation::ReplaceProgram(const std::string& oldProgram, const std::string& newProgram)
{
    std::string line;
    if (!ReadList(line))
        return 0;
    WriteList(AppendEntry(RemoveListedEntry(line, oldProgram), newProgram, ' '));
    return 1;
}

int CommandListLocation::RemoveProgram(const std::string& program)
{
    std::string line;
    if (!ReadList(line))
        return 0;
    WriteList(RemoveListedEntry(line, program));
    return 1;
}
