#include "ui/NameExecDialog.h"
#include "ui/PromptDialog.h"
#include "ui/ShortcutDialog.h"

#include "DialogAnswerer.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

namespace {

TEST(EntryDialogs, OkHandsBackWhatWasTypedAndTheDialogOpensWithTheCallersTexts)
{
    DialogAnswerer answers;
    answers.Ok({{IDC_NAME, "Tool"}, {IDC_EXECUTABLE, "c:\\tool.exe /q"}});
    std::string name = "old name";
    std::string executable = "old.exe";
    EXPECT_EQ(1, RunNameExecDialog(name, executable));
    EXPECT_EQ("Tool", name);
    EXPECT_EQ("c:\\tool.exe /q", executable);
    ASSERT_EQ(1u, answers.Seen().size());
    EXPECT_EQ("Bootwise", answers.Seen()[0].caption);
    EXPECT_EQ("old name", answers.Seen()[0].Text(IDC_NAME));
    EXPECT_EQ("old.exe", answers.Seen()[0].Text(IDC_EXECUTABLE));
}

TEST(EntryDialogs, OkWithoutChangesEmptyFieldsAndBlanksComeBackAsTheyAre)
{
    DialogAnswerer answers;
    answers.Ok().Ok({{IDC_NAME, ""}, {IDC_EXECUTABLE, ""}, {IDC_PARAMETERS, ""}})
        .Ok({{IDC_NAME, "  spaced  "}, {IDC_EXECUTABLE, " x.exe"}, {IDC_PARAMETERS, "a  "}});

    std::string name = "Name", executable = "x.exe", parameters = "/p";
    EXPECT_EQ(1, RunShortcutDialog(name, executable, parameters));
    EXPECT_EQ("Name", name);
    EXPECT_EQ("x.exe", executable);
    EXPECT_EQ("/p", parameters);

    EXPECT_EQ(1, RunShortcutDialog(name, executable, parameters));
    EXPECT_EQ("", name);
    EXPECT_EQ("", executable);
    EXPECT_EQ("", parameters);

    EXPECT_EQ(1, RunShortcutDialog(name, executable, parameters));
    EXPECT_EQ("  spaced  ", name);
    EXPECT_EQ(" x.exe", executable);
    EXPECT_EQ("a  ", parameters);
}

TEST(EntryDialogs, CancelAndEscLeaveTheCallersTextsAlone)
{
    DialogAnswerer answers;
    answers.Cancel({{IDC_VALUE, "typed"}})
        .Key(VK_ESCAPE, {{IDC_VALUE, "typed"}})
        .Cancel({{IDC_NAME, "typed"}, {IDC_EXECUTABLE, "typed"}, {IDC_PARAMETERS, "typed"}});

    std::string value = "untouched";
    EXPECT_EQ(0, RunPromptDialog(value, "Enter executable name", "initial"));
    EXPECT_EQ("untouched", value);
    EXPECT_EQ(0, RunPromptDialog(value, "Enter executable name", "initial"));
    EXPECT_EQ("untouched", value);

    std::string name = "n", executable = "e", parameters = "p";
    EXPECT_EQ(0, RunShortcutDialog(name, executable, parameters));
    EXPECT_EQ("n", name);
    EXPECT_EQ("e", executable);
    EXPECT_EQ("p", parameters);
    EXPECT_EQ(0, answers.Unexpected());
}

TEST(EntryDialogs, EnterInAnEditFieldAccepts)
{
    DialogAnswerer answers;
    answers.Key(VK_RETURN, {{IDC_VALUE, "b.exe"}});
    std::string value;
    EXPECT_EQ(1, RunPromptDialog(value, "Enter executable name", ""));
    EXPECT_EQ("b.exe", value);
}

TEST(EntryDialogs, PromptShowsItsPromptAndInitialTextAndHandsBackOnlyTheValue)
{
    DialogAnswerer answers;
    answers.Ok();
    std::string value;
    EXPECT_EQ(1, RunPromptDialog(value, "Enter executable name", "a.exe"));
    EXPECT_EQ("a.exe", value);
    EXPECT_EQ("Enter executable name", answers.Seen()[0].Text(IDC_PROMPT));
    EXPECT_EQ("a.exe", answers.Seen()[0].Text(IDC_VALUE));
}

TEST(EntryDialogs, LongTextsGoInAndComeBackWhole)
{
    // Beyond the 30,000 characters an edit control takes by default.
    const std::string longText(100000, 'q');
    DialogAnswerer answers;
    answers.Ok().Ok({{IDC_EXECUTABLE, longText + "!"}});
    std::string name = "n";
    std::string executable = longText;
    EXPECT_EQ(1, RunNameExecDialog(name, executable));
    EXPECT_EQ(longText, executable);
    EXPECT_EQ(1, RunNameExecDialog(name, executable));
    EXPECT_EQ(longText + "!", executable);
}

TEST(EntryDialogs, ADialogThatCannotBeShownCountsAsCancel)
{
    DialogAnswerer answers;
    answers.Refuse().Refuse().Refuse();
    std::string name = "n", executable = "e", parameters = "p", value = "v";
    EXPECT_EQ(0, RunNameExecDialog(name, executable));
    EXPECT_EQ(0, RunShortcutDialog(name, executable, parameters));
    EXPECT_EQ(0, RunPromptDialog(value, "prompt", "initial"));
    EXPECT_EQ("n", name);
    EXPECT_EQ("e", executable);
    EXPECT_EQ("p", parameters);
    EXPECT_EQ("v", value);
    EXPECT_EQ(0u, answers.Pending());
}

// The layout of each template: its size in dialog units, and its controls in
// creation (and tab) order with their texts.
struct Layout {
    int width;
    int height;
    std::vector<std::pair<int, std::string>> controls;
    std::vector<int> edits; // in tab order
};

// A template's ID -1 comes back as the 16-bit 0xFFFF.
constexpr int kStatic = 0xFFFF;

void CheckLayout(HWND dialog, const Layout& layout)
{
    RECT expected{0, 0, layout.width, layout.height};
    MapDialogRect(dialog, &expected);
    RECT client;
    GetClientRect(dialog, &client);
    EXPECT_EQ(expected.right, client.right);
    EXPECT_EQ(expected.bottom, client.bottom);

    const LONG style = GetWindowLongA(dialog, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & DS_MODALFRAME);
    EXPECT_FALSE(style & WS_SYSMENU) << "no close box";

    EXPECT_EQ(layout.controls, Describe(dialog).controls);
    EXPECT_EQ(IDOK, LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0)));
    // The dialog manager gives the focus to the first control with a tab stop.
    HWND control = GetNextDlgTabItem(dialog, nullptr, FALSE);
    for (const int id : layout.edits) {
        EXPECT_EQ(id, GetDlgCtrlID(control));
        const LONG editStyle = GetWindowLongA(control, GWL_STYLE);
        EXPECT_TRUE(editStyle & ES_AUTOHSCROLL);
        // The dialog manager draws a bordered edit with a sunken client edge.
        EXPECT_TRUE((editStyle & WS_BORDER) || (GetWindowLongA(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE));
        control = GetNextDlgTabItem(dialog, control, FALSE);
    }
    EXPECT_EQ(IDOK, GetDlgCtrlID(control));
    EXPECT_EQ(IDCANCEL, GetDlgCtrlID(GetNextDlgTabItem(dialog, control, FALSE)));
    Click(dialog, IDCANCEL);
}

