// Application values under HKEY_LOCAL_MACHINE of the test prefix, with
// double-byte company and application names, read back with the registry
// functions: every type and byte kept, size 0 and missing names refused,
// removal of the value alone; and the key guard behind them.
#include "SystemTestSupport.h"
#include "system/internal/TqRegistryKey.h"

TEST(AppData, ValuesKeepTheirTypeAndBytesAndGoAlone)
{
    // 東京ソフト holds ソ, 0x83 0x5C, whose trail byte is a backslash.
    const std::string company = Cp932("東京ソフト試験");
    const std::string application = Cp932("表計算");
    const std::string keyPath = "SOFTWARE\\" + company + "\\" + application;
    const RegistryCleanup cleanup(HKEY_LOCAL_MACHINE, {"SOFTWARE\\" + company});
    const char* const co = company.c_str();
    const char* const app = application.c_str();
    const auto write = [&](DWORD type, const std::string& bytes) {
        return TqRegisterAppData(co, app, "Setting", type,
                                 reinterpret_cast<const unsigned char*>(bytes.data()),
                                 static_cast<unsigned long>(bytes.size()));
    };
    const auto stored = [&] { return Snapshot(keyPath, HKEY_LOCAL_MACHINE); };

    // The check and the removal of a missing value create no key; size 0 is refused.
    EXPECT_EQ(TqIsAppDataRegisterd(co, app, "Setting"), 0);
    EXPECT_EQ(TqUnregisterAppData(co, app, "Setting"), 2);
    EXPECT_EQ(write(REG_BINARY, ""), 0);
    EXPECT_TRUE(stored().empty());

    // A default value and a zero-length value written by others, never touched.
    SHSetValueA(HKEY_LOCAL_MACHINE, keyPath.c_str(), nullptr, REG_SZ, "default", 8);
    SHSetValueA(HKEY_LOCAL_MACHINE, keyPath.c_str(), "Empty", REG_BINARY, "", 0);
    const RegistryValues others = {{"", {REG_SZ, std::string("default\0", 8)}},
                                   {"Empty", {REG_BINARY, ""}}};
    const unsigned char data[] = "data";
    const struct { const char *company, *application, *name; const unsigned char* data; }
    refused[] = {  // null and empty names are refused alike: each name is left out once
        {co, app, "", data}, {nullptr, app, "Setting", data}, {co, "", "Setting", data},
        {co, app, "Setting", nullptr}};
    for (const auto& r : refused) {
        EXPECT_EQ(TqRegisterAppData(r.company, r.application, r.name, REG_BINARY, r.data, 4), 0);
        EXPECT_EQ(TqIsAppDataRegisterd(r.company, r.application, r.name), 0);
        EXPECT_EQ(TqUnregisterAppData(r.company, r.application, r.name), 2);
    }
    EXPECT_EQ(TqIsAppDataRegisterd(co, app, "Empty"), 0);
    EXPECT_EQ(TqUnregisterAppData(co, app, "Empty"), 2);
    EXPECT_EQ(stored(), (RegistryTree{{keyPath, others}}));

    // One value written again and again: each write replaces type and bytes.
    const struct { DWORD type; std::string bytes; } cases[] = {
        {REG_BINARY, std::string("\x00\x01\xFF\x5C\x00", 5)},
        {REG_DWORD, std::string("\x78\x56\x34\x12", 4)},
        {REG_SZ, Cp932("値の文字列") + std::string(1, '\0')},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(write(c.type, c.bytes), 1) << c.type;
        RegistryValues expected = others;
        expected["Setting"] = {c.type, c.bytes};
        EXPECT_EQ(stored(), (RegistryTree{{keyPath, expected}})) << c.type;
        EXPECT_EQ(TqIsAppDataRegisterd(co, app, "Setting"), 1);
    }
    EXPECT_EQ(TqUnregisterAppData(co, app, "Setting"), 1);
    EXPECT_EQ(TqUnregisterAppData(co, app, "Setting"), 2);
    EXPECT_EQ(stored(), (RegistryTree{{keyPath, others}})) << "the value alone goes";
}

// The library's registry key guard closes the key it holds whenever it opens
// or creates another, also when that fails, and may open below its own key.
TEST(AppData, RegistryKeyGuardClosesTheKeyItHeldOnReopening)
{
    const struct {
        const char* what;
        bool (*reopen)(tq::RegistryKey& key);
        bool held;
    } cases[] = {
        {"open", [](tq::RegistryKey& key) { return key.Open(HKEY_CURRENT_USER, "Software"); },
         true},
        {"create", [](tq::RegistryKey& key) { return key.Create(HKEY_CURRENT_USER, "Software"); },
         true},
        {"below itself", [](tq::RegistryKey& key) { return key.Open(key, ""); }, true},
        {"missing", [](tq::RegistryKey& key) { return key.Open(HKEY_CURRENT_USER, "TqNoSuchKey"); },
         false},
    };
    for (const auto& c : cases) {
        tq::RegistryKey key;
        ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, "Software")) << c.what;
        const HKEY first = key;
        EXPECT_EQ(c.reopen(key), c.held) << c.what;
        EXPECT_EQ(HKEY(key) != nullptr, c.held) << c.what;
        EXPECT_NE(HKEY(key), first) << c.what;
        EXPECT_EQ(RegQueryInfoKeyA(first, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, nullptr, nullptr, nullptr, nullptr),
                  ERROR_INVALID_HANDLE)
            << c.what;
    }
}
