#include "messenger/protocol/PktIn.h"
#include "messenger/protocol/PktNumbers.h"
#include "messenger/protocol/PktOutEmpty.h"
#include "messenger/protocol/PktStreamReader.h"
#include "messenger/protocol/PktStreamWriter.h"
#include "messenger/protocol/PktTransactionIdIssuer.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

// A reader that owns its frame.
struct FrameBytes {
    std::string bytes;
};
struct Reader : FrameBytes, PktStreamReader {
    explicit Reader(std::string frame)
        : FrameBytes { std::move(frame) }
        , PktStreamReader(bytes.data(), static_cast<uint32_t>(bytes.size()))
    {
    }
};

std::wstring Word(PktStreamReader& reader)
{
    std::wstring w;
    reader.ReadWord(w);
    return w;
}

// An option request: one text argument and a UTF-8 payload behind the line.
class PktOutOption : public Pkt {
public:
    PktOutOption(const std::wstring& name, const std::string& value)
        : Pkt(L"LOPT")
        , m_name(name)
        , m_value(value)
    {
    }
    std::unique_ptr<Pkt> Clone() const override { return std::make_unique<PktOutOption>(*this); }
    bool WriteArgs(PktStreamWriter& writer) override
    {
        writer.WriteArg(m_name);
        writer.WriteUInt(static_cast<uint32_t>(m_value.size()));
        writer.EndLine();
        writer.Write(m_value.data(), static_cast<uint32_t>(m_value.size()));
        return true;
    }
    bool ReadArgs(PktStreamReader&) override { return false; }

private:
    std::wstring m_name;
    std::string m_value;
};

class PktInOption : public PktIn {
public:
    explicit PktInOption(int32_t id)
        : PktIn(L"LOPT", id)
    {
    }
    bool ReadArgs(PktStreamReader& reader) override
    {
        uint32_t count = 0;
        reader.ReadWord(name);
        reader.ReadCount(count);
        return reader.ReadBytes(count, value);
    }
    std::wstring name;
    std::string value;
};

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
    EXPECT_EQ(w.ToString(), "a%20b %00 100%25 x%09y%0d%0az\r\n\xED\x95\x9C\xEA\xB8\x80 -42 4294967295");
}

TEST(PktStreamWriter, SuppressedSeparatorJoinsKeyAndValue)
{
    PktStreamWriter w;
    w.EndLine();
    w.SetSeparatorSuppressed(true);
    w.WriteArg(L"from:");
    w.WriteArg(L"a b");
    w.EndLine();
    w.WriteArg(L"ref:");
    w.WriteArg(L"");
    EXPECT_EQ(w.ToString(), "\r\nfrom:a%20b\r\nref:%00");
}

TEST(PktStreamCodec, ArgumentsRoundTrip)
{
    const std::wstring args[] = { L"%", L" ", L"\t", L"\r", L"\n", L"", L"안녕하세요 여러분", L"%00", L"a%41b",
        L"한\t글\r\n%", L"\U0001F600" };
    PktStreamWriter w;
    for (const auto& a : args)
        w.WriteArg(a);
    w.EndLine();
    std::string bytes = w.ToString();
    Reader r(bytes);
    for (const auto& a : args)
        EXPECT_EQ(Word(r), a);
    std::wstring rest;
    EXPECT_FALSE(r.ReadWord(rest));
    EXPECT_EQ(rest, L"");
}

TEST(PktStreamReader, WordModesLinesAndEnd)
{
    Reader r(std::string("ABCD 5 x\r\n"));
    EXPECT_EQ(Word(r), L"ABCD");
    int32_t n = 0;
    EXPECT_TRUE(r.ReadInt(n));
    EXPECT_EQ(n, 5);
    EXPECT_EQ(Word(r), L"x");
    EXPECT_EQ(Word(r), L"");
    EXPECT_FALSE(r.ReadInt(n));
    EXPECT_EQ(n, 0);

    Reader tabs(std::string("a b\tc"));
    tabs.SetWordMode(PktStreamReader::WordModeTab);
    EXPECT_EQ(Word(tabs), L"a b");
    EXPECT_EQ(Word(tabs), L"c");

    Reader lines(std::string("one two\r\nthree %41\r\n"));
    std::wstring line;
    lines.ReadLine(line);
    EXPECT_EQ(line, L"one two");
    lines.SetDecode(false);
    lines.ReadToEnd(line);
    EXPECT_EQ(line, L"three %41\r\n"); // CR kept, no decoding
}

TEST(PktStreamReader, DecodesEscapesAndReplacesBadUtf8)
{
    Reader r(std::string("%00 %41 \xC3\x28z \xFF"));
    EXPECT_EQ(Word(r), L"");
    EXPECT_EQ(Word(r), L"A");
    EXPECT_EQ(Word(r), L"\xFFFD(z");
    EXPECT_EQ(Word(r), L"\xFFFD");
}

