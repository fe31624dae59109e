#include "messenger/protocol/login/SavedLogin.h"
#include "tests/support/TempRegistry.h"
#include "ux/core/UxRegistry.h"
#include "ux/net/UxCrypto.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::wstring Md5Of(const std::string& text)
{
    return Md5Hex(text.data(), text.size());
}

} // namespace

TEST(SavedLogin, DigestDropsOnlyTheDefaultDomain)
{
    EXPECT_EQ(MakePasswordDigest(L"minsu@quorix.net", L"minsu1234"), Md5Of("minsu1234minsu"));
    EXPECT_EQ(MakePasswordDigest(L"minsu@QUORIX.Net", L"minsu1234"), Md5Of("minsu1234minsu"));
    EXPECT_EQ(MakePasswordDigest(L"minsu", L"pw"), Md5Of("pwminsu"));
    EXPECT_EQ(MakePasswordDigest(L"dahye@mailbox.kr", L"pw"), Md5Of("pwdahye@mailbox.kr"));
    // A mismatch just before the domain must not shift where the id is cut.
    EXPECT_EQ(MakePasswordDigest(L"aq@quorix.net", L"pw"), Md5Of("pwaq"));
    EXPECT_EQ(MakePasswordDigest(L"a@@quorix.net", L"pw"), Md5Of("pwa@"));
    EXPECT_EQ(MakePasswordDigest(L"김@quorix.net", L"비번"), Md5Of("비번김"));
    EXPECT_EQ(MakePasswordDigest(L"x", L"").size(), 32u);
}

TEST(SavedLogin, SavedDigestComesBackOnlyWithTheSameKey)
{
    TempRegistry registry;
    const std::wstring digest = MakePasswordDigest(L"minsu@quorix.net", L"minsu1234");
    EXPECT_EQ(LoadLoginPassword(), L"");
    ASSERT_TRUE(SaveLoginPassword(digest));
    uint8_t raw[64];
    uint32_t size = sizeof raw;
    ASSERT_TRUE(RegReadBinary(kMessengerRegistryPath, L"LoginUserPassword", raw, &size));
    EXPECT_EQ(size, 40u);
    EXPECT_EQ(LoadLoginPassword(), digest);

    // Other machines' keys. About one wrong key in 256 still passes the padding check;
    // what it deciphers to must not come back as a password.
    const std::string home(24, 'k');
    ASSERT_TRUE(SaveLoginPassword(digest, home));
    uint8_t sealed[64];
    uint32_t sealedSize = sizeof sealed;
    ASSERT_TRUE(RegReadBinary(kMessengerRegistryPath, L"LoginUserPassword", sealed, &sealedSize));
    int paddingPassed = 0;
    for (int i = 0; i < 2000; ++i) {
        std::string other = home;
        std::memcpy(&other[0], &i, sizeof i);
        uint8_t plain[64];
        size_t length = 0;
        paddingPassed += DecryptDesEde3(sealed, sealedSize, plain, &length, other.data(), nullptr);
        EXPECT_EQ(LoadLoginPassword(other), L"") << i;
    }
    EXPECT_GT(paddingPassed, 0);
    EXPECT_EQ(LoadLoginPassword(home), digest);

    // Whatever deciphers but is not a digest is no saved login.
    ASSERT_TRUE(SaveLoginPassword(L"not a digest", home));
    EXPECT_EQ(LoadLoginPassword(home), L"");
    ASSERT_TRUE(ClearLoginPassword());
    EXPECT_EQ(LoadLoginPassword(), L"");
}

TEST(SavedLogin, DeviceIdIsMadeOnceAndReplacedWhenMalformed)
{
    TempRegistry registry;
    const std::wstring first = GetLoginPcid();
    ASSERT_EQ(first.size(), 32u);
    EXPECT_EQ(first.find_first_not_of(L"0123456789abcdef"), std::wstring::npos);
    EXPECT_EQ(GetLoginPcid(), first);
    registry.Restart();
    EXPECT_EQ(GetLoginPcid(), first);

    for (size_t length : { 31u, 33u }) {
        const std::wstring bad(length, L'a');
        ASSERT_TRUE(RegWriteString(kMessengerRegistryPath, L"LoginPcid", bad));
        const std::wstring fresh = GetLoginPcid();
        EXPECT_EQ(fresh.size(), 32u);
        EXPECT_NE(fresh, first);
        EXPECT_EQ(RegReadString(kMessengerRegistryPath, L"LoginPcid", L""), fresh);
    }
}
