// The memo screens on the real program against the local service, whose demo accounts
// write, read and receive memos as the second party.
#include "app/memos/MemoListPage.h"
#include "app/shell/MessageBoxes.h"
#include "messenger/model/MemoList.h"
#include "messenger/protocol/buddies/PktOutLsta.h"
#include "messenger/protocol/codec/PktTransactionIdIssuer.h"
#include "messenger/protocol/connection/PktPendingList.h"
#include "messenger/protocol/login/SignOut.h"
#include "tests/support/AppDriver.h"
#include "ux/core/UxText.h"

#include <gtest/gtest.h>

namespace {

using Rows = std::vector<std::wstring>;
constexpr const char* kMinsu = "minsu@quorix.net";

// Scrolls the list to its end and taps its last row.
bool TapLastRow(AppDriver& driver, UxListWindow& list)
{
    UxScrollAxis& y = list.GetYAxis();
    y.ScrollTo(std::min(0, y.GetViewSize() - y.GetContentPixels()));
    // A fling carries it there.
    for (int step = 0; step < 50 && y.IsMoving(); ++step)
        driver.Advance(100);
    return driver.TapRow(&list, list.GetRowCount() - 1);
}

// Row by row: "title / sender" (in the sent box "title / receivers"), marked "*" while
// unread, or the "more" row's text.
Rows Shown(MemoListView& view)
{
    Rows rows;
    for (int32_t i = 0; i < view.GetRowCount(); ++i) {
        const Memo* memo = view.GetMemo(i);
        rows.push_back(memo
                ? (memo->Read ? L"" : L"* ") + memo->GetFirstLine() + L" / " + MemoListView::FromText(*memo)
                : view.GetMoreText());
    }
    return rows;
}

class MemoScreens : public ::testing::Test {
protected:
    explicit MemoScreens(std::string accounts = "")
        : driver(AppDriver::Setup { .service = true, .accounts = std::move(accounts), .skin = "" })
    {
    }
    void SetUp() override
    {
        ASSERT_TRUE(driver.StartSignedIn());
    }

    MessengerApp& App() { return driver.App(); }
    MemoListView& List() { return App().GetMemoListPage().GetView(); }
    MemoReadView& Card() { return App().GetMemoReadPage().GetView(); }
    MemoWriteView& Writer() { return App().GetMemoWritePage().GetView(); }

    // The service's record of an account: its inbox, sent box and reported memos.
    std::string Account(const std::string& id) { return driver.Service().Get("/account?id=" + id); }
    // The service's read flag of a memo: "true", "false", or "" when it is gone.
    std::string ReadOnService(const std::wstring& cookie)
    {
        const std::string account = Account(kMinsu);
        const size_t at = account.find("\"cookie\": \"" + ToUtf8(cookie) + "\"");
        const size_t flag = account.find("\"read\": ", at);
        return at == std::string::npos
            ? ""
            : account.substr(flag + 8, account.find_first_of(",}", flag) - flag - 8);
    }
    // The service has sent the client a frame holding the text.
    bool SentToClient(const std::string& text) { return driver.ServiceLogLines(" > ", text) > 0; }
    bool Shows(const Rows& rows)
    {
        if (driver.WaitFor([&] { return Shown(List()) == rows; }))
            return true;
        for (const std::wstring& row : Shown(List()))
            ADD_FAILURE() << "shown: " << ToUtf8(row);
        return false;
    }
    bool OpenMemoTab()
    {
        if (!driver.Tap(L"TabBar/Tab3"))
            return false;
        driver.Settle();
        return driver.Screen() == L"MemoList";
    }
    // Taps a memo and waits for its text.
    bool Open(int32_t row)
    {
        if (!driver.TapRow(&List(), row))
            return false;
        driver.Settle();
        return driver.Screen() == L"MemoRead" && driver.WaitFor([&] { return !Card().Content.IsEmpty(); });
    }
    bool Tap(const std::wstring& path)
    {
        const bool tapped = driver.Tap(path);
        driver.Settle();
        return tapped;
    }

