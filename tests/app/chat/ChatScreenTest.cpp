// The chat screens end to end: signed in as minsu against the local service, with other
// demo accounts chatting as the second party.
#include "app/buddies/BuddySelectView.h"
#include "app/buddies/BuddyListView.h"
#include "app/chat/ChatListView.h"
#include "app/chat/ChatPage.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/ChatSessionList.h"
#include "messenger/model/GroupList.h"
#include "messenger/model/Me.h"
#include "messenger/protocol/buddies/BuddyActions.h"
#include "messenger/protocol/codec/PktTransactionIdIssuer.h"
#include "tests/support/AppDriver.h"
#include "tests/support/FrameCheck.h"
#include "tests/support/NotificationService.h"
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

    // Taps the buddy's row in the buddy list: the chat with it opens.
    ChatPage* OpenFromBuddyList(const std::wstring& name)
    {
        if (!TapBuddy(name))
            return nullptr;
        driver.Settle();
        return Shown();
    }
    // The tap alone, and its click: the chat starts sliding in.
    bool TapBuddy(const std::wstring& name)
    {
        BuddyListView& view = driver.App().GetBuddyListPage().GetView();
        return driver.TapRow(&view, AppDriver::BuddyRow(view, name));
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
    // The one-to-one chat with the peer once she is in it; null when she never came.
    ChatPage* PageWith(const std::wstring& peer)
    {
        ChatSessionList* chats = ChatSessionList::GetInstance();
        ChatPage* found = nullptr;
        driver.WaitFor([&] {
            ChatSession* session = chats->FindOneToOne(peer);
            found = session ? dynamic_cast<ChatPage*>(session->GetPage()) : nullptr;
            return found && session->Participants.size() == 1;
        });
        return found && found->GetSession()->Participants.size() == 1 ? found : nullptr;
    }
    // Opened from its row in the chat list.
    bool OpenFromChatList(ChatPage* page)
    {
        BackToTab(TabBar::TabChats);
        ChatListView& list = driver.App().GetChatListPage().GetView();
        for (int32_t row = 0; row < list.GetRowCount(); ++row)
            if (list.GetSession(row) == page->GetSession())
                driver.TapRow(&list, row);
        driver.Settle();
        return Shown() == page;
    }
    // How many requests of this word the client has sent inside envelopes.
    size_t Sent(const std::string& command) { return driver.ServiceLogLines(" < CRP2 ", "| " + command + " "); }

    AppDriver driver;
};

} // namespace

namespace {

// minsu and jiyeon have no nick, junho has his.
AppDriver::Setup WithoutNicks()
{
    AppDriver::Setup setup;
    setup.accounts = R"({"domain": "quorix.net", "memos": [], "accounts": [
        {"id": "minsu@quorix.net", "password": "minsu1234", "name": "김민수", "nick": "",
         "groups": [{"id": "0", "name": "기타"}], "buddies": [{"id": "jiyeon@quorix.net", "flags": "1101",
         "group": "0"}, {"id": "junho@quorix.net", "flags": "1101", "group": "0"}]},
        {"id": "jiyeon@quorix.net", "password": "jiyeon1234", "name": "이지연", "nick": "",
         "groups": [{"id": "0", "name": "기타"}], "buddies": [{"id": "minsu@quorix.net", "flags": "1101", "group": "0"},
         {"id": "junho@quorix.net", "flags": "1101", "group": "0"}]},
        {"id": "junho@quorix.net", "password": "junho1234", "name": "박준호", "nick": "준호",
         "groups": [{"id": "0", "name": "기타"}], "buddies": [{"id": "minsu@quorix.net", "flags": "1101", "group": "0"},
         {"id": "jiyeon@quorix.net", "flags": "1101", "group": "0"}]}]})";
    return setup;
}

} // namespace

