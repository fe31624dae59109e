#include "messenger/model/BuddyList.h"
#include "messenger/model/GroupList.h"
#include "messenger/protocol/buddies/BuddyRecord.h"
#include "messenger/protocol/codec/PktStreamReader.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

Buddy MakeBuddy(
    const std::wstring& id, const std::wstring& email, int32_t status, const std::wstring& name = L"")
{
    Buddy buddy;
    buddy.Id = id;
    buddy.Email = email;
    buddy.Status = status;
    buddy.Name = name;
    return buddy;
}

BuddyRecord ReadBuddy(const std::string& words)
{
    PktStreamReader reader(words.data(), static_cast<uint32_t>(words.size()));
    BuddyRecord record;
    record.Read(reader);
    return record;
}

} // namespace

TEST(BuddyList, FirstRecordOfAnIdWinsAndEmailIndexFollowsStoredRecords)
{
    BuddyList list;
    list.Insert(L"k1", MakeBuddy(L"k1", L"a@x.kr", BuddyStatusOnline, L"first"));
    EXPECT_TRUE(list.Insert(L"k1", MakeBuddy(L"k1", L"b@x.kr", BuddyStatusAway, L"second")));
    ASSERT_EQ(list.GetCount(), 1u);
    EXPECT_EQ(list.FindById(L"k1")->Name, L"first");
    EXPECT_EQ(list.Find(L"a@x.kr"), list.FindById(L"k1"));
    // The dropped record's address must not answer for the kept one.
    EXPECT_EQ(list.Find(L"b@x.kr"), nullptr);
    EXPECT_EQ(list.Find(L"k1"), nullptr);
    // Of two buddies with one address, the first answers for it.
    list.Insert(L"k2", MakeBuddy(L"k2", L"a@x.kr", BuddyStatusOnline, L"twin"));
    EXPECT_EQ(list.Find(L"a@x.kr"), list.FindById(L"k1"));
    EXPECT_EQ(list.FindById(L"k2")->Name, L"twin");
    list.Clear();
    EXPECT_EQ(list.Find(L"a@x.kr"), nullptr);
    EXPECT_EQ(list.FindById(L"k1"), nullptr);
    EXPECT_EQ(list.GetCount(), 0u);

    // Lookups by Id hold through the growth of a large list and after it is emptied.
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 3000; ++i) {
            const std::wstring id = L"u" + std::to_wstring(i);
            list.Insert(id, MakeBuddy(id, id + L"@x.kr", BuddyStatusOnline, L"n" + std::to_wstring(i)));
        }
        ASSERT_EQ(list.GetCount(), 3000u);
        for (int i = 0; i < 3000; i += 7) {
            const Buddy* buddy = list.FindById(L"u" + std::to_wstring(i));
            ASSERT_NE(buddy, nullptr) << i;
            EXPECT_EQ(buddy->Name, L"n" + std::to_wstring(i));
            EXPECT_EQ(buddy, list.Find(L"u" + std::to_wstring(i) + L"@x.kr"));
        }
        EXPECT_EQ(list.FindById(L"u3000"), nullptr);
        EXPECT_EQ(list.FindById(L""), nullptr);
        list.Clear();
        EXPECT_EQ(list.FindById(L"u0"), nullptr);
    }
}

TEST(Group, CountsKnownMembersNotOfflineAndPrunesUnknownOnes)
{
    BuddyList buddies;
    buddies.Insert(L"on", MakeBuddy(L"on", L"on@x", BuddyStatusOnline));
    buddies.Insert(L"hidden", MakeBuddy(L"hidden", L"hidden@x", BuddyStatusShownOffline));
    buddies.Insert(L"off", MakeBuddy(L"off", L"off@x", BuddyStatusOffline));
    Group group(L"1", L"friends");
    for (const wchar_t* id : { L"on", L"hidden", L"off", L"ghost" })
        group.AddMember(id);
    group.AddMember(L"on");
    EXPECT_EQ(group.GetMemberCount(), 4u);
    EXPECT_EQ(group.CountOnline(), 2u); // shown-offline counts, offline and unknown do not

    group.PruneMembers();
    EXPECT_FALSE(group.HasMember(L"ghost"));
    EXPECT_EQ(group.GetMemberCount(), 3u);
    EXPECT_EQ(group.RemoveMember(L"off"), 1u);
    EXPECT_EQ(group.RemoveMember(L"off"), 0u);
}

TEST(GroupList, LookupsWalkInIdOrderAndInsertKeepsTheFirst)
{
    GroupList groups;
    Group b(L"2", L"same");
    b.AddMember(L"x");
    Group a(L"10", L"same");
    a.AddMember(L"x");
    groups.Insert(b);
    groups.Insert(a);
    EXPECT_FALSE(groups.Insert(Group(L"2", L"other")));
    EXPECT_EQ(groups.Find(L"2")->Name, L"same");
    // "10" sorts before "2" as text.
    EXPECT_EQ(groups.FindByName(L"same")->Id, L"10");
    EXPECT_EQ(groups.FindByMember(L"x")->Id, L"10");
    EXPECT_EQ(groups.FindByName(L"none"), nullptr);
    EXPECT_EQ(groups.FindByMember(L"y"), nullptr);
}

TEST(BuddyRecord, ReadsThirteenWordsAndBuildsABuddy)
{
    Buddy buddy(ReadBuddy("kim@quorix.net 1 k7 ex 1010 X 김 nick%20one 19900101 1 010-1 t1 t2\r\n"));
    EXPECT_EQ(std::tie(buddy.Email, buddy.Id, buddy.Name, buddy.Nick, buddy.Text2),
        std::make_tuple(L"kim@quorix.net", L"k7", L"김", L"nick one", L"t2"));
    EXPECT_TRUE(buddy.Confirmed && buddy.SolarBirthday);
    EXPECT_EQ(buddy.Flags, 5u); // forward and block lists
    EXPECT_EQ(buddy.Status, BuddyStatusShownOffline);
    BuddyRecord odd = ReadBuddy("a 0 b c 0001 Q");
    EXPECT_EQ(odd.Flags, 8u);
    EXPECT_EQ(odd.Status, BuddyStatusNotReported);
    BuddyRecord truncated = ReadBuddy("only");
    EXPECT_EQ(truncated.Email, L"only");
    EXPECT_EQ(truncated.Id, L"");
}
