// Chat handlers driven by frames, with a recording connection and screens.
#include "messenger/protocol/buddies/BuddyActions.h"
#include "messenger/protocol/chat/ChatActions.h"
#include "messenger/protocol/chat/ChatHandling.h"
#include "messenger/protocol/chat/PktHandlerMesg.h"
#include "messenger/protocol/connection/PktInCrp2.h"
#include "messenger/protocol/memos/MemoBox.h"
#include "platform/event/MessageQueue.h"
#include "tests/support/MessengerSingletons.h"
#include "tests/support/RecordingScreens.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/TraceCapture.h"
#include "tests/support/UxPump.h"
#include "ux/core/UxText.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

std::string Frame(const std::string& line, const std::string& payload)
{
    return line + " " + std::to_string(payload.size()) + "\r\n" + payload;
}

std::string Envelope(const std::string& kind, const std::string& key, const std::string& inner, int id = 0)
{
    return Frame("CRP2 " + std::to_string(id) + " " + kind + " " + key, inner);
}

std::string InSession(const std::string& inner)
{
    return Envelope("SS", "s1", inner);
}

template <typename PeerType> class BasicChatTest : public ::testing::Test {
protected:
    BasicChatTest()
    {
        m.me.Id = L"kim@quorix.net";
        m.me.Name = L"김민수";
        m.me.Nick = L"민수";
        m.peer.SetStage(TarvPeer::StageMain);
        Buddy lee;
        lee.Id = lee.Email = L"lee@quorix.net";
        lee.Name = L"이지연";
        lee.Nick = L"지연이";
        m.buddies.Insert(lee.Id, lee);
    }

    // The reply to the last frame sent inside an envelope: the same envelope id, and
    // the inner id.
    void AnswerLast(const std::string& kind, const std::string& key, const std::string& innerLine)
    {
        const std::string& last = m.peer.sent.back();
        const int outer = std::stoi(last.substr(5));
        const int inner = std::stoi(last.substr(last.find("\r\n") + 7));
        m.peer.Receive(
            Envelope(kind, key, innerLine.substr(0, 5) + std::to_string(inner) + innerLine.substr(5), outer));
    }

    // Opens a chat with lee and takes it through to the invitation, as the service
    // would answer.
    ChatSession* OpenToInvitation()
    {
        ChatSession* chat = OpenChat(L"lee@quorix.net", L"이지연");
        AnswerLast("DP", "%00", "RESS  127.0.0.1 40000 key1\r\n");
        const int cses = chat->PendingId;
        m.peer.Receive(Frame("CSES " + std::to_string(cses) + " CONN", "SS s1 127.0.0.1 40000 key1\r\n"));
        AnswerLast("SS", "s1", "ENTR \r\n");
        return chat;
    }

    TempRegistry registry;
    UxTimeFixture time;
    RecordingScreens screens;
    BasicMessengerSingletons<PeerType> m;
};

using ChatHandlersTest = BasicChatTest<RecordingPeer>;
using ChatSendFailureTest = BasicChatTest<FailingPeer>;

const std::string kJoinLee = InSession("JOIN 0 lee@quorix.net 지연이 이지연 %00 1\r\n");

} // namespace