    AppDriver driver;
};

} // namespace

TEST_F(MemoScreens, InboxShowsMemosAndNewOnesOnTopUntilRead)
{
    ASSERT_TRUE(OpenMemoTab());
    EXPECT_EQ(driver.Text(L"TitleBar/BoxText"), L"받은 쪽지함");
    ASSERT_TRUE(Shows({ L"점심 약속 / 박준호", L"* 회의 자료 / 이지연" }));
    EXPECT_TRUE(driver.WaitFor([&] { return driver.IsShown(L"MenuBar/MemoNotifyImage"); }));
    driver.Screenshot("inbox");

    // Sender and time at once, the text once it came; the service then holds it read.
    const std::wstring cookie = List().GetMemo(1)->Cookie;
    ASSERT_TRUE(Open(1));
    EXPECT_EQ(Card().GetFromText(), L"이지연");
    EXPECT_EQ(Card().GetToText(), L"김민수");
    EXPECT_EQ(Card().GetDateText(), L"2024-03-05 09:30:00");
    EXPECT_EQ(Card().Content.GetText(), L"내일 회의 자료 보내 드려요.\n확인 부탁합니다.");
    EXPECT_EQ(ReadOnService(cookie), "true");
    EXPECT_TRUE(driver.WaitFor([&] { return !driver.IsShown(L"MenuBar/MemoNotifyImage"); }));
    ASSERT_TRUE(driver.Back());
    EXPECT_EQ(Shown(List()), (Rows { L"점심 약속 / 박준호", L"회의 자료 / 이지연" }));

    // A memo from the second party arrives on top, unread, with the marks lit.
    driver.Party("sign-in", "jiyeon@quorix.net");
    std::wstring text = L"오늘 저녁에 시간 되면 같이 식사해요.";
    for (int i = 0; i < 12; ++i)
        text += L"\n지난번에 말씀하신 한강 근처 식당이 새로 문을 열었다고 해서 예약을 해 두려고 합니다.";
    std::string body = ToUtf8(text);
    for (size_t at = body.find('\n'); at != std::string::npos; at = body.find('\n', at))
        body.replace(at, 1, "\\n");
    driver.Party("memo", "jiyeon@quorix.net", R"(, "to": ["minsu@quorix.net"], "body": ")" + body + "\"");
    ASSERT_TRUE(Shows({ L"* 오늘 저녁에 시간 되면 같이 식사해요. / 이지연", L"점심 약속 / 박준호",
        L"회의 자료 / 이지연" }));
    EXPECT_TRUE(driver.IsShown(L"MenuBar/MemoNotifyImage"));
    EXPECT_EQ(driver.Sounds().back(), L"recv_memo.wav");
    driver.Settle();
    driver.Screenshot("new-memo");

    // Its long text grows the card, and a drag on the text scrolls the card.
    ASSERT_TRUE(Open(0));
    EXPECT_EQ(Card().Content.GetText(), text);
    EXPECT_GT(Card().GetContentHeight(), Card().Content.GetYAxis().GetViewSize() - 1);
    EXPECT_GT(Card().GetContentHeight(), 400);
    driver.Screenshot("long-memo");
    const plat::RECT content = Card().Content.GetScreenRect();
    driver.Drag(240, content.top + 150, 240, content.top - 100);
    driver.Settle();
    EXPECT_LT(Card().GetYAxis().GetOffset(), -200);
    EXPECT_TRUE(driver.WaitFor([&] { return !driver.IsShown(L"MenuBar/MemoNotifyImage"); }));
    ASSERT_TRUE(driver.Back());
    EXPECT_EQ(Shown(List()).front(), L"오늘 저녁에 시간 되면 같이 식사해요. / 이지연");
}