TEST(PktStreamReader, NumbersSaturateAndPortsAreUnsigned)
{
    Reader r(std::string("99999999999 -99999999999 -7 +12 abc 40000 -40000 50000 70000 -1 -5 9"));
    int32_t i = 1;
    r.ReadInt(i);
    EXPECT_EQ(i, std::numeric_limits<int32_t>::max());
    r.ReadInt(i);
    EXPECT_EQ(i, std::numeric_limits<int32_t>::min());
    r.ReadInt(i);
    EXPECT_EQ(i, -7);
    r.ReadInt(i);
    EXPECT_EQ(i, 12);
    r.ReadInt(i);
    EXPECT_EQ(i, 0);
    int16_t s = 0;
    r.ReadInt16(s);
    EXPECT_EQ(s, 32767);
    r.ReadInt16(s);
    EXPECT_EQ(s, -32768);
    uint16_t port = 0;
    r.ReadUInt16(port);
    EXPECT_EQ(port, 50000);
    r.ReadUInt16(port);
    EXPECT_EQ(port, 65535);
    r.ReadUInt16(port);
    EXPECT_EQ(port, 0);
    uint32_t count = 1;
    r.ReadCount(count);
    EXPECT_EQ(count, 0u);
    r.ReadCount(count);
    EXPECT_EQ(count, 9u);
}

TEST(PktStreamReader, PayloadNeverReadsPastTheFrame)
{
    Reader r(std::string("LSTA 5 12\r\nabcdefghijk")); // one byte short of the count
    Word(r);
    int32_t id = 0;
    uint32_t count = 0;
    r.ReadInt(id);
    r.ReadCount(count);
    std::string payload;
    EXPECT_FALSE(r.ReadBytes(count, payload));
    EXPECT_EQ(payload, "abcdefghijk");
    EXPECT_EQ(r.GetRemaining(), 0u);
}

TEST(PktHeader, WritesWithAndWithoutIdAndReadsBack)
{
    PktHeader h(L"PING", 12);
    PktStreamWriter w;
    h.Write(w);
    EXPECT_EQ(w.ToString(), "PING 12");

    PktHeader inner(L"MESG", 12);
    inner.SetNoId(true);
    PktStreamWriter w2;
    inner.Write(w2);
    w2.WriteArg(L"MSG");
    EXPECT_EQ(w2.ToString(), "MESG MSG");

    Reader r(std::string("301 7\r\n"));
    PktHeader read;
    read.Read(r);
    EXPECT_EQ(read.GetCommand(), L"301");
    EXPECT_EQ(read.GetTransactionId(), 7);
    Reader bare(std::string("PING\r\n"));
    read.Read(bare);
    EXPECT_EQ(read.GetCommand(), L"PING");
    EXPECT_EQ(read.GetTransactionId(), 0);
}

TEST(Pkt, SerializesPayloadFramesAndParsesThemBack)
{
    PktTransactionIdIssuer issuer(11);
    PktOutOption out(L"TXT", "memo_wnd_show = false");
    EXPECT_EQ(out.GetTransactionId(), 12);
    ASSERT_TRUE(out.Serialize());
    std::string bytes = out.GetWriter().ToString();
    EXPECT_EQ(bytes, "LOPT 12 TXT 21\r\nmemo_wnd_show = false");

    Reader r(bytes);
    PktHeader h;
    h.Read(r);
    PktInOption in(h.GetTransactionId());
    EXPECT_TRUE(in.Parse(r));
    EXPECT_EQ(in.name, L"TXT");
    EXPECT_EQ(in.value, "memo_wnd_show = false");
    EXPECT_EQ(in.GetResult(), kFailureCodeSuccess);

    PktOutEmpty ping(L"PING");
    ping.SetNoId(true);
    ping.Serialize();
    EXPECT_EQ(ping.GetWriter().ToString(), "PING\r\n");
    auto copy = ping.Clone();
    EXPECT_EQ(copy->GetWriter().ToString(), "PING\r\n");
    EXPECT_EQ(copy->GetTransactionId(), ping.GetTransactionId());
    EXPECT_TRUE(copy->GetNoId());
}

TEST(PktNumbers, WStringToFloat)
{
    EXPECT_FLOAT_EQ(WStringToFloat(L"2.0"), 2.0f);
    EXPECT_FLOAT_EQ(WStringToFloat(L"1.0.3"), 10.3f);
    EXPECT_FLOAT_EQ(WStringToFloat(L"42"), 42.0f);
    EXPECT_FLOAT_EQ(WStringToFloat(L".5"), 0.5f);
    EXPECT_FLOAT_EQ(WStringToFloat(L"7."), 7.0f);
    EXPECT_EQ(WStringToFloat(L""), 0.0f);
    EXPECT_EQ(WStringToFloat(L"-1"), 0.0f);
    EXPECT_EQ(WStringToFloat(L"1e5"), 0.0f);
    EXPECT_EQ(WStringToFloat(std::wstring(60, L'9')), 0.0f); // beyond a float
    EXPECT_EQ(ToWString(int32_t(-5)), L"-5");
    EXPECT_EQ(ToWString(uint32_t(4294967295u)), L"4294967295");
}