TEST_F(ChatHandlersTest, OpeningAChatRunsTheSetUpAndSendsWhatWasTypedOnceThePeerJoins)
{
    ChatSession* chat = OpenChat(L"lee@quorix.net", L"이지연");
    ASSERT_NE(chat, nullptr);
    EXPECT_EQ(OpenChat(L"lee@quorix.net", L"이지연"), chat);
    EXPECT_EQ(m.peer.sent, (std::vector<std::string> { Envelope("DP", "%00", "RESS 1\r\n", 2) }));
    EXPECT_EQ(chat->State, 1);
    // Typed before anyone came: queued, and the chat server asked for is not asked again.
    EXPECT_EQ(SendChatText(*chat, L"첫 줄"), ChatSendQueued);
    EXPECT_EQ(SendChatText(*chat, L"둘째\t줄"), ChatSendQueued);
    EXPECT_EQ(SendChatText(*chat, L""), ChatSendNothing);
    EXPECT_EQ(m.peer.sent.size(), 1u);

    AnswerLast("DP", "%00", "RESS  127.0.0.1 40000 key1\r\n");
    EXPECT_EQ(m.peer.sent.back(), Frame("CSES 3 CONN SS %00", "127.0.0.1 40000 key1\r\n"));
    EXPECT_EQ(std::tie(chat->PendingId, chat->Port), std::make_tuple(3, 40000u));
    m.peer.Receive(Frame("CSES 3 CONN", "SS s1 127.0.0.1 40000 key1\r\n"));
    EXPECT_EQ(chat->SessionId, L"s1");
    EXPECT_EQ(m.peer.sent.back(),
        Envelope("SS", "s1", "ENTR 4 kim@quorix.net 민수 김민수 key1 UTF8 P 1.1 2 1.0.3 ko.wm\r\n", 5));
    AnswerLast("SS", "s1", "ENTR \r\n");
    EXPECT_EQ(m.peer.sent.back(),
        Envelope("DP", "%00",
            Frame("CTOC 7 lee@quorix.net A", "INVT kim@quorix.net 127.0.0.1 40000 key1\r\n"), 8));

    m.peer.Receive(kJoinLee);
    EXPECT_EQ(chat->State, 0);
    ASSERT_EQ(chat->Participants.size(), 1u);
    EXPECT_EQ(
        std::tie(chat->Participants[0].Name, chat->Participants[0].Kind), std::make_tuple(L"이지연", 0));
    EXPECT_TRUE(chat->Queue.empty());
    EXPECT_EQ(
        m.peer.sent[m.peer.sent.size() - 2], Envelope("SS", "s1", "MESG 9 MSG 0%090%090%09첫%20줄\r\n", 10));
    EXPECT_EQ(m.peer.sent.back(), Envelope("SS", "s1", "MESG 11 MSG 0%090%090%09둘째%09줄\r\n", 12));
    // One to one: no line says who came, and the lines that waited are not shown again
    // (a page shows them when they are typed).
    EXPECT_EQ(screens.calls,
        (std::vector<std::wstring> { L"AddChatSession: lee@quorix.net", L"ReloadChatInfo: lee@quorix.net",
            L"UpdateTitle: 이지연" }));
    // A second JOIN of the same person changes nothing.
    m.peer.Receive(kJoinLee);
    EXPECT_EQ(screens.calls.size(), 3u);
}

TEST_F(ChatHandlersTest, LinesTypingAndFailuresInTheConversation)
{
    ChatSession* chat = OpenToInvitation();
    m.peer.Receive(kJoinLee);
    screens.calls.clear();

    m.peer.Receive(InSession("MESG 0 lee@quorix.net TYPING 1\r\n")
        + InSession("MESG 0 lee@quorix.net TYPING 2\r\n")
        + InSession("MESG 0 lee@quorix.net MSG Gulim%09255%09B%09안녕%09하세요%20%20\r\n")
        + InSession("MESG 0 lee@quorix.net MSG 0%090%090%09또\r\n")
        + InSession("MESG 0 lee@quorix.net TYPING 0\r\n"));
    ASSERT_EQ(screens.calls.size(), 13u);
    EXPECT_EQ(screens.calls[0], L"SetDate: 이지연 (지연이) 님이 메시지를 입력하고 있습니다.");
    EXPECT_EQ(screens.calls[1], L"AddLine 2: 이지연 (지연이) 님의 말:\n안녕\t하세요  ");
    EXPECT_EQ(screens.calls[2].rfind(L"SetDate: 마지막 메시지를 받은 시각: 20", 0), 0u);
    // Her first line makes her reachable here, whatever her status says: the input bar is
    // looked at again, once. Unread is marked once; the alert sounds, and word goes out,
    // for every line while the page is not on top.
    EXPECT_TRUE(chat->PeerSpoke);
    EXPECT_EQ(std::vector<std::wstring>(screens.calls.begin() + 3, screens.calls.end()),
        (std::vector<std::wstring> { L"UpdateInputBar", L"UpdateNotifyIcons", L"UpdateChatSession: lee@quorix.net",
            L"PlayAlert: 2", L"NotifyChatLine: 이지연 (지연이): 안녕\t하세요  ", screens.calls[8],
            screens.calls[9], L"PlayAlert: 2", L"NotifyChatLine: 이지연 (지연이): 또", L"SetDate: 대기 중입니다." }));
    EXPECT_EQ(chat->Unread, 1);

    screens.calls.clear();
    screens.chatOnTop = true;
    m.peer.Receive(InSession("MESG 0 stranger MSG 0%090%090%09x\r\n") + InSession("MESG 0\r\n"));
    EXPECT_TRUE(screens.calls.empty());

    // The own line's answer settles it; a failure becomes an error line, not an alert.
    EXPECT_EQ(SendChatText(*chat, L"a"), ChatSendSent);
    AnswerLast("SS", "s1", "MESG \r\n");
    EXPECT_EQ(SendChatText(*chat, L"b"), ChatSendSent);
    const std::string& last = m.peer.sent.back();
    const int inner = std::stoi(last.substr(last.find("\r\n") + 7));
    m.peer.Receive(InSession("308 " + std::to_string(inner) + "\r\n"));
    EXPECT_EQ(screens.calls, (std::vector<std::wstring> { L"AddLine 3: [308] 이미 종료된 대화입니다." }));
    EXPECT_EQ(m.pending.Find(inner), nullptr);

    EXPECT_TRUE(SendTypingNotice(*chat, 1));
    EXPECT_NE(m.peer.sent.back().find("\r\nMESG " + std::to_string(inner + 2) + " TYPING 1\r\n"),
        std::string::npos);
}