// Whoever has no nick is named alone, with no empty brackets, wherever a person is named
// with the nick: lines, arrivals and departures, typing, the notification.
TEST(ChatWithoutNicks, APersonWithoutANickIsNamedWithoutEmptyBrackets)
{
    NotificationService service;
    ASSERT_TRUE(service.IsRunning());
    service.Use();
    AppDriver driver(WithoutNicks());
    ASSERT_TRUE(driver.StartSignedIn());
    ASSERT_TRUE(driver.SignInParty(kJiyeon));
    ASSERT_TRUE(driver.SignInParty(kJunho));
    const std::string invited = driver.Party("invite", kJiyeon, R"(, "to": "minsu@quorix.net")");
    const size_t at = invited.find("\"sid\": \"");
    ASSERT_NE(at, std::string::npos) << invited;
    const std::string sid = invited.substr(at + 8, invited.find('"', at + 8) - at - 8);
    ChatSessionList* chats = ChatSessionList::GetInstance();
    ASSERT_TRUE(driver.WaitFor([&] { return chats->GetCount() == 1 && !chats->GetAt(0)->Participants.empty(); }));
    auto* page = dynamic_cast<ChatPage*>(chats->GetAt(0)->GetPage());
    ASSERT_NE(page, nullptr);
    const auto conversation = [&] { return page->GetOutput().GetTranscript().GetText(); };
    const auto shows = [&](const std::wstring& text) {
        return driver.WaitFor([&] { return conversation().find(text) != std::wstring::npos; });
    };

    // Hers while the window is behind another: the line and its notification.
    static_cast<plat::HeadlessDisplay*>(plat::GetDisplay())->SetFocused(false);
    driver.Flush();
    driver.Party("say", kJiyeon, R"(, "text": "안녕하세요")");
    ASSERT_TRUE(shows(L"이지연 님의 말:\n안녕하세요"));
    ASSERT_TRUE(driver.WaitFor([&] { return service.Count() == 1; }));
    EXPECT_EQ(service.Notices()[0].summary, "이지연 님의 말");
    static_cast<plat::HeadlessDisplay*>(plat::GetDisplay())->SetFocused(true);
    driver.Party("typing", kJiyeon);
    ASSERT_TRUE(driver.WaitFor(
        [&] { return page->GetOutput().GetDateLabel().GetText() == L"이지연 님이 메시지를 입력하고 있습니다."; }));

    // Ours, from the chat on screen.
    driver.App().PushScreen(&driver.App().GetStatusBarChat(), page, MessengerApp::CoverFromBottom);
    driver.Settle();
    const plat::RECT bar = page->GetInputBar().GetScreenRect();
    driver.Tap(bar.left + 16, (bar.top + bar.bottom) / 2);
    driver.TypeKorean(L"네");
    driver.Key(plat::VK_RETURN);
    ASSERT_TRUE(shows(L"김민수 님의 말:\n네"));

    // One with a nick joins, keeping it; she leaves, named alone.
    driver.Party("invite", kJiyeon, R"(, "to": "junho@quorix.net", "sid": ")" + sid + "\"");
    ASSERT_FALSE(driver.PartyAccepts(kJunho).empty());
    ASSERT_TRUE(shows(L"박준호 (준호) 님이 입장하였습니다."));
    driver.Party("leave", kJiyeon);
    ASSERT_TRUE(shows(L"이지연 님이 퇴장하였습니다."));
    driver.Screenshot("without-nicks");
    EXPECT_EQ(conversation().find(L"()"), std::wstring::npos) << conversation();
}

TEST_F(ChatScreen, OneToOneConversationWithKoreanEmoticonsAndFlashcons)
{
    ChatPage* page = OpenFromBuddyList(L"이지연");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->GetOutput().GetTitleLabel().GetText(), L"이지연 님");
    // Typed before the peer joined: shown at once, and both lines go out in order.
    const std::wstring both = L"김민수 (민수) 님의 말:\n안녕하세요\n김민수 (민수) 님의 말:\n반가워요";
    Send(page, L"안녕하세요");
    Send(page, L"반가워요");
    EXPECT_TRUE(page->GetInputBar().GetInput().IsEmpty());
    EXPECT_EQ(Conversation(page), both);
    driver.PartyAccepts(kJiyeon);
    ASSERT_TRUE(driver.PartyReceives(kJiyeon, "MESG", "반가워요"));
    EXPECT_EQ(Conversation(page), both);
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

    // A line longer than one typed here could be (500 glyphs) is shown whole.
    driver.Party("say", kJiyeon, R"(, "text": ")" + ToUtf8(std::wstring(2100, L'가')) + "\"");
    EXPECT_TRUE(Shows(page, L"님의 말:\n" + std::wstring(2100, L'가')));
}

