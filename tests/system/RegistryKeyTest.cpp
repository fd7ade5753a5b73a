#include "system/RegistryKey.h"

#include "ScratchRegistry.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

const char* const kKey = "Software\\Bootwise\\Test";

class RegistryKeyTest : public testing::Test {
protected:
    ScratchRegistry scratch;
};

TEST_F(RegistryKeyTest, OpenFailsOnMissingKeyWhereCreateMakesEveryLevel)
{
    RegistryKey missing(HKEY_CURRENT_USER);
    EXPECT_EQ(0, missing.Open(kKey));
    EXPECT_EQ(HKEY_CURRENT_USER, missing.Handle()) << "a failed Open keeps the key it held";
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kKey));

    RegistryKey created(HKEY_CURRENT_USER);
    EXPECT_EQ(1, created.Create(kKey));
    EXPECT_TRUE(RegistryKeyExists(HKEY_CURRENT_USER, kKey));

    RegistryKey opened(HKEY_CURRENT_USER);
    EXPECT_EQ(1, opened.Open(kKey));
}

TEST_F(RegistryKeyTest, DescendsStepByStepAndClosesWhatItOpened)
{
    SetRegistryString(HKEY_CURRENT_USER, "Software\\A\\B", "v", "inner");
    HKEY first = nullptr;
    {
        RegistryKey key(HKEY_CURRENT_USER);
        ASSERT_EQ(1, key.Open("Software\\A"));
        first = key.Handle();
        ASSERT_EQ(1, key.Open("B"));
        EXPECT_NE(first, key.Handle());
        // The first key was closed when the second was opened through it.
        EXPECT_NE(ERROR_SUCCESS, RegQueryValueExA(first, "v", nullptr, nullptr, nullptr, nullptr));
        std::string text;
        EXPECT_EQ(1, key.QueryString("v", text));
        EXPECT_EQ("inner", text);
        EXPECT_EQ(0, key.Open("Missing"));
        EXPECT_EQ(1, key.QueryString("v", text)) << "a failed Open leaves the object on its key";
    }
    // The root key is never closed, whether or not anything was opened.
    { RegistryKey untouched(HKEY_CURRENT_USER); }
    { RegistryKey failed(HKEY_CURRENT_USER); failed.Open("Missing"); }
    RegistryKey again(HKEY_CURRENT_USER);
    EXPECT_EQ(1, again.Open("Software\\A\\B"));
}

TEST_F(RegistryKeyTest, SetStringStoresTheTerminator)
{
    RegistryKey key(HKEY_CURRENT_USER);
    ASSERT_EQ(1, key.Create(kKey));
    EXPECT_EQ(1, key.SetString("three", "abc"));
    EXPECT_EQ(1, key.SetString("empty", ""));
    EXPECT_EQ(1, key.SetString("", "default"));

    const StoredValue three = ReadRegistryValue(HKEY_CURRENT_USER, kKey, "three");
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), three.type);
    EXPECT_EQ(std::string("abc\0", 4), three.bytes);
    const StoredValue empty = ReadRegistryValue(HKEY_CURRENT_USER, kKey, "empty");
    EXPECT_EQ(std::string(1, '\0'), empty.bytes);
    EXPECT_EQ(Sz("default"), ReadRegistryValue(HKEY_CURRENT_USER, kKey, "").bytes);
}

TEST_F(RegistryKeyTest, QueryStringReadsValuesOfAnyLength)
{
    // 259 characters was once the limit; nothing about it is special now.
    for (const size_t length : {0u, 259u, 260u, 261u, 5000u, 70000u}) {
        const std::string text(length, 'x');
        SetRegistryString(HKEY_CURRENT_USER, kKey, "v", text);
        RegistryKey key(HKEY_CURRENT_USER);
        ASSERT_EQ(1, key.Open(kKey));
        std::string read = "old";
        EXPECT_EQ(1, key.QueryString("v", read)) << length;
        EXPECT_EQ(text, read) << length;
    }
}

TEST_F(RegistryKeyTest, QueryStringNeverReadsPastTheReturnedBytes)
{
    struct Case {
        const char* name;
        DWORD type;
        std::string bytes;
        std::string text;
    };
    const Case cases[] = {
        {"unterminated", REG_SZ, "abc", "abc"},
        {"inner nul", REG_SZ, std::string("ab\0cd", 5), "ab"},
        {"dword", REG_DWORD, std::string("\x41\x42\x43\x44", 4), "ABCD"},
        {"binary", REG_BINARY, std::string("\x01\x02", 2), "\x01\x02"},
        {"expand", REG_EXPAND_SZ, Sz("%windir%\\x.exe"), "%windir%\\x.exe"},
        {"empty binary", REG_BINARY, "", ""},
    };
    for (const Case& c : cases)
        SetRegistryValue(HKEY_CURRENT_USER, kKey, c.name, c.type, c.bytes);
    RegistryKey key(HKEY_CURRENT_USER);
    ASSERT_EQ(1, key.Open(kKey));
    for (const Case& c : cases) {
        std::string read;
        EXPECT_EQ(1, key.QueryString(c.name, read)) << c.name;
        EXPECT_EQ(c.text, read) << c.name;
    }
    std::string untouched = "as it was";
    EXPECT_EQ(0, key.QueryString("missing", untouched));
    EXPECT_EQ("as it was", untouched);
}

