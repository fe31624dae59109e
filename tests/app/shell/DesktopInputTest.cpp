// A desktop's habits on the real program, headless: the wheel over the lists, the
// conversation and the memos, Tab and the clipboard on the sign-in form, Escape and Enter,
// and "복사" on a conversation line and a memo's text.
#include "app/chat/ChatPage.h"
#include "app/shell/MenuAccount.h"
#include "app/shell/MenuCopy.h"
#include "app/shell/MenuSystem.h"
#include "app/update/UpgradeBox.h"
#include "messenger/model/BuddyList.h"
#include "ux/widgets/UxEditLine.h"
#include "ux/widgets/UxEditParagraph.h"
#include "tests/support/AppDriver.h"
#include "ux/core/UxRect.h"

#include <gtest/gtest.h>

namespace {

const std::string kJiyeon = "jiyeon@quorix.net";

// minsu with jiyeon and 30 more buddies, so that the buddy list scrolls, and 25 memos
// from jiyeon, the newest with a text longer than the screen.
std::string Accounts()
{
    return AccountsWithMemos(
        25,
        [](int i) {
            std::string body = "본문 " + std::to_string(i);
            for (int line = 0; i == 24 && line < 40; ++line)
                body += "\\n줄 " + std::to_string(line);
            return body;
        },
        30);
}

// The middle of what shows of the window inside its parent.
plat::POINT Middle(const UxWindow& window)
{
    plat::RECT r = window.GetScreenRect();
    if (const UxWindow* parent = window.GetParent()) {
        const plat::RECT p = parent->GetScreenRect();
        r = { std::max(r.left, p.left), std::max(r.top, p.top), std::min(r.right, p.right),
            std::min(r.bottom, p.bottom) };
    }
    return { (r.left + r.right) / 2, (r.top + r.bottom) / 2 };
}

class DesktopInput : public ::testing::Test {
protected:
    explicit DesktopInput(std::string accounts = Accounts())
        : driver(AppDriver::Setup { .service = true, .accounts = std::move(accounts), .skin = "" })
    {
    }

    // Turns the wheel over the window by notches, then lets the content come to rest.
    void WheelOver(UxWindow& window, float notches, int times = 1)
    {
        const plat::POINT p = Middle(window);
        for (int i = 0; i < times; ++i)
            driver.Wheel(p.x, p.y, notches);
        driver.Advance(1500);
    }
    static int32_t End(UxScrollWindow& view)
    {
        return view.GetYAxis().GetViewSize() - view.GetYAxis().GetContentPixels();
    }
    // Scrolls to the end and back to the start with the wheel; where it rested each time.
    std::pair<int32_t, int32_t> EndsByWheel(UxScrollWindow& view)
    {
        WheelOver(view, -1.0f, 60);
        const int32_t end = view.GetYAxis().GetOffset();
        WheelOver(view, 1.0f, 60);
        return { end, view.GetYAxis().GetOffset() };
    }
    // The chat with jiyeon, opened from the buddy list, our "안녕" sent and her side in it;
    // null when it did not come to that.
    ChatPage* ChatWithJiyeon()
    {
        if (!driver.SignInParty(kJiyeon))
            return nullptr;
        BuddyListView& list = driver.App().GetBuddyListPage().GetView();
        if (!driver.TapRow(&list, AppDriver::BuddyRow(list, L"이지연")))
            return nullptr;
        driver.Settle();
        auto* page = dynamic_cast<ChatPage*>(driver.Page());
        if (!page)
            return nullptr;
        const plat::RECT bar = page->GetInputBar().GetScreenRect();
        driver.Tap(bar.left + 16, (bar.top + bar.bottom) / 2);
        driver.TypeKorean(L"안녕");
        driver.Key(plat::VK_RETURN);
        return driver.PartyAccepts(kJiyeon).empty() ? nullptr : page;
    }
    // From the chat back to the main pages, the memo tab, and the second memo open with
    // its text; null when it did not come to that.
    MemoReadView* OpenSecondMemo()
    {
        while (driver.Depth() > 1 && driver.Back()) { }
        if (!driver.Tap(L"TabBar/Tab3"))
            return nullptr;
        driver.Settle();
        MemoListView& memos = driver.App().GetMemoListPage().GetView();
        if (!driver.WaitFor([&] { return memos.GetRowCount() >= 2; }) || !driver.TapRow(&memos, 1))
            return nullptr;
        driver.Settle();
        MemoReadView& card = driver.App().GetMemoReadPage().GetView();
        return driver.WaitFor([&] { return !card.Content.IsEmpty(); }) ? &card : nullptr;
    }
    // A right click on the point opens "복사"; true once it was tapped.
    bool CopyAt(int x, int y)
    {
        driver.RightClick(x, y);
        auto* menu = dynamic_cast<MenuCopy*>(driver.Popup());
        if (!menu || driver.PopupText() != L"복사")
            return false;
        return driver.TapRow(&menu->GetList(), MenuCopy::Copy) && !driver.Popup();
    }

