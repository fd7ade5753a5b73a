#include "RobustnessSupport.h"

#include "system/ComApartment.h"
#include "system/PathHelpers.h"

#include <shlobj.h>

#include <cstring>

std::wstring Widen(const std::string& text)
{
    if (text.empty())
        return {};
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string Narrow(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int length =
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), narrow.data(), length, nullptr, nullptr);
    return narrow;
}

std::string WideBytes(const std::wstring& text, bool terminated)
{
    std::string bytes(reinterpret_cast<const char*>(text.c_str()), (text.size() + (terminated ? 1 : 0)) * 2);
    return bytes;
}

std::string HexBytes(const std::string& bytes)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string text;
    for (const unsigned char value : bytes) {
        if (!text.empty())
            text += ' ';
        text += kDigits[value >> 4];
        text += kDigits[value & 15];
    }
    return text;
}

std::string PatternBytes(size_t size)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 37 + 255) & 0xFF);
    return bytes;
}

std::string PatternText(size_t size, char seed)
{
    const std::string piece = std::string("c:\\") + seed + "\\prog.exe /x ";
    std::string text;
    while (text.size() < size)
        text += piece;
    text.resize(size);
    return text;
}

testing::AssertionResult SameText(const std::string& expected, const std::string& actual)
{
    if (expected == actual)
        return testing::AssertionSuccess();
    size_t at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at])
        ++at;
    auto excerpt = [at](const std::string& text) {
        const size_t from = at < 20 ? 0 : at - 20;
        return "\"" + text.substr(from, 60) + "\"";
    };
    return testing::AssertionFailure() << "expected " << expected.size() << " chars, got " << actual.size()
                                       << "; first difference at " << at << ": expected " << excerpt(expected)
                                       << ", got " << excerpt(actual);
}

int RowNamed(const std::vector<std::vector<std::string>>& rows, const std::string& name)
{
    int found = -1;
    int count = 0;
    for (size_t row = 0; row < rows.size(); ++row) {
        if (!rows[row].empty() && rows[row][0] == name) {
            found = static_cast<int>(row);
            ++count;
        }
    }
    EXPECT_EQ(1, count) << "rows named \"" << name.substr(0, 40) << "\"";
    return count == 1 ? found : -1;
}

std::vector<std::string> LinePieces(const std::string& line)
{
    std::vector<std::string> pieces;
    std::string piece;
    for (const char c : line) {
        if (c == ' ' || c == ',') {
            if (!piece.empty())
                pieces.push_back(piece);
            piece.clear();
        } else {
            piece += c;
        }
    }
    if (!piece.empty())
        pieces.push_back(piece);
    return pieces;
}

KeySnapshot SnapshotKey(HKEY root, const std::string& key)
{
    KeySnapshot values;
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, Widen(key).c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return values;
    DWORD longestName = 0;
    DWORD longestData = 0;
    RegQueryInfoKeyW(opened, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longestName, &longestData,
                     nullptr, nullptr);
    std::wstring name(longestName + 1, L'\0');
    std::string data(longestData + 1, '\0');
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD dataLength = static_cast<DWORD>(data.size());
        DWORD type = REG_NONE;
        const LONG status = RegEnumValueW(opened, index, name.data(), &nameLength, nullptr, &type,
                                          reinterpret_cast<BYTE*>(data.data()), &dataLength);
        if (status != ERROR_SUCCESS) {
            EXPECT_EQ(ERROR_NO_MORE_ITEMS, status) << "snapshot of " << key;
            break;
        }
        values[name.substr(0, nameLength)] = RawValue{type, data.substr(0, dataLength)};
    }
    RegCloseKey(opened);
    return values;
}

std::string Differences(const KeySnapshot& before, const KeySnapshot& after)
{
    std::string text;
    auto describe = [](const std::wstring& name) {
        const std::string narrow = Narrow(name);
        return "\"" + (narrow.size() > 40 ? narrow.substr(0, 40) + "..." : narrow) + "\"";
    };
    for (const auto& [name, value] : before) {
        const auto found = after.find(name);
        if (found == after.end())
            text += " gone " + describe(name) + ";";
        else if (found->second != value)
            text += " changed " + describe(name) + ";";
    }
    for (const auto& entry : after)
        if (!before.count(entry.first))
            text += " new " + describe(entry.first) + ";";
    return text;
}

void SetWideValue(HKEY root, const std::string& key, const std::wstring& name, DWORD type, const std::string& bytes)
{
    HKEY opened = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(root, Widen(key).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &opened,
                                             nullptr));
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExW(opened, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                                            static_cast<DWORD>(bytes.size())));
    RegCloseKey(opened);
}

void DeleteKeyTree(HKEY root, const std::string& key)
{
    // The prefix's own roots have these keys; the scratch ones do not.
    auto has = [](HKEY base, const char* name) {
        HKEY opened = nullptr;
        if (RegOpenKeyExA(base, name, 0, KEY_READ, &opened) != ERROR_SUCCESS)
            return false;
        RegCloseKey(opened);
        return true;
    };
    const bool redirected = !has(HKEY_LOCAL_MACHINE, "System") && !has(HKEY_CURRENT_USER, "Control Panel");
    ASSERT_TRUE(redirected) << "the registry is not redirected; not deleting " << key;
    RegDeleteTreeA(root, key.c_str());
    RegDeleteKeyA(root, key.c_str());
}