// Lines are shown whole, however much longer than a line typed here, up to the bound of
// one line; only a longer one, which an envelope can carry, is cut, with a visible mark.
TEST_F(ChatHandlersTest, ALineReceivedIsShownWholeUpToTheBoundOfOneLine)
{
    TraceCapture trace;
    OpenToInvitation();
    m.peer.Receive(kJoinLee);
    const auto say = [&](const std::string& text) {
        screens.calls.clear();
        m.peer.Receive(InSession("MESG 0 lee@quorix.net MSG 0%090%090%09" + text + "\r\n"));
        return screens.calls.empty() ? std::wstring() : screens.calls[0];
    };
    const std::wstring said = L"AddLine 2: 이지연 (지연이) 님의 말:\n";
    EXPECT_EQ(say(std::string(30, 'b') + "%09" + std::string(2100, 'c')),
        said + std::wstring(30, L'b') + L"\t" + std::wstring(2100, L'c'));
    // Longer than any text put together by format.
    EXPECT_EQ(say(std::string(10000, 'e') + "%25"), said + std::wstring(10000, L'e') + L"%");
    EXPECT_EQ(say(std::string(PktHandlerMesg::kMaxLine, 'f')), said + std::wstring(PktHandlerMesg::kMaxLine, L'f'));
    EXPECT_FALSE(trace.Contains(L"is cut"));
    EXPECT_EQ(say(std::string(PktHandlerMesg::kMaxLine + 1, 'd')),
        said + std::wstring(PktHandlerMesg::kMaxLine, L'd') + PktHandlerMesg::kCutMark);
    EXPECT_TRUE(trace.Contains(L"a line of 65537 characters from lee@quorix.net is cut to 65536"));
}

