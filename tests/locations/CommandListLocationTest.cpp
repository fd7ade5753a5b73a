#include "locations/CatalogueEntries.h"
#include "locations/CommandList.h"
#include "system/PathHelpers.h"

#include "DialogAnswerer.h"
#include "ScratchRegistry.h"
#include "TempFolder.h"
#include "TestListView.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

enum class Kind { WinIni, NtRegistry };

const char* const kNtKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

// Windows NT keeps the [windows] section of any file named win.ini in the
// registry; a file of another name stays a plain file.
const char* const kTestIni = "startup.ini";

std::string KindName(const testing::TestParamInfo<Kind>& info)
{
    return info.param == Kind::WinIni ? "WinIni" : "NtRegistry";
}

// The run line of either store, read and written around the location.
class CommandListLocationTest : public testing::TestWithParam<Kind> {
protected:
    void SetUp() override
    {
        savedWinIni = WinIniPath;
        WinIniPath = folder / kTestIni;
        if (GetParam() == Kind::WinIni)
            location = std::make_unique<WinIniRunLine>();
        else
            location = std::make_unique<NtRunValue>();
    }
    void TearDown() override { WinIniPath = savedWinIni; }

    void Store(const std::string& line, const char* key = "run")
    {
        if (GetParam() == Kind::WinIni)
            WriteFileBytes(WinIniPath, std::string("[windows]\r\n") + key + "=" + line + "\r\n");
        else
            SetRegistryString(HKEY_CURRENT_USER, kNtKey, key, line);
    }
    // The stored line, or nothing when none is stored.
    std::optional<std::string> Stored(const char* key = "run")
    {
        if (GetParam() == Kind::WinIni) {
            // The file's own line: the profile functions would trim its blanks.
            const std::string text = ReadFileBytes(WinIniPath);
            const std::string start = std::string(key) + "=";
            size_t at = 0;
            while (at < text.size()) {
                size_t end = text.find('\n', at);
                if (end == std::string::npos)
                    end = text.size();
                std::string fileLine = text.substr(at, end - at);
                if (!fileLine.empty() && fileLine.back() == '\r')
                    fileLine.pop_back();
                if (fileLine.compare(0, start.size(), start) == 0)
                    return fileLine.substr(start.size());
                at = end + 1;
            }
            return std::nullopt;
        }
        const StoredValue value = ReadRegistryValue(HKEY_CURRENT_USER, kNtKey, key);
        if (!value.exists)
            return std::nullopt;
        EXPECT_EQ(static_cast<DWORD>(REG_SZ), value.type);
        EXPECT_EQ('\0', value.bytes.back());
        return value.bytes.substr(0, value.bytes.size() - 1);
    }
    std::vector<std::string> Show()
    {
        list.Clear();
        location->Fill(list.Get());
        std::vector<std::string> rows;
        for (const auto& row : list.Rows())
            rows.push_back(row.at(0));
        return rows;
    }

    ScratchRegistry scratch;
    TempFolder folder;
    std::string savedWinIni;
    DialogAnswerer answers;
    TestListView list;
    std::unique_ptr<CommandListLocation> location;
};

using Entries = std::vector<std::string>;

TEST_P(CommandListLocationTest, ShowsOneRowPerProgramInTheSingleExecutableColumn)
{
    location->SetupColumns(list.Get());
    EXPECT_EQ(Entries{"Executable"}, list.Headings());

    const std::pair<std::string, Entries> cases[] = {
        {"a.exe b.exe c.exe", {"a.exe", "b.exe", "c.exe"}},
        {",, a.exe  ,b.exe,,c.exe ,", {"a.exe", "b.exe", "c.exe"}},
        {"c:\\tools\\tool.exe /x", {"c:\\tools\\tool.exe", "/x"}},
        {"", {}},
        {" ,, ,", {}},
        {"a.exe a.exe A.EXE", {"a.exe", "a.exe", "A.EXE"}},
    };
    for (const auto& [line, rows] : cases) {
        Store(line);
        EXPECT_EQ(rows, Show()) << '"' << line << '"';
        EXPECT_EQ(std::optional<std::string>(line), Stored()) << "listing never changes the line";
    }
}

struct Change {
    const char* line;
    int row; // -1 for Add
    const char* typed;
    const char* stored;
};

