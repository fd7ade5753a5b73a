// Bootwise.exe itself: what it carries, and the program run as a user runs it.
#include "resources/resource.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::string ExePath()
{
    std::string path = "Z:" BOOTWISE_EXE;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

class ExeResources : public testing::Test {
protected:
    void SetUp() override
    {
        module = LoadLibraryExA(ExePath().c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE | LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(nullptr, module) << ExePath();
    }
    void TearDown() override { FreeLibrary(module); }

    std::string Resource(LPCSTR type, int id)
    {
        const HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
        if (!found)
            return {};
        const void* data = LockResource(LoadResource(module, found));
        return std::string(static_cast<const char*>(data), SizeofResource(module, found));
    }

    HMODULE module = nullptr;
};

TEST_F(ExeResources, DialogsStringIconAndBitmaps)
{
    for (const int dialog : {IDD_ABOUTBOX, IDD_MAIN, IDD_PROMPT, IDD_SHORTCUT, IDD_NAME_EXEC})
        EXPECT_FALSE(Resource(RT_DIALOG, dialog).empty()) << dialog;

    char text[64] = {};
    EXPECT_LT(0, LoadStringA(module, IDS_ABOUTBOX, text, sizeof text));
    EXPECT_STREQ("&About Bootwise", text);

    // One icon, 32 x 32 in 16 colours; it is the first icon group, so the file's icon.
    const std::string group = Resource(RT_GROUP_ICON, IDR_MAINFRAME);
    ASSERT_GE(group.size(), 6u + 14u);
    EXPECT_EQ(1, group[4]) << "images in the group";
    EXPECT_EQ(32, static_cast<unsigned char>(group[6]));
    EXPECT_EQ(32, static_cast<unsigned char>(group[7]));
    EXPECT_EQ(16, static_cast<unsigned char>(group[8]));

    for (const int bitmap : {IDB_INI_FILES, IDB_REGISTRY, IDB_SHORTCUTS}) {
        const std::string data = Resource(RT_BITMAP, bitmap);
        ASSERT_GE(data.size(), sizeof(BITMAPINFOHEADER)) << bitmap;
        BITMAPINFOHEADER header;
        std::memcpy(&header, data.data(), sizeof header);
        EXPECT_EQ(16, header.biWidth) << bitmap;
        EXPECT_EQ(16, header.biHeight) << bitmap;
        EXPECT_EQ(4, header.biBitCount) << bitmap;
    }
}

TEST_F(ExeResources, ManifestAsksForTodaysControlsAndNoElevation)
{
    const std::string manifest = Resource(MAKEINTRESOURCEA(24), 1);
    EXPECT_NE(std::string::npos, manifest.find("Microsoft.Windows.Common-Controls"));
    EXPECT_NE(std::string::npos, manifest.find("version=\"6.0.0.0\""));
    EXPECT_NE(std::string::npos, manifest.find("level=\"asInvoker\""));
    EXPECT_NE(std::string::npos, manifest.find("<dpiAware"));
}

std::string VersionString(const std::vector<char>& block, const char* name)
{
    char* value = nullptr;
    UINT length = 0;
    const std::string query = std::string("\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length))
        return "(missing)";
    return std::string(value, length ? length - 1 : 0);
}

TEST(ExeVersion, VersionBlock)
{
    const std::string exe = ExePath();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(exe.c_str(), &ignored);
    ASSERT_NE(0u, size);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(MAKELONG(0, 1), fixed->dwFileVersionMS);
    EXPECT_EQ(MAKELONG(1, 0), fixed->dwFileVersionLS);
    EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);
    EXPECT_EQ(fixed->dwFileVersionLS, fixed->dwProductVersionLS);
    EXPECT_EQ(0u, fixed->dwFileFlags);
    EXPECT_EQ(static_cast<DWORD>(VOS__WINDOWS32), fixed->dwFileOS);
    EXPECT_EQ(static_cast<DWORD>(VFT_APP), fixed->dwFileType);

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                               &length));
    EXPECT_EQ(0x0409, translation[0]);
    EXPECT_EQ(0x04B0, translation[1]);

    EXPECT_EQ("", VersionString(block, "CompanyName"));
    EXPECT_EQ("Bootwise", VersionString(block, "FileDescription"));
    EXPECT_EQ("1, 0, 0, 1", VersionString(block, "FileVersion"));
    EXPECT_EQ("Bootwise", VersionString(block, "InternalName"));
    EXPECT_EQ("Bootwise.exe", VersionString(block, "OriginalFilename"));
    EXPECT_EQ("Bootwise", VersionString(block, "ProductName"));
    EXPECT_EQ("1, 0, 0, 1", VersionString(block, "ProductVersion"));
    EXPECT_NE("(missing)", VersionString(block, "LegalCopyright"));
}