TEST_F(ChatHandlersTest, InvitationsParticipantsAndLeaving)
{
    // Invited by lee: a new chat, connected at once.
    m.peer.Receive(Frame("CTOC 0 lee@quorix.net", "INVT lee@quorix.net 127.0.0.1 50000 key2\r\n"));
    ChatSession* chat = m.chats.GetAt(0);
    ASSERT_NE(chat, nullptr);
    EXPECT_EQ(std::tie(chat->PeerId, chat->PeerName, chat->Port, chat->Key),
        std::make_tuple(L"lee@quorix.net", L"이지연", 50000u, L"key2"));
    EXPECT_EQ(m.peer.sent.back(), Frame("CSES 1 CONN SS %00", "127.0.0.1 50000 key2\r\n"));
    m.peer.Receive(Frame("CSES 1 CONN", "SS s1 127.0.0.1 50000 key2\r\n"));
    m.peer.Receive(InSession("USER 0 1 2 park@quorix.net 준호 박준호 %00 1\r\n")
        + InSession("USER 0 2 2 lee@quorix.net 지연이 이지연 %00 1\r\n"));
    const size_t sent = m.peer.sent.size();
    AnswerLast("SS", "s1", "ENTR \r\n");
    EXPECT_EQ(m.peer.sent.size(), sent); // others are there: nobody to invite
    EXPECT_EQ(chat->Participants.size(), 2u);

    // An invitation from someone else opens another chat.
    m.peer.Receive(Frame("CTOC 0 x", "INVT stranger h 1 k3\r\n"));
    EXPECT_EQ(m.chats.GetCount(), 2u);
    EXPECT_EQ(m.chats.GetAt(1)->PeerName, L"stranger");

    screens.calls.clear();
    m.peer.Receive(InSession("JOIN 0 choi@quorix.net 서윤 최서윤 %00 0\r\n"));
    EXPECT_EQ(chat->Participants.back().Kind, 2);
    EXPECT_TRUE(screens.Has(L"AddLine 0: 최서윤 (서윤) 님이 입장하였습니다."));
    // Someone else leaves: the peer and the title stay.
    m.peer.Receive(InSession("QUIT 0 choi@quorix.net 0\r\n"));
    EXPECT_TRUE(screens.Has(L"AddLine 0: 최서윤 (서윤) 님이 퇴장하였습니다."));
    EXPECT_EQ(std::tie(chat->PeerId, chat->PeerName), std::make_tuple(L"lee@quorix.net", L"이지연"));
    // The peer leaves a group chat: the first who stays becomes peer and title.
    m.peer.Receive(InSession("QUIT 0 lee@quorix.net 0\r\n"));
    EXPECT_TRUE(screens.Has(L"AddLine 0: 이지연 (지연이) 님이 퇴장하였습니다."));
    EXPECT_EQ(std::tie(chat->PeerId, chat->PeerName), std::make_tuple(L"park@quorix.net", L"박준호"));
    EXPECT_TRUE(screens.Has(L"UpdateTitle: 박준호"));

    // Unknown people and chats change nothing.
    screens.calls.clear();
    m.peer.Receive(InSession("QUIT 0 nobody 0\r\n") + Envelope("SS", "s9", "JOIN 0 x x x x 1\r\n")
        + Envelope("SS", "s9", "QUIT 0 park@quorix.net 0\r\n"));
    EXPECT_EQ(chat->Participants.size(), 1u);
    EXPECT_TRUE(screens.calls.empty());

    // Closing: the chat server is left, and the chat goes from the list.
    CloseChat(*chat);
    EXPECT_EQ(m.peer.sent.back(), "CSES 5 KILL SS s1 0\r\n");
    EXPECT_EQ(m.chats.GetCount(), 1u);
}

// The line under the conversation tells nobody as typing who has left; another's notice,
// or the time of the last line, stays.
TEST_F(ChatHandlersTest, WhoLeavesIsNoLongerToldAsTyping)
{
    m.peer.Receive(Frame("CTOC 0 lee@quorix.net", "INVT lee@quorix.net 127.0.0.1 50000 key2\r\n"));
    m.peer.Receive(Frame("CSES 1 CONN", "SS s1 127.0.0.1 50000 key2\r\n"));
    m.peer.Receive(InSession("USER 0 1 3 park@quorix.net 준호 박준호 %00 1\r\n")
        + InSession("USER 0 2 3 lee@quorix.net 지연이 이지연 %00 1\r\n")
        + InSession("USER 0 3 3 choi@quorix.net 서윤 최서윤 %00 1\r\n"));
    auto dates = [&] {
        std::vector<std::wstring> shown;
        for (const std::wstring& call : screens.calls)
            if (call.rfind(L"SetDate: ", 0) == 0)
                shown.push_back(call.substr(9));
        screens.calls.clear();
        return shown;
    };
    const std::wstring idle = L"대기 중입니다.";

    // lee types and leaves: she is no longer told as typing.
    m.peer.Receive(InSession("MESG 0 lee@quorix.net TYPING 1\r\n"));
    EXPECT_EQ(dates(), std::vector<std::wstring> { L"이지연 (지연이) 님이 메시지를 입력하고 있습니다." });
    m.peer.Receive(InSession("QUIT 0 lee@quorix.net 0\r\n"));
    EXPECT_EQ(dates(), std::vector<std::wstring> { idle });

    // choi types; park leaves: choi's notice stays.
    m.peer.Receive(
        InSession("MESG 0 choi@quorix.net TYPING 1\r\n") + InSession("QUIT 0 park@quorix.net 0\r\n"));
    EXPECT_EQ(dates(), std::vector<std::wstring> { L"최서윤 (서윤) 님이 메시지를 입력하고 있습니다." });
    // Her line ends the notice: leaving after it leaves the time of her line.
    m.peer.Receive(InSession("MESG 0 choi@quorix.net MSG 0%090%090%09안녕\r\n"));
    ASSERT_EQ(dates().size(), 1u);
    m.peer.Receive(InSession("QUIT 0 choi@quorix.net 0\r\n"));
    EXPECT_TRUE(dates().empty());
}

