#include "locations/CatalogueEntries.h"
#include "system/PathHelpers.h"

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

const char* const kNtKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
const char* const kRefusal = "The line could not be read, so it was left as it is.";

using Entries = std::vector<std::string>;

std::vector<std::string> Show(TestListView& list, StartupLocation& location)
{
    list.Clear();
    location.Fill(list.Get());
    Entries rows;
    for (const auto& row : list.Rows())
        rows.push_back(row.at(0));
    return rows;
}

Entries Sorted(Entries entries)
{
    std::sort(entries.begin(), entries.end());
    return entries;
}

// The line after the program appended one entry to it.
std::wstring Appended(const std::wstring& line, const std::wstring& entry)
{
    return line.empty() ? entry : line + L" " + entry;
}

// A line of exactly this length, made of whole entries; the entries too.
std::pair<std::string, Entries> LineOfLength(size_t length)
{
    std::string line;
    Entries entries;
    for (int i = 0; line.size() + 12 < length; ++i) {
        entries.push_back("p" + std::to_string(i) + ".exe");
        line += (line.empty() ? "" : " ") + entries.back();
    }
    if (line.size() < length) {
        const size_t room = length - line.size() - (line.empty() ? 0 : 1);
        entries.push_back(std::string(room, 'z'));
        line += (line.empty() ? "" : " ") + entries.back();
    }
    return {line, entries};
}

// ---------------------------------------------------------------------------
// win.ini, as files of every shape other programs and damage leave.

class IniFileInputTest : public testing::Test {
protected:
    IniFileInputTest() : path(folder / "startup.ini"), ini(path) {}

    ScratchRegistry scratch;
    TempFolder folder;
    const std::string path;
    ScratchWinIni ini;
    DialogAnswerer answers;
    TestListView list;
    WinIniRunLine run;
    WinIniLoadLine load;
};

std::string Utf16File(const std::wstring& text)
{
    return "\xff\xfe" + WideBytes(text, false);
}