TEST_F(RegistryKeyTest, QueryValueGivesTheBytesAndTypeAsStored)
{
    const std::string bytes("a\0b\0\0", 5);
    SetRegistryValue(HKEY_CURRENT_USER, kKey, "multi", REG_MULTI_SZ, bytes);
    RegistryKey key(HKEY_CURRENT_USER);
    ASSERT_EQ(1, key.Open(kKey));
    std::string read;
    DWORD type = 0;
    ASSERT_EQ(1, key.QueryValue("multi", read, type));
    EXPECT_EQ(bytes, read);
    EXPECT_EQ(static_cast<DWORD>(REG_MULTI_SZ), type);
    EXPECT_EQ(1, key.HasValue("multi"));
    EXPECT_EQ(0, key.HasValue("missing"));

    ASSERT_EQ(1, key.SetValue("copy", type, read));
    EXPECT_EQ(bytes, ReadRegistryValue(HKEY_CURRENT_USER, kKey, "copy").bytes);
}

TEST_F(RegistryKeyTest, EnumValueListsEveryValueWholeAndStopsAfterTheLast)
{
    RegistryKey empty(HKEY_CURRENT_USER);
    ASSERT_EQ(1, empty.Create("Software\\Empty"));
    std::string name, bytes;
    DWORD type = 0;
    EXPECT_EQ(0, empty.EnumValue(0, name, bytes, type));
    EXPECT_EQ(0u, empty.ValueCount());

    // Names and data far beyond the first buffers, between short ones.
    std::map<std::string, StoredValue> stored;
    const auto add = [&](const std::string& valueName, DWORD valueType, const std::string& data) {
        SetRegistryValue(HKEY_CURRENT_USER, kKey, valueName, valueType, data);
        stored[valueName] = {data, valueType, true};
    };
    add("first", REG_SZ, Sz("1"));
    add(std::string(16383, 'n'), REG_SZ, Sz("2"));
    add("big", REG_SZ, Sz(std::string(1 << 20, 'd')));
    add("number", REG_DWORD, std::string("\x07\0\0\0", 4));
    add("last", REG_SZ, Sz("5"));

    RegistryKey key(HKEY_CURRENT_USER);
    ASSERT_EQ(1, key.Open(kKey));
    DWORD index = 0;
    std::set<std::string> seen;
    for (; key.EnumValue(index, name, bytes, type); ++index) {
        ASSERT_TRUE(stored.count(name)) << "unexpected value of " << name.size() << " bytes";
        EXPECT_TRUE(stored[name].bytes == bytes) << name.substr(0, 20) << ": " << bytes.size() << " bytes";
        EXPECT_EQ(stored[name].type, type) << name.substr(0, 20);
        seen.insert(name);
    }
    EXPECT_EQ(stored.size(), seen.size());
    EXPECT_EQ(5u, index);
    EXPECT_EQ(5u, key.ValueCount());
}

TEST_F(RegistryKeyTest, DeleteValueOfAMissingValueFails)
{
    SetRegistryString(HKEY_CURRENT_USER, kKey, "there", "x");
    RegistryKey key(HKEY_CURRENT_USER);
    ASSERT_EQ(1, key.Open(kKey));
    EXPECT_EQ(0, key.DeleteValue("missing"));
    EXPECT_EQ(1, key.DeleteValue("there"));
    EXPECT_FALSE(RegistryValueExists(HKEY_CURRENT_USER, kKey, "there"));
    EXPECT_EQ(0, key.DeleteValue("there"));
}

TEST_F(RegistryKeyTest, ScratchKeysHideThePrefixRegistry)
{
    // The prefix always has this key; under the scratch root it is absent.
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion"));
    RegistryKey machine(HKEY_LOCAL_MACHINE);
    ASSERT_EQ(1, machine.Create("Software\\Bootwise"));
    EXPECT_TRUE(RegistryKeyExists(HKEY_LOCAL_MACHINE, "Software\\Bootwise"));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, "Software\\Bootwise"));
}

} // namespace