TEST_F(MemoScreens, RepliesForwardsAndSends)
{
    ASSERT_TRUE(OpenMemoTab());
    ASSERT_TRUE(Shows({ L"점심 약속 / 박준호", L"* 회의 자료 / 이지연" }));
    // Sent by junho to this user and jiyeon.
    const std::wstring cookie = List().GetMemo(0)->Cookie;
    ASSERT_TRUE(Open(0));

    // Reply to all: the sender and the other receivers, not this user.
    ASSERT_TRUE(Tap(L"ButtonBar/ReplyAllButton"));
    EXPECT_EQ(driver.Screen(), L"MemoWrite");
    EXPECT_EQ(Writer().GetReceivers(), (Rows { L"junho@quorix.net", L"jiyeon@quorix.net" }));
    EXPECT_EQ(driver.Text(L"View/ReceiverText"), L"박준호;이지연");
    EXPECT_EQ(Writer().GetMode(), MemoWriteView::ModeReplyAll);
    EXPECT_EQ(Writer().GetReference(), cookie);
    ASSERT_TRUE(driver.Back());

    // Forward: the text goes on, the receivers are to be chosen; none yet is refused.
    ASSERT_TRUE(Tap(L"ButtonBar/ForwardButton"));
    EXPECT_EQ(Writer().GetMode(), MemoWriteView::ModeForward);
    EXPECT_TRUE(Writer().GetReceivers().empty());
    EXPECT_EQ(driver.Text(L"View/Message"), L"금요일 점심 같이 해요.");
    ASSERT_TRUE(Tap(L"View/SendButton"));
    EXPECT_EQ(driver.Answer(L"OkButton"), L"받을 사람을 추가하세요.");
    ASSERT_TRUE(driver.Back());

    // Reply: to the sender, with an empty text, which is refused.
    ASSERT_TRUE(Tap(L"ButtonBar/ReplyButton"));
    EXPECT_EQ(Writer().GetReceivers(), (Rows { L"junho@quorix.net" }));
    EXPECT_EQ(driver.Text(L"View/ReceiverText"), L"박준호");
    EXPECT_EQ(Writer().GetMode(), MemoWriteView::ModeReply);
    ASSERT_TRUE(Tap(L"View/SendButton"));
    EXPECT_EQ(driver.Answer(L"OkButton"), L"내용을 작성하세요.");
    EXPECT_EQ(Writer().GetReceivers(), (Rows { L"junho@quorix.net" }));
    // A press on the frame near the text box's edge types into it.
    const plat::RECT box = driver.Find(L"View/Message")->GetScreenRect();
    driver.Tap(box.left - 8, box.bottom + 6);
    EXPECT_TRUE(Writer().Message.IsFocused());
    driver.TypeKorean(L"네 좋아요");
    driver.Screenshot("writer");
    // The memo's packets take the next three ids: memo, its CMSG, the envelope.
    const int32_t answered = PktTransactionIdIssuer::GetInstance()->Issue() + 2;
    ASSERT_TRUE(Tap(L"View/SendButton"));
    EXPECT_EQ(driver.Screen(), L"MemoRead");
    ASSERT_TRUE(
        driver.WaitFor([&] { return Account("junho@quorix.net").find("네 좋아요") != std::string::npos; }));
    // Delivered to everyone: once the service's answer has been handled, no alert.
    ASSERT_TRUE(driver.WaitFor([&] { return SentToClient("CMSG " + std::to_string(answered) + " "); }));
    ASSERT_TRUE(driver.WaitFor([&] { return !PktPendingList::GetInstance()->Find(answered); }));
    driver.Settle();
    EXPECT_EQ(driver.Popup(), nullptr);

    // A new memo to a buddy and to someone who does not exist: the alert names the latter.
    ASSERT_TRUE(driver.Back());
    ASSERT_TRUE(Tap(L"TitleBar/WriteButton"));
    EXPECT_EQ(Writer().GetMode(), MemoWriteView::ModeNew);
    EXPECT_EQ(driver.Text(L"View/Message"), L"");
    Writer().SetReceivers({ L"jiyeon@quorix.net", L"nobody@quorix.net" }); // as the picker hands them
    EXPECT_EQ(driver.Text(L"View/ReceiverText"), L"이지연;nobody@quorix.net");
    ASSERT_TRUE(Tap(L"View/Message"));
    driver.TypeKorean(L"안녕");
    ASSERT_TRUE(Tap(L"View/SendButton"));
    ASSERT_TRUE(driver.WaitFor([&] { return driver.Popup() != nullptr; }));
    EXPECT_EQ(driver.Answer(L"OkButton"), L"다음의 사용자들이 쪽지를 받지 못 했습니다.\n\nnobody@quorix.net");
    EXPECT_NE(Account("jiyeon@quorix.net").find("안녕"), std::string::npos);

    // An answer naming more people than a memo can have: the alert lists as many and
    // counts the rest.
    std::string ids;
    for (int i = 0; i < 5000; ++i)
        ids += (i ? " n" : "n") + std::to_string(i);
    ASSERT_TRUE(Tap(L"TitleBar/WriteButton"));
    Writer().SetReceivers({ L"jiyeon@quorix.net" });
    ASSERT_TRUE(Tap(L"View/Message"));
    driver.TypeKorean(L"다시");
    // The memo's packets take the next three ids: memo, its CMSG, the envelope.
    const int32_t cmsg = PktTransactionIdIssuer::GetInstance()->Issue() + 2;
    driver.Service().Post("/rule",
        R"({"server": "main", "on": "CMSG", "mode": "replace", "data": "CMSG )" + std::to_string(cmsg) + " "
            + std::to_string(ids.size()) + R"(\r\n)" + ids + "\"}");
    ASSERT_TRUE(Tap(L"View/SendButton"));
    ASSERT_TRUE(driver.WaitFor([&] { return driver.Popup() != nullptr; }));
    const std::wstring alert = driver.Answer(L"OkButton");
    EXPECT_NE(alert.find(L"\nn999\n외 4000명"), std::wstring::npos) << alert.substr(alert.size() - 40);
    EXPECT_EQ(alert.find(L"n1000"), std::wstring::npos);
}