TEST_F(ChatScreen, InputBarGivesWayToTheReasonChattingIsNotPossible)
{
    ChatPage* page = OpenFromBuddyList(L"이지연");
    ASSERT_NE(page, nullptr);
    driver.PartyAccepts(kJiyeon);
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
    // Unblocked from her profile, the input is back when the chat comes up again.
    ASSERT_TRUE(driver.Back());
    ASSERT_TRUE(driver.OpenProfileFromList(L"이지연"));
    ASSERT_TRUE(driver.Tap(L"ButtonBar/BlockButton"));
    ASSERT_EQ(driver.Answer(L"YesButton"), L"차단을 해제하시겠습니까?");
    ASSERT_TRUE(driver.WaitFor([&] { return jiyeon->HasFlag(BuddyListAllow); }));
    ASSERT_TRUE(driver.Back());
    ASSERT_EQ(OpenFromBuddyList(L"이지연"), page);
    EXPECT_TRUE(shows(L""));

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
        // The field the page put the caret in lets go first, so the tap shows the panel.
        page->GetInputBar().GetInput().SetFocus(false);
        driver.Settle();
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

TEST_F(ChatScreen, TheDesktopsInputMethodDecidesWhatKeysTypeInAHangulField)
{
    // The desktop's method in Latin mode: the field asking for Hangul (it has the caret
    // as soon as the chat shows) turns no second composer on, and the letters stay
    // letters.
    plat::SetDesktopInputMethod(true);
    ChatPage* page = OpenFromBuddyList(L"이지연");
    ASSERT_NE(page, nullptr);
    UxEdit& input = page->GetInputBar().GetInput();
    FocusInput(page);
    driver.Type(L"ok");
    EXPECT_EQ(input.GetText(), L"ok");
    EXPECT_FALSE(plat::IsHangulKeyboard());
    EXPECT_EQ(driver.App().GetMenuBar().SipButton.GetDefaultLabel().GetText(), L"A");
    // The built-in keyboard's own key still turns it on.
    driver.Key(plat::VK_HANGUL);
    driver.Type(L"gks");
    driver.Key(plat::VK_HANGUL);
    EXPECT_EQ(input.GetText(), L"ok한");
    plat::ResetInputPanel();
}

TEST_F(ChatScreen, GroupChatGrowsThroughThePickerAndListsItsParticipants)
{
    ASSERT_TRUE(driver.SignInParty(kJunho));
    ChatPage* page = OpenFromBuddyList(L"이지연");
    ASSERT_NE(page, nullptr);
    driver.PartyAccepts(kJiyeon);
    ASSERT_TRUE(driver.WaitFor([&] { return page->GetSession()->Participants.size() == 1; }));
    EXPECT_EQ(page->GetOutput().GetTranscript().GetText(), L"");

    // The invite button opens the picker, which lists the buddies online; the ticked one
    // is invited when the picker is left.
    ASSERT_TRUE(driver.Tap(L"Chat/InviteButton"));
    driver.Settle();
    ASSERT_EQ(driver.Screen(), L"BuddySelect");
    BuddySelectView& picker = driver.App().GetBuddySelectPage().GetView();
    // Who is in the chat already is not offered.
    const auto rowOf = [&](const std::wstring& name) { return AppDriver::BuddyRow(picker, name); };
    EXPECT_EQ(rowOf(L"이지연"), -1);
    ASSERT_TRUE(driver.TapRow(&picker, rowOf(L"박준호")));
    ASSERT_TRUE(driver.Back());
    ASSERT_EQ(Shown(), page);
    driver.PartyAccepts(kJunho);
    ASSERT_TRUE(Shows(page, L"박준호 (준호) 님이 입장하였습니다."));
    ASSERT_TRUE(driver.Tap(L"Chat/InviteButton"));
    driver.Settle();
    EXPECT_EQ(rowOf(L"이지연"), -1);
    EXPECT_EQ(rowOf(L"박준호"), -1);
    ASSERT_TRUE(driver.Back());
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

    // A participant's profile opens a chat of its own; closed again, the way back still
    // lists this chat's participants.
    ChatSession* group = page->GetSession();
    int32_t junhoRow = -1;
    for (size_t i = 0; i < group->Participants.size(); ++i)
        if (group->Participants[i].Id == L"junho@quorix.net")
            junhoRow = int32_t(i);
    ASSERT_TRUE(driver.TapRow(&info, junhoRow));
    driver.Settle();
    ASSERT_EQ(driver.Screen(), L"BuddyProfile");
    BuddyProfileView& profile = driver.App().GetBuddyProfilePage().GetView();
    const plat::RECT name = profile.ClientToScreen(profile.GetRowRect(BuddyProfileView::RowName));
    driver.Tap(name.right - 72, (name.top + name.bottom) / 2);
    driver.Advance(200);
    driver.Settle();
    ChatPage* other = Shown();
    ASSERT_NE(other, nullptr);
    ASSERT_NE(other, page);
    EXPECT_EQ(ChatSessionList::GetInstance()->GetCount(), 2u);
    ASSERT_TRUE(driver.Tap(L"Chat/CloseButton"));
    driver.Settle();
    EXPECT_EQ(ChatSessionList::GetInstance()->GetCount(), 1u);
    ASSERT_EQ(driver.Screen(), L"BuddyProfile");
    ASSERT_TRUE(driver.Back());
    ASSERT_EQ(driver.Screen(), L"ChatInfo");
    EXPECT_EQ(info.GetSession(), group);
    EXPECT_EQ(info.GetRowCount(), 2);

    // Leaving while the participants are on screen: the row goes, the line is said.
    driver.Party("leave", kJunho);
    EXPECT_TRUE(driver.WaitFor([&] { return info.GetRowCount() == 1; }));
    EXPECT_TRUE(Shows(page, L"박준호 (준호) 님이 퇴장하였습니다."));
    // A participant who is a buddy opens the profile.
    ASSERT_TRUE(driver.TapRow(&info, 0));
    driver.Settle();
    EXPECT_EQ(driver.Screen(), L"BuddyProfile");
}

// A buddy the service tells as offline, or has told nothing of, is answered once she
// talks: the input comes back with her line and takes the keys, until her status changes.
TEST_F(ChatScreen, ABuddyShownOfflineWhoTalksCanBeAnswered)
{
    // Asked to be a buddy, not yet accepted: the list shows her offline, and her group does
    // not count her; her status stays untold.
    ASSERT_TRUE(AskToAddBuddy(L"dahye", L"mailbox.kr", L"친구", L"안녕하세요"));
    const Buddy* dahye = nullptr;
    ASSERT_TRUE(driver.WaitFor([&] { return (dahye = BuddyList::GetInstance()->Find(L"dahye@mailbox.kr")); }));
    EXPECT_EQ(dahye->Status, BuddyStatusNotReported);
    EXPECT_EQ(BuddyListView::GroupTitle(*GroupList::GetInstance()->FindByName(L"친구")), L"친구 (1/2)");
    ASSERT_TRUE(driver.SignInParty("jiyeon@quorix.net"));
    driver.Party("sign-in", "dahye@mailbox.kr");
    driver.Party("invite", "dahye@mailbox.kr", R"(, "to": "minsu@quorix.net")");
    ChatPage* withDahye = PageWith(L"dahye@mailbox.kr");
    ASSERT_NE(withDahye, nullptr);
    driver.Party("say", "dahye@mailbox.kr", R"(, "text": "저 다혜예요")");
    ASSERT_TRUE(Shows(withDahye, L"저 다혜예요"));
    ASSERT_TRUE(OpenFromChatList(withDahye));
    EXPECT_TRUE(withDahye->GetInputBar().GetInput().IsVisible());
    EXPECT_FALSE(withDahye->GetInputBar().GetDisabledReason().IsVisible());
    driver.TypeKorean(L"반가워요");
    driver.Key(plat::VK_RETURN);
    EXPECT_TRUE(driver.PartyReceives("dahye@mailbox.kr", "MESG", "반가워요"));

    // Signed in as shown offline, told to us as offline, he opens the chat: nothing can be
    // typed until he says a line, then the input is back at once, with the keys.
    driver.Party("sign-in", kJunho, R"(, "status": "X")");
    const Buddy* junho = BuddyList::GetInstance()->Find(L"junho@quorix.net");
    ASSERT_NE(junho, nullptr);
    driver.Party("invite", kJunho, R"(, "to": "minsu@quorix.net")");
    ChatPage* withJunho = PageWith(L"junho@quorix.net");
    ASSERT_NE(withJunho, nullptr);
    ASSERT_TRUE(OpenFromChatList(withJunho));
    ChatInputBar& bar = withJunho->GetInputBar();
    EXPECT_EQ(junho->Status, BuddyStatusOffline);
    EXPECT_FALSE(bar.GetInput().IsVisible());
    EXPECT_EQ(bar.GetDisabledReason().GetText(), L"대화 상대가 현재 오프라인 상태입니다.");
    driver.Party("say", kJunho, R"(, "text": "나 숨어 있어")");
    ASSERT_TRUE(Shows(withJunho, L"나 숨어 있어"));
    EXPECT_TRUE(bar.GetInput().IsVisible());
    driver.TypeKorean(L"알았어");
    driver.Key(plat::VK_RETURN);
    EXPECT_TRUE(driver.PartyReceives(kJunho, "MESG", "알았어"));
    driver.Screenshot("answered-while-shown-offline");

    // His next status change is news again: online, then hidden once more.
    driver.Party("status", kJunho, R"(, "status": "O")");
    ASSERT_TRUE(driver.WaitFor([&] { return junho->Status == BuddyStatusOnline; }));
    EXPECT_TRUE(bar.GetInput().IsVisible());
    driver.Party("status", kJunho, R"(, "status": "X")");
    ASSERT_TRUE(driver.WaitFor([&] { return junho->Status == BuddyStatusOffline; }));
    EXPECT_FALSE(bar.GetInput().IsVisible());
    EXPECT_EQ(bar.GetDisabledReason().GetText(), L"대화 상대가 현재 오프라인 상태입니다.");
}

// A buddy shown as offline who talked is answerable only while she is in the chat: once
// she has left it, signed out (her status stays offline) or the chat's session on its
// server ended, the input shows as for any offline buddy, and nothing typed asks for a
// chat server or invites her again.
TEST_F(ChatScreen, AHiddenBuddyWhoLeftTheChatCanNoLongerBeAnswered)
{
    const std::wstring offline = L"대화 상대가 현재 오프라인 상태입니다.";
    driver.Party("sign-in", kJunho, R"(, "status": "X")");
    const Buddy* junho = BuddyList::GetInstance()->Find(L"junho@quorix.net");
    ASSERT_NE(junho, nullptr);
    ChatPage* page = nullptr;
    // He opens a chat with minsu and says a line in it: the input is there to answer.
    auto talks = [&](const std::string& line) {
        driver.Party("invite", kJunho, R"(, "to": "minsu@quorix.net")");
        page = PageWith(L"junho@quorix.net");
        if (!page || !OpenFromChatList(page))
            return false;
        driver.Party("say", kJunho, R"(, "text": ")" + line + "\"");
        return Shows(page, std::wstring(line.begin(), line.end()))
            && driver.WaitFor([&] { return page->GetInputBar().GetInput().IsVisible(); });
    };
    // What is typed and sent then goes nowhere.
    auto cannotAnswer = [&](const char* what) {
        ChatInputBar& bar = page->GetInputBar();
        EXPECT_TRUE(driver.WaitFor([&] { return !bar.GetInput().IsVisible(); })) << what;
        EXPECT_EQ(bar.GetDisabledReason().GetText(), offline) << what;
        const size_t ress = Sent("RESS"), lines = Sent("MESG");
        driver.Type(L"hello");
        driver.Key(plat::VK_RETURN);
        driver.Advance(500);
        driver.Flush();
        EXPECT_EQ(Sent("RESS"), ress) << what;
        EXPECT_EQ(Sent("MESG"), lines) << what;
        EXPECT_EQ(Conversation(page).find(L"hello"), std::wstring::npos) << what;
        EXPECT_EQ(junho->Status, BuddyStatusOffline) << what;
    };

    ASSERT_TRUE(talks("hi"));
    driver.Party("leave", kJunho);
    ASSERT_TRUE(driver.WaitFor([&] { return page->GetSession()->Participants.empty(); }));
    cannotAnswer("left");
    driver.Screenshot("hidden-buddy-left");

    // The chat's session on the chat server ends: whoever is still listed in it cannot
    // be reached through it.
    ASSERT_TRUE(talks("again"));
    const std::wstring sid = page->GetSession()->SessionId;
    const std::string ended = ToUtf8(sid) + " Y\r\n";
    driver.Service().Control(
        "/raw", "minsu@quorix.net", R"(, "data": "CSES 0 KILL )" + std::to_string(ended.size()) + "\\r\\n"
            + ToUtf8(sid) + " Y\\r\\n\"");
    cannotAnswer("session ended");

    // He signs out, shown as offline to the end: no status tells that he has gone.
    driver.Party("sign-out", kJunho);
    ASSERT_TRUE(driver.WaitFor([&] { return page->GetSession()->Participants.empty(); }));
    driver.Party("sign-in", kJunho, R"(, "status": "X")");
    ASSERT_TRUE(talks("once more"));
    driver.Party("sign-out", kJunho);
    cannotAnswer("signed out");
}

