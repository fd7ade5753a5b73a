#include "locations/CatalogueEntries.h"
#include "system/ShortcutInfo.h"

#include "DialogAnswerer.h"
#include "TempFolder.h"
#include "TestListView.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const char* const kNotepad = "c:\\windows\\notepad.exe";

void MakeShortcut(const std::string& file, const std::string& target, const std::string& arguments)
{
    ShortcutInfo info{};
    CopyToField(info.targetPath, target);
    CopyToField(info.arguments, arguments);
    info.showCommand = SW_SHOW;
    ASSERT_EQ(1, info.CreateLink(file.c_str()));
}

ShortcutInfo ReadShortcut(const std::string& file)
{
    ShortcutInfo info{};
    EXPECT_NE(0, info.ReadLink(file.c_str())) << file;
    return info;
}

class StartupFolderLocationTest : public testing::Test {
protected:
    StartupFolderLocationTest() : location(folder.Path()) {}
    void SetUp() override { location.SetupColumns(list.Get()); }

    Table Show()
    {
        list.Clear();
        location.Fill(list.Get());
        Table rows = list.Rows();
        std::sort(rows.begin(), rows.end());
        return rows;
    }
    void SelectName(const std::string& name)
    {
        list.Clear();
        location.Fill(list.Get());
        for (int row = 0; row < list->GetItemCount(); ++row)
            if (list->GetItemText(row, 0) == name)
                return list.Select(row);
        FAIL() << "no row " << name;
    }
    std::vector<std::string> Files() { return FolderNames(folder.Path()); }

    TempFolder folder;
    DialogAnswerer answers;
    TestListView list;
    UserStartupFolder location;
};

using Names = std::vector<std::string>;

TEST_F(StartupFolderLocationTest, ListsEveryShortcutUnderNameExecutableAndParameters)
{
    EXPECT_EQ((Names{"Name", "Executable", "Parameters"}), list.Headings());
    EXPECT_EQ(120, list->GetColumnWidth(0));
    EXPECT_EQ(200, list->GetColumnWidth(1));
    EXPECT_EQ(120, list->GetColumnWidth(2));
    EXPECT_TRUE(Show().empty());

    MakeShortcut(folder / "Notepad.lnk", kNotepad, "");
    MakeShortcut(folder / "my.app.lnk", kNotepad, "/x y");
    MakeShortcut(folder / "LOUD.LNK", kNotepad, "");
    // Not a shortcut inside: still listed, so that it can be seen and deleted.
    WriteFileBytes(folder / "broken.lnk", "garbage");
    WriteFileBytes(folder / "readme.txt", "not a .lnk");
    WriteFileBytes(folder / "other.lnk2", "not a .lnk either");
    EXPECT_EQ((Table{{"LOUD", kNotepad, ""},
                     {"Notepad", kNotepad, ""},
                     {"broken", "", ""},
                     {"my.app", kNotepad, "/x y"}}),
              Show());

    location.RemoveColumns(list.Get());
    EXPECT_EQ(Names{"Executable"}, list.Headings());
}

TEST_F(StartupFolderLocationTest, AMissingFolderListsNothing)
{
    UserStartupFolder missing(folder / "missing");
    missing.Fill(list.Get());
    EXPECT_EQ(0, list->GetItemCount());
}

TEST_F(StartupFolderLocationTest, AddWritesAShortcutShownNormally)
{
    answers.Ok({{IDC_NAME, "Editor"}, {IDC_EXECUTABLE, kNotepad}, {IDC_PARAMETERS, "readme.txt"}});
    EXPECT_EQ(1, location.Add());
    EXPECT_EQ("", answers.Seen()[0].Text(IDC_NAME));
    EXPECT_EQ(Names{"Editor.lnk"}, Files());
    const ShortcutInfo info = ReadShortcut(folder / "Editor.lnk");
    EXPECT_STREQ(kNotepad, info.targetPath);
    EXPECT_STREQ("readme.txt", info.arguments);
    EXPECT_EQ(SW_SHOW, ReadStoredShowCommand((folder / "Editor.lnk").c_str()));
    EXPECT_EQ((Table{{"Editor", kNotepad, "readme.txt"}}), Show());
}