    AppDriver driver;
};

class DesktopInputDemo : public DesktopInput {
protected:
    DesktopInputDemo()
        : DesktopInput("")
    {
    }
};

} // namespace

TEST_F(DesktopInput, TheWheelScrollsTheBuddyListConversationAndMemosAndStopsAtTheirEnds)
{
    ASSERT_TRUE(driver.StartSignedIn());
    BuddyListView& list = driver.App().GetBuddyListPage().GetView();
    UxScrollAxis& y = list.GetYAxis();
    ASSERT_GT(y.GetContentPixels(), y.GetViewSize());
    const plat::POINT middle = Middle(list);
    driver.Wheel(middle.x, middle.y, -1.0f);
    EXPECT_EQ(y.GetOffset(), -3 * list.GetScrollLine()); // three rows a notch
    driver.Advance(1500);
    driver.Screenshot("buddy-list-wheel");
    EXPECT_EQ(EndsByWheel(list), std::make_pair(End(list), 0));

    // The page keys scroll the list under the pointer.
    driver.Hover(middle.x, middle.y);
    driver.Key(plat::VK_NEXT);
    driver.Advance(3000);
    EXPECT_EQ(y.GetOffset(), -y.GetViewSize());
    driver.Key(plat::VK_END);
    driver.Advance(3000);
    EXPECT_EQ(y.GetOffset(), End(list));
    driver.Key(plat::VK_HOME);
    driver.Advance(3000);
    EXPECT_EQ(y.GetOffset(), 0);

    // The conversation, which follows its last line.
    ChatPage* page = ChatWithJiyeon();
    ASSERT_NE(page, nullptr);
    ChatTranscript& transcript = page->GetOutput().GetTranscript();
    for (int i = 0; i < 20; ++i)
        driver.Party("say", kJiyeon, R"(, "text": "줄 )" + std::to_string(i) + "\"");
    ASSERT_TRUE(driver.WaitFor([&] { return transcript.GetText().find(L"줄 19") != std::wstring::npos; }));
    ASSERT_EQ(transcript.GetYAxis().GetOffset(), End(transcript));
    WheelOver(transcript, 1.0f);
    EXPECT_EQ(transcript.GetYAxis().GetOffset(), End(transcript) + 3 * transcript.GetScrollLine());
    EXPECT_EQ(EndsByWheel(transcript), std::make_pair(End(transcript), 0));
    driver.Screenshot("conversation-wheel");
    // From its end, Page Up goes back a page.
    const plat::POINT over = Middle(transcript);
    WheelOver(transcript, -1.0f, 60);
    driver.Hover(over.x, over.y);
    ASSERT_EQ(transcript.GetYAxis().GetOffset(), End(transcript));
    ASSERT_LT(End(transcript) + transcript.GetYAxis().GetViewSize(), 0);
    driver.Key(plat::VK_PRIOR);
    driver.Advance(3000);
    EXPECT_EQ(transcript.GetYAxis().GetOffset(), End(transcript) + transcript.GetYAxis().GetViewSize());

    // The memo list and a memo's text.
    while (driver.Depth() > 1 && driver.Back()) { }
    ASSERT_TRUE(driver.Tap(L"TabBar/Tab3"));
    driver.Settle();
    MemoListView& memos = driver.App().GetMemoListPage().GetView();
    ASSERT_TRUE(driver.WaitFor([&] { return memos.GetRowCount() >= 10; }));
    driver.Advance(1000);
    EXPECT_EQ(EndsByWheel(memos), std::make_pair(End(memos), 0));
    ASSERT_TRUE(driver.TapRow(&memos, 0));
    driver.Settle();
    MemoReadView& card = driver.App().GetMemoReadPage().GetView();
    ASSERT_TRUE(driver.WaitFor([&] { return !card.Content.IsEmpty(); }));
    driver.Advance(1000);
    ASSERT_GT(card.GetYAxis().GetContentPixels(), card.GetYAxis().GetViewSize());
    WheelOver(card.Content, -1.0f);
    EXPECT_EQ(card.GetYAxis().GetOffset(), -3 * card.Content.GetScrollLine());
    EXPECT_EQ(EndsByWheel(card), std::make_pair(End(card), 0));
}