TEST_F(MemoScreens, DeleteReportAndTheSentBox)
{
    ASSERT_TRUE(OpenMemoTab());
    ASSERT_TRUE(Shows({ L"점심 약속 / 박준호", L"* 회의 자료 / 이지연" }));
    const std::wstring deleted = List().GetMemo(1)->Cookie;
    const std::wstring reported = List().GetMemo(0)->Cookie;

    ASSERT_TRUE(Open(1));
    // No keeps it, on the service and in the list.
    ASSERT_TRUE(Tap(L"ButtonBar/DeleteButton"));
    EXPECT_EQ(driver.Answer(L"NoButton"), L"지금 보고 있는 쪽지를 삭제하시겠습니까?");
    EXPECT_EQ(driver.Screen(), L"MemoRead");
    ASSERT_TRUE(driver.Back());
    EXPECT_TRUE(Shows({ L"점심 약속 / 박준호", L"회의 자료 / 이지연" }));
    EXPECT_EQ(ReadOnService(deleted), "true");
    EXPECT_EQ(driver.ServiceLog().find("MEMODEL1"), std::string::npos);

    ASSERT_TRUE(Open(1));
    ASSERT_TRUE(Tap(L"ButtonBar/DeleteButton"));
    EXPECT_EQ(driver.Answer(L"YesButton"), L"지금 보고 있는 쪽지를 삭제하시겠습니까?");
    EXPECT_EQ(driver.Screen(), L"MemoList");
    EXPECT_TRUE(Shows({ L"점심 약속 / 박준호" }));
    EXPECT_TRUE(driver.WaitFor([&] { return ReadOnService(deleted).empty(); }));

    ASSERT_TRUE(Open(0));
    ASSERT_TRUE(Tap(L"ButtonBar/SpamButton"));
    EXPECT_EQ(driver.Answer(L"YesButton"), L"지금 보고 있는 쪽지를 신고하시겠습니까?");
    EXPECT_EQ(driver.Screen(), L"MemoList");
    ASSERT_TRUE(driver.WaitFor([&] {
        const std::string account = Account(kMinsu);
        return account.find(ToUtf8(reported)) > account.find("\"spam\"");
    }));
    EXPECT_TRUE(Shows({}));

    // A newer popup closes the box menu while a row is pressed: no box was chosen.
    ASSERT_TRUE(Tap(L"TitleBar/BoxButton"));
    auto* pressed = dynamic_cast<AppMenu*>(driver.Popup());
    ASSERT_NE(pressed, nullptr);
    const plat::RECT row = pressed->GetList().ClientToScreen(pressed->GetList().GetRowRect(1));
    driver.Input().PointerDown((row.left + row.right) / 2, (row.top + row.bottom) / 2);
    // The press shows on the row once it is held a moment.
    driver.Advance(100);
    driver.Advance(100);
    ASSERT_EQ(pressed->GetList().GetSelection(), 1);
    ShowMsgBox(L"알림");
    driver.Flush();
    driver.Input().PointerUp((row.left + row.right) / 2, (row.top + row.bottom) / 2);
    driver.Settle();
    EXPECT_EQ(driver.Answer(L"OkButton"), L"알림");
    EXPECT_EQ(driver.Text(L"TitleBar/BoxText"), L"받은 쪽지함");
    EXPECT_EQ(MemoList::GetInstance()->Box, MemoList::BoxInbox);

    // The sent box: reply and report are refused, the writer keeps what it had.
    ASSERT_TRUE(Tap(L"TitleBar/BoxButton"));
    EXPECT_EQ(driver.PopupText(), L"받은 쪽지함\n보낸 쪽지함");
    auto* menu = dynamic_cast<AppMenu*>(driver.Popup());
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(driver.TapRow(&menu->GetList(), 1));
    driver.Settle();
    EXPECT_EQ(driver.Text(L"TitleBar/BoxText"), L"보낸 쪽지함");
    ASSERT_TRUE(Shows({ L"고마워요 / 이지연" }));
    ASSERT_TRUE(Open(0));
    EXPECT_EQ(Card().GetToText(), L"이지연");
    Writer().SetReceivers({ L"seoyun@quorix.net" });
    for (const wchar_t* button : { L"ButtonBar/ReplyButton", L"ButtonBar/ReplyAllButton" }) {
        ASSERT_TRUE(Tap(button));
        EXPECT_EQ(driver.Answer(L"OkButton"), L"보낸 쪽지에는 답장을 할 수 없습니다.") << button;
    }
    ASSERT_TRUE(Tap(L"ButtonBar/SpamButton"));
    EXPECT_EQ(driver.Answer(L"OkButton"), L"보낸 쪽지는 스팸 신고를 할 수 없습니다.");
    EXPECT_EQ(driver.Screen(), L"MemoRead");
    EXPECT_EQ(Writer().GetReceivers(), (Rows { L"seoyun@quorix.net" }));
    // Forwarding is for both boxes.
    ASSERT_TRUE(Tap(L"ButtonBar/ForwardButton"));
    EXPECT_EQ(driver.Text(L"View/Message"), L"자료 잘 받았습니다.");
}