TEST_P(CommandListLocationTest, AddAppendsWhatWasTyped)
{
    const Change cases[] = {
        {"a.exe", -1, "b.exe", "a.exe b.exe"},
        {"", -1, "b.exe", "b.exe"},
        {"a.exe ", -1, "b.exe", "a.exe b.exe"},
        {"a.exe", -1, "", "a.exe "},
        {"a.exe ", -1, "", "a.exe "},
        {"", -1, "", ""},
        {"a.exe", -1, "c:\\my tool.exe", "a.exe c:\\my tool.exe"},
        {"a.exe,b.exe", -1, "a.exe", "a.exe,b.exe a.exe"},
    };
    for (const Change& c : cases) {
        Store(c.line);
        answers.Ok({{IDC_VALUE, c.typed}});
        EXPECT_EQ(1, location->Add());
        EXPECT_EQ(std::optional<std::string>(c.stored), Stored()) << '"' << c.line << "\" + \"" << c.typed << '"';
        ASSERT_FALSE(answers.Seen().empty());
        EXPECT_EQ("Enter executable name", answers.Seen().back().Text(IDC_PROMPT));
        EXPECT_EQ("", answers.Seen().back().Text(IDC_VALUE));
    }
}

TEST_P(CommandListLocationTest, EditRemovesEveryCopyAndAppendsTheNewText)
{
    const Change cases[] = {
        {"a.exe b.exe", 0, "c.exe", "b.exe c.exe"},
        {"a.exe b.exe", 1, "b.exe", "a.exe b.exe"},
        {"a.exe b.exe", 0, "a.exe", "b.exe a.exe"},
        {"a.exe b.exe", 0, "", "b.exe "},
        {"a.exe b.exe a.exe", 2, "d.exe", "b.exe d.exe"},
        // Entries joined by commas can be edited too; the others stay.
        {"a.exe,b.exe,c.exe", 1, "x.exe", "a.exe c.exe x.exe"},
        {"a.exe,  b.exe", 0, "z.exe", "b.exe z.exe"},
    };
    for (const Change& c : cases) {
        Store(c.line);
        Show();
        list.Select(c.row);
        answers.Ok({{IDC_VALUE, c.typed}});
        EXPECT_EQ(1, location->Edit(list.Get()));
        ASSERT_FALSE(answers.Seen().empty());
        EXPECT_EQ(list->GetItemText(c.row, 0), answers.Seen().back().Text(IDC_VALUE)) << "opens on the row";
        EXPECT_EQ(std::optional<std::string>(c.stored), Stored()) << '"' << c.line << "\" row " << c.row;
    }
}

TEST_P(CommandListLocationTest, DeleteRemovesEveryCopyAndKeepsEveryOtherEntry)
{
    const Change cases[] = {
        {"a.exe b.exe a.exe", 0, "", "b.exe"},
        {"a.exe  b.exe c.exe", 1, "", "a.exe c.exe"},
        {" a.exe b.exe", 1, "", "a.exe"},
        {"a.exe", 0, "", ""},
        {"A.EXE a.exe", 0, "", "a.exe"},
        {"a.exe,b.exe", 1, "", "a.exe"},
        {"a.exe,b.exe c.exe,d.exe", 2, "", "a.exe b.exe d.exe"},
    };
    for (const Change& c : cases) {
        Store(c.line);
        Show();
        list.Select(c.row);
        answers.Press(IDYES);
        EXPECT_EQ(1, location->Delete(list.Get()));
        EXPECT_EQ(std::optional<std::string>(c.stored), Stored()) << '"' << c.line << "\" row " << c.row;
    }
    EXPECT_TRUE(answers.Seen().back().Shows("Are you sure?"));
}

TEST_P(CommandListLocationTest, NoSelectionCancelAndNoLeaveTheStoreUntouched)
{
    EXPECT_EQ(0, location->Edit(list.Get()));
    EXPECT_EQ(0, location->Delete(list.Get()));
    EXPECT_TRUE(answers.Seen().empty());

    answers.Cancel({{IDC_VALUE, "x.exe"}});
    EXPECT_EQ(0, location->Add());
    EXPECT_EQ(std::nullopt, Stored()) << "a cancelled Add creates nothing";

    Store("a.exe b.exe");
    Show();
    list.Select(0);
    answers.Cancel({{IDC_VALUE, "x.exe"}}).Press(IDNO);
    EXPECT_EQ(0, location->Edit(list.Get()));
    EXPECT_EQ(0, location->Delete(list.Get()));
    EXPECT_EQ(std::optional<std::string>("a.exe b.exe"), Stored());
    EXPECT_EQ(0, answers.Unexpected());
}