TEST_F(StartupFolderLocationTest, AnEmptyNameIsTheFileDotLnk)
{
    answers.Ok({{IDC_EXECUTABLE, kNotepad}});
    EXPECT_EQ(1, location.Add());
    EXPECT_EQ(Names{".lnk"}, Files());
    EXPECT_EQ((Table{{"", kNotepad, ""}}), Show());
}

TEST_F(StartupFolderLocationTest, NamesThatAreNotPlainFileNamesAreRefused)
{
    const char* const refused[] = {"..\\escape", "sub\\name", "a/b",  "c:name", "star*",  "what?",
                                   "quote\"",    "<less",     "more>", "pi|pe",  "tab\tx", "CON",
                                   "nul.txt",    "LPT1",      "com9"};
    for (const char* name : refused) {
        // The dialog comes back after the refusal; the user then gives up.
        answers.Ok({{IDC_NAME, name}, {IDC_EXECUTABLE, kNotepad}}).Press(IDOK).Cancel();
        EXPECT_EQ(0, location.Add()) << name;
        EXPECT_EQ(name, answers.Seen()[answers.Seen().size() - 1].Text(IDC_NAME)) << "the dialog keeps the text";
    }
    EXPECT_TRUE(Files().empty());
    EXPECT_FALSE(FileExists(folder.Path() + "\\..\\escape.lnk"));
    EXPECT_EQ(0, answers.Unexpected());

    answers.Ok({{IDC_NAME, std::string(300, 'n')}, {IDC_EXECUTABLE, kNotepad}}).Press(IDOK).Cancel();
    EXPECT_EQ(0, location.Add());
    EXPECT_TRUE(answers.Seen()[answers.Seen().size() - 2].Shows("The name is too long for a file in this folder."));
    answers.Ok({{IDC_NAME, "x"}, {IDC_EXECUTABLE, std::string(300, 'e')}}).Press(IDOK).Cancel();
    EXPECT_EQ(0, location.Add());
    EXPECT_TRUE(Files().empty());
}

TEST_F(StartupFolderLocationTest, AddAsksBeforeReplacingAShortcutOfTheSameName)
{
    MakeShortcut(folder / "Tool.lnk", kNotepad, "old");
    answers.Ok({{IDC_NAME, "tool"}, {IDC_EXECUTABLE, kNotepad}, {IDC_PARAMETERS, "new"}})
        .Press(IDNO)
        .Cancel();
    EXPECT_EQ(0, location.Add());
    EXPECT_STREQ("old", ReadShortcut(folder / "Tool.lnk").arguments);
    EXPECT_TRUE(answers.Seen()[1].Shows("A shortcut named \"tool\" already exists.\nDo you want to replace it?"));

    answers.Ok({{IDC_NAME, "Tool"}, {IDC_EXECUTABLE, kNotepad}, {IDC_PARAMETERS, "new"}}).Press(IDYES);
    EXPECT_EQ(1, location.Add());
    EXPECT_STREQ("new", ReadShortcut(folder / "Tool.lnk").arguments);
    EXPECT_EQ(Names{"Tool.lnk"}, Files());
}

TEST_F(StartupFolderLocationTest, EditWithoutChangesLeavesTheSameShortcut)
{
    MakeShortcut(folder / "Same.lnk", kNotepad, "/a");
    SelectName("Same");
    answers.Ok();
    EXPECT_EQ(1, location.Edit(list.Get()));
    EXPECT_EQ("Same", answers.Seen()[0].Text(IDC_NAME));
    EXPECT_EQ(kNotepad, answers.Seen()[0].Text(IDC_EXECUTABLE));
    EXPECT_EQ("/a", answers.Seen()[0].Text(IDC_PARAMETERS));
    EXPECT_EQ(Names{"Same.lnk"}, Files());
    EXPECT_EQ((Table{{"Same", kNotepad, "/a"}}), Show());
}