TEST(ExeImports, OnlyLibrariesWindowsItselfHas)
{
    const HMODULE mapped = LoadLibraryExA(ExePath().c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(nullptr, mapped);
    // The low bits of such a handle mark how it was mapped.
    const auto* base = reinterpret_cast<const BYTE*>(reinterpret_cast<ULONG_PTR>(mapped) & ~ULONG_PTR{3});
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    ASSERT_NE(0u, imports.VirtualAddress);
    char system[MAX_PATH];
    GetSystemDirectoryA(system, sizeof system);
    int count = 0;
    for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); entry->Name;
         ++entry, ++count) {
        const std::string name = reinterpret_cast<const char*>(base + entry->Name);
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((std::string(system) + "\\" + name).c_str()))
            << name << " is not a library of the system";
    }
    EXPECT_GT(count, 3);
    FreeLibrary(mapped);
}

// Bootwise.exe started as a separate process, and its windows found from here.
class RunningBootwise {
public:
    RunningBootwise()
    {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string command = "\"" + ExePath() + "\"";
        EXPECT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                   &process));
        main = WaitForWindow([](HWND window) { return GetDlgItem(window, IDC_TABS) != nullptr; });
    }
    ~RunningBootwise()
    {
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }

    // A visible dialog of the program that the test accepts, within ten seconds.
    template <typename Test>
    HWND WaitForWindow(Test test)
    {
        for (int tries = 0; tries < 1000; ++tries) {
            struct Search {
                DWORD id;
                Test* test;
                HWND found;
            } search{process.dwProcessId, &test, nullptr};
            EnumWindows(
                [](HWND window, LPARAM lParam) {
                    auto* s = reinterpret_cast<Search*>(lParam);
                    DWORD owner = 0;
                    GetWindowThreadProcessId(window, &owner);
                    char name[16] = {};
                    GetClassNameA(window, name, sizeof name);
                    if (owner == s->id && IsWindowVisible(window) && std::strcmp(name, "#32770") == 0 &&
                        (*s->test)(window)) {
                        s->found = window;
                        return FALSE;
                    }
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&search));
            if (search.found)
                return search.found;
            Sleep(10);
        }
        ADD_FAILURE() << "no such window of Bootwise.exe came up";
        return nullptr;
    }
    DWORD WaitForExit()
    {
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 10000)) << "the program did not end";
        DWORD code = 999;
        GetExitCodeProcess(process.hProcess, &code);
        return code;
    }

    PROCESS_INFORMATION process{};
    HWND main = nullptr;
};

