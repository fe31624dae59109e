// Memos against the local service, with one of its demo accounts as the other user:
// the box pages, contents, deletes, reports and failures, over real sockets and TLS.
#include "messenger/model/MemoList.h"
#include "messenger/protocol/connection/PktPendingList.h"
#include "messenger/protocol/memos/MemoBox.h"
#include "tests/support/ServiceSession.h"

#include <algorithm>

namespace {

constexpr const char* kMinsu = "minsu@quorix.net";
constexpr const char* kJiyeon = "jiyeon@quorix.net";
constexpr size_t kLongBody = 30000;

class MemoTest : public ServiceSessionTest {
protected:
    MemoTest()
        // Jiyeon has left minsu 25 memos, the newest with a long text.
        : ServiceSessionTest(AccountsWithMemos(
            25, [](int i) { return i == 24 ? std::string(kLongBody, 'x') : "본문 " + std::to_string(i); }))
    {
    }
    void SetUp() override
    {
        SetUpSignedIn(L"minsu@quorix.net", L"minsu1234");
        screens.calls.clear();
    }

    // Waits for a screen call and takes everything recorded so far.
    std::vector<std::wstring> Await(const std::wstring& call)
    {
        PumpUntilCall(call);
        std::vector<std::wstring> calls;
        calls.swap(screens.calls);
        return calls;
    }

    // What the service holds for minsu: the inbox, the sent box and the reported memos.
    std::string Account() { return service.Get(std::string("/account?id=") + kMinsu); }
    // The "read" field of the memo with this cookie in the service's record.
    std::string ReadFlagOnService(const std::wstring& cookie)
    {
        const std::string account = Account();
        const size_t at = account.find("\"cookie\": \"" + ToUtf8(cookie) + "\"");
        const size_t flag = account.find("\"read\": ", at);
        return at == std::string::npos
            ? ""
            : account.substr(flag + 8, account.find_first_of(",}", flag) - flag - 8);
    }

    MemoList& memos = m.memos;
};

} // namespace

TEST_F(MemoTest, InboxPagesOpensDeletesAndReports)
{
    ASSERT_TRUE(MemoBox::SwitchBox(m.peer, MemoList::BoxInbox));
    EXPECT_EQ(Await(L"UpdateNotifyIcons"),
        (std::vector<std::wstring> { L"AppendMemoPage: 10", L"UpdateNotifyIcons" }));
    EXPECT_EQ(memos.Unread, 1);
    ASSERT_TRUE(MemoBox::RequestNextPage(m.peer));
    EXPECT_EQ(Await(L"AppendMemoPage: 10"), (std::vector<std::wstring> { L"AppendMemoPage: 10" }));
    ASSERT_TRUE(MemoBox::RequestNextPage(m.peer));
    EXPECT_EQ(Await(L"AppendMemoPage: 5"), (std::vector<std::wstring> { L"AppendMemoPage: 5" }));
    ASSERT_EQ(memos.GetCount(), 25u);
    EXPECT_EQ(memos.Page, 3);
    EXPECT_EQ(memos.Total, 3);
    EXPECT_EQ(memos.GetAt(0)->Title, L"메모 24");
    EXPECT_EQ(memos.GetAt(24)->Title, L"메모 0");
    EXPECT_EQ(memos.GetAt(0)->From, L"jiyeon@quorix.net");
    EXPECT_EQ(memos.GetAt(0)->Date.Format(L"yyyyMMddhhmmss"), L"20240101090024");

    // The newest memo's text comes in several fragments and reaches the read page.
    Memo* newest = memos.GetAt(0);
    screens.shownMemo = newest;
    EXPECT_EQ(ReadFlagOnService(newest->Cookie), "false");
    EXPECT_EQ(memos.UnreadCount, 25);
    ASSERT_TRUE(MemoBox::OpenMemo(m.peer, *newest));
    // The content, then the count that goes down by the memo read.
    ASSERT_TRUE(PumpUntil([] { return PktPendingList::GetInstance()->GetCount() == 0; }));
    EXPECT_EQ(screens.calls,
        (std::vector<std::wstring> { L"SetMemo: " + std::wstring(kLongBody, L'x'), L"UpdateNotifyIcons" }));
    screens.calls.clear();
    EXPECT_EQ(memos.UnreadCount, 24);
    EXPECT_EQ(newest->Read, 1);
    EXPECT_EQ(ReadFlagOnService(newest->Cookie), "true");

    // Delete and report remove the memos from the service's boxes.
    const std::wstring deleted = memos.GetAt(1)->Cookie;
    const std::wstring reported = memos.GetAt(2)->Cookie;
    ASSERT_TRUE(MemoBox::DeleteMemo(m.peer, deleted));
    ASSERT_TRUE(MemoBox::ReportSpam(m.peer, reported));
    EXPECT_TRUE(memos.Remove(memos.GetAt(1)));
    ASSERT_TRUE(PumpUntil([&] { return Account().find(ToUtf8(reported)) > Account().find("\"spam\""); }));
    const std::string account = Account();
    EXPECT_EQ(account.find(ToUtf8(deleted)), std::string::npos);
    EXPECT_TRUE(screens.calls.empty());

    // Failures come back with the memo box's own names.
    Memo gone;
    gone.Cookie = deleted;
    const std::wstring notFound = L"ShowMsgBox: WGET [202]\n\n존재하지 않는 쪽지입니다.";
    const std::wstring badBox = L"ShowMsgBox: WGET [201]\n\n요청한 정보가 올바르지 않습니다.";
    ASSERT_TRUE(MemoBox::OpenMemo(m.peer, gone));
    // The count that follows the failure has gone down by the two unread memos removed.
    ASSERT_TRUE(PumpUntil([] { return PktPendingList::GetInstance()->GetCount() == 0; }));
    EXPECT_EQ(screens.calls, (std::vector<std::wstring> { notFound, L"UpdateNotifyIcons" }));
    screens.calls.clear();
    EXPECT_EQ(memos.UnreadCount, 22);
    ASSERT_TRUE(MemoBox::SwitchBox(m.peer, MemoList::BoxNone));
    // The switch empties the list, unread flag included, so the count that comes back
    // with the failure may light the marks again first.
    const std::vector<std::wstring> switched = Await(badBox);
    EXPECT_NE(std::find(switched.begin(), switched.end(), badBox), switched.end());
}

