#include "messenger/protocol/buddies/PktInLsta.h"
#include "messenger/protocol/codec/PktFactory.h"
#include "messenger/protocol/codec/PktStreamReader.h"
#include "messenger/protocol/codec/PktTransactionIdIssuer.h"
#include "messenger/protocol/connection/PktInCrp2.h"
#include "messenger/protocol/login/PktInLin2.h"
#include "messenger/protocol/login/PktInReqs.h"
#include "messenger/protocol/login/PktOutLin2.h"
#include "tests/support/TraceCapture.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

std::string Bytes(Pkt& packet)
{
    packet.Serialize();
    return packet.GetWriter().ToString();
}

// An incoming frame as the connection would parse it.
template <typename T> std::unique_ptr<T> Parse(const std::string& frame)
{
    PktFactory factory;
    PktStreamReader reader(frame.data(), static_cast<uint32_t>(frame.size()));
    PktHeader header;
    header.Read(reader);
    std::unique_ptr<PktIn> packet = factory.Create(header.GetCommand(), header.GetTransactionId());
    EXPECT_NE(dynamic_cast<T*>(packet.get()), nullptr) << frame;
    if (!dynamic_cast<T*>(packet.get()))
        return nullptr;
    packet->Parse(reader);
    return std::unique_ptr<T>(static_cast<T*>(packet.release()));
}

std::string Fragment(int index, int count, const std::string& piece)
{
    return "LSTA 3 " + std::to_string(index) + " " + std::to_string(count) + " "
        + std::to_string(piece.size()) + "\r\n" + piece;
}

} // namespace

TEST(LoginPackets, SignInCarriesFourPayloadLinesWithTheInitialStatus)
{
    PktTransactionIdIssuer issuer(6);
    PktOutLin2 signIn;
    signIn.UserId = L"kim@quorix.net";
    signIn.Ticket = L"T1";
    signIn.PasswordDigest = L"0123456789abcdef0123456789abcdef";
    signIn.Pcid = L"ffffffffeeeeeeeeddddddddcccccccc";
    signIn.Offline = true;
    const std::string payload
        = "T1\r\n"
          "0123456789abcdef0123456789abcdef MD5 1.0.3 ko.wm ffffffffeeeeeeeeddddddddcccccccc N %00 %00\r\n"
          "X N N\r\n"
          "%00\r\n";
    EXPECT_EQ(Bytes(signIn), "LIN2 7 kim@quorix.net " + std::to_string(payload.size()) + "\r\n" + payload);

    PktOutLin2 online;
    EXPECT_NE(Bytes(online).find("\r\nO N N\r\n"), std::string::npos);
    EXPECT_EQ(online.Clone()->GetWriter().ToString(), online.GetWriter().ToString());
}

TEST(LoginPackets, AnswersSaturateAndStayInsideTheirFrame)
{
    auto reqs = Parse<PktInReqs>("REQS 3 1 main.quorix.net 70000 TICKET\r\n");
    ASSERT_TRUE(reqs);
    // A port out of range saturates instead of wrapping.
    EXPECT_EQ(std::tie(reqs->Host, reqs->Port, reqs->Ticket),
        std::make_tuple(L"main.quorix.net", 65535, L"TICKET"));

    // A count beyond the frame takes only what the frame holds.
    auto cut = Parse<PktInLin2>("LIN2 7 9999\r\nN 0 a");
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->AccountKind, 0);
    EXPECT_EQ(cut->Profile[0], L"a");
    EXPECT_EQ(cut->Profile[1], L"");
}

TEST(LoginPackets, BuddyListFragmentsAreGatheredUntilTheLast)
{
    const std::string body = "2 2\r\n0 기타 1 k1\r\n1 friends 2 k2 ghost\r\n"
                             "a@q 1 k1 e 1101 O 이름 nick 19900101 1 010 t1 t2\r\n"
                             "b@q 0 k2 e 1100 F n2 nick2 %00 0 %00 %00 %00\r\n";
    // Left over from an earlier login: the first fragment starts afresh.
    Parse<PktInLsta>(Fragment(2, 9, "junk"));
    const size_t third = body.size() / 3;
    auto first = Parse<PktInLsta>(Fragment(1, 3, body.substr(0, third)));
    auto second = Parse<PktInLsta>(Fragment(2, 3, body.substr(third, third)));
    EXPECT_TRUE(first->Groups.empty());
    EXPECT_TRUE(second->Groups.empty());
    auto last = Parse<PktInLsta>(Fragment(3, 3, body.substr(2 * third)));
    ASSERT_EQ(last->Groups.size(), 2u);
    ASSERT_EQ(last->Buddies.size(), 2u);
    EXPECT_EQ(last->Groups[0].Name, L"기타");
    EXPECT_EQ(last->Groups[1].Members, (std::vector<std::wstring> { L"k2", L"ghost" }));
    EXPECT_EQ(last->Buddies[0].Name, L"이름");
    EXPECT_EQ(last->Buddies[1].Status, 6);
    EXPECT_EQ(last->Buddies[1].Birthday, L"");

    // A single fragment whose index equals its count is a whole body at once.
    auto whole = Parse<PktInLsta>(Fragment(0, 0, body));
    EXPECT_EQ(whole->Groups.size(), 2u);
}

TEST(LoginPackets, BuddyListCountsStopAtTheEndOfTheBody)
{
    for (const std::string body : { "2000000000 2000000000 g n 1 m", "-1 -1 x", "3 0 a b 0", "",
             "1 0 g n -5 a b", "1 0 g n 2000000000 a b" }) {
        auto list = Parse<PktInLsta>(Fragment(1, 1, body));
        ASSERT_TRUE(list);
        EXPECT_LE(list->Groups.size(), 1u) << body;
        EXPECT_TRUE(list->Buddies.empty()) << body;
    }
    // A truncated last record is kept with its missing words empty.
    auto cut = Parse<PktInLsta>(Fragment(1, 1, "1 1 g name 0 a@q 1 k"));
    ASSERT_EQ(cut->Buddies.size(), 1u);
    EXPECT_EQ(cut->Buddies[0].Id, L"k");
    EXPECT_EQ(cut->Buddies[0].Name, L"");
}

TEST(LoginPackets, OversizedBuddyListIsDroppedNotGrown)
{
    TraceCapture trace;
    const std::string piece(1024 * 1024, 'a');
    Parse<PktInLsta>(Fragment(1, 40, piece));
    for (int i = 2; i <= 17; ++i)
        Parse<PktInLsta>(Fragment(i, 40, piece));
    EXPECT_LE(PktInLsta::GetFragmentBuffer().size(), PktInLsta::kMaxBody);
    EXPECT_TRUE(trace.Contains(L"PktInLsta::ReadArgs"));
    auto next = Parse<PktInLsta>(Fragment(1, 1, "1 0 g n 0"));
    EXPECT_EQ(next->Groups.size(), 1u);
}

TEST(LoginPackets, EnvelopeFromTheServiceSetsTheCurrentKey)
{
    auto envelope = Parse<PktInCrp2>("CRP2 5 SS k42 19\r\nMESG 0 x TYPING 1\r\nEXTRA");
    ASSERT_TRUE(envelope);
    EXPECT_EQ(envelope->Kind, 1);
    EXPECT_EQ(envelope->Payload, "MESG 0 x TYPING 1\r\n");
    EXPECT_EQ(PktInCrp2::GetCurrentKey(), L"k42");
    auto odd = Parse<PktInCrp2>("CRP2 5 XX k 0\r\n");
    EXPECT_EQ(odd->Kind, 2);
}
