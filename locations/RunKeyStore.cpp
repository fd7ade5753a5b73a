#include "RunKeyStore.h"

#include "system/PathHelpers.h"
#include "system/RegistryKey.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

std::string UntilNul(const std::string& bytes)
{
    return bytes.substr(0, bytes.find('\0'));
}

std::string MultiStringText(const std::string& bytes)
{
    std::string text;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\0', start);
        if (end == std::string::npos)
            end = bytes.size();
        if (end == start)
            break; // the empty string that ends the list
        if (!text.empty())
            text += ' ';
        text.append(bytes, start, end - start);
        start = end + 1;
    }
    return text;
}

std::string HexText(const std::string& bytes)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(bytes.size() * 3);
    for (const unsigned char byte : bytes) {
        if (!text.empty())
            text += ' ';
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0xF];
    }
    return text;
}

std::string NumberText(uint64_t number, int hexDigits)
{
    char text[48];
    std::snprintf(text, sizeof text, "0x%0*llx (%llu)", hexDigits, static_cast<unsigned long long>(number),
                  static_cast<unsigned long long>(number));
    return text;
}

} // namespace

std::string ValueText(const RegistryValue& value)
{
    switch (value.type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
        return UntilNul(value.bytes);
    case REG_MULTI_SZ:
        return MultiStringText(value.bytes);
    case REG_DWORD:
    case REG_DWORD_BIG_ENDIAN:
        if (value.bytes.size() == 4) {
            uint32_t number;
            std::memcpy(&number, value.bytes.data(), 4);
            if (value.type == REG_DWORD_BIG_ENDIAN)
                number = __builtin_bswap32(number);
            return NumberText(number, 8);
        }
        return HexText(value.bytes);
    case REG_QWORD:
        if (value.bytes.size() == 8) {
            uint64_t number;
            std::memcpy(&number, value.bytes.data(), 8);
            return NumberText(number, 16);
        }
        return HexText(value.bytes);
    default:
        return HexText(value.bytes);
    }
}

std::vector<RegistryValue> RunKeyStore::Values() const
{
    std::vector<RegistryValue> values;
    RegistryKey key(root);
    if (!key.Open(subkey))
        return values;
    RegistryValue value;
    for (DWORD index = 0;; ++index) {
        if (key.EnumValue(index, value.name, value.bytes, value.type, &value.nameExact, &value.dataExact)) {
            values.push_back(value);
            continue;
        }
        // A value that went away while listing is skipped, not taken for the end.
        if (index >= key.ValueCount())
            break;
    }
    return values;
}

int RunKeyStore::Read(const std::string& name, RegistryValue& value) const
{
    RegistryKey key(root);
    if (!key.Open(subkey) || !key.QueryValue(name, value.bytes, value.type, &value.dataExact))
        return 0;
    value.name = name;
    value.nameExact = true;
    return 1;
}

int RunKeyStore::Write(const std::string& name, const std::string& command) const
{
    RegistryKey key(root);
    return key.Create(subkey) && key.SetString(name, command);
}

int RunKeyStore::Replace(const RegistryValue& old, const std::string& newName, const std::string& newCommand) const
{
    RegistryKey key(root);
    if (!key.Open(subkey))
        return 0;

    if (newCommand == ValueText(old)) {
        // The data stays as stored, to the byte, whatever it holds.
        if (newName == old.name)
            return 1;
        return key.RenameValue(old.name, newName);
    }

    // Turning REG_EXPAND_SZ into REG_SZ would stop Windows expanding the
    // command's variables.
    const DWORD type = old.type == REG_EXPAND_SZ ? REG_EXPAND_SZ : REG_SZ;
    const std::string bytes = newCommand + '\0';
    if (EqualIgnoringCase(newName, old.name) && newName != old.name) {
        // Only the letter case of the name changes, and the registry sees one
        // value: it moves to its new name first, and back if the write fails.
        if (!key.RenameValue(old.name, newName))
            return 0;
        if (key.SetValue(newName, type, bytes))
            return 1;
        key.RenameValue(newName, old.name);
        return 0;
    }
    if (!key.SetValue(newName, type, bytes))
        return 0;
    if (newName != old.name)
        key.DeleteValue(old.name);
    return 1;
}

int RunKeyStore::Remove(const std::string& name) const
{
    RegistryKey key(root);
    return key.Open(subkey) && key.DeleteValue(name);
}