TEST_F(ChatHandlersTest, AnInvitationTakesOverTheChatStillWaitingForItsServer)
{
    ChatSession* chat = OpenChat(L"lee@quorix.net", L"이지연");
    SendChatText(*chat, L"먼저");
    const std::string ress = m.peer.sent.back();
    m.peer.Receive(Frame("CTOC 0 lee@quorix.net", "INVT lee@quorix.net 127.0.0.1 50000 key2\r\n"));
    EXPECT_EQ(m.chats.GetCount(), 1u);
    const std::string cses = std::to_string(chat->PendingId);
    EXPECT_EQ(m.peer.sent.back(), Frame("CSES " + cses + " CONN SS %00", "127.0.0.1 50000 key2\r\n"));
    // Its own chat server comes after all: nobody takes a seat there.
    const size_t sent = m.peer.sent.size();
    m.peer.Receive(Envelope("DP", "%00", "RESS " + std::to_string(std::stoi(ress.substr(ress.find("\r\n") + 7)))
            + " 127.0.0.1 40000 key1\r\n", std::stoi(ress.substr(5))));
    EXPECT_EQ(m.peer.sent.size(), sent);

    m.peer.Receive(Frame("CSES " + cses + " CONN", "SS s2 127.0.0.1 50000 key2\r\n"));
    m.peer.Receive(Envelope("SS", "s2", "USER 0 1 1 lee@quorix.net 지연이 이지연 %00 1\r\n"));
    AnswerLast("SS", "s2", "ENTR \r\n");
    EXPECT_NE(m.peer.sent.back().find("MSG 0%090%090%09먼저"), std::string::npos);
    EXPECT_EQ(chat->State, 0);
    EXPECT_TRUE(chat->Queue.empty());
}

TEST_F(ChatHandlersTest, InvitationIdsHostsAndKeysAreTakenUpToTheirLimit)
{
    TraceCapture quiet;
    const std::string fits(kMaxChatIdLength, 'a'), over(kMaxChatIdLength + 1, 'a');
    const struct {
        std::string inviter, host, key;
        bool opens;
    } cases[] = {
        { fits, "h", "k", true }, { over, "h", "k", false }, { "b", fits, "k", true },
        { "c", over, "k", false }, { "d", "h", fits, true }, { "e", "h", over, false },
    };
    for (const auto& c : cases) {
        const size_t before = m.chats.GetCount();
        m.peer.Receive(Frame("CTOC 0 x", "INVT " + c.inviter + " " + c.host + " 1 " + c.key + "\r\n"));
        EXPECT_EQ(m.chats.GetCount(), before + (c.opens ? 1 : 0))
            << c.inviter.size() << " " << c.host.size() << " " << c.key.size();
    }
}

