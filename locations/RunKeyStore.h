#pragma once

#include <windows.h>

#include <string>
#include <vector>

// One registry value, with strings in ANSI.
struct RegistryValue {
    std::string name;
    std::string bytes;
    DWORD type = REG_NONE;
    // Whether the ANSI name addresses this value, and the bytes are its data
    // to the character: characters outside the code page do not convert.
    bool nameExact = true;
    bool dataExact = true;
};

// What a value shows as an entry's command: a string up to its terminator,
// a number as a number, anything else as its bytes in hex.
std::string ValueText(const RegistryValue& value);

// The values of one Run or RunOnce key, read and written as plain values.
// Nothing is kept: every call opens the key afresh.
class RunKeyStore {
public:
    RunKeyStore(HKEY rootKey, std::string keyPath) : root(rootKey), subkey(std::move(keyPath)) {}

    // Every value of the key, in the registry's order; none when the key is missing.
    std::vector<RegistryValue> Values() const;
    int Read(const std::string& name, RegistryValue& value) const;
    // Writes the command as REG_SZ, creating the key when it is missing.
    int Write(const std::string& name, const std::string& command) const;
    // Puts the new name and command in place of the old value. The old value
    // stays until the new one is written; a command left as it was keeps its
    // data to the byte, and a changed one keeps REG_EXPAND_SZ where it had it.
    // Nothing is written when nothing changed.
    int Replace(const RegistryValue& old, const std::string& newName, const std::string& newCommand) const;
    int Remove(const std::string& name) const;

    HKEY Root() const { return root; }
    const std::string& Subkey() const { return subkey; }

private:
    HKEY root;
    std::string subkey;
};
