#include "locations/CatalogueEntries.h"

#include "DialogAnswerer.h"
#include "RobustnessSupport.h"
#include "ScratchRegistry.h"
#include "TestListView.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const char* const kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Ordinary entries around every odd one: each case must leave them listed and unchanged.
const std::pair<const char*, const char*> kNeighbours[] = {
    {"Before", "c:\\before\\before.exe /b"},
    {"After", "c:\\after.exe"},
    {"Zz last", "\"c:\\program files\\z.exe\" -q"},
};

enum class Shape { Text, Unterminated, Multi, Bytes };

struct TypeCase {
    const char* label;
    DWORD type;
    Shape shape;
};

const TypeCase kTypes[] = {
    {"none", REG_NONE, Shape::Bytes},
    {"sz", REG_SZ, Shape::Text},
    {"sz unterminated", REG_SZ, Shape::Unterminated},
    {"expand", REG_EXPAND_SZ, Shape::Text},
    {"multi", REG_MULTI_SZ, Shape::Multi},
    {"binary", REG_BINARY, Shape::Bytes},
    {"dword", REG_DWORD, Shape::Bytes},
    {"qword", REG_QWORD, Shape::Bytes},
};

const size_t kMiB = size_t{1} << 20;

// Data of exactly this size for the case, and the text the list must show for it.
struct Seed {
    std::string bytes;
    std::string shown;
};

Seed Build(const TypeCase& c, size_t size)
{
    switch (c.shape) {
    case Shape::Text:
        if (size == 0)
            return {"", ""};
        return {PatternText(size - 1) + '\0', PatternText(size - 1)};
    case Shape::Unterminated:
        return {PatternText(size), PatternText(size)};
    case Shape::Multi: {
        // Strings of six letters, each with its NUL, the last one longer to
        // make up the size, then the empty string that ends the list.
        if (size == 0)
            return {"", ""};
        const size_t count = (size - 1) / 7;
        const size_t extra = (size - 1) % 7;
        if (count == 0)
            return {std::string(extra, 'm') + '\0', std::string(extra, 'm')};
        Seed seed;
        for (size_t i = 0; i < count; ++i) {
            std::string piece = "m" + std::to_string(100000 + i).substr(1);
            if (i + 1 == count)
                piece += std::string(extra, 'x');
            seed.bytes += piece + '\0';
            seed.shown += (i ? " " : "") + piece;
        }
        seed.bytes += '\0';
        return seed;
    }
    case Shape::Bytes:
        break;
    }
    return {PatternBytes(size), HexBytes(PatternBytes(size))};
}

std::string CaseName(const TypeCase& c, size_t size)
{
    return std::string(c.label) + " " + std::to_string(size);
}

class RunKeyInputTest : public testing::Test {
protected:
    void SetUp() override { location.SetupColumns(list.Get()); }

    // An empty Run key holding only the neighbours.
    void Reset()
    {
        DeleteKeyTree(HKEY_CURRENT_USER, kRun);
        for (const auto& [name, command] : kNeighbours)
            SetRegistryString(HKEY_CURRENT_USER, kRun, name, command);
    }
    Table Show()
    {
        list.Clear();
        location.Fill(list.Get());
        return list.Rows();
    }
    static void ExpectNeighbours(const Table& rows)
    {
        for (const auto& [name, command] : kNeighbours) {
            const int row = RowNamed(rows, name);
            if (row >= 0) {
                EXPECT_EQ(command, rows[row].at(1)) << name;
            }
        }
    }
    void Select(const std::string& name)
    {
        const int row = RowNamed(Show(), name);
        ASSERT_GE(row, 0);
        list.Select(row);
    }
    static KeySnapshot Snapshot() { return SnapshotKey(HKEY_CURRENT_USER, kRun); }

    ScratchRegistry scratch;
    DialogAnswerer answers;
    TestListView list;
    UserRunKey location;
};

