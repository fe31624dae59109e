// Keys typed after something moved the caret reach the box the person sees being typed
// into, and a box that arrives while they type does not take the Enter meant for their
// line. Only taps and keys, as a person gives them: nothing here sets the focus by hand.
#include "app/chat/ChatPage.h"
#include "app/shell/MenuAccount.h"
#include "app/shell/MenuSystem.h"
#include "tests/support/AppDriver.h"

#include <gtest/gtest.h>

namespace {

const std::string kJiyeon = "jiyeon@quorix.net";
const std::string kDahye = "dahye@mailbox.kr";

// The menu bar's system menu, and a row of it tapped; true once the menu has closed.
bool PickFromSystemMenu(AppDriver& driver, int32_t row)
{
    auto* menu = driver.Tap(L"MenuBar/SystemMenuButton") ? dynamic_cast<MenuSystem*>(driver.Popup()) : nullptr;
    if (!menu || !driver.TapRow(&menu->GetList(), row))
        return false;
    driver.Settle();
    return driver.Popup() == nullptr;
}

// Started on the sign-in form, the cost question answered for good.
bool StartAgreed(AppDriver& driver)
{
    if (!driver.Start())
        return false;
    driver.SetRegistryDword(L"AgreedWithWirelessConnection", 1);
    return true;
}

// Signed in as minsu, with jiyeon online.
// The button pressed, dragged off and let go, as a press changed in mind; true when
// nothing opened.
bool PressAndDragOff(AppDriver& driver, const UxWindow& button)
{
    const plat::RECT r = button.GetScreenRect();
    driver.Drag(r.left + 4, r.top + 4, r.left - 60, r.bottom + 60);
    driver.Settle();
    return driver.Popup() == nullptr;
}

class Typing : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(driver.StartSignedIn());
        ASSERT_TRUE(driver.SignInParty(kJiyeon));
    }

    // The chat with jiyeon, opened from her row and settled.
    ChatPage* OpenChat()
    {
        BuddyListView& list = driver.App().GetBuddyListPage().GetView();
        if (!driver.TapRow(&list, AppDriver::BuddyRow(list, L"이지연")))
            return nullptr;
        driver.Settle();
        return dynamic_cast<ChatPage*>(driver.Page());
    }
    // Another window takes the desktop's focus, or this one gets it back.
    void Focus(bool focused)
    {
        static_cast<plat::HeadlessDisplay*>(plat::GetDisplay())->SetFocused(focused);
        driver.Flush();
    }
    // dahye asks minsu to be her buddy; true once the question shows.
    bool BuddyRequestArrives()
    {
        driver.Party("sign-in", kDahye);
        driver.Party("ask", kDahye, R"(, "to": "minsu@quorix.net", "message": "친구 해요")");
        return driver.WaitFor([&] { return driver.Popup() != nullptr; });
    }
    void TapMiddle(const UxWindow& window)
    {
        const plat::RECT r = window.GetScreenRect();
        driver.Tap((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        driver.Advance(200);
    }

    AppDriver driver;
};

} // namespace

TEST(TypingOnTheSignInForm, TheIdTakesTheFirstKeysAndAfterSignOutThePasswordDoes)
{
    AppDriver driver;
    ASSERT_TRUE(driver.Start());
    LoginCounter& form = driver.App().GetLoginCounter();
    driver.Type(L"minsu");
    EXPECT_EQ(form.IdEdit.GetText(), L"minsu");
    driver.Key(plat::VK_RETURN);
    // An empty password: the alert is answered with Enter and typing goes on there.
    driver.Key(plat::VK_RETURN);
    ASSERT_EQ(driver.PopupText(), L"비밀번호를 입력하세요.");
    driver.Key(plat::VK_RETURN);
    EXPECT_EQ(driver.Popup(), nullptr);
    driver.Type(L"minsu1234");
    EXPECT_EQ(form.PasswordEdit.GetText(), L"minsu1234");

    // Signed in without keeping the password, then out: the form comes back for it.
    ASSERT_TRUE(driver.Tap(L"Counter/KeepIdPasswordCheckBox"));
    ASSERT_TRUE(driver.Tap(L"Counter/LoginButton"));
    ASSERT_NE(driver.Popup(), nullptr); // the cost question
    driver.Key(plat::VK_RETURN);
    ASSERT_TRUE(driver.WaitFor([&] { return driver.Screen() == L"BuddyList"; }));
    driver.Settle();
    ASSERT_TRUE(PickFromSystemMenu(driver, MenuSystem::LogOut));
    ASSERT_EQ(driver.Screen(), L"Gate");
    ASSERT_TRUE(driver.Tap(L"Gate/LoginButton"));
    ASSERT_EQ(driver.Screen(), L"Counter");
    EXPECT_EQ(form.IdEdit.GetText(), L"minsu");
    driver.Type(L"minsu1234");
    EXPECT_EQ(form.PasswordEdit.GetText(), L"minsu1234");
    EXPECT_EQ(form.IdEdit.GetText(), L"minsu");
}

