// Chats through the local service, whose demo accounts play the other side.
#include "messenger/model/ChatSessionList.h"
#include "messenger/protocol/chat/ChatActions.h"
#include "messenger/protocol/connection/PktInCrp2.h"
#include "tests/support/ServiceSession.h"
#include "tests/support/TraceCapture.h"

namespace {

const std::string kJiyeon = "jiyeon@quorix.net";
const std::string kJunho = "junho@quorix.net";
// Korean, a TAB, runs of spaces and a percent sign, as typed.
const std::wstring kTricky = L"안녕 하세요\t탭  두 칸 100%";

class ChatTest : public ServiceSessionTest {
protected:
    void SetUp() override { SetUpSignedIn(L"minsu@quorix.net", L"minsu1234"); }

    // The party accepts the invitation once it has arrived; its chat session id.
    std::string Accept(const std::string& user)
    {
        std::string answer;
        PumpUntil([&] { return (answer = Party("accept", user)).find("\"sid\"") != std::string::npos; });
        const size_t at = answer.find("\"sid\": \"");
        return at == std::string::npos ? "" : answer.substr(at + 8, answer.find('"', at + 8) - at - 8);
    }

    // The client's chat with its one peer, with the party's session id in it.
    ChatSession* OpenWithJiyeon(std::string& partySid)
    {
        ChatSession* chat = OpenChat(L"jiyeon@quorix.net", L"이지연");
        partySid = Accept(kJiyeon);
        if (!chat || !PumpUntil([&] { return chat->Participants.size() == 1; }))
            return nullptr;
        return chat;
    }
};

} // namespace

TEST_F(ChatTest, OneToOneChatQueuesUntilTheJoinThenCarriesLinesAndTypingBothWays)
{
    ASSERT_NE(Party("sign-in", kJiyeon).find("\"conn\""), std::string::npos);
    ChatSession* chat = OpenChat(L"jiyeon@quorix.net", L"이지연");
    ASSERT_NE(chat, nullptr);
    ASSERT_NE(chat->GetPage(), nullptr);
    chat->GetPage()->SendMessage(kTricky);
    chat->GetPage()->SendMessage(L"둘째 줄");
    EXPECT_EQ(chat->Queue.size(), 2u);

    const std::string sid = Accept(kJiyeon);
    ASSERT_FALSE(sid.empty());
    ASSERT_TRUE(PumpUntil([&] { return Received(kJiyeon).find("둘째 줄") != std::string::npos; }));
    const std::string received = Received(kJiyeon);
    const size_t first = received.find(R"("text": "안녕 하세요\t탭  두 칸 100%")");
    ASSERT_NE(first, std::string::npos) << received;
    EXPECT_LT(first, received.find(R"("text": "둘째 줄")"));
    EXPECT_TRUE(chat->Queue.empty());
    EXPECT_TRUE(screens.Has(L"AddLine 1: 김민수 (민수) 님의 말:\n" + kTricky));

    Party("typing", kJiyeon);
    EXPECT_TRUE(PumpUntilCall(L"SetDate: 이지연 (지연이) 님이 메시지를 입력하고 있습니다."));
    Party("say", kJiyeon, R"(, "text": "반가워\t요  100%", "font": "Malgun Gothic", "style": "BI")");
    EXPECT_TRUE(PumpUntilCall(L"AddLine 2: 이지연 (지연이) 님의 말:\n반가워\t요  100%"));
    EXPECT_EQ(chat->Unread, 1);
    Party("typing", kJiyeon, R"(, "state": "0")");
    EXPECT_TRUE(PumpUntilCall(L"SetDate: 대기 중입니다."));
    // Every own line was answered: nothing of the chat waits.
    EXPECT_TRUE(PumpUntil([&] { return m.pending.GetCount() == 0; }));
}

TEST_F(ChatTest, OpeningAtTheSameMomentAsThePeerLosesNoLineAndEndsInOneChat)
{
    Party("sign-in", kJiyeon);
    // The chat server this side asks for has not come when jiyeon's invitation does.
    service.Post("/rule", R"({"server": "main", "user": "minsu@quorix.net", "on": "RESS", "mode": "replace", "data": ""})");
    ChatSession* chat = OpenChat(L"jiyeon@quorix.net", L"이지연");
    ASSERT_NE(chat, nullptr);
    chat->GetPage()->SendMessage(L"먼저 쓴 줄");
    ASSERT_TRUE(PumpUntil([&] { return service.Get("/log?user=minsu@quorix.net").find("RESS") != std::string::npos; }));
    ASSERT_NE(Party("invite", kJiyeon, R"(, "to": "minsu@quorix.net")").find("\"sid\""), std::string::npos);

    ASSERT_TRUE(PumpUntil([&] { return Received(kJiyeon).find("먼저 쓴 줄") != std::string::npos; }));
    EXPECT_EQ(m.chats.GetCount(), 1u);
    EXPECT_EQ(chat->Participants.size(), 1u);
    EXPECT_TRUE(chat->Queue.empty());
    // One conversation, both ways.
    chat->GetPage()->SendMessage(L"둘째 줄");
    EXPECT_TRUE(PumpUntil([&] { return Received(kJiyeon).find("둘째 줄") != std::string::npos; }));
    Party("say", kJiyeon, R"(, "text": "반가워")");
    EXPECT_TRUE(PumpUntilCall(L"AddLine 2: 이지연 (지연이) 님의 말:\n반가워"));
    EXPECT_EQ(screens.Count(L"AddChatSession: jiyeon@quorix.net"), 1u);
}