TEST_F(RunKeyInputTest, EveryTypeAtEverySizeIsListedAsStored)
{
    const size_t sizes[] = {0, 1, 259, 260, 261, 1000, 1001, 1023, 1024, 1025, 65536, kMiB};
    for (const size_t size : sizes) {
        Reset();
        for (const TypeCase& c : kTypes) {
            const Seed seed = Build(c, size);
            ASSERT_EQ(size, seed.bytes.size()) << CaseName(c, size);
            SetRegistryValue(HKEY_CURRENT_USER, kRun, CaseName(c, size), c.type, seed.bytes);
        }
        const KeySnapshot before = Snapshot();
        const Table rows = Show();
        EXPECT_EQ(std::size(kTypes) + std::size(kNeighbours), rows.size()) << size;
        for (const TypeCase& c : kTypes) {
            const int row = RowNamed(rows, CaseName(c, size));
            if (row >= 0) {
                EXPECT_TRUE(SameText(Build(c, size).shown, rows[row].at(1))) << CaseName(c, size);
            }
        }
        ExpectNeighbours(rows);
        EXPECT_TRUE(before == Snapshot()) << "listing wrote:" << Differences(before, Snapshot());
    }
}

TEST_F(RunKeyInputTest, AcceptingTheDialogUnchangedKeepsEveryByte)
{
    struct Sized {
        size_t size;
        bool everyType;
    };
    const Sized sizes[] = {{0, true}, {1, true}, {261, true}, {1025, true}, {65536, true}, {kMiB, false}};
    for (const Sized& sized : sizes) {
        Reset();
        for (const TypeCase& c : kTypes)
            if (sized.everyType || c.shape == Shape::Text)
                SetRegistryValue(HKEY_CURRENT_USER, kRun, CaseName(c, sized.size), c.type, Build(c, sized.size).bytes);
        const KeySnapshot before = Snapshot();
        for (const TypeCase& c : kTypes) {
            if (!sized.everyType && c.shape != Shape::Text)
                continue;
            const std::string name = CaseName(c, sized.size);
            Select(name);
            answers.Ok();
            EXPECT_EQ(1, location.Edit(list.Get())) << name;
            ASSERT_FALSE(answers.Seen().empty());
            EXPECT_EQ(name, answers.Seen().back().Text(IDC_NAME));
            EXPECT_TRUE(SameText(Build(c, sized.size).shown, answers.Seen().back().Text(IDC_EXECUTABLE))) << name;
            const KeySnapshot after = Snapshot();
            EXPECT_TRUE(before == after) << name << ":" << Differences(before, after);
        }
        ExpectNeighbours(Show());
    }
    EXPECT_EQ(0, answers.Unexpected());
}

TEST_F(RunKeyInputTest, RenameKeepsTheDataNewCommandIsTextDeleteTakesOnlyItsValue)
{
    // Past the first read buffer of 1,024 bytes.
    for (const size_t size : {size_t{1025}}) {
        for (const TypeCase& c : kTypes) {
            Reset();
            const std::string name = CaseName(c, size);
            SetRegistryValue(HKEY_CURRENT_USER, kRun, name, c.type, Build(c, size).bytes);
            KeySnapshot expected = Snapshot();
            const RawValue original = expected[Widen(name)];

            Select(name);
            answers.Ok({{IDC_NAME, name + " renamed"}});
            EXPECT_EQ(1, location.Edit(list.Get())) << name;
            expected.erase(Widen(name));
            expected[Widen(name + " renamed")] = original;
            EXPECT_TRUE(expected == Snapshot()) << name << " renamed:" << Differences(expected, Snapshot());

            Select(name + " renamed");
            answers.Ok({{IDC_EXECUTABLE, "c:\\new.exe /n"}});
            EXPECT_EQ(1, location.Edit(list.Get())) << name;
            const DWORD textType = c.type == REG_EXPAND_SZ ? REG_EXPAND_SZ : REG_SZ;
            expected[Widen(name + " renamed")] = RawValue{textType, WideBytes(L"c:\\new.exe /n")};
            EXPECT_TRUE(expected == Snapshot()) << name << " new command:" << Differences(expected, Snapshot());

            Select(name + " renamed");
            answers.Press(IDYES);
            EXPECT_EQ(1, location.Delete(list.Get())) << name;
            expected.erase(Widen(name + " renamed"));
            EXPECT_TRUE(expected == Snapshot()) << name << " deleted:" << Differences(expected, Snapshot());
        }
    }
    EXPECT_EQ(0, answers.Unexpected());
}

