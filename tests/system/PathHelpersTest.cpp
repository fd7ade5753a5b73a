#include "system/PathHelpers.h"

#include "ScratchRegistry.h"

#include <gtest/gtest.h>

namespace {

TEST(PathHelpers, StripExtension)
{
    const std::pair<const char*, const char*> cases[] = {
        {"notepad.lnk", "notepad"}, {"my.app.lnk", "my.app"}, {"readme", "readme"},
        {".lnk", ""},               {"name.", "name"},         {"", ""},
    };
    for (const auto& [name, stripped] : cases)
        EXPECT_EQ(stripped, StripExtension(name)) << name;
}

TEST(PathHelpers, NormalizeDirectory)
{
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\WINDOWS", "c:\\windows"}, {"C:\\WINNT\\", "c:\\winnt"}, {"C:\\", "c:\\"},
        {"ab\\", "ab\\"},               {"c:\\dir\\\\", "c:\\dir\\"},  {"", ""},
    };
    for (const auto& [directory, normal] : cases)
        EXPECT_EQ(normal, NormalizeDirectory(directory)) << directory;
}

TEST(PathHelpers, JoinPath)
{
    struct Case {
        const char* directory;
        const char* name;
        const char* joined;
    };
    const Case cases[] = {
        {"c:\\windows", "win.ini", "c:\\windows\\win.ini"},
        {"c:\\", "win.ini", "c:\\win.ini"},
        {"", "*.lnk", "*.lnk"},
        {"c:\\dir", "\\name", "c:\\dir\\\\name"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.joined, JoinPath(c.directory, c.name)) << c.directory << " + " << c.name;
}

TEST(PathHelpers, WindowsDirectoryAndWhatIsBuiltOnIt)
{
    char system[MAX_PATH] = {};
    ASSERT_NE(0u, GetWindowsDirectoryA(system, sizeof system));
    const std::string windows = NormalizeDirectory(system);
    EXPECT_EQ(windows, GetWindowsDirectoryPath());
    EXPECT_EQ(windows + "\\win.ini", WinIniPath);
    EXPECT_EQ(windows + "\\profiles\\all users\\start menu\\programs\\startup", GetAllUsersStartupFolder());
}

TEST(PathHelpers, CurrentUserStartupFolderComesFromShellFolders)
{
    ScratchRegistry scratch;
    const char* const key = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    EXPECT_EQ("", GetCurrentUserStartupFolder()) << "no Shell Folders key";
    SetRegistryString(HKEY_CURRENT_USER, key, "Desktop", "C:\\Desktop");
    EXPECT_EQ("", GetCurrentUserStartupFolder()) << "no Startup value";
    SetRegistryString(HKEY_CURRENT_USER, key, "Startup", "C:\\WINDOWS\\Start Menu\\Programs\\StartUp");
    EXPECT_EQ("c:\\windows\\start menu\\programs\\startup", GetCurrentUserStartupFolder());
    SetRegistryString(HKEY_CURRENT_USER, key, "Startup", "D:\\Profiles\\Me\\StartUp\\");
    EXPECT_EQ("d:\\profiles\\me\\startup\\", GetCurrentUserStartupFolder()) << "a trailing backslash stays";
    const std::string longFolder = "C:\\" + std::string(300, 'L');
    SetRegistryString(HKEY_CURRENT_USER, key, "Startup", longFolder);
    EXPECT_EQ("c:\\" + std::string(300, 'l'), GetCurrentUserStartupFolder());
}

TEST(PathHelpers, EqualIgnoringCase)
{
    EXPECT_TRUE(EqualIgnoringCase("NAME.LNK", "name.lnk"));
    EXPECT_TRUE(EqualIgnoringCase("", ""));
    EXPECT_FALSE(EqualIgnoringCase("name", "names"));
    EXPECT_FALSE(EqualIgnoringCase("a", "b"));
}

} // namespace
