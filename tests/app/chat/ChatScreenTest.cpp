// The chat screens end to end: signed in as minsu against the local service, with other
// demo accounts chatting as the second party.
#include "app/buddies/BuddySelectView.h"
#include "app/chat/ChatPage.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/ChatSessionList.h"
#include "messenger/model/GroupList.h"
#include "messenger/model/Me.h"
#include "messenger/protocol/buddies/BuddyActions.h"
#include "tests/support/AppDriver.h"
#include "ux/core/UxText.h"

#include <gtest/gtest.h>

namespace {

const std::string kJiyeon = "jiyeon@quorix.net";
const std::string kJunho = "junho@quorix.net";

class ChatScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(driver.StartSignedIn());
        ASSERT_TRUE(driver.SignInParty(kJiyeon));
    }

    // The party takes the newest invitation once it has come; its chat's session id.
    std::string Accept(const std::string& user)
    {
        std::string answer;
        driver.WaitFor(
            [&] { return (answer = driver.Party("accept", user)).find("\"sid\"") != std::string::npos; });
        const size_t at = answer.find("\"sid\": \"");
        return at == std::string::npos ? "" : answer.substr(at + 8, answer.find('"', at + 8) - at - 8);
    }

    // Taps the buddy's row in the buddy list: the chat with it opens.
    ChatPage* OpenFromBuddyList(const std::wstring& name)
    {
        BuddyListView& view = driver.App().GetBuddyListPage().GetView();
        for (int32_t i = 0; i < view.GetRowCount(); ++i) {
            const Buddy* buddy = view.GetBuddy(i);
            if (buddy && buddy->Name == name && driver.TapRow(&view, i)) {
                driver.Settle();
                return Shown();
            }
        }
        return nullptr;
    }
    ChatPage* Shown() { return dynamic_cast<ChatPage*>(driver.Page()); }
    std::wstring Conversation(ChatPage* page) { return page->GetOutput().GetTranscript().GetText(); }
    bool Shows(ChatPage* page, const std::wstring& text)
    {
        return driver.WaitFor([&] { return Conversation(page).find(text) != std::wstring::npos; });
    }

    // A tap near the left end of the bar, on the field's frame, focuses the field.
    void FocusInput(ChatPage* page)
    {
        const plat::RECT bar = page->GetInputBar().GetScreenRect();
        driver.Tap(bar.left + 16, (bar.top + bar.bottom) / 2);
    }
    void Send(ChatPage* page, const std::wstring& text)
    {
        FocusInput(page);
        driver.TypeKorean(text);
        driver.Key(plat::VK_RETURN);
    }
    void BackToTab(int32_t tab)
    {
        while (driver.Depth() > 1 && driver.Back()) { }
        driver.App().GetBuddyListPage().GetTabBar().Select(tab);
        driver.Settle();
    }

    AppDriver driver;
};

} // namespace