TEST_F(DesktopInput, CopyPutsAConversationLineWithItsEmoticonCodeAndAMemosTextOnTheClipboard)
{
    ASSERT_TRUE(driver.StartSignedIn());
    ChatPage* page = ChatWithJiyeon();
    ASSERT_NE(page, nullptr);
    ChatTranscript& transcript = page->GetOutput().GetTranscript();
    const plat::RECT bar = page->GetInputBar().GetScreenRect();
    ASSERT_TRUE(driver.WaitFor([&] { return transcript.GetText() == L"김민수 (민수) 님의 말:\n안녕"; }));
    // Where her line will start: below ours.
    const int32_t herLine = transcript.GetDocumentHeight();
    driver.Party("say", kJiyeon, R"(, "text": "좋아요 /웃음/ 고마워")");
    ASSERT_TRUE(driver.WaitFor([&] { return transcript.GetText().find(L"고마워") != std::wstring::npos; }));
    ASSERT_EQ(transcript.GetPictureCount(), 1u);

    // The conversation starts at the top and ends with the line just said.
    const plat::RECT shown = transcript.GetScreenRect();
    ASSERT_EQ(transcript.GetYAxis().GetOffset(), 0);
    const int x = (shown.left + shown.right) / 2;
    const int lastLine = shown.top + std::min(transcript.GetDocumentHeight(), transcript.GetHeight()) - 3;
    ASSERT_TRUE(page->GetInputBar().GetInput().IsFocused());
    ASSERT_TRUE(CopyAt(x, lastLine));
    EXPECT_EQ(driver.Clipboard(), L"좋아요 /웃음/ 고마워");
    EXPECT_TRUE(page->GetInputBar().GetInput().IsFocused()); // typing goes on there
    ASSERT_TRUE(CopyAt(x, shown.top + 3));
    EXPECT_EQ(driver.Clipboard(), L"김민수 (민수) 님의 말:");
    // A line's first pixel row is that line's; the row above it the line before.
    ASSERT_TRUE(CopyAt(x, shown.top + herLine));
    EXPECT_EQ(driver.Clipboard(), L"이지연 (지연) 님의 말:");
    ASSERT_TRUE(CopyAt(x, shown.top + herLine - 1));
    EXPECT_EQ(driver.Clipboard(), L"안녕");
    driver.RightClick(x, lastLine + 6); // below the text: no line, no menu
    EXPECT_EQ(driver.Popup(), nullptr);

    // A long press offers the same; Escape closes it and nothing else happens.
    driver.Hold(x, lastLine, 700);
    auto* menu = dynamic_cast<MenuCopy*>(driver.Popup());
    ASSERT_NE(menu, nullptr);
    // Its frame fits its one row.
    EXPECT_EQ(menu->GetList().GetRowRect(MenuCopy::Copy).bottom, menu->GetList().GetHeight());
    driver.Screenshot("copy-menu");
    driver.Key(plat::VK_ESCAPE);
    EXPECT_EQ(driver.Popup(), nullptr);
    EXPECT_EQ(driver.Page(), page);

    // Pasted and sent, the code goes out as typed and comes back as the picture.
    driver.SetClipboard(L"좋아요 /웃음/ 고마워");
    driver.Tap(bar.left + 16, (bar.top + bar.bottom) / 2);
    driver.Chord(plat::VK_CONTROL, 'V');
    EXPECT_EQ(page->GetInputBar().GetInput().GetText(), L"좋아요 /웃음/ 고마워");
    driver.Key(plat::VK_RETURN);
    EXPECT_TRUE(driver.PartyReceives(kJiyeon, "MESG", "좋아요 /웃음/ 고마워"));
    EXPECT_EQ(transcript.GetText().find(L"/웃음/", transcript.GetText().find(L"김민수 (민수) 님의 말:\n좋아요")),
        transcript.GetText().rfind(L"/웃음/"));

    // A memo's text, all of it.
    MemoReadView* opened = OpenSecondMemo();
    ASSERT_NE(opened, nullptr);
    MemoReadView& card = *opened;
    const plat::POINT text = Middle(card.Content);
    ASSERT_TRUE(CopyAt(text.x, text.y));
    EXPECT_EQ(driver.Clipboard(), card.Content.GetText());
    EXPECT_EQ(driver.Clipboard(), L"본문 23");
}

