#include "locations/CatalogueEntries.h"
#include "locations/LocationCatalogue.h"
#include "system/ComApartment.h"
#include "system/ShortcutInfo.h"

#include "DialogAnswerer.h"
#include "RobustnessSupport.h"
#include "ScratchRegistry.h"
#include "TempFolder.h"
#include "TestListView.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

const char* const kNotepad = "c:\\windows\\notepad.exe";
const char* const kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// Ordinary shortcuts around every odd file, written as other programs write them.
struct Neighbour {
    const char* name;
    const wchar_t* target;
    const wchar_t* arguments;
};
const Neighbour kNeighbours[] = {
    {"Before", L"c:\\windows\\notepad.exe", L"/b before.txt"},
    {"After", L"c:\\windows\\system32\\cmd.exe", L"/c exit"},
};

// Deterministic bytes, so that a failure can be run again.
std::string RandomBytes(uint32_t seed, size_t size)
{
    std::string bytes(size, '\0');
    for (char& byte : bytes) {
        seed = seed * 1664525u + 1013904223u;
        byte = static_cast<char>(seed >> 24);
    }
    return bytes;
}

// The bad files of the damaged-file cases, by name.
std::map<std::string, std::string> DamagedFiles(const std::string& whole)
{
    std::map<std::string, std::string> files;
    files["empty"] = "";
    for (size_t size = 1; size < whole.size(); ++size)
        files["cut " + std::to_string(1000 + size).substr(1)] = whole.substr(0, size);
    for (uint32_t seed = 1; seed <= 8; ++seed)
        files["random " + std::to_string(seed)] = RandomBytes(seed, seed * 250);
    // A shortcut's header and class, then flags and the rest at random. (Some
    // other seeds make the shell's reader spend seconds on one file.)
    for (uint32_t seed = 7; seed <= 30; ++seed)
        files["header " + std::to_string(seed)] = whole.substr(0, 0x14) + RandomBytes(seed + 100, 60 + seed * 40);
    return files;
}

class ShortcutInputTest : public testing::Test {
protected:
    ShortcutInputTest() : location(folder.Path()) {}
    void SetUp() override
    {
        ASSERT_TRUE(com.Ready());
        location.SetupColumns(list.Get());
        for (const Neighbour& n : kNeighbours)
            WriteWideShortcut(folder / (std::string(n.name) + ".lnk"), n.target, n.arguments);
    }

    Table Show()
    {
        list.Clear();
        location.Fill(list.Get());
        return list.Rows();
    }
    static void ExpectNeighbours(const Table& rows)
    {
        for (const Neighbour& n : kNeighbours) {
            const int row = RowNamed(rows, n.name);
            if (row >= 0) {
                EXPECT_EQ((std::vector<std::string>{n.name, Narrow(n.target), Narrow(n.arguments)}), rows[row]);
            }
        }
    }
    void Select(const std::string& name)
    {
        const int row = RowNamed(Show(), name);
        ASSERT_GE(row, 0);
        list.Select(row);
    }
    FolderSnapshot Files() const { return SnapshotFolder(folder.Path()); }
    // The bytes of a real shortcut, to cut short.
    std::string WholeShortcut() const
    {
        WriteWideShortcut(folder / "whole.tmp", L"c:\\windows\\notepad.exe", L"/cut");
        const std::string whole = ReadFileBytes(folder / "whole.tmp");
        DeleteFileA((folder / "whole.tmp").c_str());
        EXPECT_GT(whole.size(), 0x4Eu);
        return whole;
    }
    // A few damaged files of each kind, named as in kSomeDamaged.
    void WriteSomeDamagedFiles() const
    {
        const std::string whole = WholeShortcut();
        const std::map<std::string, std::string> all = DamagedFiles(whole);
        for (const char* name : kSomeDamaged)
            if (all.count(name))
                WriteFileBytes(folder / (std::string(name) + ".lnk"), all.at(name));
        WriteFileBytes(folder / "cut half.lnk", whole.substr(0, whole.size() / 2));
        ASSERT_TRUE(CreateDirectoryA((folder / "folder.lnk").c_str(), nullptr));
    }
    static constexpr const char* kSomeDamaged[] = {"empty",    "cut 076",  "cut 077", "cut half",
                                                   "random 3", "header 9", "folder"};