TEST_F(RunKeyInputTest, NumbersAndUnknownTypesShowReadablyAndSurviveAnEdit)
{
    struct Case {
        const char* name;
        DWORD type;
        std::string bytes;
        const char* shown;
    };
    const Case cases[] = {
        {"dword max", REG_DWORD, std::string(4, '\xff'), "0xffffffff (4294967295)"},
        {"dword zero", REG_DWORD, std::string(4, '\0'), "0x00000000 (0)"},
        {"big endian", REG_DWORD_BIG_ENDIAN, std::string("\0\0\x01\x02", 4), "0x00000102 (258)"},
        {"qword max", REG_QWORD, std::string(8, '\xff'), "0xffffffffffffffff (18446744073709551615)"},
        {"dword of 8", REG_DWORD, std::string("\x01\x02\x03\x04\x05\x06\x07\x08", 8), "01 02 03 04 05 06 07 08"},
        {"qword of 4", REG_QWORD, std::string("\x01\x02\x03\x04", 4), "01 02 03 04"},
        {"link", REG_LINK, std::string("\x41\0\x42\0", 4), "41 00 42 00"},
        {"resource list", REG_RESOURCE_LIST, std::string("\0\xff", 2), "00 ff"},
        {"unknown type", 0x7fffffff, std::string("\x7f\x80", 2), "7f 80"},
        {"sz with inner nul", REG_SZ, std::string("c:\\a.exe\0c:\\hidden.exe\0", 23), "c:\\a.exe"},
        {"sz of nul only", REG_SZ, std::string(1, '\0'), ""},
        {"multi of one empty", REG_MULTI_SZ, std::string(2, '\0'), ""},
        {"multi unterminated", REG_MULTI_SZ, std::string("one\0two", 7), "one two"},
        {"multi empty inside", REG_MULTI_SZ, std::string("one\0\0two\0\0", 10), "one"},
        {"sz line breaks", REG_SZ, Sz("c:\\a.exe\r\nc:\\b.exe\tx"), "c:\\a.exe\r\nc:\\b.exe\tx"},
    };
    Reset();
    for (const Case& c : cases)
        SetRegistryValue(HKEY_CURRENT_USER, kRun, c.name, c.type, c.bytes);
    const KeySnapshot before = Snapshot();
    const Table rows = Show();
    EXPECT_EQ(std::size(cases) + std::size(kNeighbours), rows.size());
    ExpectNeighbours(rows);
    for (const Case& c : cases) {
        const int row = RowNamed(rows, c.name);
        if (row >= 0) {
            EXPECT_EQ(c.shown, rows[row].at(1)) << c.name;
        }
        Select(c.name);
        answers.Ok();
        EXPECT_EQ(1, location.Edit(list.Get())) << c.name;
        EXPECT_TRUE(before == Snapshot()) << c.name << " accepted unchanged:" << Differences(before, Snapshot());
    }
    EXPECT_EQ(0, answers.Unexpected());
}