TEST_F(ChatScreen, OneToOneConversationWithKoreanEmoticonsAndFlashcons)
{
    ChatPage* page = OpenFromBuddyList(L"이지연");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->GetOutput().GetTitleLabel().GetText(), L"이지연 님");
    // Typed before the peer joined: nothing is shown yet, and both lines go out in order.
    Send(page, L"안녕하세요");
    Send(page, L"반가워요");
    EXPECT_TRUE(page->GetInputBar().GetInput().IsEmpty());
    EXPECT_TRUE(page->GetOutput().GetTranscript().IsEmpty());
    Accept(kJiyeon);
    ASSERT_TRUE(Shows(page, L"김민수 (민수) 님의 말:\n안녕하세요\n김민수 (민수) 님의 말:\n반가워요"));
    ASSERT_TRUE(driver.PartyReceives(kJiyeon, "MESG", "반가워요"));
    const std::string received = driver.PartyReceived(kJiyeon, "MESG");
    EXPECT_LT(received.find(R"("text": "안녕하세요")"), received.find(R"("text": "반가워요")"));

    // The peer's typing notice comes and goes under the conversation.
    driver.Party("typing", kJiyeon, R"(, "state": "1")");
    EXPECT_TRUE(driver.WaitFor(
        [&] { return page->GetOutput().GetDateLabel().GetText() == L"이지연 (지연이) 님이 메시지를 입력하고 있습니다."; }));
    driver.Party("typing", kJiyeon, R"(, "state": "0")");
    EXPECT_TRUE(driver.WaitFor([&] { return page->GetOutput().GetDateLabel().GetText() == L"대기 중입니다."; }));
    // Ours: the first character typed (a syllable being composed) and the field
    // emptied again.
    FocusInput(page);
    driver.Type(L"a");
    driver.Key(plat::VK_BACK);
    ASSERT_TRUE(driver.PartyReceives(kJiyeon, "MESG", R"("TYPING", "0")"));
    const std::string typing = driver.PartyReceived(kJiyeon, "MESG");
    EXPECT_LT(typing.find(R"("TYPING", "1")"), typing.find(R"("TYPING", "0")"));
    EXPECT_TRUE(page->GetInputBar().GetInput().IsEmpty());

    // The peer's line in the others' colour, after ours in our own.
    driver.Party("say", kJiyeon, R"(, "text": "네 반가워요 /웃음/ 오늘 날씨가 정말 좋네요. 이렇게 긴 줄은 대화창의 너비를 넘으면 다음 줄로 이어집니다.")");
    ASSERT_TRUE(Shows(page, L"이지연 (지연이) 님의 말:\n네 반가워요 /웃음/ 오늘"));
    const std::wstring text = Conversation(page);
    const ChatTranscript& transcript = page->GetOutput().GetTranscript();
    EXPECT_EQ(transcript.GetColorAt(text.find(L"안녕하세요")), 0xF67D2E); // accent, as COLORREF
    EXPECT_EQ(transcript.GetColorAt(text.find(L"네 반가워요")), 0x30241F);
    EXPECT_EQ(transcript.GetPictureCount(), 1u);
    EXPECT_TRUE(page->GetOutput().GetDateLabel().GetText().starts_with(L"마지막 메시지를 받은 시각: 20"));

    // An emoticon picked from the menu goes out as its code and shows as its picture.
    FocusInput(page);
    ASSERT_TRUE(driver.Tap(L"Chat/InputBar/EmoticonButton"));
    auto* menu = dynamic_cast<AppMenu*>(driver.Popup());
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(driver.TapRow(&menu->GetList(), 0));
    driver.Settle();
    EXPECT_EQ(page->GetInputBar().GetInput().GetText(), L"/미소/");
    EXPECT_TRUE(page->GetInputBar().GetInput().IsFocused());
    driver.Key(plat::VK_RETURN);
    ASSERT_TRUE(driver.PartyReceives(kJiyeon, "MESG", R"("text": "/미소/")"));
    EXPECT_TRUE(Shows(page, L"김민수 (민수) 님의 말:\n/미소/"));
    EXPECT_EQ(transcript.GetPictureCount(), 2u);

    driver.Party("say", kJiyeon, R"(, "text": "선물이에요 <FLCON|1|2|Heart|3/FLCON>!")");
    EXPECT_TRUE(Shows(page, L"선물이에요 플래시콘 (Heart)!"));
    driver.Settle();
    driver.Screenshot("conversation");

    // A line longer than one typed here could be (500 glyphs, each at most an emoticon's
    // code of 4) is kept only that long.
    ASSERT_EQ(page->GetLineLimit(), 2000u);
    driver.Party("say", kJiyeon, R"(, "text": ")" + ToUtf8(std::wstring(2100, L'가')) + "\"");
    EXPECT_TRUE(Shows(page, L"님의 말:\n" + std::wstring(2000, L'가')));
    EXPECT_EQ(Conversation(page).find(std::wstring(2001, L'가')), std::wstring::npos);
}

