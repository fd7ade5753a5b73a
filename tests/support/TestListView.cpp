#include "TestListView.h"

#include <gtest/gtest.h>

TestListView::TestListView()
{
    host = CreateWindowExA(0, "STATIC", "host", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr, nullptr, nullptr);
    EXPECT_NE(nullptr, host) << "no window could be made: is there a display?";
    const HWND control = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL, 0, 0,
                                         600, 400, host, reinterpret_cast<HMENU>(1003), nullptr, nullptr);
    EXPECT_NE(nullptr, control);
    list.Attach(control);
    list.InsertColumn(0, "Executable", LVCFMT_LEFT, 200, -1);
}

TestListView::~TestListView()
{
    DestroyWindow(host);
}

void TestListView::Select(int row)
{
    ASSERT_TRUE(list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED));
}

Table TestListView::Rows() const
{
    Table rows;
    const int columns = list.GetColumnCount();
    for (int row = 0; row < list.GetItemCount(); ++row) {
        std::vector<std::string> cells;
        for (int column = 0; column < columns; ++column)
            cells.push_back(list.GetItemText(row, column));
        rows.push_back(std::move(cells));
    }
    return rows;
}

std::vector<std::string> TestListView::Headings() const
{
    std::vector<std::string> headings;
    for (int column = 0; column < list.GetColumnCount(); ++column)
        headings.push_back(list.GetColumnHeading(column));
    return headings;
}
