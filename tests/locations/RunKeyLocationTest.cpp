#include "locations/CatalogueEntries.h"

#include "DialogAnswerer.h"
#include "ScratchRegistry.h"
#include "TestListView.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const char* const kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class RunKeyLocationTest : public testing::Test {
protected:
    // The rows as the main window shows them after making the location current.
    Table Show()
    {
        list.Clear();
        location.Fill(list.Get());
        return list.Rows();
    }
    void Put(const std::string& name, const std::string& command)
    {
        SetRegistryString(HKEY_CURRENT_USER, kRun, name, command);
    }
    StoredValue Stored(const std::string& name) { return ReadRegistryValue(HKEY_CURRENT_USER, kRun, name); }
    // Selects the row showing this name.
    void SelectName(const std::string& name)
    {
        for (int row = 0; row < list->GetItemCount(); ++row)
            if (list->GetItemText(row, 0) == name)
                return list.Select(row);
        FAIL() << "no row " << name;
    }

    ScratchRegistry scratch;
    DialogAnswerer answers;
    TestListView list;
    UserRunKey location;

    void SetUp() override { location.SetupColumns(list.Get()); }
};

// The names of the key's values as the registry itself enumerates them.
std::vector<std::string> RegistryOrder(HKEY root, const char* key)
{
    std::vector<std::string> names;
    HKEY opened;
    if (RegOpenKeyA(root, key, &opened) != ERROR_SUCCESS)
        return names;
    char name[256];
    DWORD length = sizeof name;
    for (DWORD i = 0; RegEnumValueA(opened, i, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i, length = sizeof name)
        names.push_back(name);
    RegCloseKey(opened);
    return names;
}

TEST_F(RunKeyLocationTest, ListsEveryValueInTheRegistrysOrderUnderNameAndExecutable)
{
    EXPECT_EQ((std::vector<std::string>{"Name", "Executable"}), list.Headings());
    EXPECT_EQ(120, list->GetColumnWidth(0));
    EXPECT_EQ(200, list->GetColumnWidth(1));

    Put("zeta", "z.exe");
    Put("Alpha", "c:\\alpha.exe /min");
    Put("mid", "");
    const Table rows = Show();
    std::vector<std::string> names;
    for (const auto& row : rows)
        names.push_back(row[0]);
    EXPECT_EQ(RegistryOrder(HKEY_CURRENT_USER, kRun), names);
    Table sorted = rows;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ((Table{{"Alpha", "c:\\alpha.exe /min"}, {"mid", ""}, {"zeta", "z.exe"}}), sorted);

    location.RemoveColumns(list.Get());
    EXPECT_EQ((std::vector<std::string>{"Executable"}), list.Headings());
}

TEST_F(RunKeyLocationTest, NothingHidesBehindALongValue)
{
    // Long names and long data used to end the listing; every value shows.
    Put(std::string(300, 'N'), "long name");
    Put("long data", std::string(5000, 'd'));
    Put("after", "a.exe");
    const Table rows = Show();
    ASSERT_EQ(3u, rows.size());
    for (const auto& row : rows) {
        if (row[0] == "long data") {
            EXPECT_EQ(std::string(5000, 'd'), row[1]);
        }
    }
}

TEST_F(RunKeyLocationTest, ValuesOfEveryTypeShowReadably)
{
    struct Case {
        const char* name;
        DWORD type;
        std::string bytes;
        const char* shown;
    };
    const Case cases[] = {
        {"sz", REG_SZ, Sz("c:\\a.exe"), "c:\\a.exe"},
        {"unterminated", REG_SZ, "c:\\b.exe", "c:\\b.exe"},
        {"expand", REG_EXPAND_SZ, Sz("%windir%\\c.exe"), "%windir%\\c.exe"},
        {"multi", REG_MULTI_SZ, std::string("one\0two\0\0", 9), "one two"},
        {"dword", REG_DWORD, std::string("\x10\0\0\0", 4), "0x00000010 (16)"},
        {"qword", REG_QWORD, std::string("\x01\0\0\0\x01\0\0\0", 8), "0x0000000100000001 (4294967297)"},
        {"binary", REG_BINARY, std::string("\x01\xab\xff", 3), "01 ab ff"},
        {"none", REG_NONE, "", ""},
        {"short dword", REG_DWORD, std::string("\x05\x06", 2), "05 06"},
    };
    for (const Case& c : cases)
        SetRegistryValue(HKEY_CURRENT_USER, kRun, c.name, c.type, c.bytes);
    const Table rows = Show();
    ASSERT_EQ(std::size(cases), rows.size());
    for (const Case& c : cases) {
        bool found = false;
        for (const auto& row : rows)
            if (row[0] == c.name) {
                found = true;
                EXPECT_EQ(c.shown, row[1]) << c.name;
            }
        EXPECT_TRUE(found) << c.name;
    }
}

TEST_F(RunKeyLocationTest, AMissingKeyListsNothingAndAddCreatesIt)
{
    EXPECT_TRUE(Show().empty());
    EXPECT_EQ(0, location.Edit(list.Get()));
    EXPECT_EQ(0, location.Delete(list.Get()));
    EXPECT_TRUE(answers.Seen().empty()) << "no dialog without a selected row";
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kRun));

    answers.Ok({{IDC_NAME, "Tool"}, {IDC_EXECUTABLE, "c:\\tool.exe"}});
    EXPECT_EQ(1, location.Add());
    EXPECT_EQ("", answers.Seen()[0].Text(IDC_NAME)) << "Add starts from empty fields";
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), Stored("Tool").type);
    EXPECT_EQ(Sz("c:\\tool.exe"), Stored("Tool").bytes);
    EXPECT_EQ((Table{{"Tool", "c:\\tool.exe"}}), Show());
}