TEST_F(RunKeyInputTest, NamesOfTheLongestLengthsAreListedEditedAndDeleted)
{
    for (const size_t length : {size_t{255}, size_t{256}, size_t{16383}}) {
        Reset();
        const std::string name = std::string(length - 1, 'n') + "\xe9";
        SetRegistryString(HKEY_CURRENT_USER, kRun, name, "c:\\long name.exe");
        KeySnapshot expected = Snapshot();
        const Table rows = Show();
        EXPECT_EQ(1 + std::size(kNeighbours), rows.size()) << length;
        const int row = RowNamed(rows, name);
        if (row >= 0) {
            EXPECT_EQ("c:\\long name.exe", rows[row].at(1));
        }
        ExpectNeighbours(rows);

        Select(name);
        answers.Ok();
        EXPECT_EQ(1, location.Edit(list.Get())) << length;
        EXPECT_TRUE(expected == Snapshot()) << length << " unchanged:" << Differences(expected, Snapshot());

        Select(name);
        answers.Ok({{IDC_EXECUTABLE, "c:\\changed.exe"}});
        EXPECT_EQ(1, location.Edit(list.Get())) << length;
        expected[Widen(name)] = RawValue{REG_SZ, WideBytes(L"c:\\changed.exe")};
        EXPECT_TRUE(expected == Snapshot()) << length << " changed:" << Differences(expected, Snapshot());

        Select(name);
        answers.Press(IDYES);
        EXPECT_EQ(1, location.Delete(list.Get())) << length;
        expected.erase(Widen(name));
        EXPECT_TRUE(expected == Snapshot()) << length << " deleted:" << Differences(expected, Snapshot());
    }

    // One past the registry's limit: refused, and nothing else changes.
    Reset();
    const KeySnapshot before = Snapshot();
    answers.Ok({{IDC_NAME, std::string(16384, 'n')}, {IDC_EXECUTABLE, "c:\\x.exe"}});
    EXPECT_EQ(0, location.Add());
    EXPECT_TRUE(before == Snapshot()) << Differences(before, Snapshot());
    EXPECT_EQ(0, answers.Unexpected());
}

TEST_F(RunKeyInputTest, BytesAboveAsciiInNamesAndDataRoundTripThroughTheCodePage)
{
    std::string everyByte;
    for (int value = 1; value < 256; ++value)
        everyByte += static_cast<char>(value);
    const std::string high = "caf\xe9 \x80\x81\x8d\x8f\x90\x9d\xa0\xff";
    struct Case {
        std::string name;
        DWORD type;
        std::string bytes;
        std::string shown;
    };
    const std::string multi("\xe9t\xe9\0\x80\xff\0\0", 8);
    const Case cases[] = {
        {high, REG_SZ, Sz("c:\\" + high + ".exe"), "c:\\" + high + ".exe"},
        {"every byte sz", REG_SZ, Sz(everyByte), everyByte},
        {"every byte expand " + high, REG_EXPAND_SZ, Sz(everyByte), everyByte},
        {"high multi", REG_MULTI_SZ, multi, "\xe9t\xe9 \x80\xff"},
        {"high binary", REG_BINARY, "\x80\xff\x9d", "80 ff 9d"},
    };
    Reset();
    for (const Case& c : cases)
        SetRegistryValue(HKEY_CURRENT_USER, kRun, c.name, c.type, c.bytes);
    const KeySnapshot before = Snapshot();

    // What the registry keeps is the text converted from the code page; what an
    // ANSI reader gets back is that text converted again.
    for (const Case& c : cases) {
        const auto stored = before.find(Widen(c.name));
        ASSERT_NE(before.end(), stored) << c.name << ": the name did not convert as expected";
        const bool text = c.type != REG_BINARY;
        EXPECT_EQ(text ? WideBytes(Widen(c.bytes), false) : c.bytes, stored->second.bytes) << c.name;
        EXPECT_EQ(text ? Narrow(Widen(c.bytes)) : c.bytes, ReadRegistryValue(HKEY_CURRENT_USER, kRun, c.name).bytes)
            << c.name;
    }

    const Table rows = Show();
    EXPECT_EQ(std::size(cases) + std::size(kNeighbours), rows.size());
    ExpectNeighbours(rows);
    for (const Case& c : cases) {
        const int row = RowNamed(rows, Narrow(Widen(c.name)));
        if (row >= 0) {
            EXPECT_EQ(Narrow(Widen(c.shown)), rows[row].at(1)) << c.name;
        }
        Select(c.name);
        answers.Ok();
        EXPECT_EQ(1, location.Edit(list.Get())) << c.name;
        EXPECT_TRUE(before == Snapshot()) << c.name << ":" << Differences(before, Snapshot());
    }

    // Typed in the dialog, through the same conversion.
    answers.Ok({{IDC_NAME, high}, {IDC_EXECUTABLE, "c:\\" + high + "\\new.exe"}});
    EXPECT_EQ(1, location.Add());
    const Table after = Show();
    const int row = RowNamed(after, Narrow(Widen(high)));
    if (row >= 0) {
        EXPECT_EQ(Narrow(Widen("c:\\" + high + "\\new.exe")), after[row].at(1));
    }
    KeySnapshot expected = before;
    expected[Widen(high)] = RawValue{REG_SZ, WideBytes(Widen("c:\\" + high + "\\new.exe"))};
    EXPECT_TRUE(expected == Snapshot()) << Differences(expected, Snapshot());
}