TEST_F(ChatScreen, UnreadChatsSwipingClosingAndTheEndOfTheSession)
{
    ASSERT_TRUE(driver.SignInParty(kJunho));
    ChatPage* first = OpenFromBuddyList(L"이지연");
    ASSERT_NE(first, nullptr);
    driver.PartyAccepts(kJiyeon);
    ASSERT_TRUE(driver.Back());
    ChatPage* second = OpenFromBuddyList(L"박준호");
    ASSERT_NE(second, nullptr);
    driver.PartyAccepts(kJunho);
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
    // To the right the one before; before the first nothing moves.
    for (int swipe = 0; swipe < 2; ++swipe) {
        driver.Drag(100, 300, 400, 300);
        driver.Settle();
        EXPECT_EQ(Shown(), first);
        EXPECT_EQ(dots.GetCurrentPage(), 0);
    }
    driver.Drag(400, 300, 100, 300);
    driver.Settle();
    ASSERT_EQ(Shown(), second);

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

// Each line that comes moves the conversation's picture once it is longer than its view:
// after every one the screen is exactly what a full repaint shows, whether the view rests
// at the end, was scrolled back, flings, or slides in or out with its page.
TEST_F(ChatScreen, ArrivingLinesLeaveTheScreenAsAFullRepaintWould)
{
    ChatPage* page = OpenFromBuddyList(L"이지연");
    ASSERT_NE(page, nullptr);
    driver.PartyAccepts(kJiyeon);
    ASSERT_TRUE(driver.WaitFor([&] { return page->GetSession()->Participants.size() == 1; }));
    ChatTranscript& transcript = page->GetOutput().GetTranscript();
    int said = 0;
    // The party's next line, arrived (the manual clock stands still while it travels).
    auto say = [&] {
        const std::string text = "줄 " + std::to_string(++said) + " 끝";
        driver.Party("say", kJiyeon, R"(, "text": ")" + text + "\"");
        return Shows(page, L"줄 " + std::to_wstring(said) + L" 끝");
    };
    auto unlikeRepaint = [&] { return DifferenceFromFullRepaint(driver.App(), [&] { driver.Flush(); }); };

    const uint64_t gaps[] = { 100, 300, 500, 200, 400 };
    for (int i = 0; i < 25; ++i) {
        ASSERT_TRUE(say());
        EXPECT_EQ(unlikeRepaint(), "") << "line " << said;
        driver.Advance(gaps[i % 5]);
    }
    ASSERT_GT(transcript.GetDocumentHeight(), 2 * transcript.GetHeight());
    // Two lines in one go.
    driver.Party("say", kJiyeon, R"(, "text": "하나")");
    ASSERT_TRUE(say());
    EXPECT_EQ(unlikeRepaint(), "") << "line " << said;

    // Scrolled back to older lines: the new one brings the end into view.
    const plat::RECT view = transcript.GetScreenRect();
    const int x = (view.left + view.right) / 2;
    driver.Drag(x, view.top + 30, x, view.bottom - 30, 12, 40);
    driver.Advance(3000);
    const int32_t end = transcript.GetYAxis().GetViewSize() - transcript.GetDocumentHeight();
    ASSERT_GT(transcript.GetYAxis().GetOffset(), end);
    ASSERT_TRUE(say());
    EXPECT_EQ(unlikeRepaint(), "") << "scrolled back";

    // Flinging: lines come while it runs.
    driver.Drag(x, view.top + 30, x, view.bottom - 30, 4, 10);
    for (int step = 0; step < 4; ++step) {
        driver.Advance(100);
        ASSERT_TRUE(transcript.GetYAxis().IsMoving()) << step;
        ASSERT_TRUE(say());
        EXPECT_EQ(unlikeRepaint(), "") << "flinging, step " << step;
    }
    driver.Advance(3000);
    EXPECT_EQ(unlikeRepaint(), "") << "after the fling";

    // Sliding out to the buddy list and in again, a line coming during each slide.
    ASSERT_TRUE(driver.Tap(L"Chat/BackButton"));
    for (bool out : { true, false }) {
        if (!out) {
            ASSERT_TRUE(TapBuddy(L"이지연"));
        }
        driver.Advance(100);
        ASSERT_TRUE(driver.IsTransitionRunning());
        ASSERT_TRUE(say());
        EXPECT_EQ(unlikeRepaint(), "") << (out ? "sliding out" : "sliding in");
        driver.Settle();
        EXPECT_EQ(unlikeRepaint(), "") << (out ? "slid out" : "slid in");
    }
    ASSERT_EQ(Shown(), page);
    ASSERT_TRUE(say());
    EXPECT_EQ(unlikeRepaint(), "") << "line " << said;
    driver.Screenshot("lines-arrived");
}