TEST_F(ChatScreen, InputBarGivesWayToTheReasonChattingIsNotPossible)
{
    ChatPage* page = OpenFromBuddyList(L"이지연");
    ASSERT_NE(page, nullptr);
    Accept(kJiyeon);
    ASSERT_TRUE(driver.WaitFor([&] { return page->GetSession()->Participants.size() == 1; }));
    ChatInputBar& bar = page->GetInputBar();
    auto shows = [&](const std::wstring& reason) {
        return driver.WaitFor([&] {
            return reason.empty() ? bar.GetInput().IsVisible() && !bar.GetDisabledReason().IsVisible()
                                  : !bar.GetInput().IsVisible() && bar.GetDisabledReason().GetText() == reason;
        });
    };
    driver.Party("sign-out", kJiyeon);
    EXPECT_TRUE(shows(L"대화 상대가 현재 오프라인 상태입니다."));
    driver.Screenshot("peer-offline");
    ASSERT_TRUE(driver.SignInParty(kJiyeon));
    EXPECT_TRUE(shows(L""));

    // Blocked from the buddy's profile; the page shows it when it comes up again.
    Buddy* jiyeon = BuddyList::GetInstance()->Find(L"jiyeon@quorix.net");
    const Group* group = GroupList::GetInstance()->FindByMember(jiyeon->Id);
    ASSERT_TRUE(group && BlockBuddy(*jiyeon, group->Id));
    ASSERT_TRUE(driver.WaitFor([&] { return jiyeon->HasFlag(BuddyListBlock); }));
    ASSERT_TRUE(driver.Back());
    ASSERT_EQ(OpenFromBuddyList(L"이지연"), page);
    EXPECT_TRUE(shows(L"대화 상대가 현재 차단된 상태입니다."));

    // Shown as offline, whatever the peer does.
    Me::GetInstance()->Status = BuddyStatusShownOffline;
    page->UpdateInputBar();
    EXPECT_FALSE(bar.GetInput().IsVisible());
    page->GetInputBar().ShowInput();
    page->UpdateInputBar();
    EXPECT_EQ(bar.GetDisabledReason().GetText(), L"오프라인으로 표시된 상태입니다.");
}

TEST_F(ChatScreen, InputPanelShrinksTheConversationAndMovesTheBar)
{
    ChatPage* page = OpenFromBuddyList(L"이지연");
    ASSERT_NE(page, nullptr);
    ChatOutput& output = page->GetOutput();
    const plat::RECT bar = page->GetInputBar().GetRect();
    const plat::RECT field = output.GetTranscript().GetRect();
    struct Case {
        int32_t panelTop;
        int32_t fieldHeight; // 0: the panel leaves the conversation no room at all
    } cases[] = { { 400, 400 - 64 - 8 - 56 - 30 }, { 120, 0 } };
    for (const Case& c : cases) {
        plat::ResetInputPanel();
        plat::SetInputPanelRect({ 0, c.panelTop, 480, 640 });
        FocusInput(page);
        driver.Settle();
        EXPECT_EQ(output.GetTranscript().GetHeight(), c.fieldHeight) << c.panelTop;
        EXPECT_EQ(page->GetInputBar().GetRect().bottom, c.panelTop - 56) << c.panelTop;
        // The field lets go of the focus: the panel goes away.
        page->GetInputBar().GetInput().SetFocus(false);
        driver.Settle();
        EXPECT_EQ(output.GetTranscript().GetRect().bottom, field.bottom);
        EXPECT_EQ(page->GetInputBar().GetRect().top, bar.top);
    }
    plat::ResetInputPanel();
}