TEST_F(StartupFolderLocationTest, EditRenamesAndKeepsWhatTheListDoesNotShow)
{
    ShortcutInfo original{};
    CopyToField(original.targetPath, kNotepad);
    CopyToField(original.arguments, "/old");
    CopyToField(original.description, "kept description");
    CopyToField(original.workingDirectory, "c:\\windows");
    CopyToField(original.iconPath, "c:\\windows\\system32\\shell32.dll");
    original.iconIndex = 4;
    original.hotKey = MAKEWORD('K', HOTKEYF_CONTROL);
    original.showCommand = SW_SHOWMINNOACTIVE;
    ASSERT_EQ(1, original.CreateLink((folder / "Foo.lnk").c_str()));

    SelectName("Foo");
    answers.Ok({{IDC_NAME, "Bar"}, {IDC_PARAMETERS, "/new"}});
    EXPECT_EQ(1, location.Edit(list.Get()));
    EXPECT_EQ(Names{"Bar.lnk"}, Files());
    const ShortcutInfo edited = ReadShortcut(folder / "Bar.lnk");
    EXPECT_STREQ(kNotepad, edited.targetPath);
    EXPECT_STREQ("/new", edited.arguments);
    EXPECT_STREQ("kept description", edited.description);
    EXPECT_STREQ("c:\\windows", edited.workingDirectory);
    EXPECT_STREQ("c:\\windows\\system32\\shell32.dll", edited.iconPath);
    EXPECT_EQ(4, edited.iconIndex);
    EXPECT_EQ(original.hotKey, edited.hotKey);
    EXPECT_EQ(SW_SHOWMINNOACTIVE, ReadStoredShowCommand((folder / "Bar.lnk").c_str()));
}

TEST_F(StartupFolderLocationTest, EditOfTheLetterCaseAloneRenamesTheSameFile)
{
    MakeShortcut(folder / "tool.lnk", kNotepad, "");
    SelectName("tool");
    answers.Ok({{IDC_NAME, "Tool"}});
    EXPECT_EQ(1, location.Edit(list.Get()));
    EXPECT_EQ(Names{"Tool.lnk"}, Files());
    EXPECT_EQ(0, answers.Unexpected()) << "not asked to replace itself";
}

TEST_F(StartupFolderLocationTest, EditOntoAnotherShortcutAsksFirst)
{
    MakeShortcut(folder / "One.lnk", kNotepad, "1");
    MakeShortcut(folder / "Two.lnk", kNotepad, "2");
    SelectName("One");
    answers.Ok({{IDC_NAME, "Two"}}).Press(IDNO).Cancel();
    EXPECT_EQ(0, location.Edit(list.Get()));
    EXPECT_EQ((Names{"One.lnk", "Two.lnk"}), Files());

    answers.Ok({{IDC_NAME, "Two"}}).Press(IDYES);
    EXPECT_EQ(1, location.Edit(list.Get()));
    EXPECT_EQ(Names{"Two.lnk"}, Files());
    EXPECT_STREQ("1", ReadShortcut(folder / "Two.lnk").arguments);
}

TEST_F(StartupFolderLocationTest, TheOldShortcutStaysWhenTheNewOneCannotBeWritten)
{
    MakeShortcut(folder / "Keep.lnk", kNotepad, "kept");
    // A folder where the new file would go: the shortcut cannot be written there.
    ASSERT_TRUE(CreateDirectoryA((folder / "Blocked.lnk").c_str(), nullptr));
    SelectName("Keep");
    answers.Ok({{IDC_NAME, "Blocked"}}).Press(IDYES);
    location.Edit(list.Get());
    EXPECT_STREQ("kept", ReadShortcut(folder / "Keep.lnk").arguments);
}

