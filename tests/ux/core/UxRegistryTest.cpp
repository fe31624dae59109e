#include "ux/core/UxRegistry.h"
#include "platform/system/Registry.h"
#include "tests/support/TempRegistry.h"
#include "ux/core/UxRegistryKey.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const wchar_t kApp[] = L"Software\\Ulvanox\\MobileMessenger";

TEST(UxRegistry, AllThreeTypesRoundTripAndSurviveARestart)
{
    TempRegistry registry;
    const std::wstring text = L"buddy@example.com \"q\" \\ 가나\U0001F600\n";
    const uint8_t blob[] = { 0, 1, 0xFF, 0, 0x80 };
    ASSERT_TRUE(RegWriteString(kApp, L"LoginBuddyId", text));
    ASSERT_TRUE(RegWriteDword(kApp, L"LoginKeepIdPassword", 0xDEADBEEF));
    ASSERT_TRUE(RegWriteBinary(kApp, L"LoginUserPassword", blob, sizeof blob));

    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass ? "after restart" : "in memory");
        EXPECT_EQ(RegReadString(kApp, L"LoginBuddyId", L"-"), text);
        EXPECT_EQ(RegReadDword(kApp, L"LoginKeepIdPassword", 7), 0xDEADBEEFu);
        uint8_t out[16] = {};
        uint32_t size = sizeof out;
        ASSERT_TRUE(RegReadBinary(kApp, L"LoginUserPassword", out, &size));
        EXPECT_EQ(std::vector<uint8_t>(out, out + size), std::vector<uint8_t>(blob, blob + sizeof blob));

        // The string is stored as UTF-16 units without a terminator.
        uint32_t type = 0, bytes = 0;
        plat::HKEY h = nullptr;
        ASSERT_EQ(plat::RegOpenKeyExW(plat::HKEY_CURRENT_USER, kApp, plat::KEY_ALL_ACCESS, &h),
            plat::ERROR_SUCCESS);
        EXPECT_EQ(plat::RegQueryValueExW(h, L"LoginBuddyId", &type, nullptr, &bytes), plat::ERROR_SUCCESS);
        plat::RegCloseKey(h);
        EXPECT_EQ(type, plat::REG_SZ);
        EXPECT_EQ(bytes, (text.size() + 1) * 2); // one character beyond the BMP takes two units
        registry.Restart();
    }

    namespace fs = std::filesystem;
    EXPECT_EQ(fs::status(registry.Path()).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    // Only the registry itself is left: no temporary files.
    int files = 0;
    for (auto& e : std::filesystem::directory_iterator(registry.Folder().Native("config")))
        files += e.is_regular_file();
    EXPECT_EQ(files, 1);
}

TEST(UxRegistry, DefaultsAndLimits)
{
    TempRegistry registry;
    EXPECT_EQ(RegReadString(kApp, L"Missing", L"none"), L"none");
    uint32_t size = 4;
    uint8_t small[4];
    EXPECT_FALSE(RegReadBinary(kApp, L"Missing", small, &size));
    ASSERT_TRUE(RegWriteString(kApp, L"Nick", L"x"));
    EXPECT_EQ(RegReadDword(kApp, L"Other", 42), 42u); // the key exists, the value does not
    // Names and key paths are compared without regard to case.
    EXPECT_EQ(RegReadString(L"software\\ULVANOX\\mobilemessenger", L"NICK", L""), L"x");

    std::wstring longest(4095, L'a');
    ASSERT_TRUE(RegWriteString(kApp, L"Long", longest));
    EXPECT_EQ(RegReadString(kApp, L"Long", L"default"), longest);
    for (size_t tooLong : { 4096, 100000 }) {
        ASSERT_TRUE(RegWriteString(kApp, L"Long", std::wstring(tooLong, L'b')));
        EXPECT_EQ(RegReadString(kApp, L"Long", L"default"), L"default");
    }

    // A stored zero unit ends the text; a short buffer reports the size it needs.
    ASSERT_TRUE(RegWriteString(kApp, L"Zero", std::wstring(L"ab\0cd", 5)));
    EXPECT_EQ(RegReadString(kApp, L"Zero", L""), L"ab");
    const uint8_t eight[8] = { 1, 2, 3, 4, 5, 6, 7, 8 };
    ASSERT_TRUE(RegWriteBinary(kApp, L"Eight", eight, 8));
    size = 4;
    EXPECT_FALSE(RegReadBinary(kApp, L"Eight", small, &size));
    EXPECT_EQ(size, 8u);
    EXPECT_EQ(RegReadDword(kApp, L"Eight", 5), 5u);
}

TEST(UxRegistry, KeysExistWithoutValues)
{
    TempRegistry registry;
    UxRegistryKey key;
    EXPECT_FALSE(key.Open(L"A\\B"));
    EXPECT_FALSE(key.SetDword(L"x", 1)); // not open
    ASSERT_TRUE(key.Create(L"A\\B\\C"));
    key.Close();
    registry.Restart();
    EXPECT_TRUE(key.Open(L"A\\B\\C"));
    EXPECT_TRUE(key.Open(L"A\\B")); // parents were created with it
    EXPECT_FALSE(key.Open(L"A\\C"));
    EXPECT_FALSE(key.Create(L"A\\bad\x01name"));
}

TEST(UxRegistry, DamagedFileIsMovedAsideNeverOverwritten)
{
    TempRegistry registry;
    const std::string damaged = "Quorix Registry 1\n[Software]\n\"Half\"=dword:12";
    registry.Folder().Write("config/registry", damaged);
    EXPECT_EQ(RegReadDword(L"Software", L"Half", 3), 3u);

    ASSERT_TRUE(RegWriteDword(L"Software", L"Whole", 9));
    registry.Restart();
    EXPECT_EQ(RegReadDword(L"Software", L"Whole", 0), 9u);
    std::vector<std::string> aside;
    for (auto& e : std::filesystem::directory_iterator(registry.Folder().Native("config")))
        if (e.path().filename().string().rfind("registry.damaged-", 0) == 0)
            aside.push_back(e.path().filename().string());
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(registry.Folder().Read("config/" + aside[0]), damaged);
}

} // namespace
