#include "ShortcutInfo.h"

#include "AnsiText.h"

#include <string>

namespace {

// The file name as the persistence interface takes it; empty when it does not convert.
std::wstring WidePath(const char* path)
{
    std::wstring wide;
    ToWide(path, wide);
    return wide;
}

// A field filled to its last byte may hold only the start of a longer text.
template <size_t Size>
bool Whole(char (&field)[Size])
{
    field[Size - 1] = '\0';
    return std::strlen(field) < Size - 1;
}

} // namespace

int ShortcutInfo::CreateLink(const char* filePath) const
{
    LinkObject shell;
    if (!shell.Ready())
        return 0;
    IShellLinkA* link = shell.Link();
    link->SetArguments(arguments);
    link->SetDescription(description);
    if (hotKey != 0)
        link->SetHotkey(hotKey);
    link->SetIconLocation(iconPath, iconIndex);
    // A target the shell refuses would leave the shortcut without one.
    if (FAILED(link->SetPath(targetPath)) && targetPath[0])
        return 0;
    if (showCommand != 0)
        link->SetShowCmd(showCommand);
    link->SetWorkingDirectory(workingDirectory);

    const std::wstring path = WidePath(filePath);
    if (path.empty())
        return 0;
    return shell.File()->Save(path.c_str(), TRUE) == S_OK;
}

int ShortcutInfo::ReadLink(const char* filePath)
{
    ShortcutReader reader;
    return reader.Read(filePath, *this, &findData);
}

LinkObject::LinkObject()
{
    ready = com.Ready() &&
            SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.Out())) &&
            SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.Out()));
}

int ShortcutReader::Read(const char* filePath, ShortcutInfo& info, WIN32_FIND_DATAA* findData)
{
    if (!object.Ready())
        return 0;
    // A load that fails leaves the previous file's properties in the link:
    // nothing is read from it then.
    const std::wstring path = WidePath(filePath);
    if (path.empty() || FAILED(object.File()->Load(path.c_str(), STGM_READ)))
        return 0;

    info = ShortcutInfo{};
    IShellLinkA* shell = object.Link();
    shell->GetArguments(info.arguments, sizeof info.arguments);
    shell->GetDescription(info.description, sizeof info.description);
    shell->GetHotkey(&info.hotKey);
    shell->GetIconLocation(info.iconPath, sizeof info.iconPath, &info.iconIndex);
    shell->GetPath(info.targetPath, sizeof info.targetPath, findData, SLGP_UNCPRIORITY);
    shell->GetShowCmd(&info.showCommand);
    shell->GetWorkingDirectory(info.workingDirectory, sizeof info.workingDirectory);
    return Whole(info.arguments) && Whole(info.description) && Whole(info.iconPath) && Whole(info.targetPath) &&
           Whole(info.workingDirectory);
}

int ReadStoredShowCommand(const char* filePath)
{
    // The header of a shell link file: its size (0x4C), the link class, and at
    // offset 0x3C the show command.
    static const unsigned char kLinkClass[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                                 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
    const HANDLE file = CreateFileA(filePath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    unsigned char header[0x4C] = {};
    DWORD read = 0;
    const BOOL ok = ReadFile(file, header, sizeof header, &read, nullptr);
    CloseHandle(file);
    if (!ok || read != sizeof header || header[0] != 0x4C || header[1] || header[2] || header[3] ||
        std::memcmp(header + 4, kLinkClass, sizeof kLinkClass) != 0)
        return 0;
    return header[0x3C] | header[0x3D] << 8 | header[0x3E] << 16 | header[0x3F] << 24;
}