TEST_F(StartupFolderLocationTest, AnUnreadableShortcutIsLeftAsItIsButCanBeDeleted)
{
    WriteFileBytes(folder / "broken.lnk", "garbage");
    SelectName("broken");
    answers.Press(IDOK);
    EXPECT_EQ(0, location.Edit(list.Get()));
    EXPECT_TRUE(answers.Seen()[0].Shows(
        "This shortcut could not be read whole, so it is left as it is. It can still be deleted."));
    EXPECT_EQ("garbage", ReadFileBytes(folder / "broken.lnk"));

    answers.Press(IDYES);
    EXPECT_EQ(1, location.Delete(list.Get()));
    EXPECT_TRUE(Files().empty());
    EXPECT_EQ(0, answers.Unexpected());
}

TEST_F(StartupFolderLocationTest, EditStartsFromTheFileAsItIsNow)
{
    MakeShortcut(folder / "Tool.lnk", kNotepad, "/old");
    SelectName("Tool");
    MakeShortcut(folder / "Tool.lnk", "c:\\windows\\regedit.exe", "/new");
    answers.Ok();
    EXPECT_EQ(1, location.Edit(list.Get()));
    EXPECT_EQ("c:\\windows\\regedit.exe", answers.Seen()[0].Text(IDC_EXECUTABLE));
    EXPECT_STREQ("/new", ReadShortcut(folder / "Tool.lnk").arguments) << "the other program's change stays";

    DeleteFileA((folder / "Tool.lnk").c_str());
    answers.Ok();
    EXPECT_EQ(0, location.Edit(list.Get())) << "gone: nothing to edit";
    EXPECT_TRUE(Files().empty()) << "and nothing made again";
    EXPECT_EQ(1u, answers.Pending());
}

TEST_F(StartupFolderLocationTest, AShortcutThatCannotBeWrittenIsNotReportedAsWritten)
{
    UserStartupFolder missing(folder / "missing");
    answers.Ok({{IDC_NAME, "New"}, {IDC_EXECUTABLE, kNotepad}});
    EXPECT_EQ(0, missing.Add());
    EXPECT_TRUE(Files().empty());
}

TEST_F(StartupFolderLocationTest, DeleteAsksAndAddressesTheFileWhateverItsCase)
{
    MakeShortcut(folder / "NAME.LNK", kNotepad, "");
    SelectName("NAME");
    answers.Press(IDNO);
    EXPECT_EQ(0, location.Delete(list.Get()));
    EXPECT_EQ(Names{"NAME.LNK"}, Files());
    answers.Press(IDYES);
    EXPECT_EQ(1, location.Delete(list.Get()));
    EXPECT_TRUE(Files().empty());
}

TEST_F(StartupFolderLocationTest, NoSelectionAndCancelDoNothing)
{
    MakeShortcut(folder / "A.lnk", kNotepad, "");
    Show();
    EXPECT_EQ(0, location.Edit(list.Get()));
    EXPECT_EQ(0, location.Delete(list.Get()));
    EXPECT_TRUE(answers.Seen().empty());
    answers.Cancel({{IDC_NAME, "B"}, {IDC_EXECUTABLE, kNotepad}});
    EXPECT_EQ(0, location.Add());
    SelectName("A");
    answers.Cancel({{IDC_NAME, "B"}});
    EXPECT_EQ(0, location.Edit(list.Get()));
    EXPECT_EQ(Names{"A.lnk"}, Files());
}

TEST_F(StartupFolderLocationTest, AnUnknownFolderListsAndTakesNothing)
{
    UserStartupFolder unknown("");
    // Where a bare file name would land.
    char current[MAX_PATH];
    GetCurrentDirectoryA(sizeof current, current);
    SetCurrentDirectoryA(folder.Path().c_str());
    MakeShortcut(folder / "here.lnk", kNotepad, "");
    unknown.Fill(list.Get());
    EXPECT_EQ(0, list->GetItemCount());
    answers.Press(IDOK);
    EXPECT_EQ(0, unknown.Add());
    EXPECT_TRUE(answers.Seen()[0].Shows("The Startup folder is not known, so no shortcut can be added to it."));
    SetCurrentDirectoryA(current);
    EXPECT_EQ(Names{"here.lnk"}, Files());
}

} // namespace