TEST(BootwiseExe, EveryWayOfClosingTheWindowEndsTheProgram)
{
    struct Ending {
        const char* name;
        void (*act)(HWND);
    };
    const Ending endings[] = {
        {"Quit", [](HWND w) { PostMessageA(w, WM_COMMAND, IDOK, 0); }},
        {"Enter", [](HWND w) { PostMessageA(GetDlgItem(w, IDC_LOCATION_LIST), WM_KEYDOWN, VK_RETURN, 1); }},
        {"Escape", [](HWND w) { PostMessageA(GetDlgItem(w, IDC_LOCATION_LIST), WM_KEYDOWN, VK_ESCAPE, 1); }},
        {"close box", [](HWND w) { PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const Ending& ending : endings) {
        RunningBootwise bootwise;
        ASSERT_NE(nullptr, bootwise.main) << ending.name;
        char caption[32] = {};
        GetWindowTextA(bootwise.main, caption, sizeof caption);
        EXPECT_STREQ("Bootwise", caption);
        ending.act(bootwise.main);
        EXPECT_EQ(0u, bootwise.WaitForExit()) << ending.name;
        EXPECT_FALSE(IsWindow(bootwise.main)) << ending.name;
    }
}

// The program changes the prefix's own registry here: it runs in a process
// of its own, where the test cannot redirect it. The value is the test's own
// and goes again at the end.
TEST(BootwiseExe, AnEntryAddedInTheWindowIsInTheRegistry)
{
    const char* const key = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    const std::string name = "BootwiseTest" + std::to_string(GetCurrentProcessId());
    RunningBootwise bootwise;
    ASSERT_NE(nullptr, bootwise.main);

    // The user's Run key: the third line of the first tab.
    const HWND locations = GetDlgItem(bootwise.main, IDC_LOCATION_LIST);
    SendMessageA(locations, LB_SETCURSEL, 2, 0);
    SendMessageA(bootwise.main, WM_COMMAND, MAKEWPARAM(IDC_LOCATION_LIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(locations));
    PostMessageA(bootwise.main, WM_COMMAND, MAKEWPARAM(IDC_ADD, BN_CLICKED), 0);
    const HWND add = bootwise.WaitForWindow([](HWND window) { return GetDlgItem(window, IDC_NAME) != nullptr; });
    ASSERT_NE(nullptr, add);
    SetDlgItemTextA(add, IDC_NAME, name.c_str());
    SetDlgItemTextA(add, IDC_EXECUTABLE, "c:\\windows\\notepad.exe /b");
    PostMessageA(add, WM_COMMAND, IDOK, 0);
    // The program writes once its dialog has gone; give it the moment it takes.
    char value[64] = {};
    DWORD size = sizeof value;
    LONG status = ERROR_FILE_NOT_FOUND;
    for (int tries = 0; tries < 500 && status != ERROR_SUCCESS; ++tries) {
        Sleep(10);
        size = sizeof value;
        status = RegGetValueA(HKEY_CURRENT_USER, key, name.c_str(), RRF_RT_REG_SZ, nullptr, value, &size);
    }
    EXPECT_EQ(ERROR_SUCCESS, status);
    EXPECT_STREQ("c:\\windows\\notepad.exe /b", value);
    EXPECT_LT(0, SendMessageA(GetDlgItem(bootwise.main, IDC_ENTRY_LIST), LVM_GETITEMCOUNT, 0, 0));

    // Delete asks first, in a box that carries the program's name.
    const HWND list = GetDlgItem(bootwise.main, IDC_ENTRY_LIST);
    RECT header;
    GetWindowRect(FindWindowExA(list, nullptr, "SysHeader32", nullptr), &header);
    const LPARAM firstRow = MAKELPARAM(20, header.bottom - header.top + 4);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, firstRow);
    PostMessageA(list, WM_LBUTTONUP, 0, firstRow);
    PostMessageA(bootwise.main, WM_COMMAND, MAKEWPARAM(IDC_DELETE, BN_CLICKED), 0);
    const HWND box = bootwise.WaitForWindow([](HWND window) {
        char text[64] = {};
        GetWindowTextA(window, text, sizeof text);
        return std::strcmp(text, "Bootwise") == 0 && GetDlgItem(window, IDC_TABS) == nullptr;
    });
    ASSERT_NE(nullptr, box);
    PostMessageA(box, WM_COMMAND, IDNO, 0);
    for (int tries = 0; tries < 500 && IsWindow(box); ++tries)
        Sleep(10);
    size = sizeof value;
    EXPECT_EQ(ERROR_SUCCESS, RegGetValueA(HKEY_CURRENT_USER, key, name.c_str(), RRF_RT_REG_SZ, nullptr, value, &size))
        << "No keeps the entry";

    PostMessageA(bootwise.main, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(0u, bootwise.WaitForExit());
    RegDeleteKeyValueA(HKEY_CURRENT_USER, key, name.c_str());
}

} // namespace