// "복사" opens beside what it copies, never over it, and that is marked while the menu
// is open, however the menu then closes.
TEST_F(DesktopInput, TheCopyMenuOpensBesideWhatItCopiesAndMarksItWhileOpen)
{
    ASSERT_TRUE(driver.StartSignedIn());
    ChatPage* page = ChatWithJiyeon();
    ASSERT_NE(page, nullptr);
    ChatTranscript& transcript = page->GetOutput().GetTranscript();
    // Lines enough for the last to lie mid-screen, where a centred menu would cover it.
    for (const char* text : { "하나", "둘", "셋", "복사할 줄" })
        driver.Party("say", kJiyeon, std::string(R"(, "text": ")") + text + "\"");
    ASSERT_TRUE(driver.WaitFor([&] { return transcript.GetText().find(L"복사할 줄") != std::wstring::npos; }));
    const plat::RECT shown = transcript.GetScreenRect();
    const int x = shown.right - 20; // right of the text: the line's fill alone
    const int first = shown.top + 3;
    const int last = shown.top + std::min(transcript.GetDocumentHeight(), transcript.GetHeight()) - 3;
    const auto fill = [&](int y) { return driver.Pixel(x, y); };
    ASSERT_EQ(fill(last), fill(first));

    // Each way of closing the menu: a tap outside it, Escape, its row.
    for (int way = 0; way < 3; ++way) {
        driver.RightClick(x - 100, last);
        auto* menu = dynamic_cast<MenuCopy*>(driver.Popup());
        ASSERT_NE(menu, nullptr) << way;
        EXPECT_TRUE(transcript.IsMarked());
        EXPECT_NE(fill(last), fill(first)) << "the line copied is not marked";
        const plat::RECT line = transcript.ClientToScreen(transcript.MarkLineAt(transcript.ScreenToClient(plat::POINT { x, last }).y));
        const plat::RECT box = menu->GetScreenRect();
        plat::RECT covered;
        EXPECT_FALSE(IntersectRect(line, box, &covered) && !IsRectEmpty(covered)) << "the menu covers its line";
        EXPECT_TRUE(box.top >= 0 && box.bottom <= 640) << way;
        if (way == 0)
            driver.Screenshot("copy-menu-beside-its-line");
        if (way == 0)
            driver.Tap(240, box.top > line.bottom ? shown.top + 5 : 630);
        else if (way == 1)
            driver.Key(plat::VK_ESCAPE);
        else
            ASSERT_TRUE(driver.TapRow(&menu->GetList(), MenuCopy::Copy));
        driver.Flush();
        EXPECT_EQ(driver.Popup(), nullptr) << way;
        EXPECT_FALSE(transcript.IsMarked()) << way;
        EXPECT_EQ(fill(last), fill(first)) << way;
    }
    EXPECT_EQ(driver.Clipboard(), L"복사할 줄");
    EXPECT_TRUE(page->GetInputBar().GetInput().IsFocused());

    // A memo's text, all of it copied and all of it marked, with the menu beside it.
    MemoReadView* opened = OpenSecondMemo();
    ASSERT_NE(opened, nullptr);
    MemoReadView& card = *opened;
    const plat::POINT text = Middle(card.Content);
    driver.RightClick(text.x, text.y);
    auto* menu = dynamic_cast<MenuCopy*>(driver.Popup());
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(card.Content.IsMarked());
    plat::RECT content, covered;
    IntersectRect(card.Content.GetScreenRect(), card.GetScreenRect(), &content);
    EXPECT_FALSE(IntersectRect(content, menu->GetScreenRect(), &covered) && !IsRectEmpty(covered));
    driver.Screenshot("copy-menu-beside-the-memo");
    driver.Key(plat::VK_ESCAPE);
    EXPECT_FALSE(card.Content.IsMarked());
}

