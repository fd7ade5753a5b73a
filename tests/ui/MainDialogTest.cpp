#include "ui/MainDialog.h"
#include "framework/CWnd.h"
#include "system/PathHelpers.h"

#include "DialogAnswerer.h"
#include "ScratchRegistry.h"
#include "TempFolder.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

namespace {

const char* const kUserRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Mouse clicks as a user makes them, in client coordinates of the control.
void ClickAt(HWND control, const RECT& rect, bool twice = false)
{
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(control, WM_LBUTTONUP, 0, at);
    if (twice) {
        SendMessageA(control, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        SendMessageA(control, WM_LBUTTONUP, 0, at);
    }
}

// The main window as a test sees it, from inside its own message loop.
class Window {
public:
    explicit Window(HWND window) : dialog(window) {}

    HWND Item(int id) const { return GetDlgItem(dialog, id); }
    void ChooseTab(int tab) const
    {
        RECT rect;
        SendMessageA(Item(IDC_TABS), TCM_GETITEMRECT, tab, reinterpret_cast<LPARAM>(&rect));
        ClickAt(Item(IDC_TABS), rect);
    }
    void ChooseLocation(int line) const
    {
        RECT rect;
        SendMessageA(Item(IDC_LOCATION_LIST), LB_GETITEMRECT, line, reinterpret_cast<LPARAM>(&rect));
        ClickAt(Item(IDC_LOCATION_LIST), rect);
    }
    void SelectRow(int row) const
    {
        LVITEMA item{};
        item.state = item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(Item(IDC_ENTRY_LIST), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    }
    void DoubleClickRow(int row) const
    {
        RECT rect{LVIR_LABEL, 0, 0, 0};
        SendMessageA(Item(IDC_ENTRY_LIST), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect));
        ClickAt(Item(IDC_ENTRY_LIST), rect, true);
    }
    void Press(int id) const { Click(dialog, id); }

    int Tab() const { return static_cast<int>(SendMessageA(Item(IDC_TABS), TCM_GETCURSEL, 0, 0)); }
    std::vector<std::string> Locations() const
    {
        std::vector<std::string> names;
        const HWND box = Item(IDC_LOCATION_LIST);
        const int count = static_cast<int>(SendMessageA(box, LB_GETCOUNT, 0, 0));
        for (int line = 0; line < count; ++line) {
            std::string name(static_cast<size_t>(SendMessageA(box, LB_GETTEXTLEN, line, 0)), '\0');
            SendMessageA(box, LB_GETTEXT, line, reinterpret_cast<LPARAM>(name.data()));
            names.push_back(name);
        }
        return names;
    }
    int SelectedLocation() const { return static_cast<int>(SendMessageA(Item(IDC_LOCATION_LIST), LB_GETCURSEL, 0, 0)); }
    bool LabelEnabled() const { return IsWindowEnabled(Item(IDC_NT_ONLY)); }
    std::vector<std::string> Columns() const
    {
        std::vector<std::string> headings;
        const HWND header = reinterpret_cast<HWND>(SendMessageA(Item(IDC_ENTRY_LIST), LVM_GETHEADER, 0, 0));
        const int count = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
        for (int column = 0; column < count; ++column) {
            char text[64] = {};
            LVCOLUMNA info{};
            info.mask = LVCF_TEXT;
            info.pszText = text;
            info.cchTextMax = sizeof text;
            SendMessageA(Item(IDC_ENTRY_LIST), LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info));
            headings.push_back(text);
        }
        return headings;
    }
    std::vector<std::string> Column(int column) const
    {
        std::vector<std::string> cells;
        const HWND list = Item(IDC_ENTRY_LIST);
        const int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        for (int row = 0; row < rows; ++row) {
            char text[256] = {};
            LVITEMA item{};
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
            cells.push_back(text);
        }
        return cells;
    }
    int SelectedRow() const
    {
        return static_cast<int>(SendMessageA(Item(IDC_ENTRY_LIST), LVM_GETNEXTITEM, -1, LVNI_SELECTED));
    }

    HWND dialog;
};

using Names = std::vector<std::string>;

class MainDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        SetRegistryString(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                          "Startup", startup.Path());
        savedWinIni = WinIniPath;
        WinIniPath = folder / "startup.ini";
    }
    void TearDown() override { WinIniPath = savedWinIni; }

    // Runs the window; the script drives it and must end it.
    INT_PTR Run(std::function<void(Window&)> script)
    {
        answers.Run([script](HWND hwnd) {
            Window window(hwnd);
            script(window);
        });
        return dialog.DoModal();
    }
    // Queued before the window runs: the answers to what the script opens.
    DialogAnswerer& Then() { return answers; }

    ScratchRegistry scratch;
    TempFolder folder;
    TempFolder startup;
    std::string savedWinIni;
    DialogAnswerer answers;
    MainDialog dialog;
};