TEST_P(CommandListLocationTest, ALineChangedMeanwhileIsRebuiltFromWhatIsStoredNow)
{
    Store("a.exe b.exe");
    Show();
    list.Select(0);
    Store("b.exe c.exe");
    answers.Ok({{IDC_VALUE, "n.exe"}}).Press(IDYES);
    EXPECT_EQ(1, location->Edit(list.Get()));
    EXPECT_EQ(std::optional<std::string>("b.exe c.exe n.exe"), Stored()) << "only appended";
    EXPECT_EQ(1, location->Delete(list.Get()));
    EXPECT_EQ(std::optional<std::string>("b.exe c.exe n.exe"), Stored()) << "nothing to remove";
}

TEST_P(CommandListLocationTest, LongLinesAreReadAndWrittenWhole)
{
    for (const size_t length : {size_t{259}, size_t{260}, size_t{4096}, size_t{65536}}) {
        std::string line;
        for (int i = 0; line.size() < length; ++i)
            line += "p" + std::to_string(i) + ".exe ";
        line.resize(length);
        Store(line);
        const Entries rows = Show();
        ASSERT_FALSE(rows.empty());
        answers.Ok({{IDC_VALUE, "new.exe"}});
        EXPECT_EQ(1, location->Add());
        EXPECT_EQ(std::optional<std::string>(AppendEntry(line, "new.exe", ' ')), Stored()) << length;
        EXPECT_EQ(rows.size() + 1, Show().size());
    }
}

TEST_P(CommandListLocationTest, RunAndLoadAreSeparate)
{
    Store("l.exe", "load");
    answers.Ok({{IDC_VALUE, "r.exe"}});
    EXPECT_EQ(1, location->Add());
    EXPECT_EQ(std::optional<std::string>("r.exe"), Stored("run"));
    EXPECT_EQ(std::optional<std::string>("l.exe"), Stored("load"));
}

TEST_P(CommandListLocationTest, DeletingTheLastEntryKeepsAnEmptyLine)
{
    Store("only.exe");
    Show();
    list.Select(0);
    answers.Press(IDYES);
    EXPECT_EQ(1, location->Delete(list.Get()));
    EXPECT_EQ(std::optional<std::string>(""), Stored());
    EXPECT_TRUE(Show().empty());
}

INSTANTIATE_TEST_SUITE_P(Stores, CommandListLocationTest, testing::Values(Kind::WinIni, Kind::NtRegistry), KindName);

class NtCommandListTest : public testing::Test {
protected:
    ScratchRegistry scratch;
    DialogAnswerer answers;
    TestListView list;
    NtRunValue run;
};

TEST_F(NtCommandListTest, UsesTheKeyWindowsNtReads)
{
    std::string line = "untouched";
    EXPECT_EQ(1, run.ReadList(line));
    EXPECT_EQ("", line);
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, "Software\\Microsoft")) << "reading creates nothing";

    answers.Ok({{IDC_VALUE, "a.exe"}});
    EXPECT_EQ(1, run.Add());
    EXPECT_EQ(Sz("a.exe"), ReadRegistryValue(HKEY_CURRENT_USER, kNtKey, "run").bytes);
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, "Software\\Microsoft\\WindowsNt"));
}

TEST_F(NtCommandListTest, AnEmptyLineIsStoredAsOneByte)
{
    run.WriteList("");
    const StoredValue value = ReadRegistryValue(HKEY_CURRENT_USER, kNtKey, "run");
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), value.type);
    EXPECT_EQ(std::string(1, '\0'), value.bytes);
}

TEST_F(NtCommandListTest, AnExpandableLineStaysExpandable)
{
    SetRegistryValue(HKEY_CURRENT_USER, kNtKey, "run", REG_EXPAND_SZ, Sz("%windir%\\a.exe"));
    answers.Ok({{IDC_VALUE, "b.exe"}});
    EXPECT_EQ(1, run.Add());
    const StoredValue value = ReadRegistryValue(HKEY_CURRENT_USER, kNtKey, "run");
    EXPECT_EQ(static_cast<DWORD>(REG_EXPAND_SZ), value.type);
    EXPECT_EQ(Sz("%windir%\\a.exe b.exe"), value.bytes);
}

