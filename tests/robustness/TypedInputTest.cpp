#include "locations/CatalogueEntries.h"
#include "system/ComApartment.h"

#include "DialogAnswerer.h"
#include "RobustnessSupport.h"
#include "ScratchRegistry.h"
#include "TempFolder.h"
#include "TestListView.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

const char* const kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const kNtKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
const char* const kNotepad = "c:\\windows\\notepad.exe";

// What a user may type or paste into any field.
struct Typed {
    const char* label;
    std::string text;
};
const Typed kTyped[] = {
    {"empty", ""},
    {"blanks only", "   "},
    {"10,000 characters", PatternText(10000)},
    {"commas", "a.exe,b.exe"},
    {"quotes", "\"c:\\my tools\\t.exe\" /q"},
    {"separators and dots", "..\\..\\up.exe"},
    {"bytes above ASCII", "caf\xe9 \x80\x9f\xff"},
    {"a line break", "x.exe\r\nload=evil.exe"},
};

TEST(TypedInputTest, RunKeyTakesAnyNameAndCommandAsTyped)
{
    ScratchRegistry scratch;
    DialogAnswerer answers;
    UserRunKey location;
    SetRegistryString(HKEY_CURRENT_USER, kRun, "Neighbour", "c:\\neighbour.exe");
    int number = 0;
    for (const Typed& t : kTyped) {
        for (const bool asName : {true, false}) {
            SCOPED_TRACE(std::string(t.label) + (asName ? " as name" : " as command"));
            const std::string name = asName ? t.text : "typed " + std::to_string(++number);
            const std::string command = asName ? "c:\\named.exe" : t.text;
            KeySnapshot expected = SnapshotKey(HKEY_CURRENT_USER, kRun);
            answers.Ok({{IDC_NAME, name}, {IDC_EXECUTABLE, command}});
            EXPECT_EQ(1, location.Add());
            expected[Widen(name)] = RawValue{REG_SZ, WideBytes(Widen(command))};
            const KeySnapshot after = SnapshotKey(HKEY_CURRENT_USER, kRun);
            EXPECT_TRUE(expected == after) << Differences(expected, after);

            TestListView list;
            location.SetupColumns(list.Get());
            location.Fill(list.Get());
            const Table rows = list.Rows();
            EXPECT_NE(rows.end(), std::find(rows.begin(), rows.end(), std::vector<std::string>{name, command}));
            EXPECT_NE(rows.end(),
                      std::find(rows.begin(), rows.end(), std::vector<std::string>{"Neighbour", "c:\\neighbour.exe"}));
        }
    }
    EXPECT_EQ(0, answers.Unexpected());
}

TEST(TypedInputTest, CommandListsAppendWhatWasTypedAndNothingElse)
{
    ScratchRegistry scratch;
    TempFolder folder;
    ScratchWinIni ini(folder / "startup.ini");
    const std::string path = folder / "startup.ini";
    for (const bool winIni : {true, false}) {
        std::unique_ptr<CommandListLocation> run;
        std::unique_ptr<CommandListLocation> load;
        if (winIni) {
            run = std::make_unique<WinIniRunLine>();
            load = std::make_unique<WinIniLoadLine>();
        } else {
            run = std::make_unique<NtRunValue>();
            load = std::make_unique<NtLoadValue>();
        }
        auto rows = [](StartupLocation& where) {
            TestListView list;
            where.Fill(list.Get());
            std::vector<std::string> entries;
            for (const auto& row : list.Rows())
                entries.push_back(row.at(0));
            return entries;
        };
        for (const Typed& t : kTyped) {
            SCOPED_TRACE(std::string(winIni ? "win.ini, " : "Windows NT value, ") + t.label);
            if (winIni) {
                WriteFileBytes(path, "[windows]\r\nrun=a.exe b.exe\r\nload=l.exe\r\n");
            } else {
                SetRegistryString(HKEY_CURRENT_USER, kNtKey, "run", "a.exe b.exe");
                SetRegistryString(HKEY_CURRENT_USER, kNtKey, "load", "l.exe");
            }
            // A command list is one line: a line break is refused, and the
            // line left as it was.
            if (t.text.find_first_of("\r\n") != std::string::npos) {
                DialogAnswerer answers;
                answers.Ok({{IDC_VALUE, t.text}}).Press(IDOK).Cancel();
                EXPECT_EQ(0, run->Add());
                EXPECT_TRUE(answers.Seen()[1].Shows("A program on a run or load line cannot hold a line break."));
                EXPECT_EQ(t.text, answers.Seen()[2].Text(IDC_VALUE)) << "the prompt comes back with the text";
                EXPECT_EQ((std::vector<std::string>{"a.exe", "b.exe"}), rows(*run));
                EXPECT_EQ(std::vector<std::string>{"l.exe"}, rows(*load)) << "the load line";
                EXPECT_EQ(0, answers.Unexpected());
                continue;
            }
            DialogAnswerer answers;
            answers.Ok({{IDC_VALUE, t.text}});
            const int added = run->Add();
            std::vector<std::string> expected{"a.exe", "b.exe"};
            EXPECT_EQ(1, added);
            for (const std::string& piece : LinePieces(t.text))
                expected.push_back(piece);
            EXPECT_EQ(expected, rows(*run));
            EXPECT_EQ(std::vector<std::string>{"l.exe"}, rows(*load)) << "the load line";
            if (!winIni) {
                EXPECT_EQ(Sz("a.exe b.exe " + t.text), ReadRegistryValue(HKEY_CURRENT_USER, kNtKey, "run").bytes);
            }

            // The same text typed over an entry.
            TestListView list;
            run->Fill(list.Get());
            list.Select(0);
            answers.Ok({{IDC_VALUE, t.text}});
            EXPECT_EQ(1, run->Edit(list.Get()));
            expected.erase(expected.begin());
            for (const std::string& piece : LinePieces(t.text))
                expected.push_back(piece);
            std::vector<std::string> edited = rows(*run);
            std::sort(expected.begin(), expected.end());
            std::sort(edited.begin(), edited.end());
            // Every copy of a typed piece that was already there goes with the edited one.
            expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
            edited.erase(std::unique(edited.begin(), edited.end()), edited.end());
            EXPECT_EQ(expected, edited);
            EXPECT_EQ(std::vector<std::string>{"l.exe"}, rows(*load)) << "the load line";
            EXPECT_EQ(0, answers.Unexpected());
        }
    }
}