TEST_F(ChatHandlersTest, BadInputFromTheServiceAndOtherUsersIsDropped)
{
    TraceCapture quiet;
    ChatSession* chat = OpenToInvitation();
    m.peer.Receive(kJoinLee);
    screens.calls.clear();
    const size_t sent = m.peer.sent.size();

    const std::string lines[] = {
        // Only invitations are taken from other users.
        Frame("CTOC 0 lee@quorix.net", "KILL kim@quorix.net dev Y 0 0\r\n"),
        Frame("CTOC 0 lee@quorix.net", "MESG lee@quorix.net MSG x\r\n"),
        Frame("CMSG 0 lee@quorix.net", "KILL kim@quorix.net dev Y 0 0\r\n"),
        // Invitations without a usable chat.
        Frame("CTOC 0 a", "INVT a h 0 k\r\n"),
        Frame("CTOC 0 a", "INVT " + std::string(300, 'a') + " h 1 k\r\n"),
        // Outside an envelope, or after one has been handled, nothing is this chat's.
        "MESG 0 lee@quorix.net MSG 0%090%090%09x\r\n",
        InSession("ZZZZ 0\r\n") + "JOIN 0 choi x x x 1\r\n",
        // Envelopes nested deeper than allowed.
        InSession(InSession(InSession(InSession("MESG 0 lee@quorix.net TYPING 1\r\n")))),
        // Answers nobody asked for.
        "RESS 0 h 1 k\r\nRESS 77 h 1 k\r\n" + Frame("CSES 0 CONN", "SS s5 h 1 k\r\n"),
    };
    for (const std::string& bytes : lines)
        m.peer.Receive(bytes);
    EXPECT_TRUE(screens.calls.empty());
    EXPECT_EQ(m.peer.sent.size(), sent);
    EXPECT_EQ(m.chats.GetCount(), 1u);
    EXPECT_EQ(chat->Participants.size(), 1u);
    EXPECT_EQ(PktInCrp2::GetCurrentKey(), L"");
    EXPECT_FALSE(m.peer.IsResetPending());

    // Nested once more is allowed: the inner envelope's key counts, then the outer's.
    m.peer.Receive(Envelope("SS", "zz", InSession("MESG 0 lee@quorix.net TYPING 1\r\n")));
    EXPECT_TRUE(screens.Has(L"SetDate: 이지연 (지연이) 님이 메시지를 입력하고 있습니다."));
}

TEST_F(ChatHandlersTest, ChatsClosedEarlyAreRemovedAndNeedNoServer)
{
    // Closed before the chat server answered: gone at once, and its late answer
    // connects to nothing.
    ChatSession* chat = OpenChat(L"lee@quorix.net", L"이지연");
    CloseChat(*chat);
    EXPECT_EQ(m.chats.GetCount(), 0u);
    AnswerLast("DP", "%00", "RESS  127.0.0.1 40000 key1\r\n");
    EXPECT_EQ(m.peer.sent.size(), 1u);

    // Closed while connecting: no session id, so nothing to leave.
    chat = OpenChat(L"lee@quorix.net", L"이지연");
    AnswerLast("DP", "%00", "RESS  127.0.0.1 40000 key1\r\n");
    const int cses = chat->PendingId;
    CloseChat(*chat);
    EXPECT_EQ(m.peer.sent.back().rfind("CSES", 0), 0u);
    EXPECT_EQ(m.peer.sent.back().find("KILL"), std::string::npos);
    m.peer.Receive(Frame("CSES " + std::to_string(cses) + " CONN", "SS s1 127.0.0.1 40000 key1\r\n"));
    EXPECT_EQ(m.chats.GetCount(), 0u);

    // The session reset closes every chat with its page.
    OpenToInvitation();
    m.peer.RequestReset();
    plat::DispatchPending();
    EXPECT_EQ(m.chats.GetCount(), 0u);
}