// The caret is in the input as soon as a chat shows: what the user types right after
// the tap that opened it is sent. Another page takes the keys away again.
TEST_F(ChatScreen, KeysTypedRightAfterAChatOpensAreSent)
{
    ASSERT_TRUE(TapBuddy(L"이지연"));
    ASSERT_TRUE(driver.IsTransitionRunning());
    driver.TypeKorean(L"바로 써요");
    driver.Key(plat::VK_RETURN);
    driver.Settle();
    ChatPage* page = Shown();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Conversation(page), L"김민수 (민수) 님의 말:\n바로 써요");
    driver.PartyAccepts(kJiyeon);
    EXPECT_TRUE(driver.PartyReceives(kJiyeon, "MESG", R"("text": "바로 써요")"));

    ASSERT_TRUE(driver.Back());
    EXPECT_FALSE(page->GetInputBar().GetInput().IsFocused());
    ASSERT_EQ(OpenFromBuddyList(L"이지연"), page);
    driver.TypeKorean(L"또");
    driver.Key(plat::VK_RETURN);
    EXPECT_TRUE(driver.PartyReceives(kJiyeon, "MESG", R"("text": "또")"));
}

// A line typed while nobody has joined yet shows at once as the user's own line and goes
// out once, in order, when the buddy comes, however long she takes.
TEST_F(ChatScreen, ALineTypedBeforeTheJoinShowsAtOnceAndGoesOutOnce)
{
    ChatPage* page = OpenFromBuddyList(L"이지연");
    ASSERT_NE(page, nullptr);
    const std::wstring first = L"김민수 (민수) 님의 말:\n먼저 쓴 줄";
    Send(page, L"먼저 쓴 줄");
    EXPECT_EQ(Conversation(page), first);
    driver.Advance(5000);
    EXPECT_EQ(Conversation(page), first);
    driver.Screenshot("typed-before-the-join");

    driver.PartyAccepts(kJiyeon);
    ASSERT_TRUE(driver.PartyReceives(kJiyeon, "MESG", "먼저 쓴 줄"));
    Send(page, L"둘째 줄");
    ASSERT_TRUE(driver.PartyReceives(kJiyeon, "MESG", "둘째 줄"));
    const std::string received = driver.PartyReceived(kJiyeon, "MESG");
    const size_t at = received.find(R"("text": "먼저 쓴 줄")");
    EXPECT_EQ(received.find(R"("text": "먼저 쓴 줄")", at + 1), std::string::npos);
    EXPECT_LT(at, received.find(R"("text": "둘째 줄")"));
    EXPECT_EQ(Conversation(page), first + L"\n김민수 (민수) 님의 말:\n둘째 줄");
}