// The one-line boxes take a paste of several lines as one line, and a long one shows its
// end; a copy while a syllable is composed leaves the clipboard alone; keys typed while
// the clipboard's owner takes its time come after the paste, and one that never answers
// pastes nothing.
TEST_F(DesktopInput, PastingAndCopyingInTheOneLineBoxes)
{
    ASSERT_TRUE(driver.StartSignedIn());
    UxEdit& search = driver.App().GetBuddyListPage().GetSearchBar().SearchWord;
    const plat::POINT word = Middle(search);
    driver.Tap(word.x, word.y);
    driver.SetClipboard(L"이지\r\n연");
    driver.Chord(plat::VK_CONTROL, 'V');
    EXPECT_EQ(search.GetText(), L"이지 연");
    driver.Chord(plat::VK_CONTROL, 'A');
    driver.Key(plat::VK_BACK);

    ChatPage* page = ChatWithJiyeon();
    ASSERT_NE(page, nullptr);
    UxEdit& input = page->GetInputBar().GetInput();
    ASSERT_TRUE(input.IsFocused());
    driver.SetClipboard(L"첫 줄\n둘째 줄");
    driver.Chord(plat::VK_CONTROL, 'V');
    EXPECT_EQ(input.GetText(), L"첫 줄 둘째 줄");

    // A syllable being composed goes in; the clipboard keeps what it had.
    if (!plat::IsHangulKeyboard())
        driver.Key(plat::VK_HANGUL);
    driver.Type(L"gks");
    ASSERT_TRUE(input.IsComposing());
    driver.Chord(plat::VK_CONTROL, 'C');
    EXPECT_EQ(driver.Clipboard(), L"첫 줄\n둘째 줄");
    driver.Type(L"r");
    driver.Chord(plat::VK_CONTROL, 'X');
    EXPECT_EQ(driver.Clipboard(), L"첫 줄\n둘째 줄");
    driver.Key(plat::VK_HANGUL); // commits the last one
    EXPECT_EQ(input.GetText(), L"첫 줄 둘째 줄한ㄱ");

    // A long paste: one line, scrolled to its end, where the caret is.
    driver.Chord(plat::VK_CONTROL, 'A');
    std::wstring longText;
    for (int i = 0; i < 20; ++i)
        longText += L"긴 문장 " + std::to_wstring(i) + L"\n";
    driver.SetClipboard(longText);
    driver.Chord(plat::VK_CONTROL, 'V');
    EXPECT_EQ(input.GetText().size(), longText.size());
    EXPECT_EQ(input.GetYAxis().GetContentPixels(), input.GetDocument().GetFirstParagraph()->GetRect().bottom);
    EXPECT_EQ(input.GetDocument().GetFirstParagraph()->GetFirstLine()->GetNextLine(), nullptr);
    EXPECT_EQ(input.GetXAxis().GetOffset(), input.GetXAxis().GetViewSize() - input.GetXAxis().GetContentPixels());
    EXPECT_LT(input.GetXAxis().GetOffset(), 0);
    driver.Screenshot("long-paste");

    // The owner takes its time: Enter and the keys typed after Ctrl+V wait for the text.
    driver.Chord(plat::VK_CONTROL, 'A');
    driver.Key(plat::VK_DELETE);
    driver.Display()->SetClipboardAnswersLater(true);
    driver.Chord(plat::VK_CONTROL, 'V');
    driver.Type(L"!");
    driver.Key(plat::VK_RETURN);
    driver.Advance(500); // the window goes on meanwhile
    EXPECT_TRUE(input.IsEmpty());
    driver.Display()->AnswerClipboard(L"늦게 온\n글");
    driver.Flush();
    EXPECT_TRUE(driver.PartyReceives(kJiyeon, "MESG", "늦게 온 글!"));
    EXPECT_TRUE(input.IsEmpty());
    // One that never answers pastes nothing; the keys go on.
    driver.Chord(plat::VK_CONTROL, 'V');
    driver.Type(L"?");
    driver.Display()->AnswerClipboard(L"");
    driver.Flush();
    EXPECT_EQ(input.GetText(), L"?");
    driver.Display()->SetClipboardAnswersLater(false);
}

