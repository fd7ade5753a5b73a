#include "Benchmarks.h"

#include "framework/CListCtrl.h"
#include "locations/CatalogueEntries.h"
#include "system/ShortcutInfo.h"

#include <shlobj.h>

#include <cstdio>
#include <cstring>

namespace {

std::string Numbered(const char* pattern, int number)
{
    char text[256];
    std::snprintf(text, sizeof text, pattern, number, number);
    return text;
}

void Fail(const std::string& what)
{
    std::fprintf(stderr, "bench: %s\n", what.c_str());
    ExitProcess(3);
}

void AppendCells(HWND list, int row, const char* first, const char* second, const char* third)
{
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<char*>(first);
    const int inserted = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    LVITEMA cell{};
    cell.iSubItem = 1;
    cell.pszText = const_cast<char*>(second);
    SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(inserted), reinterpret_cast<LPARAM>(&cell));
    if (third) {
        cell.iSubItem = 2;
        cell.pszText = const_cast<char*>(third);
        SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(inserted), reinterpret_cast<LPARAM>(&cell));
    }
}

// The least the platform needs for the same rows: one enumeration of the key
// into buffers sized once for its longest name and data, each row put in with
// the list's drawing off.
void BareRunKeyFill(HWND list)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKeyPaths[0], 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return;
    DWORD longestName = 0;
    DWORD longestData = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longestName, &longestData,
                     nullptr, nullptr);
    std::string name(2 * longestName + 2, '\0');
    std::string data(2 * longestData + 2, '\0');
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD dataLength = static_cast<DWORD>(data.size() - 1);
        DWORD type = REG_NONE;
        if (RegEnumValueA(key, index, name.data(), &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                          &dataLength) != ERROR_SUCCESS)
            break;
        data[dataLength] = '\0';
        AppendCells(list, static_cast<int>(index), name.c_str(), data.c_str(), nullptr);
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    RegCloseKey(key);
}

// The same for a folder of shortcuts: one COM initialisation and one link
// object for the whole folder, only path and arguments asked for.
void BareStartupFolderFill(HWND list, const std::string& folder)
{
    if (FAILED(CoInitialize(nullptr)))
        return;
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        SendMessageA(list, WM_SETREDRAW, FALSE, 0);
        WIN32_FIND_DATAA found;
        const HANDLE search = FindFirstFileA((folder + "\\*.lnk").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            wchar_t widePath[MAX_PATH];
            const int prefixLength =
                MultiByteToWideChar(CP_ACP, 0, (folder + "\\").c_str(), -1, widePath, MAX_PATH) - 1;
            char target[MAX_PATH];
            char arguments[INFOTIPSIZE];
            int row = 0;
            do {
                MultiByteToWideChar(CP_ACP, 0, found.cFileName, -1, widePath + prefixLength, MAX_PATH - prefixLength);
                target[0] = arguments[0] = '\0';
                if (SUCCEEDED(file->Load(widePath, STGM_READ))) {
                    link->GetPath(target, sizeof target, nullptr, SLGP_UNCPRIORITY);
                    link->GetArguments(arguments, sizeof arguments);
                }
                if (char* dot = std::strrchr(found.cFileName, '.'))
                    *dot = '\0';
                AppendCells(list, row++, found.cFileName, target, arguments);
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    }
    if (file)
        file->Release();
    if (link)
        link->Release();
    CoUninitialize();
}

// Every fill must leave the whole key or folder in the list, or its time
// means nothing.
void CheckRows(HWND list, int expected, const char* what)
{
    const int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    if (rows != expected)
        Fail(std::string(what) + ": " + std::to_string(rows) + " rows listed, " + std::to_string(expected) +
             " expected");
}

} // namespace

Timing RunKeyFill(int values)
{
    RegistrySandbox sandbox;
    HKEY key = nullptr;
    if (RegCreateKeyA(HKEY_CURRENT_USER, kRunKeyPaths[0], &key) != ERROR_SUCCESS)
        Fail("cannot create the Run key");
    for (int number = 1; number <= values; ++number) {
        const std::string name = Numbered("Entry %05d", number);
        const std::string command = Numbered("C:\\Program Files\\Vendor %05d\\program%05d.exe /background", number);
        RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                       static_cast<DWORD>(command.size() + 1));
    }
    RegCloseKey(key);

    ListHost host;
    CListCtrl list;
    list.Attach(host.List());
    list.InsertColumn(0, "Executable", LVCFMT_LEFT, 200, -1);
    UserRunKey location;
    location.SetupColumns(&list);

    // Emptied before each fill, as the main window does, but not timed.
    auto empty = [&] {
        const int rows = list.GetItemCount();
        if (rows != 0 && rows != values)
            Fail("Run key fill listed " + std::to_string(rows) + " rows of " + std::to_string(values));
        list.DeleteAllItems();
        host.Settle();
    };
    Timing timing;
    TimePair(timing.bootwise, [&] { location.Fill(&list); }, timing.floor, [&] { BareRunKeyFill(host.List()); },
             empty);
    CheckRows(host.List(), values, "Run key fill");
    return timing;
}

Timing StartupFolderFill(int shortcuts)
{
    ScratchFolder folder("startup-" + std::to_string(shortcuts));
    for (int number = 1; number <= shortcuts; ++number) {
        ShortcutInfo info{};
        CopyToField(info.targetPath, "C:\\windows\\system32\\notepad.exe");
        CopyToField(info.arguments, Numbered("/entry %05d", number));
        info.showCommand = SW_SHOW;
        const std::string file = folder.Path() + "\\" + Numbered("Program %05d.lnk", number);
        if (!info.CreateLink(file.c_str()))
            Fail("cannot write " + file);
    }

    ListHost host;
    CListCtrl list;
    list.Attach(host.List());
    list.InsertColumn(0, "Executable", LVCFMT_LEFT, 200, -1);
    UserStartupFolder location(folder.Path());
    location.SetupColumns(&list);

    auto empty = [&] {
        const int rows = list.GetItemCount();
        if (rows != 0 && rows != shortcuts)
            Fail("Startup folder fill listed " + std::to_string(rows) + " rows of " + std::to_string(shortcuts));
        if (rows && list.GetItemText(rows - 1, 1).empty())
            Fail("a shortcut did not load");
        list.DeleteAllItems();
        host.Settle();
    };
    Timing timing;
    TimePair(timing.bootwise, [&] { location.Fill(&list); }, timing.floor,
             [&] { BareStartupFolderFill(host.List(), folder.Path()); }, empty);
    CheckRows(host.List(), shortcuts, "Startup folder fill");
    return timing;
}
