#include "messenger/protocol/codec/PktNumbers.h"
#include "messenger/protocol/codec/PktOutEmpty.h"
#include "messenger/protocol/codec/PktStreamReader.h"
#include "messenger/protocol/codec/PktStreamWriter.h"
#include "messenger/protocol/codec/PktTransactionIdIssuer.h"
#include "ux/core/UxText.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>
#include <vector>

namespace {

// A reader over a literal, which outlives it.
template <size_t N> PktStreamReader Reader(const char (&text)[N])
{
    return PktStreamReader(text, N - 1);
}

std::wstring Word(PktStreamReader& reader)
{
    std::wstring w;
    reader.ReadWord(w);
    return w;
}

} // namespace

TEST(PktStreamWriter, EscapesSeparatesAndEndsLines)
{
    PktStreamWriter w;
    w.WriteArg(L"a b");
    w.WriteArg(L"");
    w.WriteArg(L"100%");
    w.WriteArg(L"x\ty\r\nz");
    w.EndLine();
    w.WriteArg(L"한글");
    w.WriteInt(-42);
    w.WriteUInt(4294967295u);
    w.EndLine();
    // A suppressed separator joins key and value.
    w.SetSeparatorSuppressed(true);
    w.WriteArg(L"ref:");
    w.WriteArg(L"");
    EXPECT_EQ(w.ToString(), "a%20b %00 100%25 x%09y%0d%0az\r\n\xED\x95\x9C\xEA\xB8\x80 -42 4294967295\r\nref:%00");
}

TEST(PktStreamCodec, ArgumentsRoundTrip)
{
    const std::wstring args[] = { L"%", L" ", L"\t", L"\r", L"\n", L"", L"안녕하세요 여러분", L"%00",
        L"a%41b", L"한\t글\r\n%", L"\U0001F600" };
    PktStreamWriter w;
    for (const auto& a : args)
        w.WriteArg(a);
    w.EndLine();
    std::string bytes = w.ToString();
    PktStreamReader r(bytes.data(), static_cast<uint32_t>(bytes.size()));
    for (const auto& a : args)
        EXPECT_EQ(Word(r), a);
    std::wstring rest;
    EXPECT_FALSE(r.ReadWord(rest));
    EXPECT_EQ(rest, L"");
}

TEST(PktStreamReader, WordModesLinesAndEnd)
{
    auto r = Reader("ABCD 5 x\r\n");
    EXPECT_EQ(Word(r), L"ABCD");
    int32_t n = 0;
    EXPECT_TRUE(r.ReadInt(n));
    EXPECT_EQ(n, 5);
    EXPECT_EQ(Word(r), L"x");
    EXPECT_EQ(Word(r), L"");
    EXPECT_FALSE(r.ReadInt(n));
    EXPECT_EQ(n, 0);

    auto tabs = Reader("a b\tc");
    tabs.SetWordMode(PktStreamReader::WordModeTab);
    EXPECT_EQ(Word(tabs), L"a b");
    EXPECT_EQ(Word(tabs), L"c");

    auto lines = Reader("one two\r\nthree %41\r\n");
    std::wstring line;
    lines.ReadLine(line);
    EXPECT_EQ(line, L"one two");
    lines.SetDecode(false);
    lines.ReadToEnd(line);
    EXPECT_EQ(line, L"three %41\r\n"); // CR kept, no decoding

    // The frame's own carriage returns go, wherever they stand; escaped ones stay.
    auto returns = Reader("a%0Db x\ry%0d\r\nc\r%0D\r\n");
    EXPECT_EQ(Word(returns), L"a\rb");
    EXPECT_EQ(Word(returns), L"xy\r");
    returns.ReadLine(line);
    EXPECT_EQ(line, L"c\r");

    auto bad = Reader("%00 %41 \xC3\x28z \xFF");
    for (const wchar_t* word : { L"", L"A", L"\xFFFD(z", L"\xFFFD" })
        EXPECT_EQ(Word(bad), word);
}

TEST(PktStreamReader, NumbersSaturateAndPortsAreUnsigned)
{
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max(), kMin = std::numeric_limits<int32_t>::min();
    auto r = Reader("99999999999 -99999999999 -7 +12 abc 3x 40000 -40000 50000 70000 -1 -5 9");
    std::vector<int32_t> ints(6);
    for (auto& i : ints)
        r.ReadInt(i);
    EXPECT_EQ(ints, (std::vector<int32_t> { kMax, kMin, -7, 12, 0, 3 }));
    int16_t s1 = 0, s2 = 0;
    r.ReadInt16(s1);
    r.ReadInt16(s2);
    EXPECT_EQ(s1, 32767);
    EXPECT_EQ(s2, -32768);
    std::vector<uint16_t> ports(3);
    for (auto& p : ports)
        r.ReadUInt16(p);
    EXPECT_EQ(ports, (std::vector<uint16_t> { 50000, 65535, 0 }));
    uint32_t negative = 1, count = 0;
    r.ReadCount(negative);
    r.ReadCount(count);
    EXPECT_EQ(negative, 0u);
    EXPECT_EQ(count, 9u);
}

TEST(PktHeader, ReadsFailureRepliesAndLinesWithoutId)
{
    auto r = Reader("301 7\r\n");
    PktHeader h;
    h.Read(r);
    EXPECT_EQ(h.GetCommand(), L"301");
    EXPECT_EQ(h.GetTransactionId(), 7);
    auto bare = Reader("PING\r\n");
    h.Read(bare);
    EXPECT_EQ(h.GetCommand(), L"PING");
    EXPECT_EQ(h.GetTransactionId(), 0);
}

TEST(Pkt, PayloadEndsWithTheFrameAndClonesKeepTheirId)
{
    // One byte short: the payload ends with the frame.
    auto r = Reader("LOPT 12 TXT 21\r\nmemo_wnd_show = fals");
    PktHeader h;
    h.Read(r);
    std::wstring name;
    uint32_t count = 0;
    std::string payload;
    r.ReadWord(name);
    r.ReadCount(count);
    EXPECT_FALSE(r.ReadBytes(count, payload));
    EXPECT_EQ(payload, "memo_wnd_show = fals");
    EXPECT_EQ(r.GetRemaining(), 0u);

    PktTransactionIdIssuer issuer(12);
    PktOutEmpty ping(L"PING");
    ping.SetNoId(true);
    ping.Serialize();
    auto copy = ping.Clone();
    EXPECT_EQ(copy->GetWriter().ToString(), "PING\r\n");
    EXPECT_EQ(copy->GetTransactionId(), 13);
    EXPECT_TRUE(copy->GetNoId());
}

TEST(PktNumbers, WStringToFloat)
{
    const std::pair<std::wstring, float> cases[] = { { L"2.0", 2.0f }, { L"1.0.3", 10.3f }, { L"42", 42.0f },
        { L".5", 0.5f }, { L"7.", 7.0f }, { L"", 0.0f }, { L"-1", 0.0f }, { L"1e5", 0.0f },
        { std::wstring(60, L'9'), 0.0f } }; // the last is beyond a float
    for (const auto& [text, value] : cases)
        EXPECT_FLOAT_EQ(WStringToFloat(text), value) << ToUtf8(text);
}
