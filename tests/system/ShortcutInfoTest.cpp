#include "system/ShortcutInfo.h"

#include "TempFolder.h"

#include <shlobj.h>

#include <gtest/gtest.h>

namespace {

const char* const kNotepad = "c:\\windows\\notepad.exe";

ShortcutInfo Record(const std::string& target, const std::string& arguments, int showCommand = SW_SHOW)
{
    ShortcutInfo info{};
    EXPECT_TRUE(CopyToField(info.targetPath, target));
    EXPECT_TRUE(CopyToField(info.arguments, arguments));
    info.showCommand = showCommand;
    return info;
}

TEST(ShortcutInfo, WritesAndReadsBackAShortcut)
{
    TempFolder folder;
    const std::string file = folder / "Editor.lnk";
    ASSERT_EQ(1, Record(kNotepad, "readme.txt").CreateLink(file.c_str()));

    ShortcutInfo read;
    ASSERT_NE(0, read.ReadLink(file.c_str()));
    EXPECT_STREQ(kNotepad, read.targetPath);
    EXPECT_STREQ("readme.txt", read.arguments);
    EXPECT_STREQ("", read.description);
    EXPECT_STREQ("", read.workingDirectory);
    EXPECT_STREQ("", read.iconPath);
    EXPECT_EQ(0, read.hotKey);
    // The shell link object under Wine reports 1 whatever the file holds; the
    // file itself tells what was written.
    EXPECT_EQ(SW_SHOW, ReadStoredShowCommand(file.c_str()));
}

TEST(ShortcutInfo, EveryPropertyRoundTrips)
{
    TempFolder folder;
    const std::string file = folder / "full.lnk";
    ShortcutInfo info = Record(kNotepad, "/a /b", SW_SHOWMINNOACTIVE);
    CopyToField(info.description, "a description");
    CopyToField(info.workingDirectory, "c:\\windows");
    CopyToField(info.iconPath, "c:\\windows\\system32\\shell32.dll");
    info.iconIndex = 3;
    info.hotKey = MAKEWORD('B', HOTKEYF_CONTROL | HOTKEYF_ALT);
    ASSERT_EQ(1, info.CreateLink(file.c_str()));

    ShortcutInfo read;
    ASSERT_NE(0, read.ReadLink(file.c_str()));
    EXPECT_STREQ("/a /b", read.arguments);
    EXPECT_STREQ("a description", read.description);
    EXPECT_STREQ("c:\\windows", read.workingDirectory);
    EXPECT_STREQ("c:\\windows\\system32\\shell32.dll", read.iconPath);
    EXPECT_EQ(3, read.iconIndex);
    EXPECT_EQ(info.hotKey, read.hotKey);
    EXPECT_EQ(SW_SHOWMINNOACTIVE, ReadStoredShowCommand(file.c_str()));
}

TEST(ShortcutInfo, EmptyFieldsAndLongArgumentsComeBackAsWritten)
{
    TempFolder folder;
    for (const size_t length : {size_t{0}, size_t{259}, size_t{260}, size_t{300}, kMaxArgumentsLength}) {
        const std::string file = folder / ("args" + std::to_string(length) + ".lnk");
        const std::string arguments(length, 'a');
        ASSERT_EQ(1, Record(kNotepad, arguments).CreateLink(file.c_str()));
        ShortcutInfo read;
        ASSERT_NE(0, read.ReadLink(file.c_str())) << length;
        EXPECT_EQ(arguments, read.arguments) << length;
    }
}

// A shortcut written by another program, with arguments far longer than any
// field of ours.
void WriteLongShortcut(const std::string& file, const std::string& arguments)
{
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    IShellLinkA* link = nullptr;
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                           reinterpret_cast<void**>(&link))));
    link->SetPath(kNotepad);
    link->SetArguments(arguments.c_str());
    IPersistFile* persist = nullptr;
    ASSERT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))));
    std::wstring wide(file.begin(), file.end());
    EXPECT_EQ(S_OK, persist->Save(wide.c_str(), TRUE));
    persist->Release();
    link->Release();
    CoUninitialize();
}

TEST(ShortcutInfo, ATextTooLongForItsFieldIsAFailureNotACutText)
{
    TempFolder folder;
    const std::string file = folder / "long.lnk";
    WriteLongShortcut(file, std::string(3000, 'z'));
    ShortcutInfo read;
    EXPECT_EQ(0, read.ReadLink(file.c_str()));
}

TEST(ShortcutInfo, ReplacesAnExistingFile)
{
    TempFolder folder;
    const std::string file = folder / "same.lnk";
    ASSERT_EQ(1, Record(kNotepad, "first").CreateLink(file.c_str()));
    ASSERT_EQ(1, Record(kNotepad, "second").CreateLink(file.c_str()));
    ShortcutInfo read;
    ASSERT_NE(0, read.ReadLink(file.c_str()));
    EXPECT_STREQ("second", read.arguments);
    EXPECT_EQ(std::vector<std::string>{"same.lnk"}, FolderNames(folder.Path()));
}

TEST(ShortcutInfo, WritingIntoAMissingFolderFailsAndCreatesNothing)
{
    TempFolder folder;
    const std::string file = folder / "missing\\x.lnk";
    EXPECT_EQ(0, Record(kNotepad, "").CreateLink(file.c_str()));
    EXPECT_TRUE(FolderNames(folder.Path()).empty());
}

TEST(ShortcutInfo, AFileThatIsNotAShortcutDoesNotRead)
{
    TempFolder folder;
    const std::string garbage = folder / "garbage.lnk";
    WriteFileBytes(garbage, "this is not a shortcut");
    const std::string empty = folder / "empty.lnk";
    WriteFileBytes(empty, "");
    ShortcutInfo read;
    EXPECT_EQ(0, read.ReadLink(garbage.c_str()));
    EXPECT_EQ(0, read.ReadLink(empty.c_str()));
    EXPECT_EQ(0, read.ReadLink((folder / "missing.lnk").c_str()));
    EXPECT_EQ(0, ReadStoredShowCommand(garbage.c_str()));
}

TEST(ShortcutInfo, CopyToFieldKeepsWithinTheField)
{
    char field[4] = {'x', 'x', 'x', 'x'};
    EXPECT_TRUE(CopyToField(field, "abc"));
    EXPECT_STREQ("abc", field);
    EXPECT_FALSE(CopyToField(field, "abcd"));
    EXPECT_STREQ("abc", field);
    EXPECT_TRUE(CopyToField(field, ""));
    EXPECT_STREQ("", field);
}

} // namespace
