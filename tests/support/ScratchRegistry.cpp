#include "ScratchRegistry.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

std::atomic<int> scratchCount{0};

} // namespace

ScratchRegistry::ScratchRegistry()
{
    basePath = "Software\\BootwiseTests\\" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(scratchCount++);
    RegDeleteTreeA(HKEY_CURRENT_USER, basePath.c_str());
    EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, (basePath + "\\Machine").c_str(), &machine));
    EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, (basePath + "\\User").c_str(), &user));
    EXPECT_EQ(ERROR_SUCCESS, RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine));
    EXPECT_EQ(ERROR_SUCCESS, RegOverridePredefKey(HKEY_CURRENT_USER, user));
}

ScratchRegistry::~ScratchRegistry()
{
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    RegCloseKey(machine);
    RegCloseKey(user);
    RegDeleteTreeA(HKEY_CURRENT_USER, basePath.c_str());
}

void SetRegistryValue(HKEY root, const std::string& key, const std::string& name, DWORD type,
                      const std::string& bytes)
{
    HKEY opened = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(root, key.c_str(), &opened));
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(opened, name.c_str(), 0, type,
                                            reinterpret_cast<const BYTE*>(bytes.data()),
                                            static_cast<DWORD>(bytes.size())));
    RegCloseKey(opened);
}

void SetRegistryString(HKEY root, const std::string& key, const std::string& name, const std::string& text)
{
    SetRegistryValue(root, key, name, REG_SZ, Sz(text));
}

bool RegistryKeyExists(HKEY root, const std::string& key)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    RegCloseKey(opened);
    return true;
}

bool RegistryValueExists(HKEY root, const std::string& key, const std::string& name)
{
    return ReadRegistryValue(root, key, name).exists;
}

StoredValue ReadRegistryValue(HKEY root, const std::string& key, const std::string& name)
{
    StoredValue value;
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return value;
    DWORD size = 0;
    if (RegQueryValueExA(opened, name.c_str(), nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        value.bytes.resize(size + 16);
        size = static_cast<DWORD>(value.bytes.size());
        if (RegQueryValueExA(opened, name.c_str(), nullptr, &value.type, reinterpret_cast<BYTE*>(value.bytes.data()),
                             &size) == ERROR_SUCCESS) {
            value.bytes.resize(size);
            value.exists = true;
        }
    }
    RegCloseKey(opened);
    if (!value.exists)
        value = StoredValue{};
    return value;
}

std::string Sz(const std::string& text)
{
    return text + '\0';
}
