#pragma once

#include "ComApartment.h"
#include "ComPtr.h"

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cstring>
#include <string>

// Room for the longest text the shell's ANSI link interface hands out
// (INFOTIPSIZE for arguments and description, less for paths), plus one byte:
// a field that comes back full may have been cut, and is reported as a failure.
constexpr size_t kShortcutTextSize = INFOTIPSIZE + 1;

// The longest texts a shortcut takes through that interface.
constexpr size_t kMaxTargetLength = MAX_PATH - 1;
constexpr size_t kMaxArgumentsLength = INFOTIPSIZE - 1;

// The properties of one shortcut file. Clear it to zero before filling it in
// for writing.
struct ShortcutInfo {
    char arguments[kShortcutTextSize];
    char description[kShortcutTextSize];
    WORD hotKey;
    char iconPath[kShortcutTextSize];
    int iconIndex;
    char targetPath[kShortcutTextSize];
    int showCommand;
    char workingDirectory[kShortcutTextSize];
    WIN32_FIND_DATAA findData;

    // Writes the shortcut file, replacing one of that name. 1 when written.
    int CreateLink(const char* filePath) const;
    // Reads a shortcut file into the record. 0 when the file is not a shortcut
    // that loads, or a text did not fit its field; the record is then not to be used.
    int ReadLink(const char* filePath);
};

// The shell's link object with COM for as long as it lives; every reference
// is released with it, and COM uninitialised after them.
class LinkObject {
public:
    LinkObject();
    bool Ready() const { return ready; }
    IShellLinkA* Link() const { return link.Get(); }
    IPersistFile* File() const { return file.Get(); }

private:
    ComApartment com;
    ComPtr<IShellLinkA> link;
    ComPtr<IPersistFile> file;
    bool ready = false;
};

// Reads one shortcut after another through a single link object, as a
// listing does: making a link object for each file costs more than reading it.
class ShortcutReader {
public:
    // As ShortcutInfo::ReadLink; the target's file data is looked up only when
    // asked for, which is slow on some systems.
    int Read(const char* filePath, ShortcutInfo& info, WIN32_FIND_DATAA* findData = nullptr);

private:
    LinkObject object;
};

// Copies the text into the field, terminator included, or leaves the field
// alone and returns false when it does not fit.
template <size_t Size>
bool CopyToField(char (&field)[Size], const std::string& text)
{
    if (text.size() >= Size)
        return false;
    std::memcpy(field, text.c_str(), text.size() + 1);
    return true;
}

// The show command as the file's header stores it, or 0 when the file has no
// shortcut header. Some shells report every shortcut as SW_SHOWNORMAL however
// it was saved; the header does not.
int ReadStoredShowCommand(const char* filePath);