// The keyboard alone signs in: Tab reaches the check boxes, Space ticks them and Enter
// on them signs in; signed out, Enter on the saved login signs in again. A box ticked
// or a button pressed with the pointer leaves the caret where it was.
TEST(TypingOnTheSignInForm, TheKeyboardAloneTicksTheBoxesAndSignsIn)
{
    AppDriver driver;
    ASSERT_TRUE(StartAgreed(driver));
    LoginCounter& form = driver.App().GetLoginCounter();
    driver.Type(L"minsu");
    ASSERT_TRUE(driver.Tap(L"Counter/LoginAsOfflineCheckBox"));
    // The domain button pressed and left by a drag opens nothing and takes no keys.
    EXPECT_TRUE(PressAndDragOff(driver, form.AccountButton));
    driver.Type(L"@");
    EXPECT_EQ(form.IdEdit.GetText(), L"minsu@");
    driver.Key(plat::VK_BACK);
    driver.Key(plat::VK_TAB);
    driver.Type(L"minsu1234");
    driver.Key(plat::VK_TAB);
    driver.Key(plat::VK_SPACE); // the offline box, unticked again
    EXPECT_FALSE(form.LoginAsOfflineCheckBox.IsChecked());
    driver.Key(plat::VK_TAB);
    ASSERT_TRUE(form.KeepIdPasswordCheckBox.IsFocused());
    driver.Screenshot("keep-box-reached-by-tab");
    driver.Key(plat::VK_RETURN);
    ASSERT_TRUE(driver.WaitFor([&] { return driver.Screen() == L"BuddyList"; }));
    driver.Settle();

    // Signed out and in as somebody else, by keys alone: F10 opens the ≡ menu, and Tab
    // reaches the saved login's buttons.
    const auto signOutByKeys = [&] {
        driver.Key(plat::VK_F10);
        auto* menu = dynamic_cast<MenuSystem*>(driver.Popup());
        ASSERT_NE(menu, nullptr);
        ASSERT_TRUE(driver.KeyToRow(menu->GetList(), MenuSystem::LogOut));
        driver.Key(plat::VK_RETURN);
        driver.Settle();
        ASSERT_EQ(driver.Screen(), L"Gate");
    };
    signOutByKeys();
    driver.Key(plat::VK_RETURN);
    ASSERT_TRUE(driver.WaitFor([&] { return driver.Screen() == L"BuddyList"; }));
    driver.Settle();
    signOutByKeys();
    LoginGate& gate = driver.App().GetLoginGate();
    for (int i = 0; i < 3; ++i)
        driver.Key(plat::VK_TAB);
    ASSERT_TRUE(gate.LoginWithOtherIdButton.IsFocused());
    driver.Screenshot("other-id-reached-by-tab");
    driver.Key(plat::VK_RETURN);
    ASSERT_NE(driver.Popup(), nullptr);
    driver.Key(plat::VK_RETURN);
    driver.Settle();
    ASSERT_EQ(driver.Screen(), L"Counter");
    ASSERT_TRUE(form.IdEdit.IsFocused());
    EXPECT_EQ(form.IdEdit.GetText(), L"");
    driver.Type(L"jiyeon");
    driver.Key(plat::VK_TAB);
    driver.Type(L"jiyeon1234");
    driver.Key(plat::VK_RETURN);
    ASSERT_TRUE(driver.WaitFor([&] { return driver.Screen() == L"BuddyList"; }));
    EXPECT_EQ(driver.ServiceLogLines("LOUT"), 2u);
    EXPECT_NE(driver.ServiceLogLines("LIN2", "jiyeon@quorix.net"), 0u);
    EXPECT_EQ(driver.ServiceLogLines("jiyeon1234"), 0u);
}