// Other programs write through the wide functions: texts may hold characters
// the ANSI code page has no byte for, or an odd number of bytes.
TEST_F(RunKeyInputTest, ValuesWrittenInUnicodeSurviveAnEditThatChangesNothing)
{
    struct Case {
        const char* label;
        std::wstring name;
        DWORD type;
        std::string bytes;
    };
    const Case cases[] = {
        {"outside the code page", L"wide data", REG_SZ, WideBytes(L"c:\\\x4e2d\x6587\\app.exe /x")},
        {"best-fit letter", L"best fit", REG_SZ, WideBytes(L"c:\\\x0100pp.exe")},
        {"expandable", L"wide expand", REG_EXPAND_SZ, WideBytes(L"%ProgramFiles%\\\x4e2d\\app.exe")},
        {"multi-string", L"wide multi", REG_MULTI_SZ, WideBytes(std::wstring(L"\x4e2d.exe\0b.exe\0", 12))},
        {"odd byte count", L"odd length", REG_SZ, std::string("c\0:\0\\\0a\0.\0e\0x\0e\0!", 17)},
    };
    Reset();
    for (const Case& c : cases)
        SetWideValue(HKEY_CURRENT_USER, kRun, c.name, c.type, c.bytes);
    const KeySnapshot before = Snapshot();
    // Each step starts from the values as the other program wrote them.
    auto restore = [&before] {
        DeleteKeyTree(HKEY_CURRENT_USER, kRun);
        for (const auto& [name, value] : before)
            SetWideValue(HKEY_CURRENT_USER, kRun, name, value.type, value.bytes);
    };
    const Table rows = Show();
    EXPECT_EQ(std::size(cases) + std::size(kNeighbours), rows.size());
    ExpectNeighbours(rows);
    for (const Case& c : cases) {
        const int row = RowNamed(rows, Narrow(c.name));
        if (row < 0)
            continue;
        // The ANSI view is all the list can show; it must be the view of this value.
        const StoredValue ansi = ReadRegistryValue(HKEY_CURRENT_USER, kRun, Narrow(c.name));
        EXPECT_EQ(AnsiViewText(ansi.type, ansi.bytes), rows[row].at(1)) << c.label;

        Select(Narrow(c.name));
        answers.Ok();
        EXPECT_EQ(1, location.Edit(list.Get())) << c.label;
        EXPECT_TRUE(before == Snapshot()) << c.label << ", accepted unchanged:" << Differences(before, Snapshot());
        restore();

        Select(Narrow(c.name));
        answers.Ok({{IDC_NAME, Narrow(c.name) + " renamed"}});
        EXPECT_EQ(1, location.Edit(list.Get())) << c.label;
        KeySnapshot renamed = before;
        renamed.erase(c.name);
        renamed[c.name + L" renamed"] = before.at(c.name);
        EXPECT_TRUE(renamed == Snapshot()) << c.label << ", renamed:" << Differences(renamed, Snapshot());
        restore();
    }
    EXPECT_EQ(0, answers.Unexpected());
}

