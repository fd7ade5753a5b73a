#include "RegistryKey.h"

#include "AnsiText.h"

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

std::wstring Wide(const std::string& text)
{
    std::wstring wide;
    ToWide(text, wide);
    return wide;
}

bool IsStringType(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// Strings come from the registry as UTF-16 and go to the caller in ANSI, as
// the ANSI registry functions would hand them over; other data is bytes.
bool ToCallerBytes(DWORD type, std::string& bytes)
{
    if (!IsStringType(type))
        return true;
    // A last odd byte is half a character: no part of the text.
    std::string ansi;
    const bool exact = ToAnsi(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2, ansi);
    bytes = std::move(ansi);
    return exact;
}

// The stored value, as the registry keeps it.
struct StoredValue {
    DWORD type = REG_NONE;
    std::string bytes;
};

bool ReadStored(HKEY key, const std::wstring& name, StoredValue& value)
{
    std::string buffer;
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        DWORD size = 0;
        if (RegQueryValueExW(key, name.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
            return false;
        buffer.resize(static_cast<size_t>(size) + 2);
        size = static_cast<DWORD>(buffer.size());
        DWORD type = REG_NONE;
        const LONG status = RegQueryValueExW(key, name.c_str(), nullptr, &type,
                                             reinterpret_cast<BYTE*>(buffer.data()), &size);
        if (status == ERROR_MORE_DATA)
            continue;
        if (status != ERROR_SUCCESS)
            return false;
        buffer.resize(size);
        value.type = type;
        value.bytes = std::move(buffer);
        return true;
    }
    return false;
}

bool WriteStored(HKEY key, const std::wstring& name, const StoredValue& value)
{
    return RegSetValueExW(key, name.c_str(), 0, value.type, Bytes(value.bytes),
                          static_cast<DWORD>(value.bytes.size())) == ERROR_SUCCESS;
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

int RegistryKey::RenameValue(const std::string& from, const std::string& to)
{
    const std::wstring oldName = Wide(from);
    const std::wstring newName = Wide(to);
    StoredValue value;
    if (!ReadStored(handle, oldName, value))
        return 0;
    if (CompareStringOrdinal(oldName.c_str(), -1, newName.c_str(), -1, TRUE) == CSTR_EQUAL) {
        // One value to the registry: it goes first, and comes back if the
        // new name cannot be written.
        if (oldName == newName)
            return 1;
        if (RegDeleteValueW(handle, oldName.c_str()) != ERROR_SUCCESS)
            return 0;
        if (WriteStored(handle, newName, value))
            return 1;
        WriteStored(handle, oldName, value);
        return 0;
    }
    if (!WriteStored(handle, newName, value))
        return 0;
    RegDeleteValueW(handle, oldName.c_str());
    return 1;
}

int RegistryKey::QueryValue(const std::string& valueName, std::string& bytes, DWORD& type, bool* exact)
{
    StoredValue value;
    if (!ReadStored(handle, Wide(valueName), value))
        return 0;
    const bool whole = ToCallerBytes(value.type, value.bytes);
    bytes = std::move(value.bytes);
    type = value.type;
    if (exact)
        *exact = whole;
    return 1;
}

int RegistryKey::QueryType(const std::string& valueName, DWORD& type)
{
    return RegQueryValueExW(handle, Wide(valueName).c_str(), nullptr, &type, nullptr, nullptr) == ERROR_SUCCESS;
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
    return RegQueryValueExW(handle, Wide(valueName).c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

DWORD RegistryKey::ValueCount()
{
    DWORD count = 0;
    if (RegQueryInfoKeyW(handle, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
        return 0;
    return count;
}

int RegistryKey::EnumValue(DWORD index, std::string& name, std::string& bytes, DWORD& type, bool* nameExact,
                           bool* dataExact)
{
    if (nameBuffer.empty())
        nameBuffer.resize(256);
    if (dataBuffer.empty())
        dataBuffer.resize(2048);
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        DWORD nameLength = static_cast<DWORD>(nameBuffer.size());
        DWORD dataLength = static_cast<DWORD>(dataBuffer.size());
        DWORD valueType = REG_NONE;
        const LONG status = RegEnumValueW(handle, index, nameBuffer.data(), &nameLength, nullptr, &valueType,
                                          reinterpret_cast<BYTE*>(dataBuffer.data()), &dataLength);
        if (status == ERROR_SUCCESS) {
            const bool exactName = ToAnsi(nameBuffer.data(), nameLength, name);
            bytes.assign(dataBuffer.data(), dataLength);
            const bool exactData = ToCallerBytes(valueType, bytes);
            type = valueType;
            if (nameExact)
                *nameExact = exactName;
            if (dataExact)
                *dataExact = exactData;
            return 1;
        }
        if (status != ERROR_MORE_DATA)
            return 0;
        // Grow to the longest name and data of the key (the name counted in
        // characters, its terminator not included).
        DWORD longestName = 0;
        DWORD longestData = 0;
        if (RegQueryInfoKeyW(handle, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longestName,
                             &longestData, nullptr, nullptr) != ERROR_SUCCESS)
            return 0;
        nameBuffer.resize(std::max(static_cast<size_t>(longestName) + 1, 2 * nameBuffer.size()));
        dataBuffer.resize(std::max(static_cast<size_t>(longestData) + 2, 2 * dataBuffer.size()));
    }
    return 0;
}