TEST_F(ChatScreen, GroupChatGrowsThroughThePickerAndListsItsParticipants)
{
    ASSERT_TRUE(driver.SignInParty(kJunho));
    ChatPage* page = OpenFromBuddyList(L"이지연");
    ASSERT_NE(page, nullptr);
    Accept(kJiyeon);
    ASSERT_TRUE(driver.WaitFor([&] { return page->GetSession()->Participants.size() == 1; }));
    EXPECT_EQ(page->GetOutput().GetTranscript().GetText(), L"");

    // The invite button opens the picker, which lists the buddies online; the ticked one
    // is invited when the picker is left.
    ASSERT_TRUE(driver.Tap(L"Chat/InviteButton"));
    driver.Settle();
    ASSERT_EQ(driver.Screen(), L"BuddySelect");
    BuddySelectView& picker = driver.App().GetBuddySelectPage().GetView();
    int32_t junho = -1;
    for (int32_t i = 0; i < picker.GetRowCount(); ++i)
        if (const Buddy* buddy = picker.GetBuddy(i); buddy && buddy->Name == L"박준호")
            junho = i;
    ASSERT_TRUE(driver.TapRow(&picker, junho));
    ASSERT_TRUE(driver.Back());
    ASSERT_EQ(Shown(), page);
    Accept(kJunho);
    ASSERT_TRUE(Shows(page, L"박준호 (준호) 님이 입장하였습니다."));
    EXPECT_EQ(page->GetOutput().GetTitleLabel().GetText(), L"이지연 님 외 1 명");

    // The chat list names the chat by its first participant; its arrow opens the list
    // of participants.
    BackToTab(TabBar::TabChats);
    ChatListView& list = driver.App().GetChatListPage().GetView();
    ASSERT_EQ(list.GetRowCount(), 1);
    EXPECT_EQ(ChatListView::Title(*list.GetSession(0)), L"이지연 님 외 1 명과 대화");
    const plat::RECT row = list.ClientToScreen(list.GetRowRect(0));
    driver.Tap(row.left + list.GetDisclosureRect().left, (row.top + row.bottom) / 2);
    driver.Advance(200);
    driver.Settle();
    ASSERT_EQ(driver.Screen(), L"ChatInfo");
    ChatInfoView& info = driver.App().GetChatInfoPage().GetView();
    EXPECT_EQ(info.GetRowCount(), 2);
    EXPECT_EQ(driver.Text(L"Disclosure/Title"), L"참여 친구 정보");
    driver.Screenshot("chat-info");

    // Leaving while the participants are on screen: the row goes, the line is said.
    driver.Party("leave", kJunho);
    EXPECT_TRUE(driver.WaitFor([&] { return info.GetRowCount() == 1; }));
    EXPECT_TRUE(Shows(page, L"박준호 (준호) 님이 퇴장하였습니다."));
    // A participant who is a buddy opens the profile.
    ASSERT_TRUE(driver.TapRow(&info, 0));
    driver.Settle();
    EXPECT_EQ(driver.Screen(), L"BuddyProfile");
}

TEST_F(ChatScreen, UnreadChatsSwipingClosingAndTheEndOfTheSession)
{
    ASSERT_TRUE(driver.SignInParty(kJunho));
    ChatPage* first = OpenFromBuddyList(L"이지연");
    ASSERT_NE(first, nullptr);
    Accept(kJiyeon);
    ASSERT_TRUE(driver.Back());
    ChatPage* second = OpenFromBuddyList(L"박준호");
    ASSERT_NE(second, nullptr);
    Accept(kJunho);
    UxPageIndicator& dots = driver.App().GetStatusBarChat().PageIndicator;
    EXPECT_EQ(dots.GetPageCount(), 2);
    EXPECT_EQ(dots.GetCurrentPage(), 1);

    // A line for the chat not on screen marks it in the list, on the tab and the menu bar.
    ASSERT_TRUE(driver.WaitFor([&] { return first->GetSession()->Participants.size() == 1; }));
    driver.Party("say", kJiyeon, R"(, "text": "어디야?")");
    ASSERT_TRUE(driver.WaitFor([&] { return first->GetSession()->Unread == 1; }));
    EXPECT_TRUE(driver.IsShown(L"MenuBar/ChatNotifyImage"));
    BackToTab(TabBar::TabChats);
    EXPECT_TRUE(driver.App().GetChatListPage().GetTabBar().ChatNotifyIcon.IsVisible());
    driver.Screenshot("chat-list-unread");
    ChatListView& list = driver.App().GetChatListPage().GetView();
    ASSERT_TRUE(driver.TapRow(&list, 0));
    driver.Settle();
    ASSERT_EQ(Shown(), first);
    EXPECT_EQ(first->GetSession()->Unread, 0);
    EXPECT_FALSE(driver.IsShown(L"MenuBar/ChatNotifyImage"));
    EXPECT_EQ(dots.GetCurrentPage(), 0);

    // A swipe to the left brings the next chat; past the last one nothing moves.
    for (int swipe = 0; swipe < 2; ++swipe) {
        driver.Drag(400, 300, 100, 300);
        driver.Settle();
        EXPECT_EQ(Shown(), second);
        EXPECT_EQ(dots.GetCurrentPage(), 1);
    }

    // Closing sends the leave; the chat's row and dot go.
    ASSERT_TRUE(driver.Tap(L"Chat/CloseButton"));
    driver.Settle();
    driver.Flush();
    EXPECT_EQ(ChatSessionList::GetInstance()->GetCount(), 1u);
    EXPECT_EQ(dots.GetPageCount(), 1);
    EXPECT_EQ(list.GetRowCount(), 1);
    EXPECT_TRUE(driver.WaitFor([&] { return driver.ServiceLog().find("CSES") != std::string::npos
                                           && driver.ServiceLog().find("KILL SS") != std::string::npos; }));

    // The connection drops with a chat open: no page, row, dot or mark stays.
    driver.Party("say", kJiyeon, R"(, "text": "안 보이는 줄")");
    driver.Service().Control("/kill", "minsu@quorix.net");
    ASSERT_TRUE(driver.WaitFor([&] { return driver.App().GetLoginGate().IsVisible(); }));
    driver.Settle();
    EXPECT_EQ(ChatSessionList::GetInstance()->GetCount(), 0u);
    EXPECT_EQ(list.GetRowCount(), 0);
    EXPECT_EQ(dots.GetPageCount(), 0);
    EXPECT_FALSE(driver.App().GetMenuBar().ChatNotifyImage.IsVisible());
    for (UxWindow* child = driver.App().GetFirstChild(); child; child = child->GetNextSibling())
        EXPECT_EQ(dynamic_cast<ChatPage*>(child), nullptr);
}

