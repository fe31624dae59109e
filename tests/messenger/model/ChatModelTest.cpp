#include "messenger/model/ChatSessionList.h"
#include "tests/support/RecordingScreens.h"

#include <gtest/gtest.h>

namespace {

ChatParticipant Person(const std::wstring& id)
{
    ChatParticipant p;
    p.Id = id;
    p.Name = id + L" name";
    return p;
}

} // namespace

TEST(ChatSession, ParticipantsAreUniqueByExactIdAndBounded)
{
    ChatSession session;
    EXPECT_EQ(session.GetPage(), nullptr); // no screens, no page
    EXPECT_TRUE(session.AddParticipant(Person(L"a")));
    EXPECT_FALSE(session.AddParticipant(Person(L"a")));
    EXPECT_TRUE(session.AddParticipant(Person(L"A")));
    EXPECT_EQ(session.FindParticipant(L"A")->Name, L"A name");
    EXPECT_TRUE(session.RemoveParticipant(L"a"));
    EXPECT_FALSE(session.RemoveParticipant(L"a"));
    EXPECT_EQ(session.FindParticipant(L"a"), nullptr);

    for (size_t i = session.Participants.size(); i < ChatSession::kMaxParticipants; ++i)
        ASSERT_TRUE(session.AddParticipant(Person(std::to_wstring(i))));
    EXPECT_FALSE(session.AddParticipant(Person(L"one too many")));
}

TEST(ChatSessionList, FindsSessionsTheWaysHandlersAsk)
{
    RecordingScreens screens;
    ChatSessionList list;
    ChatSession* group = list.NewSession();
    ChatSession* first = list.NewSession();
    ChatSession* second = list.NewSession();
    ASSERT_NE(first->GetPage(), nullptr); // the screens made its page
    first->PeerId = group->PeerId = second->PeerId = L"kim";
    group->AddParticipant(Person(L"kim"));
    group->AddParticipant(Person(L"lee"));
    first->PendingId = 7;
    second->SessionId = L"s2";
    second->Unread = 1;

    // The oldest one-to-one chat: a group chat with the same peer before it is skipped.
    EXPECT_EQ(list.FindOneToOne(L"kim"), first);
    EXPECT_EQ(list.FindByPendingId(7), first);
    EXPECT_EQ(list.FindByPendingId(0), nullptr); // a frame the service started answers nothing
    EXPECT_EQ(list.FindBySessionId(L"s2"), second);
    // The empty id never matches, though every chat not yet entered has it.
    EXPECT_EQ(list.FindBySessionId(L""), nullptr);
    list.RemoveBySessionId(L"");
    EXPECT_EQ(list.GetCount(), 3u);
    EXPECT_TRUE(list.HasUnread());
    EXPECT_EQ(list.IndexOf(second), 2);
    EXPECT_EQ(list.IndexOf(nullptr), -1);

    // A chat that never got its session id still goes, by identity.
    EXPECT_TRUE(list.Remove(first));
    EXPECT_FALSE(list.Remove(first));
    list.RemoveBySessionId(L"s2");
    EXPECT_EQ(list.GetCount(), 1u);
    EXPECT_FALSE(list.HasUnread());
    EXPECT_EQ(list.GetAt(0), group);
    EXPECT_EQ(list.GetAt(1), nullptr);
}

TEST(ChatSessionList, InvitationsCannotOpenChatsWithoutEnd)
{
    ChatSessionList list;
    for (size_t i = 0; i < ChatSessionList::kMaxSessions; ++i)
        ASSERT_NE(list.NewSession(), nullptr);
    EXPECT_EQ(list.NewSession(), nullptr);
    list.Clear();
    EXPECT_EQ(list.GetCount(), 0u);
    EXPECT_NE(list.NewSession(), nullptr);
}