// The chat server refused: the error line comes under the line that waited, which is not
// lost: the next line asks again, and both go out once, in order.
TEST_F(ChatScreen, ALineThatWaitedForARefusedChatServerIsNotLost)
{
    // The answer to the chat's request for a server is held back, to be refused later.
    // The request and its envelope take the next two ids.
    const int32_t ress = PktTransactionIdIssuer::GetInstance()->Issue() + 1;
    driver.Service().Post(
        "/rule", R"({"server": "main", "user": "minsu@quorix.net", "on": "RESS", "mode": "replace", "data": ""})");
    ChatPage* page = OpenFromBuddyList(L"이지연");
    ASSERT_NE(page, nullptr);
    Send(page, L"기다린 줄");
    const std::string refusal = "401 " + std::to_string(ress) + "\r\n";
    driver.Service().Post("/raw",
        R"({"user": "minsu@quorix.net", "data": "CRP2 )" + std::to_string(ress + 1) + " DP %00 "
            + std::to_string(refusal.size()) + R"(\r\n401 )" + std::to_string(ress) + R"(\r\n"})");
    const std::wstring waited = L"김민수 (민수) 님의 말:\n기다린 줄\n[401] 서버가 혼잡합니다. 잠시 후 다시 시도해 주세요.";
    ASSERT_TRUE(driver.WaitFor([&] { return Conversation(page) == waited; })) << Conversation(page).size();

    Send(page, L"다시 쓴 줄");
    driver.PartyAccepts(kJiyeon);
    ASSERT_TRUE(driver.PartyReceives(kJiyeon, "MESG", "다시 쓴 줄"));
    const std::string received = driver.PartyReceived(kJiyeon, "MESG");
    const size_t at = received.find(R"("text": "기다린 줄")");
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(received.find(R"("text": "기다린 줄")", at + 1), std::string::npos);
    EXPECT_LT(at, received.find(R"("text": "다시 쓴 줄")"));
    EXPECT_EQ(Conversation(page), waited + L"\n김민수 (민수) 님의 말:\n다시 쓴 줄");
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

    // The word a break carries over counts in its new row: no row runs past the right
    // edge (in a face whose every character is 8 pixels wide; a row's last space may).
    ChatTranscript& fixed = output.GetTranscript();
    UxTextStyle style;
    style.Font.FaceName = L"TestFixed";
    style.Font.Height = 16;
    ASSERT_TRUE(fixed.SetStyle(style));
    const int32_t width = fixed.GetWidth() - fixed.GetXIndicator().GetThickness();
    const std::wstring text = L"\naaaaaaaaaaaaaaaaaaaaaaaaaaaaaa bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb "
                              L"cccccccccccccccccccccccccccccc ddddddddddddddddddddddddddddddd eeeeeeeeeeeeeeeee "
                              L"ffffffffffffffffffffffffffffffffffffffffffffffff gg hhhhhhhhhhhhhhhhhhhhhhhhhhhh";
    fixed.InsertText(text);
    const std::wstring line = text.substr(1);
    const std::vector<uint32_t> rows = fixed.GetLastRowStarts();
    ASSERT_GT(rows.size(), 4u);
    for (size_t r = 0; r < rows.size(); ++r) {
        size_t end = r + 1 < rows.size() ? rows[r + 1] : line.size();
        while (end > rows[r] && line[end - 1] == L' ')
            --end;
        EXPECT_LE(int32_t(end - rows[r]) * 8, width) << "row " << r << ": " << ToUtf8(line.substr(rows[r], end - rows[r]));
    }
}