TEST_F(RunKeyLocationTest, AddReplacesASameNamedValueAndAnEmptyNameIsTheDefaultValue)
{
    Put("Tool", "old.exe");
    answers.Ok({{IDC_NAME, "Tool"}, {IDC_EXECUTABLE, "new.exe"}}).Ok({{IDC_NAME, ""}, {IDC_EXECUTABLE, "d.exe"}});
    EXPECT_EQ(1, location.Add());
    EXPECT_EQ(1, location.Add());
    EXPECT_EQ(Sz("new.exe"), Stored("Tool").bytes);
    const Table rows = Show();
    EXPECT_EQ(2u, rows.size());
    EXPECT_NE(rows.end(), std::find(rows.begin(), rows.end(), std::vector<std::string>{"", "d.exe"}));
}

TEST_F(RunKeyLocationTest, CancelAndNoChangeNothing)
{
    Put("Tool", "t.exe");
    Show();
    SelectName("Tool");
    answers.Cancel({{IDC_NAME, "x"}, {IDC_EXECUTABLE, "y"}})
        .Cancel({{IDC_NAME, "x"}, {IDC_EXECUTABLE, "y"}})
        .Press(IDNO);
    EXPECT_EQ(0, location.Add());
    EXPECT_EQ(0, location.Edit(list.Get()));
    EXPECT_EQ(0, location.Delete(list.Get()));
    EXPECT_EQ((Table{{"Tool", "t.exe"}}), Show());
    EXPECT_TRUE(answers.Seen()[2].Shows("Are you sure?"));
}

TEST_F(RunKeyLocationTest, EditRenamesAndTakesTheCommandFromTheRegistry)
{
    Put("Old", "old.exe");
    Show();
    SelectName("Old");
    // Changed by another program since the list was filled.
    Put("Old", "changed.exe");
    answers.Ok({{IDC_NAME, "New"}, {IDC_EXECUTABLE, "new.exe"}});
    EXPECT_EQ(1, location.Edit(list.Get()));
    EXPECT_EQ("Old", answers.Seen()[0].Text(IDC_NAME));
    EXPECT_EQ("changed.exe", answers.Seen()[0].Text(IDC_EXECUTABLE));
    EXPECT_FALSE(Stored("Old").exists);
    EXPECT_EQ(Sz("new.exe"), Stored("New").bytes);
}

