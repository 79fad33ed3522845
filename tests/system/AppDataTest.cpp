// Application values under HKEY_LOCAL_MACHINE of the test prefix, read back
// with the registry functions: every type and byte kept, size 0 and empty
// names refused, removal of the value alone, double-byte key names.
#include <TqCommon.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SystemTestSupport.h"

namespace {

const char kValue[] = "Setting";

struct StoredValue {
    bool exists = false;
    DWORD type = REG_NONE;
    std::string bytes;
};

StoredValue ReadValue(const std::string& keyPath, const char* name)
{
    StoredValue value;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return value;
    BYTE data[1024];
    DWORD size = sizeof data;
    value.exists = RegQueryValueExA(key, name, nullptr, &value.type, data, &size) == ERROR_SUCCESS;
    if (value.exists)
        value.bytes.assign(reinterpret_cast<const char*>(data), size);
    RegCloseKey(key);
    return value;
}

bool KeyExists(const std::string& keyPath)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void SetRawValue(const std::string& keyPath, const char* name, DWORD type, const std::string& bytes)
{
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &key, nullptr);
    RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                   static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
}

const unsigned char* Bytes(const std::string& text)
{
    return reinterpret_cast<const unsigned char*>(text.data());
}

// The company key of the tests, removed before and after each test.
class AppDataTest : public ::testing::Test {
protected:
    // 東京ソフト holds ソ, 0x83 0x5C, whose trail byte is a backslash.
    const std::string m_company = Cp932("東京ソフト試験");
    const std::string m_application = Cp932("表計算");
    const std::string m_keyPath = "SOFTWARE\\" + m_company + "\\" + m_application;
    const ScopedRegistryCleanup m_cleanup{HKEY_LOCAL_MACHINE, {"SOFTWARE\\" + m_company}};

    int Register(const char* name, DWORD type, const std::string& bytes)
    {
        return TqRegisterAppData(m_company.c_str(), m_application.c_str(), name, type,
                                 Bytes(bytes), static_cast<unsigned long>(bytes.size()));
    }
    int IsRegistered(const char* name)
    {
        return TqIsAppDataRegisterd(m_company.c_str(), m_application.c_str(), name);
    }
    int Unregister(const char* name)
    {
        return TqUnregisterAppData(m_company.c_str(), m_application.c_str(), name);
    }
};

}  // namespace

TEST_F(AppDataTest, ValuesOfEveryTypeKeepTheirTypeAndBytes)
{
    // One value written again and again: each write replaces type and bytes.
    const struct {
        DWORD type;
        std::string bytes;
    } cases[] = {
        {REG_SZ, std::string("text\0", 5)},
        {REG_BINARY, std::string("\x00\x01\xFF\x5C\x00", 5)},
        {REG_DWORD, std::string("\x78\x56\x34\x12", 4)},
        {REG_MULTI_SZ, std::string("one\0two\0\0", 9)},
        {REG_EXPAND_SZ, std::string("%TEMP%\\x\0", 9)},
        {REG_SZ, Cp932("値の文字列") + std::string(1, '\0')},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(Register(kValue, c.type, c.bytes), 1) << c.type;
        const StoredValue stored = ReadValue(m_keyPath, kValue);
        EXPECT_EQ(stored.type, c.type);
        EXPECT_EQ(stored.bytes, c.bytes) << c.type;
        EXPECT_EQ(IsRegistered(kValue), 1) << c.type;
    }
    EXPECT_EQ(Unregister(kValue), 1);
    EXPECT_FALSE(ReadValue(m_keyPath, kValue).exists);
    EXPECT_EQ(IsRegistered(kValue), 0);
    EXPECT_EQ(Unregister(kValue), 2);
}

TEST_F(AppDataTest, RemovalTakesTheValueAloneAndLeavesTheKey)
{
    ASSERT_EQ(Register("first", REG_DWORD, std::string(4, '\1')), 1);
    ASSERT_EQ(Register("second", REG_DWORD, std::string(4, '\2')), 1);
    EXPECT_EQ(Unregister("first"), 1);
    EXPECT_TRUE(KeyExists(m_keyPath));
    EXPECT_FALSE(ReadValue(m_keyPath, "first").exists);
    EXPECT_EQ(ReadValue(m_keyPath, "second").bytes, std::string(4, '\2'));
}

TEST_F(AppDataTest, MissingAndEmptyValuesCountAsAbsent)
{
    EXPECT_EQ(Unregister(kValue), 2);
    EXPECT_FALSE(KeyExists(m_keyPath)) << "removal creates no key";
    EXPECT_EQ(IsRegistered(kValue), 0);
    EXPECT_FALSE(KeyExists(m_keyPath)) << "the check creates no key";

    EXPECT_EQ(Register(kValue, REG_BINARY, ""), 0) << "size 0 is refused";
    EXPECT_FALSE(KeyExists(m_keyPath));

    SetRawValue(m_keyPath, kValue, REG_BINARY, "");  // a zero-length value written by others
    EXPECT_EQ(IsRegistered(kValue), 0);
    EXPECT_EQ(Unregister(kValue), 2);
    EXPECT_TRUE(ReadValue(m_keyPath, kValue).exists) << "left alone";
}

TEST_F(AppDataTest, EmptyOrNullNamesAndDataAreRefused)
{
    SetRawValue(m_keyPath, nullptr, REG_SZ, std::string("default\0", 8));
    const std::string data = "data";
    const char* company = m_company.c_str();
    const char* application = m_application.c_str();
    const struct {
        const char* company;
        const char* application;
        const char* name;
        const unsigned char* data;
    } cases[] = {
        {company, application, "", Bytes(data)},
        {company, application, nullptr, Bytes(data)},
        {"", application, kValue, Bytes(data)},
        {nullptr, application, kValue, Bytes(data)},
        {company, "", kValue, Bytes(data)},
        {company, nullptr, kValue, Bytes(data)},
        {company, application, kValue, nullptr},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TqRegisterAppData(c.company, c.application, c.name, REG_BINARY, c.data, 4), 0);
        EXPECT_EQ(TqIsAppDataRegisterd(c.company, c.application, c.name), 0);
        EXPECT_EQ(TqUnregisterAppData(c.company, c.application, c.name), 2);
    }
    EXPECT_EQ(ReadValue(m_keyPath, nullptr).bytes, std::string("default\0", 8))
        << "the default value is never touched";
    EXPECT_FALSE(ReadValue(m_keyPath, kValue).exists);
}