TEST_F(RunKeyInputTest, DeletingAValueWhoseNameHasNoAnsiFormLeavesTheOthers)
{
    // Both names reach an ANSI program as "?".
    Reset();
    SetWideValue(HKEY_CURRENT_USER, kRun, L"\x4e2d", REG_SZ, WideBytes(L"c:\\wide.exe"));
    SetWideValue(HKEY_CURRENT_USER, kRun, L"?", REG_SZ, WideBytes(L"c:\\question.exe"));
    const KeySnapshot before = Snapshot();
    const Table rows = Show();
    ASSERT_EQ(2 + std::size(kNeighbours), rows.size());
    int wideRow = -1;
    for (size_t row = 0; row < rows.size(); ++row)
        if (rows[row] == std::vector<std::string>{"?", "c:\\wide.exe"})
            wideRow = static_cast<int>(row);
    ASSERT_NE(-1, wideRow) << "the value is listed under the name an ANSI program sees";

    list.Select(wideRow);
    answers.Press(IDYES);
    location.Delete(list.Get());
    KeySnapshot after = Snapshot();
    EXPECT_TRUE(after.count(L"?")) << "the row of \"c:\\wide.exe\" deleted the value \"?\" of \"c:\\question.exe\"";
    after.erase(L"\x4e2d");
    KeySnapshot expected = before;
    expected.erase(L"\x4e2d");
    EXPECT_TRUE(expected == after) << Differences(expected, after);
}

TEST_F(RunKeyInputTest, MissingAndEmptyKeysListNothingAndAddCreatesOnlyItsOwnValue)
{
    struct Where {
        HKEY root;
        const char* key;
        std::unique_ptr<StartupLocation> location;
    };
    Where places[] = {
        {HKEY_LOCAL_MACHINE, kRunKeyPaths[0], std::make_unique<MachineRunKey>()},
        {HKEY_LOCAL_MACHINE, kRunKeyPaths[1], std::make_unique<MachineRunOnceKey>()},
        {HKEY_CURRENT_USER, kRunKeyPaths[0], std::make_unique<UserRunKey>()},
        {HKEY_CURRENT_USER, kRunKeyPaths[1], std::make_unique<UserRunOnceKey>()},
        {HKEY_LOCAL_MACHINE, kRunKeyPaths[2], std::make_unique<MachineRunOnceSetupKey>()},
    };
    enum class State { NoSoftwareKey, KeyMissing, KeyEmpty };
    for (const State state : {State::NoSoftwareKey, State::KeyMissing, State::KeyEmpty}) {
        for (Where& place : places) {
            DeleteKeyTree(HKEY_LOCAL_MACHINE, "Software");
            DeleteKeyTree(HKEY_CURRENT_USER, "Software");
            if (state != State::NoSoftwareKey) {
                // Every other Run key holds an entry that must stay as it is.
                for (const Where& other : places)
                    if (&other != &place)
                        SetRegistryString(other.root, other.key, "Other", "c:\\other.exe");
            }
            if (state == State::KeyEmpty)
                CreateEmptyKey(place.root, place.key);
            const std::string label = place.location->GetName() + " state " + std::to_string(static_cast<int>(state));

            // RunOnce is also the parent of RunOnce\Setup.
            const bool existed = RegistryKeyExists(place.root, place.key);
            if (state == State::KeyEmpty) {
                EXPECT_TRUE(existed) << label;
            }
            TestListView view;
            place.location->SetupColumns(view.Get());
            place.location->Fill(view.Get());
            EXPECT_TRUE(view.Rows().empty()) << label;
            EXPECT_EQ(0, place.location->Edit(view.Get())) << label;
            EXPECT_EQ(0, place.location->Delete(view.Get())) << label;
            EXPECT_EQ(existed, RegistryKeyExists(place.root, place.key)) << label << ": listing created it";

            answers.Ok({{IDC_NAME, "New"}, {IDC_EXECUTABLE, "c:\\new.exe"}});
            EXPECT_EQ(1, place.location->Add()) << label;
            EXPECT_EQ(Sz("c:\\new.exe"), ReadRegistryValue(place.root, place.key, "New").bytes) << label;
            view.Clear();
            place.location->Fill(view.Get());
            EXPECT_EQ((Table{{"New", "c:\\new.exe"}}), view.Rows()) << label;
            for (const Where& other : places) {
                if (&other == &place)
                    continue;
                EXPECT_FALSE(RegistryValueExists(other.root, other.key, "New")) << label << " wrote into " << other.key;
                if (state != State::NoSoftwareKey) {
                    EXPECT_EQ(Sz("c:\\other.exe"), ReadRegistryValue(other.root, other.key, "Other").bytes) << label;
                }
            }
        }
    }
    EXPECT_EQ(0, answers.Unexpected());
}