TEST_F(DesktopInputDemo, TabAndTheClipboardOnTheSignInFormThenEnterSignsIn)
{
    ASSERT_TRUE(driver.Start());
    LoginCounter& form = driver.App().GetLoginCounter();
    const plat::POINT id = Middle(form.IdEdit);
    driver.Tap(id.x, id.y);
    driver.Type(L"minsu");
    driver.Key(plat::VK_TAB);
    EXPECT_TRUE(form.PasswordEdit.IsFocused());
    EXPECT_EQ(form.IdEdit.GetText(), L"minsu");

    // The password takes a paste, cut to its limit with an alert, and gives nothing out.
    driver.SetClipboard(std::wstring(40, L'p'));
    driver.Chord(plat::VK_CONTROL, 'V');
    EXPECT_EQ(form.PasswordEdit.GetText(), std::wstring(size_t(form.PasswordEdit.GetMaxInput()), L'p'));
    EXPECT_EQ(driver.PopupText(),
        L"비밀번호는 32자까지 입력할 수 있습니다.\n붙여넣은 글 중 8자는 들어가지 않았습니다.");
    driver.Key(plat::VK_RETURN);
    EXPECT_TRUE(form.PasswordEdit.IsFocused());
    driver.SetClipboard(L"minsu1234");
    driver.Chord(plat::VK_CONTROL, 'A');
    driver.Chord(plat::VK_CONTROL, 'V');
    EXPECT_EQ(form.PasswordEdit.GetText(), L"minsu1234");
    driver.SetClipboard(L"kept");
    driver.Chord(plat::VK_CONTROL, 'A');
    driver.Chord(plat::VK_CONTROL, 'C');
    driver.Chord(plat::VK_CONTROL, 'X');
    EXPECT_EQ(driver.Clipboard(), L"kept");
    EXPECT_EQ(form.PasswordEdit.GetText(), L"minsu1234");
    driver.Screenshot("password-pasted");

    // Back to the id: everything cut, then pasted back.
    driver.Chord(plat::VK_SHIFT, plat::VK_TAB);
    EXPECT_TRUE(form.IdEdit.IsFocused());
    driver.Chord(plat::VK_CONTROL, 'A');
    driver.Chord(plat::VK_CONTROL, 'X');
    EXPECT_TRUE(form.IdEdit.IsEmpty());
    EXPECT_EQ(driver.Clipboard(), L"minsu");
    driver.Chord(plat::VK_CONTROL, 'V');
    EXPECT_EQ(form.IdEdit.GetText(), L"minsu");

    // The domain menu scrolls under the wheel; Escape closes it.
    ASSERT_TRUE(driver.Tap(L"Counter/AccountButton"));
    auto* menu = dynamic_cast<MenuAccount*>(driver.Popup());
    ASSERT_NE(menu, nullptr);
    WheelOver(menu->GetList(), -1.0f, 10);
    EXPECT_EQ(menu->GetList().GetYAxis().GetOffset(), End(menu->GetList()));
    driver.Wheel(5, 5, 1.0f); // outside the menu: nothing under it moves
    EXPECT_NE(driver.Popup(), nullptr);
    driver.Key(plat::VK_ESCAPE);
    EXPECT_EQ(driver.Popup(), nullptr);
    EXPECT_EQ(form.AccountEdit.GetText(), L"quorix.net");

    // Enter signs in; the cost question answers Yes to Enter.
    driver.Key(plat::VK_TAB);
    EXPECT_TRUE(form.PasswordEdit.IsFocused());
    driver.Key(plat::VK_RETURN);
    ASSERT_NE(dynamic_cast<UxMessageBox*>(driver.Popup()), nullptr);
    driver.Key(plat::VK_RETURN);
    ASSERT_TRUE(driver.WaitFor([&] { return driver.Screen() == L"BuddyList"; }));
}

