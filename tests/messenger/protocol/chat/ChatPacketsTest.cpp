// Chat packets on the wire: what goes out, and what comes in read back.
#include "messenger/protocol/chat/PktInCmsg.h"
#include "messenger/protocol/chat/PktInCses.h"
#include "messenger/protocol/chat/PktInCtoc.h"
#include "messenger/protocol/chat/PktInInvt.h"
#include "messenger/protocol/chat/PktInMesg.h"
#include "messenger/protocol/chat/PktInParticipant.h"
#include "messenger/protocol/chat/PktInRess.h"
#include "messenger/protocol/chat/PktOutCmsg.h"
#include "messenger/protocol/chat/PktOutCses.h"
#include "messenger/protocol/chat/PktOutInvt.h"
#include "messenger/protocol/chat/PktOutMesg.h"
#include "messenger/protocol/codec/PktStreamReader.h"
#include "messenger/protocol/connection/PktOutCrp2.h"
#include "tests/support/MessengerSingletons.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace {

std::string Bytes(Pkt& packet)
{
    packet.Serialize();
    return packet.GetWriter().ToString();
}

// Reads the arguments of an incoming packet from the text after its command and id.
template <typename T> T Read(const std::string& args, int32_t id = 0)
{
    T packet(id);
    PktStreamReader reader(args.data(), static_cast<uint32_t>(args.size()));
    packet.Parse(reader);
    return packet;
}

void FillInvitation(PktOutInvt& invitation)
{
    invitation.InviterId = L"kim@quorix.net";
    invitation.Host = L"chat.example";
    invitation.Port = 40001;
    invitation.Key = L"k 1";
}

} // namespace

// The set-up requests are checked where the handlers send them.
TEST(ChatPackets, OutgoingLinesAndMemoRelay)
{
    const std::vector<std::pair<std::function<std::string()>, std::string>> cases = {
        { [] {
             PktOutMesg line;
             line.Kind = PktOutMesg::KindMsg;
             line.Font = L"맑은 고딕";
             line.Colour = 255;
             line.Style = 1 | 8;
             line.Text = L"a\tb 100%";
             return Bytes(line);
         },
            "MESG 1 MSG 맑은%20고딕%09255%09BS%09a%09b%20100%25\r\n" },
        { [] {
             PktOutMesg line; // empty font and no style are written "0"
             line.Kind = PktOutMesg::KindAwayMsg;
             line.Text = L"x";
             return Bytes(line);
         },
            "MESG 1 AWAYMSG 0%090%090%09x\r\n" },
        { [] {
             PktOutMesg typing;
             typing.Kind = PktOutMesg::KindTyping;
             typing.TypingState = 0;
             return Bytes(typing);
         },
            "MESG 1 TYPING 0\r\n" },
        { [] {
             PktOutInvt invitation;
             FillInvitation(invitation);
             PktOutCmsg memo;
             memo.Flag = true;
             memo.Recipients = { L"a@x", L"b@x" };
             memo.SetPayload(invitation);
             return Bytes(memo);
         },
            "CMSG 2 Y 55\r\na@x b@x\r\nINVT kim@quorix.net chat.example 40001 k%201\r\n" },
    };
    for (const auto& [make, expected] : cases) {
        MessengerSingletons m; // ids from 1 upward
        EXPECT_EQ(make(), expected);
    }
}

TEST(ChatPackets, ChatServerAnswersKeepPortsAboveThe16BitSignedRange)
{
    const auto ress = Read<PktInRess>("chat.example 40000 key\r\n");
    EXPECT_EQ(
        std::tie(ress.Host, ress.Port, ress.Key), std::make_tuple(L"chat.example", uint16_t(40000), L"key"));
    const auto invitation = Read<PktInInvt>("kim h 65535 k\r\n");
    EXPECT_EQ(std::tie(invitation.InviterId, invitation.Port, invitation.Key),
        std::make_tuple(L"kim", uint16_t(65535), L"k"));

    const auto connect = Read<PktInCses>("CONN 26\r\nSS sid%201 text 50000 key\r\n");
    EXPECT_EQ(connect.Kind, PktOutCses::KindConn);
    EXPECT_EQ(std::tie(connect.EnvelopeKind, connect.SessionId, connect.Host, connect.Port, connect.Key),
        std::make_tuple(PktOutCrp2::KindSs, L"sid 1", L"text", uint16_t(50000), L"key"));
    const auto leave = Read<PktInCses>("KILL 5\r\ns1 Y\r\n");
    EXPECT_EQ(
        std::tie(leave.Kind, leave.Text, leave.Flag), std::make_tuple(PktOutCses::KindKill, L"s1", true));
    // A count beyond the frame reads what there is.
    const auto cut = Read<PktInCses>("CONN 999\r\nDP s2");
    EXPECT_EQ(std::tie(cut.EnvelopeKind, cut.SessionId, cut.Port), std::make_tuple(0, L"s2", uint16_t(0)));
}