TEST_F(RunKeyInputTest, AnotherProgramChangesTheKeyBetweenFillAndAction)
{
    enum class Change { ValueDeleted, ValueRenamed, BecameNumber, KeyDeleted };
    for (const Change change : {Change::ValueDeleted, Change::ValueRenamed, Change::BecameNumber, Change::KeyDeleted}) {
        const std::string label = "change " + std::to_string(static_cast<int>(change));
        for (const bool viaDelete : {false, true}) {
            Reset();
            SetRegistryString(HKEY_CURRENT_USER, kRun, "Target", "c:\\target.exe");
            Select("Target");
            switch (change) {
            case Change::ValueDeleted:
                RegDeleteKeyValueA(HKEY_CURRENT_USER, kRun, "Target");
                break;
            case Change::ValueRenamed:
                RegDeleteKeyValueA(HKEY_CURRENT_USER, kRun, "Target");
                SetRegistryString(HKEY_CURRENT_USER, kRun, "Target2", "c:\\target.exe");
                break;
            case Change::BecameNumber:
                SetRegistryValue(HKEY_CURRENT_USER, kRun, "Target", REG_DWORD, std::string("\x07\0\0\0", 4));
                break;
            case Change::KeyDeleted:
                DeleteKeyTree(HKEY_CURRENT_USER, kRun);
                break;
            }
            const KeySnapshot before = Snapshot();
            const size_t seen = answers.Seen().size();
            if (viaDelete) {
                answers.Press(IDYES);
                const int result = location.Delete(list.Get());
                KeySnapshot expected = before;
                if (change == Change::BecameNumber) {
                    // The value is still the one named on the row: deleting it is what was asked.
                    EXPECT_EQ(1, result) << label;
                    expected.erase(L"Target");
                } else {
                    EXPECT_EQ(0, result) << label;
                }
                EXPECT_TRUE(expected == Snapshot()) << label << " delete:" << Differences(expected, Snapshot());
            } else if (change == Change::BecameNumber) {
                answers.Ok();
                EXPECT_EQ(1, location.Edit(list.Get())) << label;
                EXPECT_EQ("0x00000007 (7)", answers.Seen().back().Text(IDC_EXECUTABLE)) << "read afresh";
                EXPECT_TRUE(before == Snapshot()) << label << " edit:" << Differences(before, Snapshot());
            } else {
                EXPECT_EQ(0, location.Edit(list.Get())) << label;
                EXPECT_EQ(seen, answers.Seen().size()) << label << ": no dialog for a value that is gone";
                EXPECT_TRUE(before == Snapshot()) << label << " edit:" << Differences(before, Snapshot());
            }
        }
    }
    EXPECT_EQ(0, answers.Unexpected());
}

} // namespace
