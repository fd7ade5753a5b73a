// Prepares a Windows system for showing Bootwise: sample entries in every
// place it knows. With --show, it then waits for Bootwise's window, picks a
// location that has entries, and prints the window's rectangle for a
// screenshot; with --close, it closes the window.
#include "system/PathHelpers.h"
#include "system/ShortcutInfo.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const char* const kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const kRunOnce = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const char* const kSetup = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce\\Setup";
const char* const kNtWindows = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

bool SetValue(HKEY root, const char* key, const char* name, DWORD type, const std::string& data)
{
    HKEY opened;
    if (RegCreateKeyA(root, key, &opened) != ERROR_SUCCESS)
        return false;
    const LONG status = RegSetValueExA(opened, name, 0, type, reinterpret_cast<const BYTE*>(data.c_str()),
                                       static_cast<DWORD>(data.size() + 1));
    RegCloseKey(opened);
    return status == ERROR_SUCCESS;
}

bool MakeShortcut(const std::string& folder, const char* name, const char* target, const char* arguments)
{
    ShortcutInfo info{};
    CopyToField(info.targetPath, target);
    CopyToField(info.arguments, arguments);
    info.showCommand = SW_SHOW;
    return info.CreateLink(JoinPath(folder, std::string(name) + ".lnk").c_str());
}

void MakeFolders(const std::string& path)
{
    for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
    CreateDirectoryA(path.c_str(), nullptr);
}

int Seed()
{
    // The programs named in registry entries do not exist: Wine itself runs
    // Run and RunOnce entries when a session starts (and then deletes the
    // RunOnce ones). Shortcuts point at programs that come with Wine.
    bool ok = true;
    ok &= SetValue(HKEY_LOCAL_MACHINE, kRun, "Contoso Updater", REG_SZ,
                   "\"C:\\Program Files\\Contoso\\updater.exe\" /background");
    ok &= SetValue(HKEY_LOCAL_MACHINE, kRun, "Security Tray", REG_EXPAND_SZ, "%windir%\\system32\\sectray.exe");
    ok &= SetValue(HKEY_LOCAL_MACHINE, kRunOnce, "Finish Driver Setup", REG_SZ,
                   "c:\\drivers\\finish.exe /install");
    ok &= SetValue(HKEY_CURRENT_USER, kRun, "Clipboard Helper", REG_SZ, "c:\\tools\\cliphelp.exe /tray");
    ok &= SetValue(HKEY_CURRENT_USER, kRun, "Quick Notes", REG_SZ, "\"C:\\Program Files\\QuickNotes\\notes.exe\" -min");
    ok &= SetValue(HKEY_CURRENT_USER, kRun, "Volume Keys", REG_SZ, "c:\\tools\\volkeys.exe");
    ok &= SetValue(HKEY_CURRENT_USER, kRunOnce, "Tidy Downloads", REG_SZ, "c:\\tools\\tidy.exe --once");
    ok &= SetValue(HKEY_LOCAL_MACHINE, kSetup, "Display Driver", REG_SZ, "c:\\drivers\\display\\setup.exe /quiet");
    // Windows NT keeps win.ini's [windows] section here too: these two are
    // also what the .Ini Files tab shows.
    ok &= SetValue(HKEY_CURRENT_USER, kNtWindows, "run", REG_SZ, "c:\\tools\\clock.exe c:\\tools\\mailcheck.exe");
    ok &= SetValue(HKEY_CURRENT_USER, kNtWindows, "load", REG_SZ, "c:\\tools\\notify.exe");
    WritePrivateProfileStringA("windows", "run", "c:\\tools\\clock.exe c:\\tools\\mailcheck.exe", WinIniPath.c_str());
    WritePrivateProfileStringA("windows", "load", "c:\\tools\\notify.exe", WinIniPath.c_str());

    const std::string user = GetCurrentUserStartupFolder();
    const std::string allUsers = GetAllUsersStartupFolder();
    MakeFolders(user);
    MakeFolders(allUsers);
    ok &= MakeShortcut(user, "Notepad", "c:\\windows\\notepad.exe", "c:\\users\\public\\todo.txt");
    ok &= MakeShortcut(user, "Task Manager", "c:\\windows\\system32\\taskmgr.exe", "");
    ok &= MakeShortcut(allUsers, "Minesweeper", "c:\\windows\\system32\\winemine.exe", "");
    ok &= MakeShortcut(allUsers, "Registry Editor", "c:\\windows\\regedit.exe", "");
    std::printf("seeded the demo system%s\n", ok ? "" : " (some entries could not be written)");
    return ok ? 0 : 1;
}

HWND WaitForBootwise()
{
    for (int tries = 0; tries < 1000; ++tries) {
        const HWND window = FindWindowA("#32770", "Bootwise");
        if (window && IsWindowVisible(window))
            return window;
        Sleep(20);
    }
    return nullptr;
}

int Show()
{
    const HWND window = WaitForBootwise();
    if (!window) {
        std::fprintf(stderr, "Bootwise's window did not come up\n");
        return 1;
    }
    // The user's own Run key, as a user would pick it.
    const HWND locations = GetDlgItem(window, 1013);
    SendMessageA(locations, LB_SETCURSEL, 2, 0);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(1013, LBN_SELCHANGE), reinterpret_cast<LPARAM>(locations));
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT rect;
    GetWindowRect(window, &rect);
    std::printf("%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top, rect.left, rect.top);
    return 0;
}

int Close()
{
    const HWND window = FindWindowA("#32770", "Bootwise");
    if (window)
        PostMessageA(window, WM_COMMAND, IDOK, 0);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--show") == 0)
        return Show();
    if (argc > 1 && std::strcmp(argv[1], "--close") == 0)
        return Close();
    return Seed();
}
