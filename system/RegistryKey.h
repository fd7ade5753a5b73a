#pragma once

#include <windows.h>

#include <string>

// One registry key, held for the length of one operation. It starts on a
// predefined root key, which it never closes, and moves down the tree with
// Create or Open, closing each key it opened once it holds the next one.
// Every operation returns 1 when the registry call succeeded and 0 otherwise.
//
// Texts are ANSI, as the rest of the program has them. The registry keeps
// UTF-16, and not every name or string converts to the ANSI code page: reads
// say whether what they hand back is exact, and RenameValue moves a value as
// it is stored, whatever it holds.
class RegistryKey {
public:
    explicit RegistryKey(HKEY root) : handle(root) {}
    ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    int Create(const std::string& subkey);
    int Open(const std::string& subkey);

    // Stores the text with its terminating NUL, as REG_SZ.
    int SetString(const std::string& valueName, const std::string& data);
    // Stores the bytes as they are, with the type given; string types are
    // ANSI text, as QueryValue gives them.
    int SetValue(const std::string& valueName, DWORD type, const std::string& bytes);
    int DeleteValue(const std::string& valueName);
    // Gives the value another name, keeping its data to the byte. A change of
    // letter case alone renames it too.
    int RenameValue(const std::string& from, const std::string& to);

    // The value's data as text, whatever its length: the bytes up to the first
    // NUL among those the registry returned, or all of them. The type is not
    // looked at. On failure the text is left as it was.
    int QueryString(const std::string& valueName, std::string& text);
    // The value's bytes and type; strings in ANSI. exact, when given, tells
    // whether they are the stored data to the character.
    int QueryValue(const std::string& valueName, std::string& bytes, DWORD& type, bool* exact = nullptr);
    int QueryType(const std::string& valueName, DWORD& type);
    int HasValue(const std::string& valueName);

    // The value at this index, name and bytes whole whatever their length. It
    // fails past the last value; ValueCount tells that apart from a value that
    // could not be read. nameExact and dataExact tell whether the ANSI name
    // addresses this value and the bytes are its data to the character.
    int EnumValue(DWORD index, std::string& name, std::string& bytes, DWORD& type, bool* nameExact = nullptr,
                  bool* dataExact = nullptr);
    DWORD ValueCount();

    HKEY Handle() const { return handle; }

private:
    int Descend(HKEY opened);

    HKEY handle;
    int owns = 0;
    // Kept between EnumValue calls so that a long listing does not allocate per value.
    std::wstring nameBuffer;
    std::string dataBuffer;
};
