// The main window over stores full of what damage and other programs leave:
// every location of every tab is chosen, listed, and left as it was.
#include "system/PathHelpers.h"
#include "ui/MainDialog.h"

#include "DialogAnswerer.h"
#include "RobustnessSupport.h"
#include "ScratchRegistry.h"
#include "TempFolder.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

namespace {

const char* const kUserRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const kMachineRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const kNtKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

int Rows(HWND dialog)
{
    return static_cast<int>(SendDlgItemMessageA(dialog, IDC_ENTRY_LIST, LVM_GETITEMCOUNT, 0, 0));
}

void Choose(HWND dialog, int tab, int line)
{
    const HWND tabs = GetDlgItem(dialog, IDC_TABS);
    SendMessageA(tabs, TCM_SETCURFOCUS, tab, 0);
    const HWND locations = GetDlgItem(dialog, IDC_LOCATION_LIST);
    SendMessageA(locations, LB_SETCURSEL, line, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_LOCATION_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(locations));
}

TEST(WindowInputTest, EveryLocationListsWhatIsThereWhateverItHolds)
{
    ScratchRegistry scratch;
    TempFolder folder;
    TempFolder startup;
    ScratchWinIni ini(folder / "startup.ini");

    // The user's Run key: a megabyte of command, the longest name, numbers,
    // bytes, and a name with no ANSI form, between ordinary entries.
    SetRegistryString(HKEY_CURRENT_USER, kUserRun, "before", "a.exe");
    SetRegistryString(HKEY_CURRENT_USER, kUserRun, "huge", std::string(1 << 20, 'h'));
    SetRegistryString(HKEY_CURRENT_USER, kUserRun, std::string(16383, 'n'), "long name.exe");
    SetRegistryValue(HKEY_CURRENT_USER, kUserRun, "number", REG_DWORD, std::string("\x10\0\0\0", 4));
    SetRegistryValue(HKEY_CURRENT_USER, kUserRun, "bytes", REG_BINARY, PatternBytes(64 * 1024));
    SetWideValue(HKEY_CURRENT_USER, kUserRun, L"\x4e2d", REG_SZ, WideBytes(L"c:\\\x6587.exe"));
    SetRegistryString(HKEY_CURRENT_USER, kUserRun, "after", "b.exe");
    // The machine's Run key is there but empty; the others are missing.
    CreateEmptyKey(HKEY_LOCAL_MACHINE, kMachineRun);
    SetRegistryValue(HKEY_CURRENT_USER, kNtKey, "run", REG_BINARY, PatternBytes(300));
    SetRegistryString(HKEY_CURRENT_USER, kNtKey, "load", PatternText(65536));
    WriteFileBytes(folder / "startup.ini",
                   Bytes("\0\xff\r\n[windows]\r\nrun=a.exe\0b.exe\r\nload=") + std::string(5000, 'x') + "\r\n");
    SetRegistryString(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                      "Startup", startup.Path());
    WriteFileBytes(startup / "empty.lnk", "");
    WriteFileBytes(startup / "random.lnk", PatternBytes(500));
    CreateDirectoryA((startup / "folder.lnk").c_str(), nullptr);
    WriteWideShortcut(startup / "fine.lnk", L"c:\\windows\\notepad.exe", L"/x");

    const KeySnapshot userRun = SnapshotKey(HKEY_CURRENT_USER, kUserRun);
    const KeySnapshot nt = SnapshotKey(HKEY_CURRENT_USER, kNtKey);
    const FolderSnapshot files = SnapshotFolder(startup.Path());
    const std::string iniBytes = ReadFileBytes(folder / "startup.ini");

    // What each location lists, in catalogue order.
    const int longLine = static_cast<int>(LinePieces(PatternText(65536)).size());
    const int expected[11] = {0, 0, 7, 0, 0, 0, longLine, 4, 0, 1, 1};
    int listed[11] = {};
    DialogAnswerer answers;
    MainDialog dialog;
    answers.Run([&](HWND window) {
        for (int tab = 0; tab < 3; ++tab) {
            const int first = tab == 0 ? 0 : tab == 1 ? 7 : 9;
            const int count = tab == 0 ? 7 : 2;
            for (int line = 0; line < count; ++line) {
                Choose(window, tab, line);
                listed[first + line] = Rows(window);
                // No row is selected: the buttons ask nothing and change nothing.
                Click(window, IDC_EDIT);
                Click(window, IDC_DELETE);
            }
        }
        Click(window, IDOK);
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
    for (int index = 0; index < 11; ++index)
        EXPECT_EQ(expected[index], listed[index]) << "location " << index;
    EXPECT_EQ(1u, answers.Seen().size()) << "nothing but the window came up";
    EXPECT_TRUE(userRun == SnapshotKey(HKEY_CURRENT_USER, kUserRun)) << "listing wrote";
    EXPECT_TRUE(nt == SnapshotKey(HKEY_CURRENT_USER, kNtKey)) << "listing wrote";
    EXPECT_TRUE(files == SnapshotFolder(startup.Path())) << "listing wrote";
    EXPECT_EQ(iniBytes, ReadFileBytes(folder / "startup.ini")) << "listing wrote";
}

} // namespace