TEST_F(MemoScreens, AQuestionAnsweredAfterABoxSwitchFindsItsMemoByCookie)
{
    // A buddy list answer switches to the inbox, which frees every memo while the
    // question about one is open; the inbox comes anew.
    const auto listAnswers = [&] { return driver.ServiceLogLines(" > CRP2 ", " MEMOLST2 "); };
    const auto buddyListAnswer = [&] {
        const size_t before = listAnswers();
        PktOutLsta list;
        ASSERT_TRUE(TarvPeer::GetInstance()->Send(list));
        ASSERT_TRUE(driver.WaitFor([&] { return listAnswers() > before; }));
    };
    ASSERT_TRUE(OpenMemoTab());
    ASSERT_TRUE(Shows({ L"점심 약속 / 박준호", L"* 회의 자료 / 이지연" }));
    const std::wstring deleted = List().GetMemo(1)->Cookie;
    ASSERT_TRUE(Open(1));
    ASSERT_TRUE(Tap(L"ButtonBar/DeleteButton"));
    buddyListAnswer();
    ASSERT_TRUE(Shows({ L"점심 약속 / 박준호", L"회의 자료 / 이지연" }));
    EXPECT_EQ(Card().GetMemo(), nullptr);
    // Listed again: "예" deletes it by its cookie.
    EXPECT_EQ(driver.Answer(L"YesButton"), L"지금 보고 있는 쪽지를 삭제하시겠습니까?");
    EXPECT_TRUE(Shows({ L"점심 약속 / 박준호" }));
    EXPECT_TRUE(driver.WaitFor([&] { return ReadOnService(deleted).empty(); }));

    // A memo of the sent box is not in the inbox the switch brought: "예" leaves it alone.
    ASSERT_TRUE(OpenMemoTab());
    ASSERT_TRUE(Tap(L"TitleBar/BoxButton"));
    ASSERT_TRUE(driver.TapRow(&dynamic_cast<AppMenu*>(driver.Popup())->GetList(), 1));
    ASSERT_TRUE(Shows({ L"고마워요 / 이지연" }));
    const std::wstring sent = List().GetMemo(0)->Cookie;
    ASSERT_TRUE(Open(0));
    ASSERT_TRUE(Tap(L"ButtonBar/DeleteButton"));
    buddyListAnswer();
    ASSERT_TRUE(Shows({ L"점심 약속 / 박준호" }));
    EXPECT_EQ(driver.Answer(L"YesButton"), L"지금 보고 있는 쪽지를 삭제하시겠습니까?");
    driver.Settle();
    EXPECT_TRUE(Shows({ L"점심 약속 / 박준호" }));
    EXPECT_NE(Account(kMinsu).find(ToUtf8(sent)), std::string::npos);
}