// The domain by the keyboard alone: Alt+Down or F4 in the id opens its menu, the arrows
// and Enter choose, Escape closes. A listed domain leaves the caret in the id, from
// where Tab goes to the password.
TEST(TypingOnTheSignInForm, TheDomainMenuOpensFromTheIdAndChoosesByKeys)
{
    AppDriver driver;
    ASSERT_TRUE(StartAgreed(driver));
    LoginCounter& form = driver.App().GetLoginCounter();
    driver.Type(L"dahye");
    driver.Chord(plat::VK_MENU, plat::VK_DOWN);
    ASSERT_NE(dynamic_cast<MenuAccount*>(driver.Popup()), nullptr);
    driver.Key(plat::VK_ESCAPE);
    EXPECT_EQ(driver.Popup(), nullptr);
    EXPECT_TRUE(form.IdEdit.IsFocused());
    EXPECT_EQ(form.AccountEdit.GetText(), L"quorix.net");

    driver.Key(plat::VK_F4);
    auto* menu = dynamic_cast<MenuAccount*>(driver.Popup());
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(driver.KeyToRow(menu->GetList(), 3));
    driver.Screenshot("domain-menu-by-keys");
    driver.Key(plat::VK_RETURN);
    EXPECT_EQ(driver.Popup(), nullptr);
    EXPECT_EQ(form.AccountEdit.GetText(), MenuAccount::GetItemText(3));
    EXPECT_TRUE(form.IdEdit.IsFocused());
    driver.Key(plat::VK_TAB);
    EXPECT_TRUE(form.PasswordEdit.IsFocused());
}

// A click on the conversation, to read it or to bring the window forward, leaves the
// keys with the chat's input; so does an input that came back while the window was
// behind another.
TEST_F(Typing, TheChatInputKeepsTheKeysAfterAClickOnTheConversationAndAfterComingBack)
{
    ChatPage* page = OpenChat();
    ASSERT_NE(page, nullptr);
    UxEdit& input = page->GetInputBar().GetInput();
    const UxWindow& conversation = page->GetOutput().GetTranscript();
    driver.TypeKorean(L"안녕");
    TapMiddle(conversation);
    driver.TypeKorean(L" 하세요");
    EXPECT_EQ(input.GetText(), L"안녕 하세요");
    driver.Key(plat::VK_RETURN);
    driver.PartyAccepts(kJiyeon);
    EXPECT_TRUE(driver.PartyReceives(kJiyeon, "MESG", R"("text": "안녕 하세요")"));

    // Behind another window the peer leaves and comes back.
    Focus(false);
    driver.Party("sign-out", kJiyeon);
    ASSERT_TRUE(driver.WaitFor([&] { return !input.IsVisible(); }));
    ASSERT_TRUE(driver.SignInParty(kJiyeon));
    ASSERT_TRUE(driver.WaitFor([&] { return input.IsVisible(); }));
    Focus(true);
    driver.TypeKorean(L"다시");
    EXPECT_EQ(input.GetText(), L"다시");
    EXPECT_TRUE(plat::IsInputPanelShown()); // which brings the desktop's text to the input

    // Brought forward by a click on the conversation.
    Focus(false);
    Focus(true);
    TapMiddle(conversation);
    driver.TypeKorean(L"요");
    EXPECT_EQ(input.GetText(), L"다시요");
}

// A buddy request that arrives 0.2 s after a key leaves that key's Enter to the line;
// a second later, Escape answers it and typing goes on in the chat.
TEST_F(Typing, ABuddyRequestArrivingWhileTypingLetsTheLineGoFirst)
{
    ChatPage* page = OpenChat();
    ASSERT_NE(page, nullptr);
    UxEdit& input = page->GetInputBar().GetInput();
    driver.TypeKorean(L"한 줄");
    driver.Advance(200);
    ASSERT_TRUE(BuddyRequestArrives());
    driver.Key(plat::VK_RETURN);
    EXPECT_EQ(input.GetText(), L"");
    driver.PartyAccepts(kJiyeon);
    EXPECT_TRUE(driver.PartyReceives(kJiyeon, "MESG", R"("text": "한 줄")"));
    ASSERT_NE(driver.Popup(), nullptr);
    driver.Key(plat::VK_ESCAPE); // still waiting: it neither closes the box nor leaves the chat
    driver.TypeKorean(L"다음");
    EXPECT_NE(driver.Popup(), nullptr);
    EXPECT_EQ(driver.Page(), page);
    EXPECT_EQ(input.GetText(), L"다음");
    EXPECT_TRUE(plat::IsInputPanelShown()); // which brings the desktop's text to the input

    driver.Advance(1000);
    driver.Type(L"x"); // the box's now
    driver.Key(plat::VK_ESCAPE);
    EXPECT_EQ(driver.Popup(), nullptr);
    EXPECT_EQ(driver.Page(), page);
    driver.TypeKorean(L" 줄");
    EXPECT_EQ(input.GetText(), L"다음 줄");
}

