#include "RegistryKey.h"

#include <algorithm>
#include <utility>

namespace {

// Some values change between asking their size and reading them; a few tries
// are plenty.
constexpr int kReadAttempts = 8;

const BYTE* Bytes(const std::string& text)
{
    return reinterpret_cast<const BYTE*>(text.data());
}

} // namespace

RegistryKey::~RegistryKey()
{
    if (owns)
        RegCloseKey(handle);
}

int RegistryKey::Descend(HKEY opened)
{
    // Opening an empty path hands back the very key held now: nothing to own.
    if (opened == handle)
        return 1;
    if (owns)
        RegCloseKey(handle);
    handle = opened;
    owns = 1;
    return 1;
}

int RegistryKey::Create(const std::string& subkey)
{
    HKEY opened = nullptr;
    if (RegCreateKeyA(handle, subkey.c_str(), &opened) != ERROR_SUCCESS)
        return 0;
    return Descend(opened);
}

int RegistryKey::Open(const std::string& subkey)
{
    HKEY opened = nullptr;
    if (RegOpenKeyA(handle, subkey.c_str(), &opened) != ERROR_SUCCESS)
        return 0;
    return Descend(opened);
}

int RegistryKey::SetString(const std::string& valueName, const std::string& data)
{
    return RegSetValueExA(handle, valueName.c_str(), 0, REG_SZ, Bytes(data), static_cast<DWORD>(data.size() + 1)) ==
           ERROR_SUCCESS;
}

int RegistryKey::SetValue(const std::string& valueName, DWORD type, const std::string& bytes)
{
    return RegSetValueExA(handle, valueName.c_str(), 0, type, Bytes(bytes), static_cast<DWORD>(bytes.size())) ==
           ERROR_SUCCESS;
}

int RegistryKey::DeleteValue(const std::string& valueName)
{
    return RegDeleteValueA(handle, valueName.c_str()) == ERROR_SUCCESS;
}

int RegistryKey::QueryValue(const std::string& valueName, std::string& bytes, DWORD& type)
{
    std::string buffer;
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        DWORD size = 0;
        if (RegQueryValueExA(handle, valueName.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
            return 0;
        // Room to spare: the size asked for can fall short of what the ANSI
        // conversion then delivers.
        buffer.resize(static_cast<size_t>(size) + 16);
        size = static_cast<DWORD>(buffer.size());
        DWORD valueType = REG_NONE;
        const LONG status = RegQueryValueExA(handle, valueName.c_str(), nullptr, &valueType,
                                             reinterpret_cast<BYTE*>(buffer.data()), &size);
        if (status == ERROR_MORE_DATA)
            continue;
        if (status != ERROR_SUCCESS)
            return 0;
        buffer.resize(size);
        bytes = std::move(buffer);
        type = valueType;
        return 1;
    }
    return 0;
}

int RegistryKey::QueryString(const std::string& valueName, std::string& text)
{
    std::string bytes;
    DWORD type = REG_NONE;
    if (!QueryValue(valueName, bytes, type))
        return 0;
    const size_t end = bytes.find('\0');
    if (end != std::string::npos)
        bytes.resize(end);
    text = std::move(bytes);
    return 1;
}

int RegistryKey::HasValue(const std::string& valueName)
{
    return RegQueryValueExA(handle, valueName.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

DWORD RegistryKey::ValueCount()
{
    DWORD count = 0;
    if (RegQueryInfoKeyA(handle, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
        return 0;
    return count;
}

int RegistryKey::EnumValue(DWORD index, std::string& name, std::string& bytes, DWORD& type)
{
    if (nameBuffer.empty())
        nameBuffer.resize(256);
    if (dataBuffer.empty())
        dataBuffer.resize(1024);
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        DWORD nameLength = static_cast<DWORD>(nameBuffer.size());
        DWORD dataLength = static_cast<DWORD>(dataBuffer.size());
        DWORD valueType = REG_NONE;
        const LONG status = RegEnumValueA(handle, index, nameBuffer.data(), &nameLength, nullptr, &valueType,
                                          reinterpret_cast<BYTE*>(dataBuffer.data()), &dataLength);
        if (status == ERROR_SUCCESS) {
            name.assign(nameBuffer.data(), nameLength);
            bytes.assign(dataBuffer.data(), dataLength);
            type = valueType;
            return 1;
        }
        if (status != ERROR_MORE_DATA)
            return 0;
        // Grow to the longest name and data of the key; the counts are of
        // UTF-16 units, and an ANSI character may take two bytes.
        DWORD longestName = 0;
        DWORD longestData = 0;
        if (RegQueryInfoKeyA(handle, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longestName,
                             &longestData, nullptr, nullptr) != ERROR_SUCCESS)
            return 0;
        const size_t wantName = 2 * static_cast<size_t>(longestName) + 2;
        const size_t wantData = 2 * static_cast<size_t>(longestData) + 2;
        nameBuffer.resize(std::max(wantName, 2 * nameBuffer.size()));
        dataBuffer.resize(std::max(wantData, 2 * dataBuffer.size()));
    }
    return 0;
}