TEST_F(MemoScreens, TheSentBoxNamesWhomEachMemoWentTo)
{
    ASSERT_TRUE(OpenMemoTab());
    ASSERT_TRUE(Shows({ L"점심 약속 / 박준호", L"* 회의 자료 / 이지연" }));
    // Back from a memo, its row shows no press.
    ASSERT_TRUE(Open(1));
    driver.Screenshot("read");
    ASSERT_TRUE(driver.Back());
    EXPECT_EQ(List().GetSelection(), -1);

    // To two buddies and someone who is none.
    ASSERT_TRUE(Tap(L"TitleBar/WriteButton"));
    Writer().SetReceivers({ L"jiyeon@quorix.net", L"junho@quorix.net", L"dahye@mailbox.kr" });
    ASSERT_TRUE(Tap(L"View/Message"));
    driver.TypeKorean(L"모두 안녕");
    ASSERT_TRUE(Tap(L"View/SendButton"));
    ASSERT_TRUE(driver.WaitFor([&] { return Account("dahye@mailbox.kr").find("모두 안녕") != std::string::npos; }));

    ASSERT_TRUE(Tap(L"TitleBar/BoxButton"));
    auto* menu = dynamic_cast<AppMenu*>(driver.Popup());
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(driver.TapRow(&menu->GetList(), 1));
    driver.Settle();
    ASSERT_TRUE(Shows({ L"모두 안녕 / 이지연 외 2명", L"고마워요 / 이지연" }));
    driver.Screenshot("sent-box");

    // The card names this user as the sender and the receivers as the list gave them,
    // then as the memo's text came with them.
    ASSERT_TRUE(Open(0));
    EXPECT_EQ(Card().GetFromText(), L"김민수");
    EXPECT_EQ(Card().GetToText(), L"이지연;박준호;dahye@mailbox.kr");
    ASSERT_TRUE(driver.Back());
    EXPECT_EQ(List().GetSelection(), -1);
    Card().ShowMemo(MemoList::GetInstance()->GetAt(1)); // as a tap shows it before its text comes
    EXPECT_EQ(Card().GetFromText(), L"김민수");
    EXPECT_EQ(Card().GetToText(), L"이지연");
}