TEST(EntryDialogs, TemplatesHaveTheirSizesControlsAndTabOrder)
{
    const Layout prompt{186, 61, {{IDC_PROMPT, "p"}, {IDC_VALUE, "v"}, {IDOK, "OK"}, {IDCANCEL, "Cancel"}}, {IDC_VALUE}};
    const Layout nameExec{186,
                          95,
                          {{kStatic, "Name"},
                           {IDC_NAME, "n"},
                           {kStatic, "Executable"},
                           {IDC_EXECUTABLE, "e"},
                           {IDOK, "OK"},
                           {IDCANCEL, "Cancel"}},
                          {IDC_NAME, IDC_EXECUTABLE}};
    const Layout shortcut{186,
                          122,
                          {{kStatic, "Name"},
                           {IDC_NAME, "n"},
                           {kStatic, "Executable"},
                           {IDC_EXECUTABLE, "e"},
                           {kStatic, "Parameters"},
                           {IDC_PARAMETERS, "a"},
                           {IDOK, "OK"},
                           {IDCANCEL, "Cancel"}},
                          {IDC_NAME, IDC_EXECUTABLE, IDC_PARAMETERS}};
    DialogAnswerer answers;
    answers.Run([&](HWND d) { CheckLayout(d, prompt); })
        .Run([&](HWND d) { CheckLayout(d, nameExec); })
        .Run([&](HWND d) { CheckLayout(d, shortcut); });
    std::string value, name = "n", executable = "e", parameters = "a";
    RunPromptDialog(value, "p", "v");
    RunNameExecDialog(name, executable);
    RunShortcutDialog(name, executable, parameters);
    EXPECT_EQ(0u, answers.Pending());
}

} // namespace