TEST_F(ChatTest, ThePartyInvitesTheClientIntoAGroupChatOfThreeAndOneLeaves)
{
    Party("sign-in", kJiyeon);
    Party("sign-in", kJunho);
    const std::string opened = Party("invite", kJiyeon, R"(, "to": "minsu@quorix.net")");
    ASSERT_NE(opened.find("\"sid\""), std::string::npos) << opened;
    ASSERT_TRUE(
        PumpUntil([&] { return m.chats.GetCount() == 1 && m.chats.GetAt(0)->Participants.size() == 1; }));
    ChatSession* chat = m.chats.GetAt(0);
    EXPECT_EQ(chat->PeerName, L"이지연");
    EXPECT_TRUE(screens.Has(L"AddChatSession: jiyeon@quorix.net"));

    const std::string partySid = opened.substr(opened.find("\"sid\": \"") + 8, 12);
    Party("invite", kJiyeon, R"(, "to": ")" + kJunho + R"(", "sid": ")" + partySid + "\"");
    ASSERT_FALSE(Accept(kJunho).empty());
    ASSERT_TRUE(PumpUntilCall(L"AddLine 0: 박준호 (준호) 님이 입장하였습니다."));
    EXPECT_EQ(chat->Participants.size(), 2u);

    chat->GetPage()->SendMessage(L"모두 안녕");
    ASSERT_TRUE(PumpUntil([&] { return Received(kJunho).find("모두 안녕") != std::string::npos; }));
    EXPECT_NE(Received(kJiyeon).find("모두 안녕"), std::string::npos);

    // The peer who opened the chat leaves; it goes on with the other.
    Party("leave", kJiyeon);
    ASSERT_TRUE(PumpUntilCall(L"AddLine 0: 이지연 (지연이) 님이 퇴장하였습니다."));
    EXPECT_EQ(chat->PeerId, L"junho@quorix.net");
    Party("say", kJunho, R"(, "text": "둘이 남았네")");
    EXPECT_TRUE(PumpUntilCall(L"AddLine 2: 박준호 (준호) 님의 말:\n둘이 남았네"));
}

TEST_F(ChatTest, ALineTheServiceRefusesBecomesAnErrorLine)
{
    Party("sign-in", kJiyeon);
    std::string sid;
    ChatSession* chat = OpenWithJiyeon(sid);
    ASSERT_NE(chat, nullptr);
    // The peer has left on the service, but this side has not heard of it yet.
    Party("leave", kJiyeon);
    chat->GetPage()->SendMessage(L"아무도 없나요");
    EXPECT_TRUE(PumpUntilCall(L"AddLine 3: [308] 이미 종료된 대화입니다."));
    EXPECT_FALSE(screens.Has(L"ShowMsgBox: 이미 종료된 대화입니다."));
    EXPECT_TRUE(PumpUntil([&] { return chat->Participants.empty(); }));
}

TEST_F(ChatTest, TheServiceClosingMidChatResetsTheSessionCleanly)
{
    TraceCapture quiet;
    Party("sign-in", kJiyeon);
    Party("echo", kJiyeon, R"(, "on": true)");
    std::string sid;
    ChatSession* chat = OpenWithJiyeon(sid);
    ASSERT_NE(chat, nullptr);
    chat->GetPage()->SendMessage(L"메아리");
    ASSERT_TRUE(PumpUntilCall(L"AddLine 2: 이지연 (지연이) 님의 말:\n메아리"));

    Control("/close", "minsu@quorix.net");
    ASSERT_TRUE(PumpUntilCall(L"ResetScreens"));
    EXPECT_EQ(screens.Count(L"ShowMsgBox: 쿼릭스 서버와의 연결이 끊어졌습니다."), 1u);
    EXPECT_EQ(m.chats.GetCount(), 0u);
    EXPECT_EQ(PktInCrp2::GetCurrentKey(), L"");
    // The service let the party's chat go with the client.
    EXPECT_TRUE(PumpUntil(
        [&] { return service.Get("/state").find("\"members\": [{\"user\": \"minsu") == std::string::npos; }));
}