TEST_F(ChatHandlersTest, ARefusedChatServerIsSaidInTheChatAndTheNextLineAsksAgain)
{
    ChatSession* chat = OpenChat(L"lee@quorix.net", L"이지연");
    EXPECT_EQ(SendChatText(*chat, L"하나"), ChatSendQueued);
    screens.calls.clear();
    const std::string ress = m.peer.sent.back();
    const int inner = std::stoi(ress.substr(ress.find("\r\n") + 7));
    m.peer.Receive(Envelope("DP", "%00", "308 " + std::to_string(inner) + "\r\n", std::stoi(ress.substr(5))));
    EXPECT_EQ(screens.calls, (std::vector<std::wstring> { L"AddLine 3: [308] 이미 종료된 대화입니다." }));
    EXPECT_EQ(chat->State, 0);

    // Reopened, it is the same chat; the next line asks for a server, and once someone
    // joins both lines go out in order.
    EXPECT_EQ(OpenChat(L"lee@quorix.net", L"이지연"), chat);
    EXPECT_EQ(SendChatText(*chat, L"둘"), ChatSendQueued);
    EXPECT_NE(m.peer.sent.back().find("RESS"), std::string::npos);
    EXPECT_EQ(SendChatText(*chat, L"셋"), ChatSendQueued);
    EXPECT_EQ(chat->Queue, (std::vector<std::wstring> { L"하나", L"둘", L"셋" }));
    AnswerLast("DP", "%00", "RESS  127.0.0.1 40000 key1\r\n");
    m.peer.Receive(Frame("CSES " + std::to_string(chat->PendingId) + " CONN", "SS s1 127.0.0.1 40000 key1\r\n"));
    AnswerLast("SS", "s1", "ENTR \r\n");
    m.peer.Receive(kJoinLee);
    EXPECT_TRUE(chat->Queue.empty());
    EXPECT_NE(m.peer.sent.back().find("%09셋"), std::string::npos);
}

TEST_F(ChatHandlersTest, EveryRefusalOnTheWayToAChatServerEndsTheWaitInTheChat)
{
    // Refused in turn: the envelope asking for a server, the seat on it, the entry, and
    // the envelope carrying the entry.
    for (int step = 0; step < 4; ++step) {
        SCOPED_TRACE(step);
        ChatSession* chat = OpenChat(L"lee@quorix.net", L"이지연");
        ASSERT_EQ(SendChatText(*chat, L"하나"), ChatSendQueued);
        if (step >= 1)
            AnswerLast("DP", "%00", "RESS  127.0.0.1 40000 key1\r\n");
        if (step >= 2)
            m.peer.Receive(
                Frame("CSES " + std::to_string(chat->PendingId) + " CONN", "SS s1 127.0.0.1 40000 key1\r\n"));
        const std::string& last = m.peer.sent.back();
        const std::string outer = std::to_string(std::stoi(last.substr(5)));
        screens.calls.clear();
        if (step == 2)
            m.peer.Receive(
                InSession("308 " + std::to_string(std::stoi(last.substr(last.find("\r\n") + 7))) + "\r\n"));
        else
            m.peer.Receive("308 " + outer + "\r\n");
        EXPECT_EQ(
            screens.calls, (std::vector<std::wstring> { L"AddLine 3: [308] 이미 종료된 대화입니다." }));
        EXPECT_EQ(chat->State, 0);

        // The chat asks again with the next line, and the waiting line goes along.
        EXPECT_EQ(OpenChat(L"lee@quorix.net", L"이지연"), chat);
        EXPECT_EQ(SendChatText(*chat, L"둘"), ChatSendQueued);
        EXPECT_NE(m.peer.sent.back().find("\r\nRESS "), std::string::npos);
        EXPECT_EQ(chat->Queue, (std::vector<std::wstring> { L"하나", L"둘" }));
        CloseChat(*chat);
    }
}

TEST_F(ChatHandlersTest, TheUndeliveredMemoAlertCutsItsIdsNeverItsCount)
{
    // More receivers with ids of a usual length than the alert's text holds.
    std::string ids;
    for (int i = 0; i < 1500; ++i)
        ids += "receiver" + std::to_string(10000 + i) + "@quorix.net ";
    ASSERT_TRUE(MemoBox::SendMemo(m.peer, { L"lee@quorix.net" }, 0, L"", L"x"));
    AnswerLast("DP", "%00", Frame("CMSG ", ids));
    ASSERT_EQ(screens.calls.size(), 1u);
    const std::wstring alert = screens.calls[0].substr(std::wstring(L"ShowMsgBox: ").size());
    EXPECT_LE(alert.size(), kUxFormatBufferSize - 1);
    EXPECT_EQ(
        alert.rfind(L"다음의 사용자들이 쪽지를 받지 못 했습니다.\n\nreceiver10000@quorix.net\n", 0), 0u);
    size_t listed = 0;
    for (size_t at = alert.find(L"@quorix.net"); at != std::wstring::npos;
         at = alert.find(L"@quorix.net", at + 1))
        ++listed;
    const size_t count = alert.rfind(L"\n외 ");
    ASSERT_NE(count, std::wstring::npos);
    EXPECT_EQ(alert.substr(count), L"\n외 " + std::to_wstring(1500 - listed) + L"명");
    EXPECT_GT(listed, 100u);
}