TEST_F(MemoTest, MemoFromTheOtherUserArrivesIsReadAndAnswered)
{
    ASSERT_NE(Party("sign-in", kJiyeon).find("conn"), std::string::npos);
    ASSERT_TRUE(MemoBox::SwitchBox(m.peer, MemoList::BoxInbox));
    // The page and then the unread marks: wait for both, so neither is counted below.
    Await(L"UpdateNotifyIcons");

    Party("memo", kJiyeon, R"(, "to": ["minsu@quorix.net"], "title": "점심", "body": "점심 같이 먹어요")");
    const std::vector<std::wstring> announced
        = { L"InsertNewMemos: 1", L"UpdateNotifyIcons", L"PlayAlert: 3", L"NotifyMemo: jiyeon@quorix.net: 점심" };
    EXPECT_EQ(Await(L"NotifyMemo: jiyeon@quorix.net: 점심"), announced);
    const int32_t unread = memos.UnreadCount;
    ASSERT_EQ(memos.GetCount(), 11u);
    Memo* arrived = memos.GetAt(0);
    EXPECT_EQ(arrived->Title, L"점심");
    EXPECT_EQ(arrived->From, L"jiyeon@quorix.net");

    screens.shownMemo = arrived;
    ASSERT_TRUE(MemoBox::OpenMemo(m.peer, *arrived));
    // The content, then the count that goes down by the memo read.
    ASSERT_TRUE(PumpUntil([] { return PktPendingList::GetInstance()->GetCount() == 0; }));
    EXPECT_EQ(screens.calls, (std::vector<std::wstring> { L"SetMemo: 점심 같이 먹어요", L"UpdateNotifyIcons" }));
    screens.calls.clear();
    EXPECT_EQ(memos.UnreadCount, unread - 1);
    EXPECT_EQ(ReadFlagOnService(arrived->Cookie), "true");

    // The answer reaches the other user's inbox as a reply to that memo.
    ASSERT_TRUE(MemoBox::SendMemo(m.peer, { L"jiyeon@quorix.net" }, 2, arrived->Cookie, L"좋아요\n12시에"));
    std::string inbox;
    ASSERT_TRUE(PumpUntil([&] {
        inbox = service.Get("/party/memos?user=jiyeon@quorix.net");
        return inbox.find("좋아요") != std::string::npos;
    }));
    const size_t at = inbox.find("\"cookie\": \"", inbox.find("좋아요")) + 11;
    const std::string read
        = Party("read-memo", kJiyeon, R"(, "cookie": ")" + inbox.substr(at, inbox.find('"', at) - at) + "\"");
    EXPECT_NE(read.find(R"("event": "RE")"), std::string::npos) << read;
    EXPECT_NE(read.find(R"("from": "minsu@quorix.net")"), std::string::npos) << read;

    // The sent box lists it; a memo arriving meanwhile leaves that list alone.
    ASSERT_TRUE(MemoBox::SwitchBox(m.peer, MemoList::BoxSent));
    Await(L"AppendMemoPage: 1");
    // The box's count may come after its page: let every answer of the switch arrive.
    ASSERT_TRUE(PumpUntil([] { return PktPendingList::GetInstance()->GetCount() == 0; }));
    screens.calls.clear();
    ASSERT_EQ(memos.GetCount(), 1u);
    EXPECT_EQ(memos.GetAt(0)->GetFirstLine(), L"좋아요");
    Party("memo", kJiyeon, R"(, "to": ["minsu@quorix.net"], "body": "또")");
    EXPECT_EQ(Await(L"NotifyMemo: jiyeon@quorix.net: 또"),
        (std::vector<std::wstring> { L"UpdateNotifyIcons", L"PlayAlert: 3", L"NotifyMemo: jiyeon@quorix.net: 또" }));
    EXPECT_EQ(memos.GetCount(), 1u);
    EXPECT_EQ(memos.Unread, 1);
}