TEST_F(NtCommandListTest, AValueThatIsNotTextIsNeitherListedNorOverwritten)
{
    const std::string number("\x01\0\0\0", 4);
    SetRegistryValue(HKEY_CURRENT_USER, kNtKey, "run", REG_DWORD, number);
    run.Fill(list.Get());
    EXPECT_EQ(0, list->GetItemCount());
    answers.Ok({{IDC_VALUE, "a.exe"}}).Press(IDOK);
    EXPECT_EQ(0, run.Add());
    EXPECT_TRUE(answers.Seen()[1].Shows("The line could not be read, so it was left as it is."));
    EXPECT_EQ(number, ReadRegistryValue(HKEY_CURRENT_USER, kNtKey, "run").bytes);
}

class IniCommandListTest : public testing::Test {
protected:
    void SetUp() override
    {
        saved = WinIniPath;
        WinIniPath = folder / kTestIni;
    }
    void TearDown() override { WinIniPath = saved; }

    TempFolder folder;
    std::string saved;
    DialogAnswerer answers;
    TestListView list;
    WinIniLoadLine load;
};

TEST_F(IniCommandListTest, AMissingSectionOrKeyIsAnEmptyLine)
{
    std::string line = "untouched";
    EXPECT_EQ(1, load.ReadList(line)) << "no file";
    EXPECT_EQ("", line);
    WriteFileBytes(WinIniPath, "[fonts]\r\nload=not this one\r\n");
    EXPECT_EQ(1, load.ReadList(line));
    EXPECT_EQ("", line);
    WriteFileBytes(WinIniPath, "[windows]\r\nrun=r.exe\r\n");
    EXPECT_EQ(1, load.ReadList(line));
    EXPECT_EQ("", line);
}

TEST_F(IniCommandListTest, AnEmptyLineKeepsItsKey)
{
    WriteFileBytes(WinIniPath, "[windows]\r\nload=a.exe\r\n");
    load.WriteList("");
    const std::string text = ReadFileBytes(WinIniPath);
    EXPECT_NE(std::string::npos, text.find("load=")) << text;
    EXPECT_EQ(std::string::npos, text.find("a.exe")) << text;
}

TEST_F(IniCommandListTest, AnUnknownWinIniShowsNothingAndTakesNothing)
{
    WinIniPath.clear();
    load.Fill(list.Get());
    EXPECT_EQ(0, list->GetItemCount());
    answers.Ok({{IDC_VALUE, "a.exe"}}).Press(IDOK);
    EXPECT_EQ(0, load.Add());
    EXPECT_EQ(0, answers.Unexpected());
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    char value[64] = {};
    GetPrivateProfileStringA("windows", "load", "", value, sizeof value, (std::string(windows) + "\\win.ini").c_str());
    EXPECT_STRNE("a.exe", value) << "nothing went to the real win.ini";
}

// The prefix's own win.ini, as the program finds it. Windows NT (and Wine)
// keep its [windows] section in the user's registry, so the run line is the
// same one the registry location shows. Both are restored afterwards; other
// test programs may run at the same time, so they take turns.
TEST(WinIni, TheRealFileInTheWindowsDirectory)
{
    const HANDLE turn = CreateMutexA(nullptr, FALSE, "BootwiseTestsWinIni");
    WaitForSingleObject(turn, INFINITE);
    const std::string fileBefore = ReadFileBytes(WinIniPath);
    const bool fileExisted = FileExists(WinIniPath);
    const StoredValue valueBefore = ReadRegistryValue(HKEY_CURRENT_USER, kNtKey, "run");
    {
        DialogAnswerer answers;
        TestListView list;
        WinIniRunLine run;
        run.WriteList("first.exe");
        answers.Ok({{IDC_VALUE, "second.exe"}});
        EXPECT_EQ(1, run.Add());
        run.Fill(list.Get());
        EXPECT_EQ((Table{{"first.exe"}, {"second.exe"}}), list.Rows());
    }
    if (fileExisted)
        WriteFileBytes(WinIniPath, fileBefore);
    else
        DeleteFileA(WinIniPath.c_str());
    if (valueBefore.exists)
        SetRegistryValue(HKEY_CURRENT_USER, kNtKey, "run", valueBefore.type, valueBefore.bytes);
    else
        RegDeleteKeyValueA(HKEY_CURRENT_USER, kNtKey, "run");
    ReleaseMutex(turn);
    CloseHandle(turn);
}

} // namespace