    // One apartment for the test: the shell's readers then only take a reference on it.
    ComApartment com;
    TempFolder folder;
    TestListView list;
    UserStartupFolder location;
};

TEST_F(ShortcutInputTest, DamagedFilesAreListedByName)
{
    const std::map<std::string, std::string> damaged = DamagedFiles(WholeShortcut());
    for (const auto& [name, bytes] : damaged)
        WriteFileBytes(folder / (name + ".lnk"), bytes);
    ASSERT_TRUE(CreateDirectoryA((folder / "folder.lnk").c_str(), nullptr));

    const FolderSnapshot before = Files();
    const Table rows = Show();
    EXPECT_EQ(damaged.size() + 1 + std::size(kNeighbours), rows.size());
    ExpectNeighbours(rows);
    for (const auto& entry : damaged) {
        const std::string& name = entry.first;
        const int row = RowNamed(rows, name);
        if (row < 0)
            continue;
        // Listed as the shell reads it, or, when it does not load, with empty fields.
        const WideShortcut stored = ReadWideShortcut(folder / (name + ".lnk"));
        if (stored.loaded) {
            EXPECT_EQ((std::vector<std::string>{name, Narrow(stored.target), Narrow(stored.arguments)}), rows[row]);
        } else {
            EXPECT_EQ((std::vector<std::string>{name, "", ""}), rows[row]);
        }
    }
    const int folderRow = RowNamed(rows, "folder");
    if (folderRow >= 0) {
        EXPECT_EQ((std::vector<std::string>{"folder", "", ""}), rows[folderRow]);
    }
    EXPECT_TRUE(before == Files()) << "listing changed the folder";
}

TEST_F(ShortcutInputTest, DeleteTakesADamagedFileAndNothingElse)
{
    WriteSomeDamagedFiles();
    // One listing serves every deletion: the files not yet deleted are as listed.
    const Table rows = Show();
    DialogAnswerer answers;
    for (const char* name : kSomeDamaged) {
        const FolderSnapshot before = Files();
        const int row = RowNamed(rows, name);
        ASSERT_GE(row, 0);
        list.Select(row);
        answers.Press(IDYES);
        location.Delete(list.Get());
        FolderSnapshot after = Files();
        FolderSnapshot expected = before;
        // A folder is no shortcut file: it may stay, but whole.
        if (std::string(name) == "folder" && after.count("folder.lnk")) {
            EXPECT_EQ("<folder>", after["folder.lnk"]);
        } else {
            expected.erase(std::string(name) + ".lnk");
        }
        EXPECT_TRUE(expected == after) << name;
    }
    ExpectNeighbours(Show());
    EXPECT_EQ(0, answers.Unexpected());
}

TEST_F(ShortcutInputTest, AcceptingAnUnreadableFileUnchangedLeavesItsBytes)
{
    WriteSomeDamagedFiles();
    DialogAnswerer answers;
    for (const char* name : kSomeDamaged) {
        const FolderSnapshot before = Files();
        Select(name);
        answers.Ok();
        location.Edit(list.Get());
        const FolderSnapshot after = Files();
        EXPECT_TRUE(before == after) << name << ": pressing OK without a change rewrote the file";
    }
    ExpectNeighbours(Show());
    EXPECT_EQ(0, answers.Unexpected());
}