TEST_F(MemoScreens, SessionEndWithTheMemoScreensOpenLeavesNothingBehind)
{
    ASSERT_TRUE(OpenMemoTab());
    ASSERT_TRUE(Shows({ L"점심 약속 / 박준호", L"* 회의 자료 / 이지연" }));
    ASSERT_TRUE(Open(0));
    EXPECT_TRUE(driver.IsShown(L"MenuBar/MemoNotifyImage"));

    // Signed out while a delete goes out: the send fails, the memo leaves the list, and
    // the reset (not a way back) decides what shows.
    ASSERT_TRUE(Tap(L"ButtonBar/DeleteButton"));
    auto* question = dynamic_cast<UxPopup*>(driver.Popup());
    ASSERT_NE(question, nullptr);
    ASSERT_TRUE(SignOut());
    question->Close(2); // "예", before the reset has run
    // A report answered then sends nothing either.
    MemoReadButtonBar::OnSpamAnswered(0, nullptr, 2);
    driver.Settle();
    EXPECT_EQ(driver.ServiceLog().find("MEMOSPM1"), std::string::npos);
    EXPECT_EQ(driver.ServiceLog().find("MEMODEL1"), std::string::npos);
    EXPECT_EQ(driver.Screen(), L"Gate");
    EXPECT_EQ(List().GetRowCount(), 0);
    EXPECT_EQ(Card().GetMemo(), nullptr);
    EXPECT_EQ(MemoList::GetInstance()->GetCount(), 0u);
    EXPECT_FALSE(driver.IsShown(L"MenuBar/MemoNotifyImage"));

    // The next session starts on a fresh inbox.
    ASSERT_TRUE(driver.SignIn(L"minsu@quorix.net", L"minsu1234"));
    ASSERT_TRUE(OpenMemoTab());
    EXPECT_TRUE(Shows({ L"점심 약속 / 박준호", L"* 회의 자료 / 이지연" }));
}

namespace {

class MemoPages : public MemoScreens {
protected:
    MemoPages()
        : MemoScreens(AccountsWithMemos(25, [](int) { return "본문"; }))
    {
    }
};

} // namespace

TEST_F(MemoPages, MoreRowLoadsTenAtATime)
{
    ASSERT_TRUE(OpenMemoTab());
    for (const int32_t memos : { 10, 20, 25 }) {
        SCOPED_TRACE(memos);
        // A page asked for twice would come twice.
        ASSERT_TRUE(driver.WaitFor([&] { return List().GetRowCount() >= memos; }));
        driver.Advance(500);
        ASSERT_EQ(List().GetRowCount(), memos + (memos < 25 ? 1 : 0));
        EXPECT_EQ(List().GetMemo(memos - 1)->Title, L"메모 " + std::to_wstring(25 - memos));
        if (memos == 25)
            break;
        const int32_t more = memos;
        EXPECT_EQ(List().GetMemo(more), nullptr);
        EXPECT_EQ(List().GetMoreText(), MemoListView::kMore);
        ASSERT_TRUE(TapLastRow(driver, List()));
    }
    EXPECT_EQ(Shown(List()).back(), L"* 메모 0 / 이지연");
}