TEST_F(MainDialogTest, OpensOnTheRegistryTabWithNothingSelected)
{
    const INT_PTR result = Run([&](Window& window) {
        EXPECT_EQ("Bootwise", GetWindowTextOf(window.dialog));
        EXPECT_EQ(3, SendMessageA(window.Item(IDC_TABS), TCM_GETITEMCOUNT, 0, 0));
        EXPECT_EQ(0, window.Tab());
        const char* const headings[] = {"Registry Entries", "Shortcuts", ".Ini Files"};
        for (int tab = 0; tab < 3; ++tab) {
            char text[64] = {};
            TCITEMA item{};
            item.mask = TCIF_TEXT | TCIF_IMAGE;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendMessageA(window.Item(IDC_TABS), TCM_GETITEMA, tab, reinterpret_cast<LPARAM>(&item));
            EXPECT_STREQ(headings[tab], text);
            EXPECT_EQ(tab, item.iImage);
        }
        const HIMAGELIST images =
            reinterpret_cast<HIMAGELIST>(SendMessageA(window.Item(IDC_TABS), TCM_GETIMAGELIST, 0, 0));
        EXPECT_EQ(3, ImageList_GetImageCount(images));

        const Names names = window.Locations();
        ASSERT_EQ(7u, names.size());
        EXPECT_EQ("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", names[3]);
        EXPECT_EQ("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce\\Setup", names[4]);
        EXPECT_EQ(-1, window.SelectedLocation());
        EXPECT_EQ(-1, dialog.CurrentIndex());
        EXPECT_FALSE(window.LabelEnabled());
        EXPECT_TRUE(IsWindowVisible(window.Item(IDC_NT_ONLY)));
        EXPECT_EQ("Windows NT only", GetWindowTextOf(window.Item(IDC_NT_ONLY)));
        EXPECT_EQ(Names{"Executable"}, window.Columns());
        EXPECT_EQ(200, SendMessageA(window.Item(IDC_ENTRY_LIST), LVM_GETCOLUMNWIDTH, 0, 0));
        EXPECT_TRUE(window.Column(0).empty());
        EXPECT_EQ(window.Item(IDC_LOCATION_LIST), GetNextDlgTabItem(window.dialog, nullptr, FALSE))
            << "the list box is the first to take the focus";

        EXPECT_NE(0, SendMessageA(window.dialog, WM_GETICON, ICON_BIG, 0));
        EXPECT_NE(0, SendMessageA(window.dialog, WM_GETICON, ICON_SMALL, 0));
        EXPECT_NE(0, SendMessageA(window.dialog, WM_QUERYDRAGICON, 0, 0));

        const HMENU menu = GetSystemMenu(window.dialog, FALSE);
        const int items = GetMenuItemCount(menu);
        char text[64] = {};
        GetMenuStringA(menu, items - 1, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ("&About Bootwise", text);
        EXPECT_EQ(static_cast<UINT>(IDM_ABOUTBOX), GetMenuItemID(menu, items - 1));
        EXPECT_TRUE(GetMenuState(menu, items - 2, MF_BYPOSITION) & MF_SEPARATOR);
        window.Press(IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(0, answers.Unexpected());
}

TEST_F(MainDialogTest, TabsAndLocationsSwapColumnsWithoutPilingThemUp)
{
    Run([&](Window& window) {
        // Every location of the registry tab, one after the other.
        for (int line = 0; line < 7; ++line) {
            window.ChooseLocation(line);
            EXPECT_EQ(line, dialog.CurrentIndex());
            const Names expected = line < 5 ? Names{"Name", "Executable"} : Names{"Executable"};
            EXPECT_EQ(expected, window.Columns()) << line;
            EXPECT_EQ(line >= 5, window.LabelEnabled()) << line;
        }
        window.ChooseTab(1);
        EXPECT_EQ(1, window.Tab());
        EXPECT_EQ(Names{"Executable"}, window.Columns());
        EXPECT_EQ(2u, window.Locations().size());
        EXPECT_EQ(-1, window.SelectedLocation());
        EXPECT_EQ(-1, dialog.CurrentIndex());
        EXPECT_FALSE(window.LabelEnabled());
        EXPECT_EQ("Startup folder, current user  (" + NormalizeDirectory(startup.Path()) + ")",
                  window.Locations()[0]);

        window.ChooseLocation(1);
        EXPECT_EQ(8, dialog.CurrentIndex());
        EXPECT_TRUE(window.LabelEnabled()) << "the all-users folder is Windows NT's";
        EXPECT_EQ((Names{"Name", "Executable", "Parameters"}), window.Columns());
        window.ChooseLocation(0);
        EXPECT_FALSE(window.LabelEnabled());
        EXPECT_EQ((Names{"Name", "Executable", "Parameters"}), window.Columns());

        window.ChooseTab(2);
        EXPECT_EQ(Names{"Executable"}, window.Columns());
        window.ChooseLocation(1);
        EXPECT_EQ(10, dialog.CurrentIndex());
        EXPECT_EQ(Names{"Executable"}, window.Columns());
        window.ChooseTab(0);
        EXPECT_EQ(7u, window.Locations().size());
        window.Press(IDCANCEL);
    });
}

TEST_F(MainDialogTest, ButtonsDoNothingWithoutALocation)
{
    Run([&](Window& window) {
        window.Press(IDC_ADD);
        window.Press(IDC_EDIT);
        window.Press(IDC_DELETE);
        EXPECT_EQ(1u, answers.Seen().size()) << "no dialog but the window itself";
        window.Press(IDOK);
    });
    EXPECT_EQ(0, answers.Unexpected());
}

TEST_F(MainDialogTest, AddEditDeleteAndDoubleClickActOnTheCurrentLocation)
{
    SetRegistryString(HKEY_CURRENT_USER, kUserRun, "First", "first.exe");
    Run([&](Window& window) {
        window.ChooseLocation(2);
        EXPECT_EQ(Names{"First"}, window.Column(0));

        answers.Ok({{IDC_NAME, "Second"}, {IDC_EXECUTABLE, "second.exe"}});
        window.Press(IDC_ADD);
        EXPECT_EQ(2u, window.Column(0).size()) << "listed again after the change";
        EXPECT_EQ(Sz("second.exe"), ReadRegistryValue(HKEY_CURRENT_USER, kUserRun, "Second").bytes);

        // A result of 0 leaves rows and selection as they were.
        const int row = window.Column(0)[0] == "First" ? 0 : 1;
        window.SelectRow(row);
        answers.Cancel({{IDC_EXECUTABLE, "changed.exe"}});
        window.Press(IDC_EDIT);
        EXPECT_EQ(row, window.SelectedRow());
        EXPECT_EQ(2u, window.Column(0).size());
        answers.Press(IDNO);
        window.Press(IDC_DELETE);
        EXPECT_EQ(row, window.SelectedRow());

        answers.Ok({{IDC_EXECUTABLE, "edited.exe"}});
        window.DoubleClickRow(row);
        EXPECT_EQ(Sz("edited.exe"), ReadRegistryValue(HKEY_CURRENT_USER, kUserRun, "First").bytes);
        EXPECT_EQ((Names{"Name", "Executable"}), window.Columns()) << "columns stay";

        const int first = window.Column(0)[0] == "First" ? 0 : 1;
        window.SelectRow(first);
        answers.Press(IDYES);
        window.Press(IDC_DELETE);
        EXPECT_EQ(Names{"Second"}, window.Column(0));
        EXPECT_FALSE(RegistryValueExists(HKEY_CURRENT_USER, kUserRun, "First"));
        window.Press(IDOK);
    });
    EXPECT_EQ(0, answers.Unexpected());
    EXPECT_EQ(0u, answers.Pending());
}

TEST_F(MainDialogTest, TheAboutBoxOpensFromTheButtonAndTheSystemMenu)
{
    Run([&](Window& window) {
        answers.Press(IDOK).Key(VK_ESCAPE).Press(IDCANCEL).Press(IDOK);
        window.Press(IDC_ABOUT);
        SendMessageA(window.dialog, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        // The close box of the About box.
        SendMessageA(window.dialog, WM_SYSCOMMAND, IDM_ABOUTBOX + 15, 0);
        SendMessageA(window.dialog, WM_SYSCOMMAND, IDM_ABOUTBOX + 1, 0);
        window.Press(IDOK);
    });
    ASSERT_EQ(5u, answers.Seen().size());
    for (size_t i = 1; i < 5; ++i) {
        const SeenDialog& about = answers.Seen()[i];
        EXPECT_EQ("About Bootwise", about.caption);
        EXPECT_TRUE(about.Shows("This program allows you to view and configure all the programs that Windows NT "
                                "and Windows 95 will run at startup."));
    }
    EXPECT_EQ(0u, answers.Pending());
    EXPECT_EQ(0, answers.Unexpected());
}

TEST_F(MainDialogTest, QuitEnterEscapeAndTheCloseBoxEndTheWindow)
{
    struct Ending {
        const char* name;
        std::function<void(Window&)> act;
        INT_PTR result;
    };
    const Ending endings[] = {
        {"Quit", [](Window& w) { w.Press(IDOK); }, IDOK},
        {"Enter", [](Window& w) { PostMessageA(w.Item(IDC_LOCATION_LIST), WM_KEYDOWN, VK_RETURN, 1); }, IDOK},
        {"Escape", [](Window& w) { PostMessageA(w.Item(IDC_LOCATION_LIST), WM_KEYDOWN, VK_ESCAPE, 1); }, IDCANCEL},
        {"close box", [](Window& w) { PostMessageA(w.dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }, IDCANCEL},
    };
    for (const Ending& ending : endings) {
        MainDialog another;
        answers.Run([&](HWND hwnd) {
            Window window(hwnd);
            ending.act(window);
        });
        EXPECT_EQ(ending.result, another.DoModal()) << ending.name;
    }
}

} // namespace