TEST_F(DesktopInputDemo, EscapeClosesAMenuAnswersABoxAndGoesBackFromAProfile)
{
    ASSERT_TRUE(driver.StartSignedIn());
    ASSERT_TRUE(driver.Tap(L"MenuBar/SystemMenuButton"));
    ASSERT_NE(dynamic_cast<MenuSystem*>(driver.Popup()), nullptr);
    driver.Key(plat::VK_ESCAPE);
    EXPECT_EQ(driver.Popup(), nullptr);
    EXPECT_EQ(driver.Screen(), L"BuddyList");
    driver.Key(plat::VK_ESCAPE); // nowhere to go back to
    EXPECT_EQ(driver.Screen(), L"BuddyList");

    // A name pasted into the search filters the list as typing would.
    BuddyListView& list = driver.App().GetBuddyListPage().GetView();
    ASSERT_TRUE(driver.Tap(L"SearchWord"));
    driver.SetClipboard(L"박준호");
    driver.Chord(plat::VK_CONTROL, 'V');
    driver.Settle();
    int32_t shown = 0;
    for (int32_t i = 0; i < list.GetRowCount(); ++i)
        shown += !list.GetRow(i).hidden && list.GetBuddy(i);
    EXPECT_EQ(shown, 1);
    ASSERT_TRUE(driver.OpenProfileFromList(L"박준호"));

    // The question's No: nothing is deleted and the profile stays.
    ASSERT_TRUE(driver.Tap(L"ButtonBar/DeleteButton"));
    ASSERT_EQ(driver.PopupText(), L"삭제하시겠습니까?");
    driver.Key(plat::VK_ESCAPE);
    driver.Settle();
    EXPECT_EQ(driver.Popup(), nullptr);
    EXPECT_EQ(driver.Screen(), L"BuddyProfile");
    EXPECT_NE(BuddyList::GetInstance()->Find(L"junho@quorix.net"), nullptr);

    // A box that has no answer for Escape (the update's progress) keeps it, as it keeps
    // Enter: the page under it stays.
    std::unique_ptr<UpgradeView> progress = UpgradeBox::Show();
    ASSERT_TRUE(driver.IsShown(L"UpgradeBox"));
    for (uint32_t key : { plat::VK_ESCAPE, plat::VK_RETURN }) {
        driver.Key(key);
        driver.Settle();
        EXPECT_TRUE(driver.IsShown(L"UpgradeBox")) << key;
        EXPECT_EQ(driver.Screen(), L"BuddyProfile") << key;
    }
    progress.reset();
    driver.Flush();

    driver.Key(plat::VK_ESCAPE);
    driver.Settle();
    EXPECT_EQ(driver.Screen(), L"BuddyList");
    EXPECT_EQ(driver.Depth(), 1u);
}
