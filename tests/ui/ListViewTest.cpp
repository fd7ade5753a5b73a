#include "framework/CListCtrl.h"
#include "locations/StartupLocation.h"

#include "TestListView.h"

#include <gtest/gtest.h>

namespace {

TEST(EntryList, InsertedColumnsShiftTheOthersAndDeletionShiftsThemBack)
{
    TestListView list;
    EXPECT_EQ((std::vector<std::string>{"Executable"}), list.Headings());
    EXPECT_EQ(200, list->GetColumnWidth(0));

    list->InsertColumn(0, "Name", LVCFMT_LEFT, 120, -1);
    list->InsertColumn(2, "Parameters", LVCFMT_LEFT, 120, -1);
    EXPECT_EQ((std::vector<std::string>{"Name", "Executable", "Parameters"}), list.Headings());
    EXPECT_EQ(120, list->GetColumnWidth(0));
    EXPECT_EQ(200, list->GetColumnWidth(1));

    // The higher index first, so that the lower one still names its column.
    list->DeleteColumn(2);
    list->DeleteColumn(0);
    EXPECT_EQ((std::vector<std::string>{"Executable"}), list.Headings());
    EXPECT_EQ(200, list->GetColumnWidth(0));
}

TEST(EntryList, RowsAppendInOrderPastAThousand)
{
    TestListView list;
    list->InsertColumn(0, "Name", LVCFMT_LEFT, 120, -1);
    for (int i = 0; i < 1500; ++i) {
        const std::string name = "row" + std::to_string(i);
        const std::string command = "cmd" + std::to_string(i);
        AppendRow(list.Get(), {name, command});
    }
    ASSERT_EQ(1500, list->GetItemCount());
    for (const int i : {0, 998, 999, 1000, 1499}) {
        EXPECT_EQ("row" + std::to_string(i), list->GetItemText(i, 0));
        EXPECT_EQ("cmd" + std::to_string(i), list->GetItemText(i, 1));
    }
}

TEST(EntryList, CellsKeepTheirWholeText)
{
    TestListView list;
    for (const size_t length : {size_t{0}, size_t{255}, size_t{256}, size_t{260}, size_t{70000}}) {
        const std::string text(length, 'c');
        AppendRow(list.Get(), {text});
        EXPECT_EQ(text, list->GetItemText(list->GetItemCount() - 1, 0)) << length;
    }
}

TEST(EntryList, SelectionAndEmptying)
{
    TestListView list;
    const std::string a = "a", b = "b";
    AppendRow(list.Get(), {a});
    AppendRow(list.Get(), {b});
    EXPECT_EQ(-1, SelectedRow(list.Get()));
    list.Select(1);
    EXPECT_EQ(1, SelectedRow(list.Get()));
    list.Select(0);
    EXPECT_EQ(0, SelectedRow(list.Get())) << "single selection";
    EXPECT_TRUE(list->DeleteAllItems());
    EXPECT_EQ(0, list->GetItemCount());
    EXPECT_EQ(-1, SelectedRow(list.Get()));
    EXPECT_EQ(1, list->GetColumnCount()) << "emptying keeps the columns";
}

} // namespace