// The buddy add form's domain menu, closed by a pick or by Escape, gives the caret back
// to the box it was in; its button pressed and dragged off takes nothing.
TEST_F(Typing, TheAddFormKeepsItsBoxAfterTheDomainMenu)
{
    ASSERT_TRUE(PickFromSystemMenu(driver, MenuSystem::AddBuddy));
    ASSERT_EQ(driver.Screen(), L"BuddyAdd");
    BuddyAddView& form = driver.App().GetBuddyAddPage().GetView();
    driver.Type(L"abc");
    ASSERT_TRUE(driver.Tap(L"BuddyAdd/AccountButton"));
    auto* menu = dynamic_cast<MenuAccount*>(driver.Popup());
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(driver.TapRow(&menu->GetList(), 1));
    EXPECT_EQ(driver.Popup(), nullptr);
    driver.Type(L"def");
    EXPECT_EQ(form.IdEdit.GetText(), L"abcdef");

    ASSERT_TRUE(driver.Tap(L"BuddyAdd/AccountButton"));
    ASSERT_NE(driver.Popup(), nullptr);
    driver.Key(plat::VK_ESCAPE);
    EXPECT_EQ(driver.Popup(), nullptr);
    driver.Type(L"g");
    EXPECT_EQ(form.IdEdit.GetText(), L"abcdefg");
    EXPECT_EQ(driver.Screen(), L"BuddyAdd");

    // The domain button pressed and left by a drag opens nothing and keeps the caret.
    EXPECT_TRUE(PressAndDragOff(driver, form.AccountButton));
    driver.Type(L"x");
    EXPECT_EQ(form.IdEdit.GetText(), L"abcdefgx");
    driver.Key(plat::VK_BACK);

    // The listed domain itself, like its button, opens the menu and keeps the caret.
    TapMiddle(form.AccountEdit);
    ASSERT_NE(dynamic_cast<MenuAccount*>(driver.Popup()), nullptr);
    driver.Screenshot("domain-menu-from-the-domain");
    driver.Key(plat::VK_ESCAPE);
    driver.Type(L"h");
    EXPECT_EQ(form.IdEdit.GetText(), L"abcdefgh");
}

// A syllable still being composed when a box takes the keys stays in the input as it
// was typed, once: the keys typed at the box do not go on with it.
TEST_F(Typing, ASyllableBeingComposedWhenABoxTakesTheKeysStaysWhereItWasTyped)
{
    ChatPage* page = OpenChat();
    ASSERT_NE(page, nullptr);
    UxEdit& input = page->GetInputBar().GetInput();
    driver.Type(L"gk"); // 하, composing on the panel's Korean keyboard
    ASSERT_EQ(input.GetText(), L"하");
    driver.Advance(200);
    ASSERT_TRUE(BuddyRequestArrives());
    driver.Advance(1000);
    EXPECT_FALSE(input.IsFocused());
    EXPECT_EQ(input.GetText(), L"하");
    driver.Type(L"s"); // at the box
    driver.Key(plat::VK_ESCAPE);
    ASSERT_EQ(driver.Popup(), nullptr);
    EXPECT_TRUE(input.IsFocused());
    driver.Type(L"sk");
    driver.Key(plat::VK_RETURN);
    EXPECT_EQ(page->GetOutput().GetTranscript().GetText(), L"김민수 (민수) 님의 말:\n하나");
}

// Keys typed on a page without a box go nowhere: not into the buddy search under it,
// which has the caret again once its page is back.
TEST_F(Typing, KeysTypedOnAPageWithoutABoxReachNoHiddenBox)
{
    BuddyListView& list = driver.App().GetBuddyListPage().GetView();
    ASSERT_TRUE(driver.Tap(L"BuddyList/SearchWord"));
    ASSERT_TRUE(PickFromSystemMenu(driver, MenuSystem::BuddyRequests));
    driver.Settle();
    ASSERT_EQ(driver.Screen(), L"BuddyRequestList");
    driver.Type(L"xyz");
    ASSERT_TRUE(driver.Back());
    EXPECT_EQ(driver.Text(L"BuddyList/SearchWord"), L"");
    EXPECT_EQ(list.GetFilter(), L"");
    const int32_t jiyeon = AppDriver::BuddyRow(list, L"이지연");
    ASSERT_GE(jiyeon, 0);
    EXPECT_FALSE(list.GetRow(jiyeon).hidden);
    driver.Type(L"지");
    EXPECT_EQ(driver.Text(L"BuddyList/SearchWord"), L"지");

    // So it has after a chat opened from it, whose input took the keys meanwhile.
    for (int i = 0; i < 10 && list.GetKeyRow() != jiyeon; ++i)
        driver.Key(plat::VK_DOWN);
    driver.Key(plat::VK_RETURN);
    driver.Settle();
    auto* page = dynamic_cast<ChatPage*>(driver.Page());
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->GetInputBar().GetInput().IsFocused());
    driver.Key(plat::VK_ESCAPE);
    driver.Settle();
    driver.Type(L"연");
    EXPECT_EQ(driver.Text(L"BuddyList/SearchWord"), L"지연");
}