namespace {

// A chat page over lists filled here, without a service.
class ChatPageOffline : public ::testing::Test {
protected:
    ChatPageOffline()
        : driver([] {
            AppDriver::Setup setup;
            setup.service = false;
            return setup;
        }())
    {
    }
    void SetUp() override
    {
        ASSERT_TRUE(driver.Start());
        Buddy lee;
        lee.Id = lee.Email = L"lee@quorix.net";
        lee.Name = L"이지연";
        lee.Status = BuddyStatusOnline;
        BuddyList::GetInstance()->Insert(lee.Id, lee);
        buddy = BuddyList::GetInstance()->Find(L"lee@quorix.net");
        session = ChatSessionList::GetInstance()->NewSession();
        ASSERT_NE(session, nullptr);
        session->PeerId = L"lee@quorix.net";
        page = dynamic_cast<ChatPage*>(session->GetPage());
        ASSERT_NE(page, nullptr);
    }

    AppDriver driver;
    Buddy* buddy = nullptr;
    ChatSession* session = nullptr;
    ChatPage* page = nullptr;
};

} // namespace

TEST_F(ChatPageOffline, WhetherChattingIsPossibleAndWhyNot)
{
    const std::wstring shownOffline = L"오프라인으로 표시된 상태입니다.";
    const std::wstring peerOffline = L"대화 상대가 현재 오프라인 상태입니다.";
    const std::wstring peerBlocked = L"대화 상대가 현재 차단된 상태입니다.";
    const uint32_t blocked = 1u << BuddyListBlock;
    const struct {
        int32_t mine;
        const wchar_t* peer; // the session's peer id
        int32_t peerStatus;
        uint32_t peerFlags;
        bool canChat;
        std::wstring reason;
    } cases[] = {
        { BuddyStatusOnline, L"lee@quorix.net", BuddyStatusOnline, 0, true, L"" },
        { BuddyStatusBusy, L"lee@quorix.net", BuddyStatusAway, 0, true, L"" },
        { BuddyStatusOnline, L"lee@quorix.net", BuddyStatusOffline, 0, false, peerOffline },
        { BuddyStatusOnline, L"lee@quorix.net", BuddyStatusOnline, blocked, false, peerBlocked },
        { BuddyStatusShownOffline, L"lee@quorix.net", BuddyStatusOffline, blocked, false, shownOffline },
        // Offline oneself: no input, and no reason either.
        { BuddyStatusOffline, L"lee@quorix.net", BuddyStatusOnline, 0, false, L"" },
        // A stranger in the chat never turns the input off by itself.
        { BuddyStatusOnline, L"stranger@quorix.net", BuddyStatusOffline, blocked, true, L"" },
    };
    for (const auto& c : cases) {
        Me::GetInstance()->Status = c.mine;
        session->PeerId = c.peer;
        buddy->Status = c.peerStatus;
        buddy->Flags = c.peerFlags;
        EXPECT_EQ(page->CanChat(), c.canChat) << c.mine << " " << c.peerStatus;
        EXPECT_EQ(page->GetDisabledReason(), c.reason) << c.mine << " " << c.peerStatus;
    }

    // The reason a hidden input got stays until the input has shown again.
    Me::GetInstance()->Status = BuddyStatusOnline;
    session->PeerId = L"lee@quorix.net";
    buddy->Flags = 0;
    buddy->Status = BuddyStatusOffline;
    page->UpdateInputBar();
    buddy->Flags = blocked;
    page->UpdateInputBar();
    EXPECT_EQ(page->GetInputBar().GetDisabledReason().GetText(), peerOffline);
    buddy->Flags = 0;
    buddy->Status = BuddyStatusOnline;
    page->UpdateInputBar();
    EXPECT_TRUE(page->GetInputBar().GetInput().IsVisible());
    EXPECT_FALSE(page->GetInputBar().GetDisabledReason().IsVisible());
}

