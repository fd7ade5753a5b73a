#include "MainDialog.h"

#include "app/AboutBox.h"
#include "framework/CWinApp.h"
#include "resources/resource.h"

namespace {

const char* const kTabHeadings[3] = {"Registry Entries", "Shortcuts", ".Ini Files"};
// The tab images, in tab order.
const int kTabBitmaps[3] = {IDB_REGISTRY, IDB_SHORTCUTS, IDB_INI_FILES};

} // namespace

MainDialog::MainDialog(CWnd* parent) : CDialog(IDD_MAIN, parent)
{
    icon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    catalogueCount = BuildCatalogue(catalogue);
}

MainDialog::~MainDialog() = default;

void MainDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_NT_ONLY, ntOnlyLabel);
    DDX_Control(pDX, IDC_TABS, tabs);
    DDX_Control(pDX, IDC_LOCATION_LIST, locationList);
    DDX_Control(pDX, IDC_ENTRY_LIST, entryList);
}

BOOL MainDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText("Bootwise");

    const HMENU systemMenu = GetSystemMenu(FALSE);
    char aboutText[64] = {};
    ::LoadStringA(AfxGetResourceHandle(), IDS_ABOUTBOX, aboutText, sizeof aboutText);
    if (systemMenu && aboutText[0]) {
        ::AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuA(systemMenu, MF_STRING, IDM_ABOUTBOX, aboutText);
    }

    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));

    tabImages.Create(16, 16, 0, 3, 0);
    for (const int id : kTabBitmaps) {
        const HBITMAP bitmap = ::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id));
        tabImages.Add(bitmap, bitmap);
        ::DeleteObject(bitmap);
    }
    tabs.SetImageList(tabImages.GetSafeHandle());
    for (int tab = 0; tab < 3; ++tab)
        tabs.InsertItem(TCIF_TEXT | TCIF_IMAGE, tab, kTabHeadings[tab], tab);

    entryList.InsertColumn(0, "Executable", LVCFMT_LEFT, 200, -1);
    OnTabChanged();
    return TRUE;
}

BOOL MainDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (id == IDC_LOCATION_LIST) {
        if (code == LBN_SELCHANGE)
            OnLocationChanged();
        return TRUE;
    }
    if (code == BN_CLICKED) {
        switch (id) {
        case IDC_ADD:
            OnAdd();
            return TRUE;
        case IDC_EDIT:
            OnEdit();
            return TRUE;
        case IDC_DELETE:
            OnDelete();
            return TRUE;
        case IDC_ABOUT:
            ShowAboutBox();
            return TRUE;
        default:
            break;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

BOOL MainDialog::OnNotify(WPARAM, LPARAM lParam, LRESULT* result)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->idFrom == IDC_ENTRY_LIST && header->code == NM_DBLCLK) {
        OnEdit();
        *result = 0;
        return TRUE;
    }
    if (header->idFrom == IDC_TABS && header->code == TCN_SELCHANGE) {
        OnTabChanged();
        *result = 0;
        return TRUE;
    }
    return FALSE;
}

BOOL MainDialog::OnMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR* result)
{
    switch (message) {
    case WM_SYSCOMMAND:
        // IDs 16 to 31 all open the About box; everything else is the system's.
        if ((wParam & 0xFFF0) != IDM_ABOUTBOX)
            return FALSE;
        ShowAboutBox();
        *result = TRUE;
        return TRUE;
    case WM_PAINT:
        if (!OnPaint())
            return FALSE;
        *result = TRUE;
        return TRUE;
    case WM_QUERYDRAGICON:
        *result = reinterpret_cast<INT_PTR>(icon);
        return TRUE;
    default:
        return FALSE;
    }
}

void MainDialog::OnTabChanged()
{
    const int tab = tabs.GetCurSel();
    // The tab control always has a current tab once its three are in; should
    // it ever report none, show the first group rather than read past the table.
    const LocationGroup& group = kLocationGroups[tab >= 0 && tab < 3 ? tab : 0];
    groupBase = group.first;

    locationList.ResetContent();
    for (int index = group.first; index < group.first + group.count; ++index)
        locationList.AddString(catalogue[index]->GetName());
    ntOnlyLabel.EnableWindow(FALSE);
    OnLocationChanged();
}

void MainDialog::OnLocationChanged()
{
    if (currentIndex != -1) {
        catalogue[currentIndex]->RemoveColumns(&entryList);
        entryList.DeleteAllItems();
    }
    currentIndex = locationList.GetCurSel();
    if (currentIndex == -1)
        return;
    currentIndex += groupBase;
    StartupLocation& location = *catalogue[currentIndex];
    ntOnlyLabel.EnableWindow(location.IsNtOnly());
    location.SetupColumns(&entryList);
    location.Fill(&entryList);
}

void MainDialog::OnAdd()
{
    if (currentIndex != -1)
        Refill(catalogue[currentIndex]->Add());
}

void MainDialog::OnEdit()
{
    if (currentIndex != -1)
        Refill(catalogue[currentIndex]->Edit(&entryList));
}

void MainDialog::OnDelete()
{
    if (currentIndex != -1)
        Refill(catalogue[currentIndex]->Delete(&entryList));
}

void MainDialog::Refill(int result)
{
    if (!result)
        return;
    entryList.DeleteAllItems();
    catalogue[currentIndex]->Fill(&entryList);
}

BOOL MainDialog::OnPaint()
{
    if (!IsIconic())
        return FALSE;
    PAINTSTRUCT paint;
    const HDC dc = ::BeginPaint(m_hWnd, &paint);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc));
    const int iconWidth = ::GetSystemMetrics(SM_CXICON);
    const int iconHeight = ::GetSystemMetrics(SM_CYICON);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const int x = (client.right - client.left - iconWidth + 1) / 2;
    const int y = (client.bottom - client.top - iconHeight + 1) / 2;
    ::DrawIcon(dc, x, y, icon);
    ::EndPaint(m_hWnd, &paint);
    return TRUE;
}