// A row wrapped at a space shows the next word from its first cell, and the row keeps
// its last character: in a face whose every character is an 8-pixel box and whose
// space is blank, each cell of each row is inked exactly where its character is not a
// space.
TEST_F(ChatPageOffline, ARowWrappedAtASpaceStartsWithTheNextWordAndKeepsItsLastCharacter)
{
    driver.App().PushScreen(&driver.App().GetStatusBarChat(), page, MessengerApp::CoverFromBottom);
    driver.Settle();
    ChatTranscript& transcript = page->GetOutput().GetTranscript();
    UxTextStyle style;
    style.Font.FaceName = L"TestFixed";
    style.Font.Height = 16;
    style.TextColor = 0x000000;
    style.BackColor = 0xFFFFFF;
    ASSERT_TRUE(transcript.SetStyle(style));
    const int32_t cells = (transcript.GetWidth() - transcript.GetXIndicator().GetThickness()) / 8;
    ASSERT_GT(cells, 12);
    // The first row ends with a space two cells short of the edge; the next word does not
    // fit there and begins the second row.
    const std::vector<std::wstring> rows
        = { std::wstring(size_t(cells - 3), L'a') + L" ", L"bbbbb " + std::wstring(size_t(cells - 7), L'c') };
    transcript.InsertText(rows[0] + rows[1]);
    driver.Flush();
    ASSERT_EQ(transcript.GetLastRowStarts(), (std::vector<uint32_t> { 0, uint32_t(rows[0].size()) }));

    const plat::RECT screen = transcript.GetScreenRect();
    const int32_t top = screen.top + transcript.GetYAxis().GetOffset() + transcript.GetDocumentHeight() - 2 * 16;
    for (size_t r = 0; r < rows.size(); ++r) {
        std::wstring shown, wanted;
        for (int32_t cell = 0; cell < cells; ++cell) {
            const plat::COLORREF ink = driver.Pixel(screen.left + cell * 8 + 3, top + int32_t(r) * 16 + 8);
            shown += ink == style.BackColor ? L' ' : L'#';
            wanted += size_t(cell) < rows[r].size() && rows[r][size_t(cell)] != L' ' ? L'#' : L' ';
        }
        EXPECT_EQ(shown, wanted) << "row " << r;
    }
}

