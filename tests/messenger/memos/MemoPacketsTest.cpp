// Memo records, the message body, the memo-box requests and the answers' reassembly,
// and what the handlers do with MemoList and the screens.
#include "messenger/model/MemoList.h"
#include "messenger/protocol/codec/PktStreamReader.h"
#include "messenger/protocol/memos/MemoBody.h"
#include "messenger/protocol/memos/MemoBox.h"
#include "messenger/protocol/memos/PktHandlerWget.h"
#include "messenger/protocol/memos/PktInImsg.h"
#include "messenger/protocol/memos/PktInWget.h"
#include "messenger/protocol/memos/PktOutImsg.h"
#include "messenger/protocol/memos/PktOutWget.h"
#include "tests/support/MessengerSingletons.h"
#include "tests/support/RecordingScreens.h"
#include "tests/support/TraceCapture.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

std::string Bytes(Pkt& packet)
{
    packet.Serialize();
    return packet.GetWriter().ToString();
}

// A WGET answer fragment as the service sends it.
std::string Answer(const std::string& kind, int index, int count, const std::string& piece, int result = 100)
{
    return "WGET 9 " + kind + " " + std::to_string(count) + " " + std::to_string(index) + " "
        + std::to_string(result) + " " + std::to_string(piece.size()) + "\r\n" + piece;
}

// The same, inside the relay envelope it comes back in.
std::string InEnvelope(const std::string& inner)
{
    return "CRP2 8 DP %00 " + std::to_string(inner.size()) + "\r\n" + inner;
}

const std::string kImsgBody = "from:jiyeon@quorix.net\r\nref:minsu@quorix.net;junho@quorix.net\r\n"
                              "title:hi%20there\r\ndate:20261207093015\r\ncookie:m000007\r\n"
                              "event:RE\r\nnot a header\r\nx-other:kept%20out\r\n"
                              "font-color:#0000ff\r\nfont-style:xUyB\r\nrelated:Y\r\nlength:99\r\n\r\n"
                              "line one\r\n100% sure";

class MemoPackets : public ::testing::Test {
protected:
    MessengerSingletons m;
    MemoList& memos = m.memos;
    RecordingScreens screens;
    TraceCapture trace;
};

} // namespace

TEST(MemoModel, BoxTypeAndRemovalByIdentity)
{
    MemoList list;
    const std::pair<int32_t, int32_t> boxes[] = { { 0, 0 }, { 1, 1 }, { 2, 3 }, { -1, 3 } };
    for (const auto& [box, type] : boxes) {
        list.Box = box;
        EXPECT_EQ(list.GetRequestBoxType(), type);
    }

    // Two records alike in every field: the one asked for goes, not its twin.
    Memo same;
    same.Cookie = L"c";
    Memo* first = list.PushBack(same);
    Memo* second = list.PushBack(same);
    list.PushFront(Memo {});
    EXPECT_TRUE(list.Remove(second));
    EXPECT_FALSE(list.Remove(&same));
    ASSERT_EQ(list.GetCount(), 2u);
    EXPECT_EQ(list.GetAt(1), first);
}