TEST_F(ChatPageOffline, LinesKeepTheirOrderAndEmoticonCodesBecomePictures)
{
    ChatOutput& output = page->GetOutput();
    const struct {
        std::wstring line;
        size_t pictures; // the conversation's different pictures after the line
    } cases[] = {
        { L"no codes / here", 0 },
        { L"hi /없는코드/ there", 0 },
        // The closing slash of a text that is no code may open the next one.
        { L"a/b/미소/", 1 },
        { L"/미소//웃음/ and /미소/ again", 2 },
        { L"<FLCON|1|2|Heart|3/FLCON>", 2 },
    };
    std::wstring all;
    for (const auto& c : cases) {
        output.AddLine(c.line, ChatOutput::LineSystem);
        all += (all.empty() ? L"" : L"\n") + ChatOutput::ConvertFlashcons(c.line);
        EXPECT_EQ(output.GetTranscript().GetText(), all);
        EXPECT_EQ(output.GetTranscript().GetPictureCount(), c.pictures) << c.line;
    }
    // A line wider than the field wraps between characters; the view follows the end.
    const int32_t before = output.GetTranscript().GetDocumentHeight();
    output.AddLine(std::wstring(200, L'가'), ChatOutput::LineError);
    EXPECT_GT(output.GetTranscript().GetDocumentHeight() - before, 3 * 19);
    const ChatTranscript& transcript = output.GetTranscript();
    EXPECT_EQ(transcript.GetYAxis().GetOffset(),
        std::min(0, transcript.GetYAxis().GetViewSize() - transcript.GetDocumentHeight()));
    EXPECT_EQ(transcript.GetColorAt(transcript.GetText().size() - 1), 0x4444EF); // the error red

    // Words are not cut: a row starts after a space, unless one word fills the row.
    const std::wstring words = L"이렇게 긴 줄은 대화창의 너비를 넘으면 다음 줄로 이어집니다. "
                               L"한국어 낱말은 가운데에서 끊기지 않습니다 "
        + std::wstring(60, L'나') + L" 끝";
    output.AddLine(words, ChatOutput::LineSystem);
    const std::vector<uint32_t> starts = transcript.GetLastRowStarts();
    ASSERT_GT(starts.size(), 3u);
    const size_t longWord = words.find(L'나');
    for (size_t r = 1; r < starts.size(); ++r)
        EXPECT_TRUE(words[starts[r] - 1] == L' ' || (starts[r] > longWord && starts[r] < longWord + 60))
            << "row " << r << " starts inside a word at " << starts[r];
}