void CreateEmptyKey(HKEY root, const std::string& key)
{
    HKEY created = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(root, key.c_str(), &created));
    RegCloseKey(created);
}

std::string AnsiViewText(DWORD type, const std::string& bytes)
{
    if (type != REG_MULTI_SZ)
        return bytes.substr(0, bytes.find('\0'));
    std::string text;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\0', start);
        if (end == std::string::npos)
            end = bytes.size();
        if (end == start)
            break;
        text += (text.empty() ? "" : " ") + bytes.substr(start, end - start);
        start = end + 1;
    }
    return text;
}

FolderSnapshot SnapshotFolder(const std::string& folder)
{
    FolderSnapshot files;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return files;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            files[name] = "<folder>";
            continue;
        }
        const HANDLE file = CreateFileA((folder + "\\" + name).c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            files[name] = "<unreadable>";
            continue;
        }
        std::string bytes(GetFileSize(file, nullptr), '\0');
        DWORD read = 0;
        ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
        bytes.resize(read);
        CloseHandle(file);
        files[name] = bytes;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return files;
}

void WriteWideShortcut(const std::string& file, const std::wstring& target, const std::wstring& arguments)
{
    ComApartment com;
    ASSERT_TRUE(com.Ready());
    IShellLinkW* link = nullptr;
    IPersistFile* persist = nullptr;
    HRESULT saved = E_FAIL;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link)))) {
        link->SetPath(target.c_str());
        link->SetArguments(arguments.c_str());
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
            saved = persist->Save(Widen(file).c_str(), TRUE);
            persist->Release();
        }
        link->Release();
    }
    EXPECT_EQ(S_OK, saved) << file;
}

WideShortcut ReadWideShortcut(const std::string& file)
{
    WideShortcut shortcut;
    ComApartment com;
    if (!com.Ready())
        return shortcut;
    IShellLinkW* link = nullptr;
    IPersistFile* persist = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link)))) {
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
            if (SUCCEEDED(persist->Load(Widen(file).c_str(), STGM_READ))) {
                std::wstring buffer(70000, L'\0');
                link->GetPath(buffer.data(), static_cast<int>(buffer.size()), nullptr, SLGP_RAWPATH);
                shortcut.target = buffer.c_str();
                buffer.assign(70000, L'\0');
                link->GetArguments(buffer.data(), static_cast<int>(buffer.size()));
                shortcut.arguments = buffer.c_str();
                shortcut.loaded = true;
            }
            persist->Release();
        }
        link->Release();
    }
    return shortcut;
}

namespace {

void PutDword(std::string& bytes, size_t at, DWORD value)
{
    std::memcpy(&bytes[at], &value, 4);
}

std::string Dword(DWORD value)
{
    return std::string(reinterpret_cast<const char*>(&value), 4);
}

} // namespace

std::string LinkFileBytes(const std::string& target, const std::string& arguments)
{
    static const unsigned char kLinkClass[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                                 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
    const DWORD hasLinkInfo = 0x02;
    const DWORD hasArguments = 0x20;
    std::string header(0x4C, '\0');
    PutDword(header, 0, 0x4C);
    std::memcpy(&header[4], kLinkClass, 16);
    PutDword(header, 0x14, hasLinkInfo | (arguments.empty() ? 0 : hasArguments));
    PutDword(header, 0x18, FILE_ATTRIBUTE_ARCHIVE);
    PutDword(header, 0x3C, SW_SHOWNORMAL);

    // Link information: a local volume and the target as the local base path.
    const std::string volume =
        Dword(0x11) + Dword(DRIVE_FIXED) + Dword(0x1234ABCD) + Dword(0x10) + std::string(1, '\0');
    const DWORD headerSize = 0x1C;
    const DWORD volumeAt = headerSize;
    const DWORD pathAt = volumeAt + static_cast<DWORD>(volume.size());
    const DWORD suffixAt = pathAt + static_cast<DWORD>(target.size()) + 1;
    const DWORD total = suffixAt + 1;
    const std::string info = Dword(total) + Dword(headerSize) + Dword(1) + Dword(volumeAt) + Dword(pathAt) + Dword(0) +
                             Dword(suffixAt) + volume + target + std::string(1, '\0') + std::string(1, '\0');

    std::string strings;
    if (!arguments.empty()) {
        const WORD count = static_cast<WORD>(arguments.size());
        strings.append(reinterpret_cast<const char*>(&count), 2);
        strings += arguments;
    }
    return header + info + strings + Dword(0);
}

ExclusiveOpen::ExclusiveOpen(const std::string& path)
    : handle(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))
{
    EXPECT_NE(INVALID_HANDLE_VALUE, handle) << path;
}

void ExclusiveOpen::Release()
{
    if (handle != INVALID_HANDLE_VALUE)
        CloseHandle(handle);
    handle = INVALID_HANDLE_VALUE;
}

ScratchWinIni::ScratchWinIni(const std::string& path) : saved(WinIniPath)
{
    WinIniPath = path;
}

ScratchWinIni::~ScratchWinIni()
{
    WinIniPath = saved;
}

std::optional<std::wstring> WindowsLine(const std::string& file, const char* key)
{
    const wchar_t* const kAbsent = L"\x1 absent \x1";
    std::wstring buffer(1 << 20, L'\0');
    const DWORD length = GetPrivateProfileStringW(L"windows", Widen(key).c_str(), kAbsent, buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), Widen(file).c_str());
    buffer.resize(length);
    if (buffer == kAbsent)
        return std::nullopt;
    return buffer;
}