TEST_F(RunKeyLocationTest, EditKeepsTypesThatWindowsReliesOn)
{
    SetRegistryValue(HKEY_CURRENT_USER, kRun, "expand", REG_EXPAND_SZ, Sz("%windir%\\a.exe"));
    SetRegistryValue(HKEY_CURRENT_USER, kRun, "expand2", REG_EXPAND_SZ, Sz("%windir%\\b.exe"));
    SetRegistryValue(HKEY_CURRENT_USER, kRun, "number", REG_DWORD, std::string("\x10\0\0\0", 4));
    Show();
    answers.Ok()
        .Ok({{IDC_EXECUTABLE, "%ProgramFiles%\\b.exe /x"}})
        .Ok({{IDC_NAME, "renamed number"}});
    SelectName("expand");
    EXPECT_EQ(1, location.Edit(list.Get()));
    SelectName("expand2");
    EXPECT_EQ(1, location.Edit(list.Get()));
    SelectName("number");
    EXPECT_EQ(1, location.Edit(list.Get()));

    EXPECT_EQ(static_cast<DWORD>(REG_EXPAND_SZ), Stored("expand").type) << "accepted unchanged";
    EXPECT_EQ(Sz("%windir%\\a.exe"), Stored("expand").bytes);
    EXPECT_EQ(static_cast<DWORD>(REG_EXPAND_SZ), Stored("expand2").type) << "command changed";
    EXPECT_EQ(Sz("%ProgramFiles%\\b.exe /x"), Stored("expand2").bytes);
    // A command left as it was keeps its bytes, whatever their type.
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), Stored("renamed number").type);
    EXPECT_EQ(std::string("\x10\0\0\0", 4), Stored("renamed number").bytes);
    EXPECT_FALSE(Stored("number").exists);
}

TEST_F(RunKeyLocationTest, AFailedWriteLeavesTheOldEntry)
{
    Put("Keep", "keep.exe");
    Show();
    SelectName("Keep");
    // The registry refuses value names beyond 16,383 characters.
    answers.Ok({{IDC_NAME, std::string(20000, 'x')}, {IDC_EXECUTABLE, "other.exe"}});
    EXPECT_EQ(0, location.Edit(list.Get()));
    EXPECT_EQ(Sz("keep.exe"), Stored("Keep").bytes);
    EXPECT_EQ(1u, Show().size());
}

TEST_F(RunKeyLocationTest, EditCanChangeOnlyTheLetterCaseOfTheName)
{
    Put("tool", "t.exe");
    Show();
    SelectName("tool");
    answers.Ok({{IDC_NAME, "Tool"}}).Ok();
    EXPECT_EQ(1, location.Edit(list.Get()));
    EXPECT_EQ((Table{{"Tool", "t.exe"}}), Show());
    SelectName("Tool");
    EXPECT_EQ(1, location.Edit(list.Get()));
    EXPECT_EQ((Table{{"Tool", "t.exe"}}), Show());
}

TEST_F(RunKeyLocationTest, ALongCommandCanBeEdited)
{
    const std::string command = "c:\\long.exe " + std::string(5000, 'p');
    Put("Long", command);
    Show();
    SelectName("Long");
    answers.Ok({{IDC_EXECUTABLE, command + " more"}});
    EXPECT_EQ(1, location.Edit(list.Get()));
    EXPECT_EQ(command, answers.Seen()[0].Text(IDC_EXECUTABLE));
    EXPECT_EQ(Sz(command + " more"), Stored("Long").bytes);
}

TEST_F(RunKeyLocationTest, DeleteAfterYesAndNotWhenTheValueHasGone)
{
    Put("A", "a.exe");
    Put("B", "b.exe");
    Show();
    SelectName("A");
    answers.Press(IDYES);
    EXPECT_EQ(1, location.Delete(list.Get()));
    EXPECT_FALSE(Stored("A").exists);
    EXPECT_TRUE(Stored("B").exists);

    Show();
    SelectName("B");
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kRun, "B");
    answers.Press(IDYES);
    EXPECT_EQ(0, location.Delete(list.Get())) << "asked, then found nothing to delete";
    EXPECT_EQ(0, location.Edit(list.Get())) << "no dialog for a value that has gone";
    EXPECT_EQ(1u, answers.Seen().size() - 1);
    EXPECT_EQ(0, answers.Unexpected());
}

TEST_F(RunKeyLocationTest, MachineKeysAreTheirOwn)
{
    MachineRunOnceSetupKey setup;
    answers.Ok({{IDC_NAME, "Setup"}, {IDC_EXECUTABLE, "setup.exe"}});
    EXPECT_EQ(1, setup.Add());
    EXPECT_EQ(Sz("setup.exe"),
              ReadRegistryValue(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce\\Setup",
                                "Setup")
                  .bytes);
    EXPECT_TRUE(Show().empty()) << "the user's Run key is another key";
}

} // namespace