TEST(ChatPackets, LinesParticipantsAndNotices)
{
    // The leading fields end at TABs only: a font name with a space stays whole.
    const auto line = Read<PktInMesg>("kim MSG Malgun%20Gothic%09255%09IU%09hi%09there%20%2525\r\n");
    EXPECT_EQ(std::tie(line.Sender, line.Kind, line.Font, line.Colour, line.Style, line.Text),
        std::make_tuple(L"kim", 1, L"Malgun Gothic", 255u, 2 | 4, L"hi\tthere %25"));
    const auto typing = Read<PktInMesg>("kim TYPING 2\r\n");
    EXPECT_EQ(std::tie(typing.Kind, typing.TypingState), std::make_tuple(0, 2));
    const auto bare = Read<PktInMesg>("");
    EXPECT_EQ(std::tie(bare.Sender, bare.Kind, bare.TypingState), std::make_tuple(L"", 3, 3));

    PktInParticipant user(L"USER", 0);
    const std::string words = "2 3 lee 지%20연 이지연 extra 1\r\n";
    PktStreamReader reader(words.data(), static_cast<uint32_t>(words.size()));
    user.Parse(reader);
    const ChatParticipant& p = user.Participant;
    EXPECT_EQ(std::tie(user.Number1, user.Number2, p.Id, p.Nick, p.Name, p.Extra, p.Kind),
        std::make_tuple(2, 3, L"lee", L"지 연", L"이지연", L"extra", 0));
}

TEST(ChatPackets, RelayedFramesAreRebuiltWithinTheirSlice)
{
    const std::vector<std::tuple<std::string, std::wstring, std::string>> cases = {
        { "a 17\r\nINVT a b 5004 k\r\n", L"INVT", "INVT 0\r\na b 5004 k\r\n" },
        // A count past the frame reads to its end; a count short of it stops there.
        { "a 90\r\nINVT a b", L"INVT", "INVT 0\r\na b" },
        { "a 7\r\nINVT a bcdef", L"INVT", "INVT 0\r\na " },
        { "a 0\r\nINVT a", L"", "%00 0\r\n" },
        { "a -5\r\nKILL x", L"", "%00 0\r\n" },
        { "a 8\r\nKILL\r\nxy", L"KILL", "KILL 0\r\nxy" },
    };
    for (const auto& [args, command, frame] : cases) {
        const auto relayed = Read<PktInCtoc>(args);
        EXPECT_EQ(
            std::tie(relayed.Sender, relayed.InnerCommand, relayed.Inner), std::tie(L"a", command, frame))
            << args;
    }

    // The same frame is an answer when its id is a request of this client.
    MessengerSingletons m;
    PktOutCmsg memo;
    m.pending.Add(memo);
    const auto answer = Read<PktInCmsg>("12\r\nx@y\r\n z@w \r\n", memo.GetTransactionId());
    EXPECT_TRUE(answer.IsAnswer);
    EXPECT_EQ(answer.Undelivered, (std::vector<std::wstring> { L"x@y", L"z@w" }));
    const auto delivered = Read<PktInCmsg>("kim 9\r\nIMSG\r\nabc");
    EXPECT_FALSE(delivered.IsAnswer);
    EXPECT_EQ(
        std::tie(delivered.Sender, delivered.Inner), std::make_tuple(L"kim", std::string("IMSG 0\r\nabc")));
}
