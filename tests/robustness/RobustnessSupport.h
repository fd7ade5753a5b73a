#pragma once

// Helpers for the bad-input suite. The program works in ANSI text; these look
// at the stores the way the system keeps them (UTF-16 names and texts, raw
// bytes, whole files), so that a change the ANSI view hides still shows.

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

// The bytes of a literal that holds NULs, without its final terminator.
template <size_t Size>
std::string Bytes(const char (&literal)[Size])
{
    return std::string(literal, Size - 1);
}

std::wstring Widen(const std::string& text);
// As an ANSI program gets it: characters outside the code page come out changed.
std::string Narrow(const std::wstring& text);
// A UTF-16 text as registry bytes, with or without its terminator.
std::string WideBytes(const std::wstring& text, bool terminated = true);

// Lowercase hex pairs separated by blanks: "01 ab ff".
std::string HexBytes(const std::string& bytes);
// Bytes of the given length, every value from 0 to 255 among them.
std::string PatternBytes(size_t size);
// Command-like text of the given length, without NUL.
std::string PatternText(size_t size, char seed = 'a');

// Compares texts of any length without printing megabytes when they differ.
testing::AssertionResult SameText(const std::string& expected, const std::string& actual);

// The index of the one list row whose first column is name; fails the test,
// and gives -1, unless there is exactly one.
int RowNamed(const std::vector<std::vector<std::string>>& rows, const std::string& name);

// The pieces of a run= line as blanks and commas separate them.
std::vector<std::string> LinePieces(const std::string& line);

// Registry values as the registry keeps them.
struct RawValue {
    DWORD type = REG_NONE;
    std::string bytes;
    bool operator==(const RawValue& other) const { return type == other.type && bytes == other.bytes; }
    bool operator!=(const RawValue& other) const { return !(*this == other); }
};
using KeySnapshot = std::map<std::wstring, RawValue>;
// Every value of the key through the wide functions; empty when the key is missing.
KeySnapshot SnapshotKey(HKEY root, const std::string& key);
// Names of the values that differ between two snapshots, for messages.
std::string Differences(const KeySnapshot& before, const KeySnapshot& after);
void SetWideValue(HKEY root, const std::string& key, const std::wstring& name, DWORD type, const std::string& bytes);
// Deletes a key of the scratch registry; refuses unless the roots are redirected.
void DeleteKeyTree(HKEY root, const std::string& key);
void CreateEmptyKey(HKEY root, const std::string& key);
// A string value's text as the list shows it: up to the first NUL, or for a
// multi-string its strings joined by blanks.
std::string AnsiViewText(DWORD type, const std::string& bytes);

// Every file of a folder with its bytes (folders as "<folder>").
using FolderSnapshot = std::map<std::string, std::string>;
FolderSnapshot SnapshotFolder(const std::string& folder);

// Shortcuts written and read through the shell's wide interface, as other
// programs do, so no field length of the program's own applies.
void WriteWideShortcut(const std::string& file, const std::wstring& target, const std::wstring& arguments);
struct WideShortcut {
    bool loaded = false;
    std::wstring target;
    std::wstring arguments;
};
WideShortcut ReadWideShortcut(const std::string& file);
// A shortcut file built byte by byte, its target kept as the local base path
// of the link information: the shell's SetPath takes no target of MAX_PATH
// characters or more, but files holding one exist.
std::string LinkFileBytes(const std::string& target, const std::string& arguments);

// Holds a file open without sharing, as another program may.
class ExclusiveOpen {
public:
    explicit ExclusiveOpen(const std::string& path);
    ~ExclusiveOpen() { Release(); }
    ExclusiveOpen(const ExclusiveOpen&) = delete;
    ExclusiveOpen& operator=(const ExclusiveOpen&) = delete;
    void Release();

private:
    HANDLE handle;
};

// Points WinIniPath at a scratch file for as long as it lives. The name is
// not win.ini: Windows NT and Wine keep the [windows] section of any file of
// that name in the registry.
class ScratchWinIni {
public:
    explicit ScratchWinIni(const std::string& path);
    ~ScratchWinIni();
    ScratchWinIni(const ScratchWinIni&) = delete;
    ScratchWinIni& operator=(const ScratchWinIni&) = delete;

private:
    std::string saved;
};

// The key= line of [windows] as the system's profile reader gives it, in
// UTF-16 so that nothing is lost on the way; nothing when there is no such line.
std::optional<std::wstring> WindowsLine(const std::string& file, const char* key);
