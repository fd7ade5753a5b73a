#pragma once

#include <windows.h>

#include <string>

// For as long as it lives, this process's HKEY_LOCAL_MACHINE and
// HKEY_CURRENT_USER are two empty scratch keys, so that tests never touch the
// prefix's own. The scratch keys are deleted afterwards.
class ScratchRegistry {
public:
    ScratchRegistry();
    ~ScratchRegistry();
    ScratchRegistry(const ScratchRegistry&) = delete;
    ScratchRegistry& operator=(const ScratchRegistry&) = delete;

private:
    std::string basePath;
    HKEY machine = nullptr;
    HKEY user = nullptr;
};

// Test helpers on the (redirected) registry. They fail the test on error.
void SetRegistryValue(HKEY root, const std::string& key, const std::string& name, DWORD type,
                      const std::string& bytes);
void SetRegistryString(HKEY root, const std::string& key, const std::string& name, const std::string& text);
bool RegistryKeyExists(HKEY root, const std::string& key);
bool RegistryValueExists(HKEY root, const std::string& key, const std::string& name);
// The value's bytes and type; an empty type-REG_NONE pair when it is missing.
struct StoredValue {
    std::string bytes;
    DWORD type = REG_NONE;
    bool exists = false;
};
StoredValue ReadRegistryValue(HKEY root, const std::string& key, const std::string& name);
// A string as stored by REG_SZ: the text and its terminator.
std::string Sz(const std::string& text);
