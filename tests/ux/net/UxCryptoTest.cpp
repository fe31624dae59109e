#include "ux/net/UxCrypto.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<uint8_t> FromHex(const char* hex)
{
    std::vector<uint8_t> out;
    for (size_t i = 0; hex[i] && hex[i + 1]; i += 2)
        out.push_back(static_cast<uint8_t>(std::stoi(std::string(hex + i, 2), nullptr, 16)));
    return out;
}

const std::vector<uint8_t> kKey = FromHex("0123456789ABCDEF23456789ABCDEF01456789ABCDEF0123");

TEST(UxCrypto, Md5KnownAnswers)
{
    // RFC 1321, appendix A.5
    std::string digits;
    for (int i = 0; i < 8; ++i)
        digits += "1234567890";
    EXPECT_EQ(Md5Hex("", 0), L"d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(Md5Hex("message digest", 14), L"f96b697d7cb7938d525a2f31aaf161d0");
    EXPECT_EQ(Md5Hex(digits.data(), digits.size()), L"57edf4a22be3c955ac49da2e2107b67a");
    EXPECT_EQ(Md5Hex(nullptr, 3), L"");
}

TEST(UxCrypto, TripleDesKnownAnswersPaddingAndBadInput)
{
    // Three distinct keys, ECB, over three blocks; then equal keys, which make it single DES.
    uint8_t out[40], back[40];
    size_t n = 0, m = 0;
    ASSERT_TRUE(EncryptDesEde3("The qufck brown fox jump", 24, out, &n, kKey.data(), nullptr));
    ASSERT_EQ(n, 32u); // a whole block of padding
    EXPECT_EQ(
        std::vector<uint8_t>(out, out + 24), FromHex("A826FD8CE53B855FCCE21C8112256FE668D5C05DD9B6B900"));
    auto single = FromHex("0123456789ABCDEF0123456789ABCDEF0123456789ABCDEF");
    ASSERT_TRUE(EncryptDesEde3("Now is the time for all ", 24, out, &n, single.data(), nullptr));
    EXPECT_EQ(
        std::vector<uint8_t>(out, out + 24), FromHex("3FA40E8A984D48156A271787AB8883F9893D51EC4B563B53"));

    for (size_t length : { 0u, 1u, 15u, 16u, 17u }) {
        std::string input(length, 'x');
        ASSERT_TRUE(EncryptDesEde3(input.data(), length, out, &n, kKey.data(), nullptr));
        EXPECT_EQ(n, (length / 8 + 1) * 8);
        ASSERT_TRUE(DecryptDesEde3(out, n, back, &m, kKey.data(), nullptr));
        EXPECT_EQ(std::string(reinterpret_cast<char*>(back), m), input);
    }

    out[n - 1] ^= 0x55; // the padding no longer checks
    m = 99;
    EXPECT_FALSE(DecryptDesEde3(out, n, back, &m, kKey.data(), nullptr));
    EXPECT_EQ(m, 0u);
    EXPECT_FALSE(DecryptDesEde3(out, 7, back, &m, kKey.data(), nullptr)); // not whole blocks
    EXPECT_FALSE(EncryptDesEde3("x", 1, out, &n, nullptr, nullptr));
}

} // namespace
