#include "messenger/protocol/codec/PktFactory.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"
#include "messenger/protocol/codec/PktInEmpty.h"
#include "messenger/protocol/codec/PktInSimple.h"
#include "messenger/protocol/codec/PktOutEmpty.h"
#include "messenger/protocol/codec/PktStreamReader.h"
#include "messenger/protocol/codec/PktTransactionIdIssuer.h"
#include "messenger/protocol/connection/PktPendingList.h"
#include "tests/support/RecordingScreens.h"
#include "tests/support/TraceCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

namespace {

// Counts live copies so that a test can see a copy being freed.
class PktOutCounted : public PktOutEmpty {
public:
    explicit PktOutCounted(const std::wstring& command)
        : PktOutEmpty(command)
    {
        ++s_live;
    }
    PktOutCounted(const PktOutCounted& other)
        : PktOutEmpty(other)
    {
        ++s_live;
    }
    ~PktOutCounted() override { --s_live; }
    std::unique_ptr<Pkt> Clone() const override { return std::make_unique<PktOutCounted>(*this); }
    static inline int s_live = 0;
};

} // namespace

TEST(PktFactory, CreatesRegisteredClassesByExactWord)
{
    PktFactory factory;
    auto quit = factory.Create(L"QUIT", 9);
    ASSERT_NE(dynamic_cast<PktInSimple*>(quit.get()), nullptr);
    EXPECT_EQ(quit->GetTransactionId(), 9);
    EXPECT_EQ(quit->GetResult(), kFailureCodeSuccess);
    std::string args = "alice x\r\n";
    PktStreamReader reader(args.data(), static_cast<uint32_t>(args.size()));
    EXPECT_TRUE(quit->Parse(reader));
    EXPECT_EQ(static_cast<PktInSimple&>(*quit).GetText1(), L"alice");

    EXPECT_EQ(factory.Create(L"ping", 1), nullptr);
    EXPECT_EQ(factory.Create(L"LOUT", 1), nullptr);
    EXPECT_EQ(factory.Create(L"", 1), nullptr);
}

TEST(PktFactory, PayloadWordsMatchExactly)
{
    EXPECT_TRUE(PktFactory::HasPayload("LSTA") && PktFactory::HasPayload("WGET"));
    for (const char* word : { "lsta", "MESG", "LSTA ", "", "LS" })
        EXPECT_FALSE(PktFactory::HasPayload(word)) << word;
}

TEST(PktFactory, SecondRegistrationOfAWordKeepsTheFirst)
{
    TraceCapture trace;
    EXPECT_FALSE(PktFactory::RegisterClass<PktInSimple>({ L"PING" }));
    EXPECT_TRUE(trace.Contains(L"\"PING\" is registered twice"));
    PktFactory factory;
    EXPECT_EQ(dynamic_cast<PktInSimple*>(factory.Create(L"PING", 1).get()), nullptr);
}

TEST(PktHandlerDefault, SucceedsQuietlyOrShowsTheFailure)
{
    PktHandlerFactory handlers;
    EXPECT_EQ(handlers.Create(L"alrm"), nullptr);
    auto handler = handlers.Create(L"LOPT");
    ASSERT_NE(handler, nullptr);

    RecordingScreens screens;
    PktInEmpty reply(L"LOPT", 4);
    EXPECT_TRUE(PktHandler::Invoke(*handler, nullptr, reply));
    EXPECT_TRUE(screens.calls.empty());
    reply.SetResult(301);
    EXPECT_FALSE(PktHandler::Invoke(*handler, nullptr, reply));
    ASSERT_EQ(screens.calls.size(), 1u);
    EXPECT_EQ(screens.calls[0], L"ShowMsgBox: 입력하신 비밀번호를 확인하시고, 다시 로그인을 시도해 주세요.");
}

TEST(PktTransactionIdIssuer, CountsFromOneAndWrapsToOne)
{
    EXPECT_EQ(PktOutEmpty(L"PING").GetTransactionId(), 0) << "no issuer yet";
    {
        PktTransactionIdIssuer issuer;
        EXPECT_EQ(issuer.Issue(), 1);
        EXPECT_EQ(PktOutEmpty(L"PING").GetTransactionId(), 2);
    }
    PktTransactionIdIssuer nearEnd(std::numeric_limits<int32_t>::max() - 1);
    EXPECT_EQ(nearEnd.Issue(), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(nearEnd.Issue(), 1);
}

TEST(PktPendingList, AddFindRemove)
{
    PktTransactionIdIssuer issuer;
    PktPendingList pending;
    pending.SetClock([]() -> uint32_t { return 1234; });
    {
        PktOutCounted first(L"AUTH");
        PktOutCounted second(L"REQS");
        second.SetTransactionId(first.GetTransactionId());
        EXPECT_TRUE(pending.Add(first));
        EXPECT_TRUE(pending.Add(second));
        EXPECT_EQ(PktOutCounted::s_live, 3) << "a duplicate id makes no second copy";
    }
    EXPECT_EQ(PktOutCounted::s_live, 1);
    const auto* entry = pending.Find(1);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->packet->GetCommand(), L"AUTH");
    EXPECT_EQ(entry->sent, 1234u);

    EXPECT_FALSE(pending.Remove(2));
    EXPECT_TRUE(pending.Remove(1));
    EXPECT_EQ(PktOutCounted::s_live, 0);
    EXPECT_EQ(pending.Find(1), nullptr);

    PktInEmpty incoming(L"PING", 5);
    EXPECT_FALSE(pending.Add(incoming)) << "an incoming packet has no copy to keep";
    EXPECT_EQ(pending.GetCount(), 0u);

    PktOutCounted left(L"ADDB");
    pending.Add(left);
}