TEST_F(ShortcutInputTest, LongFieldsAreListedWholeAndAnUnchangedEditKeepsThem)
{
    struct Case {
        const char* name;
        std::string target;
        std::string arguments;
        bool crafted; // written byte by byte: the shell takes no such target
    };
    const std::string target259 = "c:\\" + std::string(251, 't') + ".exe";
    const Case cases[] = {
        {"target 259", target259, "", false},
        {"arguments 259", kNotepad, std::string(259, 'a'), false},
        {"arguments 260", kNotepad, std::string(260, 'a'), false},
        {"arguments 1023", kNotepad, std::string(1023, 'a'), false},
        {"arguments 1024", kNotepad, std::string(1024, 'a'), false},
        {"arguments 5000", kNotepad, std::string(5000, 'a'), false},
        {"both 259", target259, std::string(259, 'a'), false},
        {"target 260", "c:\\" + std::string(252, 't') + ".exe", "/x", true},
        {"target 300", "c:\\" + std::string(292, 't') + ".exe", "/x", true},
        {"target 2000", "c:\\" + std::string(1992, 't') + ".exe", "/x", true},
    };
    for (const Case& c : cases) {
        const std::string file = folder / (std::string(c.name) + ".lnk");
        if (c.crafted)
            WriteFileBytes(file, LinkFileBytes(c.target, c.arguments));
        else
            WriteWideShortcut(file, Widen(c.target), Widen(c.arguments));
        const WideShortcut stored = ReadWideShortcut(file);
        ASSERT_TRUE(stored.loaded) << c.name;
        ASSERT_EQ(c.target, Narrow(stored.target)) << c.name << ": the test could not write its shortcut";
        ASSERT_EQ(c.arguments, Narrow(stored.arguments)) << c.name;
    }
    // A text longer than the ANSI link interface hands out whole cannot be
    // shown: such a shortcut is listed by name only, and left as it is.
    const auto fits = [](const Case& c) { return c.arguments.size() <= kMaxArgumentsLength && c.target.size() < 1024; };
    const Table rows = Show();
    ExpectNeighbours(rows);
    for (const Case& c : cases) {
        const int row = RowNamed(rows, c.name);
        ASSERT_LE(0, row) << c.name;
        EXPECT_TRUE(SameText(fits(c) ? c.target : "", rows[row][1])) << c.name << " executable";
        EXPECT_TRUE(SameText(fits(c) ? c.arguments : "", rows[row][2])) << c.name << " parameters";
    }
    for (const Case& c : cases) {
        const FolderSnapshot before = Files();
        DialogAnswerer answers;
        if (fits(c))
            answers.Ok();
        else
            answers.Press(IDOK);
        Select(c.name);
        EXPECT_EQ(fits(c) ? 1 : 0, location.Edit(list.Get())) << c.name;
        if (!fits(c)) {
            EXPECT_TRUE(answers.Seen().back().Shows(
                "This shortcut could not be read whole, so it is left as it is. It can still be deleted."))
                << c.name;
        }
        EXPECT_TRUE(before == Files()) << c.name << ": an Edit without a change wrote";
        EXPECT_EQ(0, answers.Unexpected()) << c.name;
    }
}

TEST_F(ShortcutInputTest, AFileHeldOpenByAnotherProgramIsListedAndNeverEmptied)
{
    const std::string file = folder / "Locked.lnk";
    WriteWideShortcut(file, L"c:\\windows\\notepad.exe", L"/locked");
    const FolderSnapshot before = Files();
    DialogAnswerer answers;
    {
        ExclusiveOpen lock(file);
        const Table rows = Show();
        ExpectNeighbours(rows);
        const int row = RowNamed(rows, "Locked");
        ASSERT_GE(row, 0) << "a file that cannot be read now is still an entry";
        list.Select(row);
        answers.Press(IDYES).Ok();
        location.Delete(list.Get());
        location.Edit(list.Get());
        lock.Release();
        EXPECT_TRUE(before == Files()) << "a file held open cannot be deleted or rewritten";
    }
    // The list was filled while the file could not be read; the file is free now.
    answers.Ok();
    location.Edit(list.Get());
    const WideShortcut after = ReadWideShortcut(file);
    EXPECT_EQ(L"c:\\windows\\notepad.exe", after.target) << "an unchanged Edit emptied the shortcut";
    EXPECT_EQ(L"/locked", after.arguments);
    EXPECT_EQ(0, answers.Unexpected());
}