TEST_F(ChatSendFailureTest, ASendFailureWhileSendingTheQueueStopsItSafely)
{
    TraceCapture quiet;
    ChatSession* chat = OpenToInvitation();
    for (const wchar_t* text : { L"1", L"2", L"3" })
        SendChatText(*chat, text);
    const size_t pending = m.pending.GetCount();
    m.peer.sendsLeft = 0;
    m.peer.Receive(kJoinLee);
    // The first line's send failed and ended the session: no more lines were tried,
    // and the line that never went out waits for no answer.
    EXPECT_TRUE(m.peer.IsResetPending());
    EXPECT_EQ(m.peer.sendsLeft, -1); // one send tried
    EXPECT_EQ(screens.Count(L"ShowMsgBox: 네트워크 송신 오류가 발생했습니다.\n\n오류 코드: 10054"), 1u);
    EXPECT_EQ(m.pending.GetCount(), pending);
    plat::DispatchPending();
    EXPECT_EQ(m.chats.GetCount(), 0u);
    EXPECT_TRUE(screens.Has(L"ResetScreens"));
}

TEST_F(ChatSendFailureTest, NothingWaitsForAnAnswerThatCannotCome)
{
    TraceCapture quiet;
    const size_t before = m.pending.GetCount();
    // The invitation relay and its envelope get no answer; the leave does.
    for (int i = 0; i < 100; ++i) {
        CloseChat(*OpenToInvitation());
        const std::string& leave = m.peer.sent.back();
        ASSERT_EQ(leave.substr(0, 5), "CSES ");
        m.peer.Receive(Frame("CSES " + std::to_string(std::stoi(leave.substr(5))) + " KILL", "s1 Y\r\n"));
    }
    EXPECT_EQ(m.pending.GetCount(), before);

    // An envelope refused as a whole takes its inner request with it.
    ChatSession* refused = OpenChat(L"lee@quorix.net", L"이지연");
    m.peer.Receive("201 " + std::to_string(std::stoi(m.peer.sent.back().substr(5))) + "\r\n");
    EXPECT_TRUE(screens.Has(L"AddLine 3: [201] 요청에 필요한 정보가 빠져 있습니다."));
    EXPECT_EQ(m.pending.GetCount(), before);
    CloseChat(*refused);
    // So does one whose request has no say in it: the alert shows the failure.
    ASSERT_TRUE(ChangeStatus(1));
    m.peer.Receive("201 " + std::to_string(std::stoi(m.peer.sent.back().substr(5))) + "\r\n");
    EXPECT_TRUE(screens.Has(L"ShowMsgBox: 요청에 필요한 정보가 빠져 있습니다."));
    EXPECT_EQ(m.pending.GetCount(), before);

    // Envelopes that cannot be sent leave nothing behind, whoever sends them.
    OpenChat(L"lee@quorix.net", L"이지연"); // this one is still waiting
    const size_t waiting = m.pending.GetCount();
    m.peer.sendsLeft = 0;
    EXPECT_FALSE(ChangeStatus(1));
    EXPECT_FALSE(AddGroup(L"동호회"));
    EXPECT_FALSE(MemoBox::RequestCount(m.peer));
    EXPECT_FALSE(MemoBox::SendMemo(m.peer, { L"lee@quorix.net" }, 0, L"", L"x"));
    EXPECT_EQ(m.pending.GetCount(), waiting);
    // The failed send ended the session: the reset forgets what is still waiting.
    plat::DispatchPending();
    EXPECT_TRUE(screens.Has(L"ResetScreens"));
    EXPECT_EQ(m.pending.GetCount(), 0u);
}