TEST(TypedInputTest, StartupFolderWritesAcceptedTextsWholeAndRefusesTheRestWithoutWriting)
{
    ComApartment com;
    ASSERT_TRUE(com.Ready());
    TempFolder folder;
    WriteWideShortcut(folder / "Neighbour.lnk", L"c:\\windows\\notepad.exe", L"/n");
    UserStartupFolder location(folder.Path());
    // Refused: explained and nothing written. Either: refused so, or written faithfully.
    enum class Outcome { Written, Refused, Either };
    struct Case {
        const char* label;
        std::string name;
        std::string executable;
        std::string parameters;
        Outcome outcome;
    };
    const Case cases[] = {
        {"empty name", "", kNotepad, "", Outcome::Written},
        {"blank name", "   ", kNotepad, "", Outcome::Written},
        {"10,000-character name", PatternText(10000), kNotepad, "", Outcome::Refused},
        {"commas in the name", "a.exe,b", kNotepad, "", Outcome::Written},
        {"quotes in the name", "\"quoted\"", kNotepad, "", Outcome::Refused},
        {"separators and dots in the name", "..\\..\\up", kNotepad, "", Outcome::Refused},
        {"forward slash in the name", "sub/name", kNotepad, "", Outcome::Refused},
        {"dots as the name", "..", kNotepad, "", Outcome::Written},
        {"bytes above ASCII in the name", "caf\xe9 \x80\x9f\xff", kNotepad, "", Outcome::Written},
        {"line break in the name", "x\r\ny", kNotepad, "", Outcome::Refused},
        {"empty executable", "e1", "", "", Outcome::Written},
        {"blank executable", "e2", "   ", "", Outcome::Either},
        {"10,000-character executable", "e3", "c:\\" + PatternText(9997), "", Outcome::Refused},
        {"commas in the executable", "e4", "c:\\tools\\a.exe,b.exe", "", Outcome::Written},
        {"quotes and arguments in the executable", "e5", "\"c:\\my tools\\t.exe\" /q", "", Outcome::Either},
        {"bytes above ASCII in the executable", "e6", "c:\\caf\xe9\\\x80\xff.exe", "", Outcome::Written},
        {"blank parameters", "p1", kNotepad, "   ", Outcome::Written},
        {"10,000-character parameters", "p2", kNotepad, PatternText(10000), Outcome::Refused},
        {"commas and quotes in the parameters", "p3", kNotepad, "a,b \"c d\" ..\\..\\e", Outcome::Written},
        {"bytes above ASCII in the parameters", "p4", kNotepad, "caf\xe9 \x80\x9f\xff", Outcome::Written},
        {"line break in the parameters", "p5", kNotepad, "x\r\ny", Outcome::Written},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const FolderSnapshot before = SnapshotFolder(folder.Path());
        DialogAnswerer answers;
        // When refused, OK on the explanation, then Cancel on the dialog that comes back.
        answers.Ok({{IDC_NAME, c.name}, {IDC_EXECUTABLE, c.executable}, {IDC_PARAMETERS, c.parameters}})
            .Press(IDOK)
            .Cancel();
        const int result = location.Add();
        FolderSnapshot after = SnapshotFolder(folder.Path());
        const bool refused = answers.Seen().size() > 1;
        if (c.outcome == Outcome::Refused || (c.outcome == Outcome::Either && refused)) {
            EXPECT_EQ(0, result);
            EXPECT_EQ(3u, answers.Seen().size()) << "refused with an explanation";
            EXPECT_TRUE(before == after);
            EXPECT_FALSE(FileExists(folder.Path() + "\\..\\..\\up.lnk"));
            continue;
        }
        EXPECT_EQ(1, result);
        EXPECT_EQ(1u, answers.Seen().size()) << "accepted at once";
        const std::string file = c.name + ".lnk";
        ASSERT_TRUE(after.count(file)) << "no file " << file;
        const WideShortcut written = ReadWideShortcut(folder.Path() + "\\" + file);
        EXPECT_EQ(Widen(c.executable), written.target) << "the executable as typed";
        EXPECT_EQ(Widen(c.parameters), written.arguments) << "the parameters as typed";
        after.erase(file);
        EXPECT_TRUE(before == after) << "other files changed";

        TestListView list;
        location.SetupColumns(list.Get());
        location.Fill(list.Get());
        const Table rows = list.Rows();
        EXPECT_NE(rows.end(), std::find(rows.begin(), rows.end(),
                                        std::vector<std::string>{c.name, c.executable, c.parameters}));
        EXPECT_NE(rows.end(), std::find(rows.begin(), rows.end(),
                                        std::vector<std::string>{"Neighbour", kNotepad, "/n"}));
        DeleteFileA((folder.Path() + "\\" + file).c_str());
    }
}

} // namespace