TEST_F(ShortcutInputTest, AnotherProgramChangesTheShortcutBetweenFillAndAction)
{
    enum class Change { Deleted, Replaced, Renamed };
    for (const Change change : {Change::Deleted, Change::Replaced, Change::Renamed}) {
        for (const bool viaDelete : {false, true}) {
            const std::string label =
                "change " + std::to_string(static_cast<int>(change)) + (viaDelete ? " Delete" : " Edit");
            const std::string file = folder / "Target.lnk";
            WriteWideShortcut(file, L"c:\\windows\\notepad.exe", L"/old");
            Select("Target");
            switch (change) {
            case Change::Deleted:
                DeleteFileA(file.c_str());
                break;
            case Change::Replaced:
                WriteWideShortcut(file, L"c:\\windows\\system32\\cmd.exe", L"/new");
                break;
            case Change::Renamed:
                MoveFileA(file.c_str(), (folder / "Moved.lnk").c_str());
                break;
            }
            const FolderSnapshot before = Files();
            DialogAnswerer answers;
            if (viaDelete) {
                answers.Press(IDYES);
                location.Delete(list.Get());
                FolderSnapshot expected = before;
                expected.erase("Target.lnk");
                EXPECT_TRUE(expected == Files()) << label;
            } else {
                answers.Ok();
                const int result = location.Edit(list.Get());
                if (change == Change::Replaced) {
                    // The dialog shows the shortcut as it is now; OK keeps it so.
                    ASSERT_EQ(1u, answers.Seen().size()) << label;
                    EXPECT_EQ("c:\\windows\\system32\\cmd.exe", answers.Seen()[0].Text(IDC_EXECUTABLE)) << label;
                    const WideShortcut now = ReadWideShortcut(file);
                    EXPECT_EQ(L"c:\\windows\\system32\\cmd.exe", now.target)
                        << label << ": the other program's change was undone";
                    EXPECT_EQ(L"/new", now.arguments) << label;
                } else {
                    // Gone: nothing to edit, nothing asked, nothing made again.
                    EXPECT_EQ(0, result) << label;
                    EXPECT_TRUE(answers.Seen().empty()) << label;
                }
                EXPECT_TRUE(before == Files()) << label << ": files changed";
            }
            EXPECT_EQ(0, answers.Unexpected()) << label;
            DeleteFileA(file.c_str());
            DeleteFileA((folder / "Moved.lnk").c_str());
        }
    }
    ExpectNeighbours(Show());
}

TEST_F(ShortcutInputTest, AFolderThatIsMissingOrAFileTakesNothingAndSaysSo)
{
    const std::string plainFile = folder / "plain file";
    WriteFileBytes(plainFile, "not a folder");
    struct Case {
        const char* label;
        std::string path;
    };
    const Case cases[] = {{"missing", folder / "missing"}, {"a file", plainFile}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const FolderSnapshot before = Files();
        UserStartupFolder where(c.path);
        TestListView view;
        where.SetupColumns(view.Get());
        where.Fill(view.Get());
        EXPECT_TRUE(view.Rows().empty());

        DialogAnswerer answers;
        answers.Ok({{IDC_NAME, "New"}, {IDC_EXECUTABLE, kNotepad}}).Press(IDOK);
        const int result = where.Add();
        EXPECT_TRUE(before == Files()) << "written somewhere";
        EXPECT_FALSE(FileExists(c.path + "\\New.lnk"));
        EXPECT_EQ(0, result) << "nothing was written, yet Add reports a change";
    }
}

TEST_F(ShortcutInputTest, AReadOnlyFolderTakesAWholeShortcutOrNone)
{
    ASSERT_TRUE(SetFileAttributesA(folder.Path().c_str(), FILE_ATTRIBUTE_READONLY));
    const FolderSnapshot before = Files();
    DialogAnswerer answers;
    answers.Ok({{IDC_NAME, "New"}, {IDC_EXECUTABLE, kNotepad}, {IDC_PARAMETERS, "/n"}}).Press(IDOK);
    const int result = location.Add();
    SetFileAttributesA(folder.Path().c_str(), FILE_ATTRIBUTE_NORMAL);
    FolderSnapshot after = Files();
    if (after.count("New.lnk")) {
        const WideShortcut written = ReadWideShortcut(folder / "New.lnk");
        EXPECT_EQ(Widen(kNotepad), written.target);
        EXPECT_EQ(L"/n", written.arguments);
        EXPECT_EQ(1, result);
        after.erase("New.lnk");
    } else {
        EXPECT_EQ(0, result);
    }
    EXPECT_TRUE(before == after);
    ExpectNeighbours(Show());
}

