#include "locations/LocationCatalogue.h"
#include "system/PathHelpers.h"

#include "ScratchRegistry.h"
#include "TestListView.h"

#include <gtest/gtest.h>

namespace {

const char* const kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

class CatalogueTest : public testing::Test {
protected:
    ScratchRegistry scratch;
};

TEST_F(CatalogueTest, ElevenLocationsInTheirOrderWithTheirNames)
{
    SetRegistryString(HKEY_CURRENT_USER, kShellFolders, "Startup", "C:\\Users\\Me\\Start Menu\\Programs\\StartUp");
    Catalogue catalogue;
    ASSERT_EQ(11, BuildCatalogue(catalogue));
    for (int index = 11; index < kCatalogueCapacity; ++index)
        EXPECT_EQ(nullptr, catalogue[index]);

    const std::string windows = GetWindowsDirectoryPath();
    const char* const names[] = {
        "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run",
        "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
        "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run",
        "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
        "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce\\Setup",
        "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows, run",
        "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows, load",
    };
    for (int index = 0; index < 7; ++index)
        EXPECT_EQ(names[index], catalogue[index]->GetName()) << index;
    EXPECT_EQ("Startup folder, current user  (c:\\users\\me\\start menu\\programs\\startup)",
              catalogue[7]->GetName());
    EXPECT_EQ("Startup folder, all users  (" + windows + "\\profiles\\all users\\start menu\\programs\\startup)",
              catalogue[8]->GetName());
    EXPECT_EQ("\"" + windows + "\\win.ini\" file, \"[windows]\" section, \"run=\" line", catalogue[9]->GetName());
    EXPECT_EQ("\"" + windows + "\\win.ini\" file, \"[windows]\" section, \"load=\" line", catalogue[10]->GetName());

    for (int index = 0; index < 11; ++index)
        EXPECT_EQ(index == 5 || index == 6 || index == 8 ? 1 : 0, catalogue[index]->IsNtOnly()) << index;
}

TEST_F(CatalogueTest, GroupsCoverTheCatalogueInTabOrder)
{
    EXPECT_EQ(0, kLocationGroups[0].first);
    int next = 0;
    for (const LocationGroup& group : kLocationGroups) {
        EXPECT_EQ(next, group.first);
        next += group.count;
    }
    EXPECT_EQ(kCatalogueSize, next);
    EXPECT_EQ(7, kLocationGroups[0].count);
    EXPECT_EQ(2, kLocationGroups[1].count);
}

TEST_F(CatalogueTest, TheUserFolderNameFollowsTheSettingWhileTheLocationKeepsItsFolder)
{
    Catalogue catalogue;
    BuildCatalogue(catalogue);
    EXPECT_EQ("Startup folder, current user  ()", catalogue[7]->GetName()) << "no Startup value";

    SetRegistryString(HKEY_CURRENT_USER, kShellFolders, "Startup", "C:\\Elsewhere");
    EXPECT_EQ("Startup folder, current user  (c:\\elsewhere)", catalogue[7]->GetName());
    // Built without a folder, it still lists nothing.
    TestListView list;
    catalogue[7]->Fill(list.Get());
    EXPECT_EQ(0, list->GetItemCount());
}

TEST_F(CatalogueTest, CommandListsKeepTheSingleExecutableColumn)
{
    Catalogue catalogue;
    BuildCatalogue(catalogue);
    for (const int index : {5, 6, 9, 10}) {
        TestListView list;
        catalogue[index]->SetupColumns(list.Get());
        EXPECT_EQ(std::vector<std::string>{"Executable"}, list.Headings()) << index;
        catalogue[index]->RemoveColumns(list.Get());
        EXPECT_EQ(std::vector<std::string>{"Executable"}, list.Headings()) << index;
    }
}

} // namespace