// The conversation keeps its text compactly; what it shows and reports stays whole: a
// change of style inside a line, characters beyond 16 bits, text that would pass for an
// emoticon's mark, the line under a point and the rows after the width changes.
TEST_F(ChatPageOffline, TheTextKeepsItsCharactersStylesAndLines)
{
    ChatTranscript& transcript = page->GetOutput().GetTranscript();
    UxTextStyle red, blue;
    red.Font.Height = blue.Font.Height = 16;
    red.TextColor = 0x0000FF;
    blue.TextColor = 0xFF0000;
    ASSERT_TRUE(transcript.SetStyle(red));
    transcript.InsertText(L"빨강 \U0001F600 ");
    ASSERT_TRUE(transcript.SetStyle(blue));
    transcript.InsertText(L"파랑 \U000F0001 끝\n다음 줄");
    EXPECT_EQ(transcript.GetText(), L"빨강 \U0001F600 파랑 \uFFFD 끝\n다음 줄");
    EXPECT_EQ(transcript.GetColorAt(0), 0x0000FF);
    EXPECT_EQ(transcript.GetColorAt(3), 0x0000FF); // the character beyond 16 bits
    EXPECT_EQ(transcript.GetColorAt(5), 0xFF0000);
    EXPECT_EQ(transcript.GetColorAt(transcript.GetText().size() - 1), 0xFF0000);

    // The line under a point, whichever row of it the point is on.
    transcript.InsertText(L"\n" + std::wstring(120, L'가'));
    const int32_t top = transcript.GetYAxis().GetOffset();
    const int32_t height = transcript.GetDocumentHeight();
    EXPECT_EQ(transcript.GetLineAt(top + 1), L"빨강 \U0001F600 파랑 \uFFFD 끝");
    EXPECT_EQ(transcript.GetLineAt(top + height - 1), std::wstring(120, L'가'));
    EXPECT_EQ(transcript.GetLineAt(top + height + 5), L"");

    // A narrower field wraps the lines anew: more rows, taller text, same characters.
    const size_t rows = transcript.GetLastRowStarts().size();
    ASSERT_GT(rows, 1u);
    const plat::RECT rect = transcript.GetRect();
    transcript.SetRect({ rect.left, rect.top, rect.left + (rect.right - rect.left) / 2, rect.bottom });
    EXPECT_GT(transcript.GetLastRowStarts().size(), rows);
    EXPECT_GT(transcript.GetDocumentHeight(), height);
    EXPECT_EQ(transcript.GetLineAt(transcript.GetYAxis().GetOffset() + transcript.GetDocumentHeight() - 1),
        std::wstring(120, L'가'));
    transcript.SetRect(rect);
    EXPECT_EQ(transcript.GetDocumentHeight(), height);
}