namespace {

// The list over memos put into MemoList here, as the handlers put them.
class MemoListOffline : public ::testing::Test {
protected:
    MemoListOffline()
        : driver(AppDriver::Setup { .service = false, .accounts = "", .skin = "" })
    {
    }
    void SetUp() override
    {
        ASSERT_TRUE(driver.Start());
        driver.App().ShowBuddyList();
        ASSERT_TRUE(driver.Tap(L"TabBar/Tab3"));
        driver.Settle();
        Memos().Box = MemoList::BoxInbox;
    }
    static Memo Titled(const std::wstring& title)
    {
        Memo memo;
        memo.Title = title;
        memo.From = L"a@quorix.net";
        memo.Cookie = L"c-" + title;
        return memo;
    }
    void Page(const wchar_t* prefix, int32_t page)
    {
        for (int i = 0; i < 10; ++i)
            Memos().PushBack(Titled(prefix + std::to_wstring(i)));
        Memos().Page = page;
        Memos().Total = 3;
        View().AppendPage(10);
    }
    Rows Titles()
    {
        Rows rows;
        for (int32_t i = 0; i < View().GetRowCount(); ++i)
            rows.push_back(View().GetMemo(i) ? View().GetMemo(i)->Title : View().GetMoreText());
        return rows;
    }
    MemoListView& View() { return driver.App().GetMemoListPage().GetView(); }
    MemoList& Memos() { return *MemoList::GetInstance(); }

    AppDriver driver;
};

} // namespace

TEST_F(MemoListOffline, RowsKeepTheirMemosThroughArrivalsRemovalsAndPages)
{
    Page(L"a", 1);
    // Two memos of one notice take the top rows in their order.
    Memos().PushFront(Titled(L"n1"));
    Memos().PushFront(Titled(L"n0"));
    View().InsertNewMemos(2);
    EXPECT_EQ(Titles(),
        (Rows { L"n0", L"n1", L"a0", L"a1", L"a2", L"a3", L"a4", L"a5", L"a6", L"a7", L"a8", L"a9",
            MemoListView::kMore }));

    // A memo without a row does not change which record a removal frees; the removed
    // row still shows its memo while it shrinks away.
    Memos().PushFront(Titled(L"x"));
    ASSERT_TRUE(View().RemoveMemo(Memos().GetAt(4)));
    ASSERT_EQ(Memos().GetCount(), 12u);
    EXPECT_EQ(Memos().GetAt(3)->Title, L"a0");
    EXPECT_EQ(Memos().GetAt(4)->Title, L"a2");
    driver.Advance(100);
    EXPECT_EQ(View().GetMemo(3)->Title, L"a1");
    EXPECT_FALSE(View().RemoveMemo(View().GetMemo(3))); // a copy, not in the list

    // The "more" row asks once until the page is in.
    ASSERT_TRUE(TapLastRow(driver, View()));
    EXPECT_EQ(View().GetMoreText(), MemoListView::kLoading);
    ASSERT_TRUE(TapLastRow(driver, View()));
    EXPECT_EQ(View().GetMoreText(), MemoListView::kLoading);

    // A page arriving meanwhile, while a removed row still shrinks, replaces the "more"
    // row and nothing else.
    ASSERT_TRUE(View().RemoveMemo(Memos().GetAt(3)));
    Page(L"b", 2);
    driver.Settle();
    Rows expected { L"n0", L"n1", L"a2", L"a3", L"a4", L"a5", L"a6", L"a7", L"a8", L"a9" };
    for (int i = 0; i < 10; ++i)
        expected.push_back(L"b" + std::to_wstring(i));
    expected.push_back(MemoListView::kMore);
    EXPECT_EQ(Titles(), expected);
    // The last page leaves no "more" row.
    Page(L"c", 3);
    driver.Settle();
    EXPECT_EQ(Titles().back(), L"c9");
}