TEST_F(MemoPackets, BodyGoesOutWithHeaderLinesInOrder)
{
    PktOutImsg memo;
    memo.SetNoId(true);
    memo.From = L"minsu@quorix.net";
    memo.References = { L"a@x", L"b@x", L"c@x" };
    memo.Title = L"see you";
    memo.Date.Parse(L"20261207093015", L"yyyyMMddhhmmss");
    memo.Event = MemoEventReply;
    memo.Cookie = L"m000007";
    memo.FontSize = 9;
    memo.FontColor = 0xFF0000; // blue
    memo.FontStyle = 1 | 4;
    memo.ContentType = 0;
    memo.Body = L"안녕";
    EXPECT_EQ(Bytes(memo),
        "IMSG\r\nfrom:minsu@quorix.net\r\nref:a@x;b@x;c@x\r\ntitle:see%20you\r\nconfirm:0\r\n"
        "date:20261207093015\r\nevent:RE\r\ncookie:m000007\r\nfont-name:%00\r\nfont-size:9\r\n"
        "font-color:#0000ff\r\nfont-style:BU\r\ncontenttype:text\r\nlength:6\r\n\r\n안녕");

    // A new memo names no memo it answers.
    PktOutImsg fresh;
    fresh.Event = MemoEventNew;
    fresh.Cookie = L"ignored";
    const std::string bytes = Bytes(fresh);
    EXPECT_EQ(bytes.find("cookie:"), std::string::npos);
    EXPECT_NE(bytes.find("event:NW\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("font-style:%00\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("length:0\r\n\r\n"), std::string::npos);
}

TEST_F(MemoPackets, BodyIsReadFromHeaderLinesAndTheRest)
{
    PktInImsg memo(0);
    PktStreamReader reader(kImsgBody.data(), static_cast<uint32_t>(kImsgBody.size()));
    ASSERT_TRUE(memo.ReadArgs(reader));
    EXPECT_EQ(memo.References, (std::vector<std::wstring> { L"minsu@quorix.net", L"junho@quorix.net" }));
    EXPECT_EQ(std::tie(memo.From, memo.Title, memo.Cookie, memo.Event, memo.FontColor, memo.FontStyle),
        std::make_tuple(L"jiyeon@quorix.net", L"hi there", L"m000007", MemoEventReply, 0xFF0000u, 1u | 4u));
    EXPECT_EQ(memo.Date.Format(L"yyyy-MM-dd hh:mm:ss"), L"2026-12-07 09:30:15");
    EXPECT_EQ(std::tie(memo.Related, memo.Length, memo.ContentType), std::make_tuple(true, 99, 4));
    // Not decoded, whatever the length line said.
    EXPECT_EQ(memo.Body, L"line one\r\n100% sure");

    // Without the empty line every line is header and there is no text.
    const std::string headerOnly = "from:a\r\nref:;x;\r\ntitle:t";
    PktInImsg cut(0);
    PktStreamReader cutReader(headerOnly.data(), static_cast<uint32_t>(headerOnly.size()));
    cut.ReadArgs(cutReader);
    EXPECT_EQ(cut.Title, L"t");
    EXPECT_EQ(cut.References, (std::vector<std::wstring> { L"", L"x", L"" }));
    EXPECT_TRUE(cut.Body.empty());
}

TEST(MemoBody, ColoursBothWays)
{
    const std::pair<uint32_t, std::wstring> colours[]
        = { { 0x0000FF, L"#ff0000" }, { 0xFF0000, L"#0000ff" }, { 0x123456, L"#563412" }, { 0, L"#000000" } };
    for (const auto& [colour, text] : colours) {
        EXPECT_EQ(FormatColor(colour), text);
        EXPECT_EQ(ParseColor(text), colour);
    }
    const std::pair<std::wstring, uint32_t> odd[]
        = { { L"", 0 }, { L"ff0000", 0 }, { L"#ff", 0xFF }, { L"#ff0", 0xFF }, { L"#zz00ff", 0 } };
    for (const auto& [text, colour] : odd)
        EXPECT_EQ(ParseColor(text), colour) << text.size();
}

TEST_F(MemoPackets, RequestsAsTheScreensMakeThem)
{
    memos.Box = MemoList::BoxInbox;
    memos.Page = 2;
    Memo memo;
    memo.Cookie = L"m 1";
    ASSERT_TRUE(MemoBox::RequestNextPage(m.peer));
    ASSERT_TRUE(MemoBox::OpenMemo(m.peer, memo));
    memos.Box = MemoList::BoxNone;
    ASSERT_TRUE(MemoBox::DeleteMemo(m.peer, L"m2"));
    ASSERT_TRUE(MemoBox::ReportSpam(m.peer, L"m3"));
    ASSERT_TRUE(MemoBox::SwitchBox(m.peer, MemoList::BoxSent));
    EXPECT_EQ(memos.Box, MemoList::BoxSent);

    const char* bodies[] = {
        "MEMOLST2 N 8192 42\r\nmsgtype=1&boxtype=1&requestpage=3&count=10",
        "MEMOGET2 N 8192 23\r\ncookie=m%201&box_type=R",
        "MEMOCNT2 N 8192 0\r\n",
        "MEMODEL1 N 8192 26\r\ncookie=m2&box_type=Unknown",
        "MEMOSPM1 N 8192 9\r\ncookie=m3",
        "MEMOLST2 N 8192 42\r\nmsgtype=1&boxtype=3&requestpage=1&count=10",
        "MEMOCNT2 N 8192 0\r\n",
    };
    ASSERT_EQ(m.peer.sent.size(), std::size(bodies));
    for (size_t i = 0; i < std::size(bodies); ++i) {
        const std::string& frame = m.peer.sent[i];
        // CRP2 <id> DP %00 <n>, then WGET <id> and the body.
        const size_t inner = frame.find("\r\nWGET ");
        ASSERT_EQ(frame.rfind("CRP2 ", 0), 0u) << frame;
        ASSERT_NE(inner, std::string::npos) << frame;
        EXPECT_EQ(frame.substr(frame.find(' ', inner + 7) + 1), bodies[i]);
    }
}

TEST_F(MemoPackets, ListAnswersReassembleAndFillTheList)
{
    memos.Box = MemoList::BoxInbox;
    const std::string body = "2 1 25\r\n"
                             "17 jiyeon@quorix.net 제목%20하나 20261207093015 0 0 m17\r\n"
                             "16 junho@quorix.net two 20261206080000 1 1 m16\r\n \r\n\t";
    // Three fragments: only the last one acts.
    m.peer.Receive(InEnvelope(Answer("MEMOLST2", 1, 3, body.substr(0, 20))));
    m.peer.Receive(InEnvelope(Answer("MEMOLST2", 2, 3, body.substr(20, 40))));
    EXPECT_TRUE(screens.calls.empty());
    EXPECT_EQ(memos.GetCount(), 0u);
    m.peer.Receive(InEnvelope(Answer("MEMOLST2", 3, 3, body.substr(60))));

    EXPECT_EQ(screens.calls, (std::vector<std::wstring> { L"AppendMemoPage: 2" }));
    EXPECT_EQ(memos.Page, 2);
    EXPECT_EQ(memos.Total, 25);
    ASSERT_EQ(memos.GetCount(), 2u);
    const Memo& first = *memos.GetAt(0);
    EXPECT_EQ(first.Id, L"17");
    EXPECT_EQ(first.Title, L"제목 하나");
    EXPECT_EQ(first.Cookie, L"m17");
    EXPECT_EQ(first.Read, 0);
    EXPECT_EQ(memos.GetAt(1)->Read, 1);
    EXPECT_EQ(memos.GetAt(1)->Flag2, 1);

    // A record cut short still counts; an empty answer sets the presets and adds nothing.
    m.peer.Receive(Answer("MEMOLST2", 1, 1, "3 0 25\r\n15 dahye@mailbox.kr"));
    m.peer.Receive(Answer("MEMOLST2", 1, 1, ""));
    EXPECT_EQ(memos.GetAt(2)->From, L"dahye@mailbox.kr");
    EXPECT_EQ(memos.Page, 0);
    EXPECT_EQ(screens.calls.back(), L"AppendMemoPage: 0");
}

TEST_F(MemoPackets, PageNumbersNoBoxCanHoldAreRefused)
{
    memos.Box = MemoList::BoxInbox;
    const std::string record = "\r\n1 a t 20260101000000 0 0 m1\r\n";
    for (const char* numbers : { "2147483647 1 2147483647", "-3 1 4", "1 1 -1", "1 1 1001" }) {
        m.peer.Receive(Answer("MEMOLST2", 1, 1, numbers + record));
        EXPECT_EQ(memos.Page, 0) << numbers;
        // Nothing the next page could be asked from.
        EXPECT_TRUE(MemoBox::RequestNextPage(m.peer)) << numbers;
    }
    EXPECT_TRUE(screens.calls.empty());
    EXPECT_EQ(memos.GetCount(), 0u);
    EXPECT_TRUE(trace.Contains(L"refused"));

    // The last page a box holds is taken, and no page after it is asked for.
    m.peer.Receive(Answer("MEMOLST2", 1, 1, std::to_string(MemoBox::kMaxPages) + " 1 1000" + record));
    EXPECT_EQ(memos.Page, MemoBox::kMaxPages);
    const size_t sent = m.peer.sent.size();
    EXPECT_FALSE(MemoBox::RequestNextPage(m.peer));
    EXPECT_EQ(m.peer.sent.size(), sent);
}

TEST_F(MemoPackets, BrokenFragmentSequencesAreDroppedNotParsed)
{
    memos.Box = MemoList::BoxInbox;
    const std::string page = "1 0 1\r\n1 a t 20260101000000 0 0 m1\r\n";
    const std::vector<std::string> broken[] = {
        { Answer("MEMOLST2", 1, 3, page), Answer("MEMOLST2", 3, 3, "") }, // a fragment missing
        { Answer("MEMOLST2", 1, 2, page), Answer("MEMOCNT2", 2, 2, "") }, // another answer's
        { Answer("MEMOLST2", 2, 1, page) }, // index past count
        { Answer("MEMOLST2", -1, -1, page) }, // negative
        { Answer("MEMOLST2", 5000, 5000, page) }, // too many
        { Answer("MEMOLST2", 1, 2, std::string(PktInWget::kMaxAnswer, 'x')), // too long
            Answer("MEMOLST2", 2, 2, page) },
    };
    for (const auto& fragments : broken) {
        for (const std::string& fragment : fragments)
            m.peer.Receive(fragment);
    }
    EXPECT_TRUE(screens.calls.empty());
    EXPECT_EQ(memos.GetCount(), 0u);
    EXPECT_TRUE(PktInWget::GetFragmentBuffer().empty());

    // The length word never reaches past the frame.
    m.peer.Receive("WGET 9 MEMOCNT2 1 1 100 3\r\n7\r\n");
    EXPECT_EQ(memos.Unread, 1);
}

TEST_F(MemoPackets, CountAnswersSetTheUnreadFlagAndCount)
{
    const std::tuple<std::string, uint8_t, int32_t> answers[] = { { "3\r\n", 1, 3 }, { "5\r\n", 1, 5 },
        { "0\r\n", 0, 0 }, { "", 0, 0 }, { "1", 1, 1 }, { "-4\r\n", 1, 0 } };
    for (const auto& [count, unread, number] : answers) {
        m.peer.Receive(Answer("MEMOCNT2", 1, 1, count));
        EXPECT_EQ(memos.Unread, unread) << count;
        EXPECT_EQ(memos.UnreadCount, number) << count;
    }
    // Every change of either (the title shows the count).
    EXPECT_EQ(screens.Count(L"UpdateNotifyIcons"), 5u);

    // A box switch keeps the mark until the count it asks for comes back, and a count
    // of 0 then puts the mark out.
    m.peer.Receive(Answer("MEMOCNT2", 1, 1, "2\r\n"));
    ASSERT_TRUE(MemoBox::SwitchBox(m.peer, MemoList::BoxSent));
    EXPECT_EQ(std::tie(memos.Unread, memos.UnreadCount), std::make_tuple(1, 2));
    screens.calls.clear();
    m.peer.Receive(Answer("MEMOCNT2", 1, 1, "0\r\n"));
    EXPECT_EQ(memos.Unread, 0);
    EXPECT_EQ(screens.calls, (std::vector<std::wstring> { L"UpdateNotifyIcons" }));
}

TEST_F(MemoPackets, ArrivingMemosJoinTheInboxOnly)
{
    // As the envelope that delivers it hands it on.
    const std::string notice = "IMSG 0\r\n" + kImsgBody;
    const auto deliver = [&] {
        m.peer.OnPacket(reinterpret_cast<const uint8_t*>(notice.data()), static_cast<int>(notice.size()));
    };
    memos.Box = MemoList::BoxInbox;
    deliver();
    ASSERT_EQ(screens.calls.size(), 4u);
    EXPECT_EQ(std::vector<std::wstring>(screens.calls.begin(), screens.calls.begin() + 3),
        (std::vector<std::wstring> { L"InsertNewMemos: 1", L"UpdateNotifyIcons", L"PlayAlert: 3" }));
    EXPECT_EQ(screens.calls[3], L"NotifyMemo: jiyeon@quorix.net: hi there");
    EXPECT_EQ(memos.UnreadCount, 1);
    ASSERT_EQ(memos.GetCount(), 1u);
    EXPECT_EQ(memos.GetAt(0)->Cookie, L"m000007");
    EXPECT_TRUE(memos.GetAt(0)->Id.empty());
    // Without a title the row shows the text.
    const std::string untitled = "IMSG 0\r\nfrom:a\r\ntitle:%00\r\n\r\n첫 줄\r\n둘째 줄";
    m.peer.OnPacket(reinterpret_cast<const uint8_t*>(untitled.data()), static_cast<int>(untitled.size()));
    EXPECT_EQ(memos.GetAt(0)->GetFirstLine(), L"첫 줄");

    // While the sent box is shown its rows stay as they are; only the unread mark changes.
    screens.calls.clear();
    memos.Unread = 0;
    memos.Box = MemoList::BoxSent;
    deliver();
    ASSERT_EQ(screens.calls.size(), 3u);
    EXPECT_EQ(std::vector<std::wstring>(screens.calls.begin(), screens.calls.begin() + 2),
        (std::vector<std::wstring> { L"UpdateNotifyIcons", L"PlayAlert: 3" }));
    // Word of it goes out all the same, and it counts.
    EXPECT_EQ(screens.calls[2], L"NotifyMemo: jiyeon@quorix.net: hi there");
    EXPECT_EQ(memos.GetCount(), 2u);
    EXPECT_EQ(memos.Unread, 1);
    EXPECT_EQ(memos.UnreadCount, 3);
}

TEST_F(MemoPackets, OpenedMemoGoesToTheReadPage)
{
    memos.Box = MemoList::BoxInbox;
    Memo* shown = memos.PushBack(Memo {});
    const std::string content = Answer("MEMOGET2", 1, 1, "IMSG\r\n" + kImsgBody);

    // The read page is not on top: nothing shown, nothing announced.
    m.peer.Receive(InEnvelope(content));
    EXPECT_TRUE(screens.calls.empty());
    EXPECT_EQ(memos.GetCount(), 1u);

    screens.shownMemo = shown;
    m.peer.Receive(InEnvelope(content));
    EXPECT_EQ(screens.calls, (std::vector<std::wstring> { L"SetMemo: line one\r\n100% sure" }));
    EXPECT_EQ(shown->Read, 1);
    EXPECT_FALSE(PktHandlerWget::IsOpeningMemo());

    // A content answer that holds answers of its own stops at the nesting limit.
    std::string nested = "IMSG\r\n" + kImsgBody;
    for (int i = 0; i < 2 * TarvPeer::kMaxEnvelopeDepth; ++i)
        nested = "WGET MEMOGET2 1 1 100 " + std::to_string(nested.size()) + "\r\n" + nested;
    screens.calls.clear();
    m.peer.Receive(Answer("MEMOGET2", 1, 1, nested));
    EXPECT_TRUE(screens.calls.empty());
    EXPECT_TRUE(trace.Contains(L"nested deeper"));
    EXPECT_FALSE(PktHandlerWget::IsOpeningMemo());
}

TEST_F(MemoPackets, FailuresShowTheirMemoNames)
{
    PktOutWget request;
    request.Kind = PktOutWget::KindGet;
    ASSERT_TRUE(m.peer.Send(request));
    const std::string id = std::to_string(request.GetTransactionId());
    m.peer.Receive(Answer("MEMOGET2", 1, 1, "", 202));
    m.peer.Receive(Answer("MEMODEL1", 1, 1, "", 490));
    m.peer.Receive("201 " + id + "\r\n");
    m.peer.Receive(Answer("MEMOLST2", 1, 1, "1 0 1\r\n", 777));
    EXPECT_EQ(screens.calls,
        (std::vector<std::wstring> { L"ShowMsgBox: WGET [202]\n\n존재하지 않는 쪽지입니다.",
            L"ShowMsgBox: WGET [490]\n\n쪽지 서버에 오류가 발생했습니다. 잠시 후 다시 시도해 주세요.",
            L"ShowMsgBox: WGET [201]\n\n요청한 정보가 올바르지 않습니다.",
            L"ShowMsgBox: WGET [777]\n\n알 수 없는 오류가 발생했습니다.\n\n오류 코드: 777" }));
    EXPECT_EQ(memos.GetCount(), 0u);
}