TEST_F(IniFileInputTest, FilesOfEveryShapeAreListedAsTheSystemReadsThemAndKeepTheirOtherLines)
{
    struct Case {
        const char* label;
        bool exists;
        std::string bytes;
        Entries run;
        Entries load;
        // Text that must still be in the file after every change to the run line.
        std::vector<std::string> kept;
        // A line with characters the code page lacks is shown, but would lose
        // them if rebuilt: changes to it are refused.
        bool rewritable = true;
    };
    const Case cases[] = {
        {"missing", false, "", {}, {}, {}},
        {"no [windows] section", true, "[fonts]\r\nrun=f.exe\r\nload=g.exe\r\n", {}, {}, {"run=f.exe", "load=g.exe"}},
        {"empty run line", true, "[windows]\r\nrun=\r\nload=l.exe\r\n", {}, {"l.exe"}, {}},
        {"duplicate keys and sections", true,
         "[windows]\r\nrun=a.exe\r\nload=l.exe\r\nrun=b.exe\r\n[other]\r\nx=1\r\n"
         "[windows]\r\nrun=c.exe\r\nload=m.exe\r\n",
         {"a.exe"}, {"l.exe"}, {"run=b.exe", "run=c.exe", "load=m.exe", "[other]", "x=1"}},
        {"NUL inside the run line", true, Bytes("[windows]\r\nrun=a.exe\0hidden.exe b.exe\r\nload=l.exe\r\n"),
         {"a.exe"}, {"l.exe"}, {}},
        {"NUL bytes before the section", true, Bytes("\0\0\xff\r\n[windows]\r\nrun=a.exe\r\nload=l.exe\r\n"),
         {"a.exe"}, {"l.exe"}, {}},
        {"bytes 0xFF", true, "[windows]\r\nrun=\xff\xfe.exe b\xff.exe\r\nload=\xff.exe\r\n",
         {"\xff\xfe.exe", "b\xff.exe"}, {"\xff.exe"}, {}},
        {"lone CR", true, "[windows]\r\nrun=a.exe\rb.exe c.exe\r\nload=l.exe\r\n", {"a.exe"}, {"l.exe"}, {}},
        {"CR line ends only", true, "[windows]\rrun=a.exe b.exe\rload=l.exe\r", {"a.exe", "b.exe"}, {"l.exe"}, {}},
        {"no line end at the end", true, "[windows]\r\nload=l.exe\r\nrun=a.exe", {"a.exe"}, {"l.exe"}, {}},
        {"blanks, comments, capitals", true, "; note\r\n[WINDOWS]\r\n  RUN =  a.exe ,, b.exe  \r\nload=l.exe\r\n",
         {"a.exe", "b.exe"}, {"l.exe"}, {"; note"}},
        {"UTF-16 with a character outside the code page", true,
         Utf16File(L"[windows]\r\nrun=c:\\\x4e2d\\a.exe b.exe\r\nload=c:\\\x6587.exe\r\n"), {"c:\\?\\a.exe", "b.exe"},
         {"c:\\?.exe"}, {}, false},
        {"UTF-8 with a character outside the code page", true,
         "\xef\xbb\xbf[windows]\r\nrun=c:\\\xe4\xb8\xad\\a.exe b.exe\r\nload=l.exe\r\n", {"c:\\?\\a.exe", "b.exe"},
         {"l.exe"}, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        DeleteFileA(path.c_str());
        if (c.exists)
            WriteFileBytes(path, c.bytes);
        const std::optional<std::wstring> runBefore = WindowsLine(path, "run");
        const std::optional<std::wstring> loadBefore = WindowsLine(path, "load");

        const Entries rows = Show(list, run);
        EXPECT_EQ(c.run, rows);
        EXPECT_EQ(LinePieces(Narrow(runBefore.value_or(L""))), rows) << "as the system reads the line";
        EXPECT_EQ(c.load, Show(list, load));
        EXPECT_EQ(c.exists, FileExists(path));
        EXPECT_EQ(c.bytes, ReadFileBytes(path)) << "listing wrote";

        if (!c.rewritable) {
            answers.Ok({{IDC_VALUE, "n.exe"}}).Press(IDOK);
            EXPECT_EQ(0, run.Add());
            EXPECT_TRUE(answers.Seen().back().Shows(kRefusal));
            Show(list, run);
            list.Select(0);
            answers.Press(IDYES).Press(IDOK);
            EXPECT_EQ(0, run.Delete(list.Get()));
            EXPECT_EQ(c.bytes, ReadFileBytes(path)) << "a refused change wrote";
            continue;
        }

        // Add: the line gains the entry and nothing else changes.
        answers.Ok({{IDC_VALUE, "n.exe"}});
        EXPECT_EQ(1, run.Add());
        EXPECT_EQ(Appended(runBefore.value_or(L""), L"n.exe"), WindowsLine(path, "run").value_or(L"(none)"));
        EXPECT_EQ(loadBefore, WindowsLine(path, "load")) << "the load line";
        Entries expected = c.run;
        expected.push_back("n.exe");
        EXPECT_EQ(expected, Show(list, run));
        EXPECT_EQ(c.load, Show(list, load));
        for (const std::string& text : c.kept)
            EXPECT_NE(std::string::npos, ReadFileBytes(path).find(text)) << text;

        // Edit, accepted unchanged: every entry stays.
        const std::wstring lineBeforeEdit = WindowsLine(path, "run").value_or(L"");
        Show(list, run);
        list.Select(0);
        answers.Ok();
        EXPECT_EQ(1, run.Edit(list.Get()));
        EXPECT_EQ(Sorted(LinePieces(Narrow(lineBeforeEdit))), Sorted(Show(list, run)));
        const std::wstring lineAfterEdit = WindowsLine(path, "run").value_or(L"");
        EXPECT_EQ(Sorted(LinePieces(Narrow(lineBeforeEdit))), Sorted(LinePieces(Narrow(lineAfterEdit))));
        EXPECT_EQ(loadBefore, WindowsLine(path, "load")) << "the load line";

        // Delete the entry added: the line is as before, and so is the rest.
        const Entries now = Show(list, run);
        const auto added = std::find(now.begin(), now.end(), "n.exe");
        ASSERT_NE(now.end(), added);
        list.Select(static_cast<int>(added - now.begin()));
        answers.Press(IDYES);
        EXPECT_EQ(1, run.Delete(list.Get()));
        EXPECT_EQ(Sorted(c.run), Sorted(Show(list, run)));
        EXPECT_EQ(loadBefore, WindowsLine(path, "load")) << "the load line";
        EXPECT_EQ(c.load, Show(list, load));
        for (const std::string& text : c.kept)
            EXPECT_NE(std::string::npos, ReadFileBytes(path).find(text)) << text;
    }
    EXPECT_EQ(0, answers.Unexpected());
}

TEST_F(IniFileInputTest, AReadOnlyFileTakesTheWholeLineOrNothing)
{
    const std::string text = "[windows]\r\nrun=a.exe b.exe\r\nload=l.exe\r\n";
    WriteFileBytes(path, text);
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ((Entries{"a.exe", "b.exe"}), Show(list, run));

    answers.Ok({{IDC_VALUE, "n.exe"}});
    run.Add();
    const std::string after = ReadFileBytes(path);
    const std::wstring line = WindowsLine(path, "run").value_or(L"");
    // Running as root under Wine the write may land; either way the line is whole, old or new.
    EXPECT_TRUE(after == text || line == L"a.exe b.exe n.exe") << after;
    EXPECT_EQ(L"l.exe", WindowsLine(path, "load").value_or(L""));
    const Entries landed{"a.exe", "b.exe", "n.exe"};
    const Entries untouched{"a.exe", "b.exe"};
    EXPECT_EQ(line == L"a.exe b.exe n.exe" ? landed : untouched, Show(list, run));

    list.Select(0);
    answers.Press(IDYES);
    run.Delete(list.Get());
    const std::wstring deleted = WindowsLine(path, "run").value_or(L"");
    EXPECT_TRUE(deleted == line || deleted == L"b.exe n.exe" || deleted == L"b.exe") << Narrow(deleted);
    EXPECT_EQ(L"l.exe", WindowsLine(path, "load").value_or(L""));
    EXPECT_NE(0u, GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY) << "the attribute stays";
    EXPECT_EQ(0, answers.Unexpected());
}

// ---------------------------------------------------------------------------
// The Windows NT run value, holding what other programs left in it.

class NtValueInputTest : public testing::Test {
protected:
    // Other values of the key, which every change must leave alone.
    void Reset()
    {
        DeleteKeyTree(HKEY_CURRENT_USER, kNtKey);
        SetRegistryString(HKEY_CURRENT_USER, kNtKey, "load", "c:\\l.exe");
        SetRegistryString(HKEY_CURRENT_USER, kNtKey, "Device", "printer,winspool,LPT1:");
        SetRegistryString(HKEY_CURRENT_USER, kNtKey, "Programs", "com exe bat pif");
    }
    static KeySnapshot Snapshot() { return SnapshotKey(HKEY_CURRENT_USER, kNtKey); }

    ScratchRegistry scratch;
    DialogAnswerer answers;
    TestListView list;
    NtRunValue run;
    NtLoadValue load;
};

TEST_F(NtValueInputTest, MissingKeysListNothingAndAddCreatesOnlyTheValue)
{
    for (const bool keyExists : {false, true}) {
        DeleteKeyTree(HKEY_CURRENT_USER, "Software");
        if (keyExists)
            CreateEmptyKey(HKEY_CURRENT_USER, kNtKey);
        EXPECT_TRUE(Show(list, run).empty());
        EXPECT_TRUE(Show(list, load).empty());
        EXPECT_EQ(keyExists, RegistryKeyExists(HKEY_CURRENT_USER, kNtKey)) << "listing creates nothing";
        answers.Ok({{IDC_VALUE, "n.exe"}});
        EXPECT_EQ(1, run.Add());
        EXPECT_EQ((KeySnapshot{{L"run", RawValue{REG_SZ, WideBytes(L"n.exe")}}}), Snapshot());
        EXPECT_EQ(Entries{"n.exe"}, Show(list, run));
        EXPECT_TRUE(Show(list, load).empty());
    }
}

TEST_F(NtValueInputTest, ValuesOfEveryShapeAreListedOrLeftAlone)
{
    struct Case {
        const char* label;
        DWORD type;
        std::string bytes; // written through the wide functions
        bool readable; // rebuilt and stored again; otherwise shown as far as it goes, and left alone
        Entries rows;
        std::wstring afterAdd; // the run line after adding n.exe, up to its first NUL
    };
    const Case cases[] = {
        {"empty data", REG_SZ, "", true, {}, L"n.exe"},
        {"unterminated", REG_SZ, WideBytes(L"a.exe b.exe", false), true, {"a.exe", "b.exe"}, L"a.exe b.exe n.exe"},
        {"inner NUL", REG_SZ, WideBytes(std::wstring(L"a.exe\0hidden.exe", 16)), true, {"a.exe"}, L"a.exe n.exe"},
        {"expandable", REG_EXPAND_SZ, WideBytes(L"%windir%\\a.exe"), true, {"%windir%\\a.exe"},
         L"%windir%\\a.exe n.exe"},
        {"bytes above ASCII", REG_SZ, WideBytes(Widen("c:\\caf\xe9.exe \x80\xff.exe")), true,
         {"c:\\caf\xe9.exe", "\x80\xff.exe"}, Widen("c:\\caf\xe9.exe \x80\xff.exe n.exe")},
        {"outside the code page", REG_SZ, WideBytes(L"c:\\\x4e2d\\a.exe b.exe"), false, {"c:\\?\\a.exe", "b.exe"},
         L""},
        {"odd byte count", REG_SZ, WideBytes(L"a.exe b.exe", false) + "!", true, {"a.exe", "b.exe"},
         L"a.exe b.exe n.exe"},
        {"multi-string", REG_MULTI_SZ, WideBytes(std::wstring(L"a.exe\0b.exe\0", 12)), false, {}, L""},
        {"binary", REG_BINARY, "a.exe", false, {}, L""},
        {"number", REG_DWORD, std::string("\x01\0\0\0", 4), false, {}, L""},
        {"no type", REG_NONE, "", false, {}, L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Reset();
        SetWideValue(HKEY_CURRENT_USER, kNtKey, L"run", c.type, c.bytes);
        const KeySnapshot before = Snapshot();
        EXPECT_EQ(c.rows, Show(list, run));
        EXPECT_EQ(Entries{"c:\\l.exe"}, Show(list, load));
        EXPECT_TRUE(before == Snapshot()) << "listing wrote:" << Differences(before, Snapshot());

        answers.Ok({{IDC_VALUE, "n.exe"}});
        if (!c.readable)
            answers.Press(IDOK);
        EXPECT_EQ(c.readable ? 1 : 0, run.Add());
        KeySnapshot after = Snapshot();
        if (!c.readable) {
            EXPECT_TRUE(answers.Seen().back().Shows(kRefusal));
            EXPECT_TRUE(before == after) << Differences(before, after);
            continue;
        }
        const RawValue written = after[L"run"];
        EXPECT_EQ(c.type, written.type) << "the type stays";
        const std::wstring line(reinterpret_cast<const wchar_t*>(written.bytes.data()), written.bytes.size() / 2);
        EXPECT_EQ(c.afterAdd, line.substr(0, line.find(L'\0')));
        after.erase(L"run");
        KeySnapshot others = before;
        others.erase(L"run");
        EXPECT_TRUE(others == after) << Differences(others, after);

        // Deleting the entry added leaves the entries that were there.
        const Entries now = Show(list, run);
        ASSERT_FALSE(now.empty());
        list.Select(static_cast<int>(now.size()) - 1);
        answers.Press(IDYES);
        EXPECT_EQ(1, run.Delete(list.Get()));
        EXPECT_EQ(c.rows, Show(list, run));
        EXPECT_EQ(Entries{"c:\\l.exe"}, Show(list, load));
    }
    EXPECT_EQ(0, answers.Unexpected());
}

// ---------------------------------------------------------------------------
// Both stores of a line: long lines, and lines another program rewrites.

enum class Kind { WinIni, NtRegistry };

class LineInputTest : public testing::TestWithParam<Kind> {
protected:
    LineInputTest() : path(folder / "startup.ini"), ini(path)
    {
        if (GetParam() == Kind::WinIni) {
            run = std::make_unique<WinIniRunLine>();
            load = std::make_unique<WinIniLoadLine>();
        } else {
            run = std::make_unique<NtRunValue>();
            load = std::make_unique<NtLoadValue>();
        }
    }

    void Store(const std::string& runLine, const std::string& loadLine = "c:\\l.exe")
    {
        if (GetParam() == Kind::WinIni) {
            WriteFileBytes(path, "[windows]\r\nrun=" + runLine + "\r\nload=" + loadLine + "\r\n");
        } else {
            SetRegistryString(HKEY_CURRENT_USER, kNtKey, "run", runLine);
            SetRegistryString(HKEY_CURRENT_USER, kNtKey, "load", loadLine);
        }
    }
    // The stored line, or nothing when there is none.
    std::optional<std::string> Stored(const char* key)
    {
        if (GetParam() == Kind::WinIni) {
            const std::optional<std::wstring> line = WindowsLine(path, key);
            return line ? std::optional<std::string>(Narrow(*line)) : std::nullopt;
        }
        const StoredValue value = ReadRegistryValue(HKEY_CURRENT_USER, kNtKey, key);
        if (!value.exists)
            return std::nullopt;
        return value.bytes.substr(0, value.bytes.find('\0'));
    }
    // Another program removes the line, or the whole store.
    void RemoveLine(bool wholeStore)
    {
        if (GetParam() == Kind::WinIni) {
            if (wholeStore)
                DeleteFileA(path.c_str());
            else
                WritePrivateProfileStringA("windows", "run", nullptr, path.c_str());
        } else if (wholeStore) {
            DeleteKeyTree(HKEY_CURRENT_USER, kNtKey);
        } else {
            RegDeleteKeyValueA(HKEY_CURRENT_USER, kNtKey, "run");
        }
    }

    ScratchRegistry scratch;
    TempFolder folder;
    const std::string path;
    ScratchWinIni ini;
    DialogAnswerer answers;
    TestListView list;
    std::unique_ptr<CommandListLocation> run;
    std::unique_ptr<CommandListLocation> load;
};

std::string KindName(const testing::TestParamInfo<Kind>& info)
{
    return info.param == Kind::WinIni ? "WinIni" : "NtRegistry";
}

TEST_P(LineInputTest, LongLinesAreListedWholeAndChangeOnlyWhereAsked)
{
    for (const size_t length : {size_t{0}, size_t{259}, size_t{260}, size_t{4096}, size_t{65536}}) {
        SCOPED_TRACE(length);
        const auto [line, entries] = LineOfLength(length);
        ASSERT_EQ(length, line.size());
        Store(line);
        EXPECT_EQ(entries, Show(list, *run));
        EXPECT_EQ(std::optional<std::string>(line), Stored("run")) << "listing wrote";

        if (!entries.empty()) {
            // Delete the middle entry, then Edit the first one unchanged.
            const size_t middle = entries.size() / 2;
            list.Select(static_cast<int>(middle));
            answers.Press(IDYES);
            EXPECT_EQ(1, run->Delete(list.Get()));
            Entries expected = entries;
            expected.erase(expected.begin() + static_cast<std::ptrdiff_t>(middle));
            EXPECT_EQ(expected, Show(list, *run));

            list.Select(0);
            answers.Ok();
            EXPECT_EQ(1, run->Edit(list.Get()));
            EXPECT_EQ(Sorted(expected), Sorted(Show(list, *run)));
        }
        answers.Ok({{IDC_VALUE, "n.exe"}});
        EXPECT_EQ(1, run->Add());
        const Entries after = Show(list, *run);
        ASSERT_FALSE(after.empty());
        EXPECT_EQ("n.exe", after.back());
        EXPECT_EQ(entries.empty() ? 1u : entries.size(), after.size());
        EXPECT_EQ(std::optional<std::string>("c:\\l.exe"), Stored("load"));
    }
    EXPECT_EQ(0, answers.Unexpected());
}

TEST_P(LineInputTest, AnotherProgramRewritesTheLineBetweenFillAndAction)
{
    struct Case {
        const char* label;
        const char* rewritten; // nullptr: the line is removed
        bool wholeStore;
        bool viaEdit;
        Entries after; // the entries afterwards, in any order
    };
    // Each time the row of b.exe is selected, then the store changes.
    const Case cases[] = {
        {"entry gone, then Delete", "a.exe c.exe", false, false, {"a.exe", "c.exe"}},
        {"entry moved, then Delete", "c.exe,b.exe d.exe", false, false, {"c.exe", "d.exe"}},
        {"line gone, then Delete", nullptr, false, false, {}},
        {"store gone, then Delete", nullptr, true, false, {}},
        {"entry gone, then Edit", "a.exe c.exe", false, true, {"a.exe", "c.exe", "x.exe"}},
        {"entry moved, then Edit", "c.exe,b.exe d.exe", false, true, {"c.exe", "d.exe", "x.exe"}},
        {"store gone, then Edit", nullptr, true, true, {"x.exe"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Store("a.exe b.exe c.exe", "c:\\l.exe");
        ASSERT_EQ((Entries{"a.exe", "b.exe", "c.exe"}), Show(list, *run));
        list.Select(1);
        if (c.rewritten)
            Store(c.rewritten, "c:\\l.exe");
        else
            RemoveLine(c.wholeStore);
        if (c.viaEdit) {
            answers.Ok({{IDC_VALUE, "x.exe"}});
            EXPECT_EQ(1, run->Edit(list.Get()));
        } else {
            answers.Press(IDYES);
            EXPECT_EQ(1, run->Delete(list.Get()));
        }
        EXPECT_EQ(Sorted(c.after), Sorted(Show(list, *run)));
        if (!c.wholeStore) {
            EXPECT_EQ(std::optional<std::string>("c:\\l.exe"), Stored("load"));
        }
    }
    EXPECT_EQ(0, answers.Unexpected());
}

INSTANTIATE_TEST_SUITE_P(Stores, LineInputTest, testing::Values(Kind::WinIni, Kind::NtRegistry), KindName);

} // namespace
