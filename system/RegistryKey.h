#pragma once

#include <windows.h>

#include <string>

// One registry key, held for the length of one operation. It starts on a
// predefined root key, which it never closes, and moves down the tree with
// Create or Open, closing each key it opened once it holds the next one.
// Every operation returns 1 when the registry call succeeded and 0 otherwise.
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
    // Stores the bytes as they are, with the type given.
    int SetValue(const std::string& valueName, DWORD type, const std::string& bytes);
    int DeleteValue(const std::string& valueName);

    // The value's data as text, whatever its length: the bytes up to the first
    // NUL among those the registry returned, or all of them. The type is not
    // looked at. On failure the text is left as it was.
    int QueryString(const std::string& valueName, std::string& text);
    // The value's bytes, exactly as stored, and its type.
    int QueryValue(const std::string& valueName, std::string& bytes, DWORD& type);
    int HasValue(const std::string& valueName);

    // The value at this index, name and bytes whole whatever their length. It
    // fails past the last value; ValueCount tells that apart from a value that
    // could not be read.
    int EnumValue(DWORD index, std::string& name, std::string& bytes, DWORD& type);
    DWORD ValueCount();

    HKEY Handle() const { return handle; }

private:
    int Descend(HKEY opened);

    HKEY handle;
    int owns = 0;
    // Kept between EnumValue calls so that a long listing does not allocate per value.
    std::string nameBuffer;
    std::string dataBuffer;
};