// Entry 7 of the catalogue follows the Startup value of the Shell Folders key.
TEST(ShellFoldersInputTest, AStartupSettingThatNamesNoUsableFolderListsAndTakesNothing)
{
    ScratchRegistry scratch;
    TempFolder work;
    TempFolder real;
    // A relative setting would be taken from the current folder: one is
    // prepared there, holding a shortcut, so that any use of it shows.
    struct CurrentFolder {
        explicit CurrentFolder(const std::string& path)
        {
            GetCurrentDirectoryA(sizeof saved, saved);
            EXPECT_TRUE(SetCurrentDirectoryA(path.c_str()));
        }
        ~CurrentFolder() { SetCurrentDirectoryA(saved); }
        char saved[MAX_PATH] = {};
    } current(work.Path());
    for (const char* relative : {"startup", "a"}) {
        ASSERT_TRUE(CreateDirectoryA((work / relative).c_str(), nullptr));
        WriteWideShortcut(work / relative + "\\Stray.lnk", L"c:\\windows\\notepad.exe", L"");
    }
    WriteFileBytes(work / "file", "not a folder");
    WriteWideShortcut(real / "Real.lnk", L"c:\\windows\\notepad.exe", L"/real");

    enum class Outcome { Lists, NotKnown, Nothing };
    struct Case {
        const char* label;
        bool keyExists;
        bool valueExists;
        DWORD type;
        std::string bytes;
        Outcome outcome;
    };
    const Case cases[] = {
        {"a usable folder", true, true, REG_SZ, Sz(real.Path()), Outcome::Lists},
        {"key missing", false, false, REG_SZ, "", Outcome::NotKnown},
        {"key empty", true, false, REG_SZ, "", Outcome::NotKnown},
        {"empty text", true, true, REG_SZ, Sz(""), Outcome::NotKnown},
        {"a folder that does not exist", true, true, REG_SZ, Sz(work / "nowhere\\startup"), Outcome::Nothing},
        {"a file", true, true, REG_SZ, Sz(work / "file"), Outcome::Nothing},
        {"a relative path", true, true, REG_SZ, Sz("startup"), Outcome::Nothing},
        {"a number", true, true, REG_DWORD, std::string("a\0\0\0", 4), Outcome::Nothing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        DeleteKeyTree(HKEY_CURRENT_USER, "Software");
        if (c.keyExists)
            CreateEmptyKey(HKEY_CURRENT_USER, kShellFolders);
        if (c.valueExists)
            SetRegistryValue(HKEY_CURRENT_USER, kShellFolders, "Startup", c.type, c.bytes);
        const FolderSnapshot workBefore = SnapshotFolder(work.Path());
        const FolderSnapshot strayBefore = SnapshotFolder(work / "startup");
        const FolderSnapshot aBefore = SnapshotFolder(work / "a");
        const FolderSnapshot realBefore = SnapshotFolder(real.Path());

        Catalogue catalogue;
        ASSERT_EQ(11, BuildCatalogue(catalogue));
        TestListView view;
        catalogue[7]->SetupColumns(view.Get());
        catalogue[7]->Fill(view.Get());
        const Table expected = c.outcome == Outcome::Lists
                                   ? Table{{"Real", kNotepad, "/real"}}
                                   : Table{};
        EXPECT_EQ(expected, view.Rows());

        DialogAnswerer answers;
        if (c.outcome == Outcome::NotKnown) {
            answers.Press(IDOK);
            EXPECT_EQ(0, catalogue[7]->Add());
            ASSERT_FALSE(answers.Seen().empty());
            EXPECT_TRUE(answers.Seen()[0].Shows("The Startup folder is not known, so no shortcut can be added to it."));
        } else if (c.outcome == Outcome::Nothing) {
            // Refused before the dialog, or after it with an explanation.
            answers.Ok({{IDC_NAME, "New"}, {IDC_EXECUTABLE, kNotepad}}).Press(IDOK).Cancel();
            EXPECT_EQ(0, catalogue[7]->Add()) << "Add reported a change";
        }
        EXPECT_TRUE(workBefore == SnapshotFolder(work.Path())) << "written beside the folder";
        EXPECT_TRUE(strayBefore == SnapshotFolder(work / "startup")) << "written into .\\startup";
        EXPECT_TRUE(aBefore == SnapshotFolder(work / "a")) << "written into .\\a";
        EXPECT_TRUE(realBefore == SnapshotFolder(real.Path()));
    }
}

} // namespace