// Shown as offline, a chat opened from the search by the keyboard has no input: the line
// typed there reaches neither the search under it nor anything else.
TEST(TypingShownOffline, AChatWithoutItsInputLeavesTheSearchUnderItAlone)
{
    AppDriver driver;
    ASSERT_TRUE(driver.Start());
    ASSERT_TRUE(driver.SignIn(L"minsu@quorix.net", L"minsu1234", true));
    driver.Settle();
    ASSERT_TRUE(driver.SignInParty(kJiyeon));
    BuddyListView& list = driver.App().GetBuddyListPage().GetView();
    ASSERT_TRUE(driver.Tap(L"BuddyList/SearchWord"));
    const int32_t jiyeon = AppDriver::BuddyRow(list, L"이지연");
    for (int i = 0; i < 40 && list.GetKeyRow() != jiyeon; ++i)
        driver.Key(plat::VK_DOWN);
    ASSERT_EQ(list.GetKeyRow(), jiyeon);
    driver.Key(plat::VK_RETURN);
    driver.Settle();
    auto* page = dynamic_cast<ChatPage*>(driver.Page());
    ASSERT_NE(page, nullptr);
    ASSERT_FALSE(page->GetInputBar().GetInput().IsVisible());
    EXPECT_EQ(page->GetDisabledReason(), L"오프라인으로 표시된 상태입니다.");
    driver.Type(L"hello");
    driver.Key(plat::VK_RETURN);
    EXPECT_EQ(driver.Page(), page);
    EXPECT_EQ(driver.Text(L"BuddyList/SearchWord"), L"");
    EXPECT_EQ(list.GetFilter(), L"");
    driver.Key(plat::VK_ESCAPE);
    driver.Settle();
    ASSERT_EQ(driver.Screen(), L"BuddyList");
    EXPECT_FALSE(list.GetRow(jiyeon).hidden);
    driver.Type(L"지");
    EXPECT_EQ(driver.Text(L"BuddyList/SearchWord"), L"지");
}

// A click on the bar under a chat, on its empty middle or on the lamp of an unread
// memo, takes nothing from the chat's input: the next keys go on there.
TEST_F(Typing, AClickOnTheBarUnderAChatLeavesTheKeysInItsInput)
{
    ChatPage* page = OpenChat();
    ASSERT_NE(page, nullptr);
    UxEdit& input = page->GetInputBar().GetInput();
    driver.Party("memo", kJiyeon, R"(, "to": ["minsu@quorix.net"], "body": "쪽지")");
    ASSERT_TRUE(driver.WaitFor([&] { return driver.IsShown(L"MenuBar/MemoNotifyImage"); }));
    driver.TypeKorean(L"가");
    const plat::RECT bar = driver.App().GetMenuBar().GetScreenRect();
    driver.Tap(bar.left + 140, (bar.top + bar.bottom) / 2);
    driver.Advance(200);
    driver.TypeKorean(L"나");
    TapMiddle(driver.App().GetMenuBar().MemoNotifyImage);
    driver.TypeKorean(L"다");
    EXPECT_EQ(input.GetText(), L"가나다");
}

// Tab typed while a box that arrived unasked still waits goes on among the boxes of the
// form behind it, as Enter and Escape do; the keys after the box go where Tab sent them.
TEST_F(Typing, TabDuringABoxsWaitMovesAmongTheBoxesBehindIt)
{
    ASSERT_TRUE(PickFromSystemMenu(driver, MenuSystem::AddBuddy));
    driver.Settle();
    BuddyAddView& form = driver.App().GetBuddyAddPage().GetView();
    driver.Type(L"dahye");
    driver.Advance(200);
    ASSERT_TRUE(BuddyRequestArrives());
    driver.Key(plat::VK_TAB);
    driver.TypeKorean(L"안녕");
    ASSERT_NE(driver.Popup(), nullptr);
    driver.Advance(1000);
    driver.Key(plat::VK_ESCAPE); // the box's now
    ASSERT_EQ(driver.Popup(), nullptr);
    driver.Type(L"!");
    EXPECT_EQ(form.IdEdit.GetText(), L"dahye");
    EXPECT_EQ(form.RequestMessage.GetText(), L"안녕!");
}
