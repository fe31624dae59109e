// The caret keys in the program's edit boxes, and what a box does at its limit, as a
// person types them: in the buddy search, the memo writer, the password box and a chat.
#include "app/chat/ChatPage.h"
#include "tests/support/AppDriver.h"
#include "ux/widgets/UxEditLine.h"
#include "ux/widgets/UxEditParagraph.h"

#include <gtest/gtest.h>

namespace {

class EditKeys : public ::testing::Test {
protected:
    // The key with the modifiers held.
    void Press(uint32_t key, const std::vector<uint32_t>& held)
    {
        for (uint32_t modifier : held)
            driver.Input().Key(true, modifier);
        driver.Key(key);
        for (uint32_t modifier : held)
            driver.Input().Key(false, modifier);
        driver.Flush();
    }
    std::pair<int32_t, int32_t> Selection(const UxEdit& edit)
    {
        std::pair<int32_t, int32_t> s;
        edit.GetSelection(s.first, s.second);
        return s;
    }
    // A key pressed at a caret place (counted from 1), without and with Shift, and the
    // selection each leaves.
    struct Move {
        uint32_t key;
        bool control;
        int32_t from;
        std::pair<int32_t, int32_t> plain, shifted;
    };
    void Check(const UxEdit& edit, const std::vector<Move>& moves)
    {
        for (const Move& m : moves)
            for (bool shift : { false, true }) {
                Press(plat::VK_HOME, { plat::VK_CONTROL });
                for (int32_t i = 1; i < m.from; ++i)
                    driver.Key(plat::VK_RIGHT);
                std::vector<uint32_t> held;
                if (m.control)
                    held.push_back(plat::VK_CONTROL);
                if (shift)
                    held.push_back(plat::VK_SHIFT);
                Press(m.key, held);
                EXPECT_EQ(Selection(edit), shift ? m.shifted : m.plain)
                    << "key " << m.key << " from " << m.from << (m.control ? " with Control" : "")
                    << (shift ? " with Shift" : "");
            }
    }
    // The vertical middle of what is drawn in the columns x0..x1 of the box, each pixel
    // weighed by how near it comes to the ink colour from the box's back colour.
    double InkMiddle(const UxEdit& box, int x0, int x1, plat::COLORREF ink)
    {
        const plat::RECT r = box.GetScreenRect();
        const double back = plat::GetGValue(box.GetBackColor()), range = back - plat::GetGValue(ink);
        double weight = 0, sum = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left + x0; x < r.left + x1; ++x) {
                const double w = std::max(0.0, (back - plat::GetGValue(driver.Pixel(x, y))) / range);
                weight += w;
                sum += w * y;
            }
        return weight > 0 ? sum / weight : -1;
    }

    AppDriver driver;
};

} // namespace

// The one-line search: each caret key without and with Shift, by word with Control; what
// Shift selects is what typing, Delete and the clipboard keys act on; a syllable being
// composed goes in before the caret moves. Up and Down still go to the list.
TEST_F(EditKeys, TheCaretKeysInTheOneLineSearch)
{
    ASSERT_TRUE(driver.StartSignedIn());
    UxEdit& search = driver.App().GetBuddyListPage().GetSearchBar().SearchWord;
    BuddyListView& list = driver.App().GetBuddyListPage().GetView();
    ASSERT_TRUE(driver.Tap(L"SearchWord"));
    driver.Type(L"abcd");
    for (uint32_t key : { plat::VK_LEFT, plat::VK_LEFT })
        driver.Key(key);
    driver.Type(L"X");
    driver.Key(plat::VK_HOME);
    driver.Type(L"H");
    driver.Key(plat::VK_END);
    driver.Type(L"Z");
    EXPECT_EQ(search.GetText(), L"HabXcdZ");

    Press('A', { plat::VK_CONTROL });
    driver.Type(L"one two three");
    Check(search,
        { { plat::VK_LEFT, false, 6, { 5, 5 }, { 5, 6 } }, { plat::VK_RIGHT, false, 6, { 7, 7 }, { 6, 7 } },
            { plat::VK_LEFT, true, 7, { 5, 5 }, { 5, 7 } }, { plat::VK_RIGHT, true, 6, { 9, 9 }, { 6, 9 } },
            { plat::VK_HOME, false, 6, { 1, 1 }, { 1, 6 } },
            { plat::VK_END, false, 6, { 14, 14 }, { 6, 14 } }, { plat::VK_HOME, true, 6, { 1, 1 }, { 1, 6 } },
            { plat::VK_END, true, 6, { 14, 14 }, { 6, 14 } } });
    // From the end: "three" selected backwards and copied; Right puts the caret at its
    // side; " three" cut; typing replaces a selection; the list follows each change.
    Press(plat::VK_END, { plat::VK_CONTROL });
    Press(plat::VK_LEFT, { plat::VK_CONTROL, plat::VK_SHIFT });
    Press('C', { plat::VK_CONTROL });
    EXPECT_EQ(driver.Clipboard(), L"three");
    driver.Key(plat::VK_RIGHT);
    EXPECT_EQ(Selection(search), std::make_pair(14, 14));
    for (int i = 0; i < 6; ++i)
        Press(plat::VK_LEFT, { plat::VK_SHIFT });
    Press('X', { plat::VK_CONTROL });
    EXPECT_EQ(driver.Clipboard(), L" three");
    EXPECT_EQ(list.GetFilter(), L"one two");
    Press(plat::VK_LEFT, { plat::VK_SHIFT });
    driver.Type(L"a");
    EXPECT_EQ(list.GetFilter(), L"one twa");
    Press(plat::VK_HOME, { plat::VK_SHIFT });
    driver.Key(plat::VK_DELETE);
    EXPECT_EQ(list.GetFilter(), L"");

    // Left across the syllable being composed: it stays, the caret goes before it.
    driver.Type(L"one ");
    driver.Key(plat::VK_HANGUL);
    driver.Type(L"gks");
    ASSERT_TRUE(search.IsComposing());
    driver.Key(plat::VK_LEFT);
    driver.Key(plat::VK_HANGUL);
    driver.Type(L"x");
    EXPECT_EQ(search.GetText(), L"one x한");

    Press('A', { plat::VK_CONTROL });
    driver.Key(plat::VK_BACK);
    driver.Key(plat::VK_DOWN);
    EXPECT_EQ(list.GetKeyRow(), 0);
    EXPECT_TRUE(search.IsFocused());
}

// The memo writer: each caret key without and with Shift, Up and Down by a line keeping
// the column (past the first and the last line to the text's ends); End on a wrapped line
// stays on it.
TEST_F(EditKeys, TheCaretKeysInTheMemoWriter)
{
    ASSERT_TRUE(driver.StartSignedIn());
    ASSERT_TRUE(driver.Tap(L"TabBar/Tab3"));
    driver.Settle();
    ASSERT_TRUE(driver.Tap(L"TitleBar/WriteButton"));
    driver.Settle();
    UxEdit& memo = driver.App().GetMemoWritePage().GetView().Message;
    ASSERT_TRUE(memo.IsFocused());
    if (plat::IsHangulKeyboard())
        driver.Key(plat::VK_HANGUL);
    driver.Type(L"abc def");
    driver.Key(plat::VK_RETURN);
    driver.Type(L"abc def");
    driver.Key(plat::VK_UP);
    driver.Key(plat::VK_END);
    driver.Type(L"!");
    EXPECT_EQ(memo.GetText(), L"abc def!\nabc def");
    driver.Key(plat::VK_BACK);

    // "abc def", its line break at 8, "abc def" from 9 to the end at 16.
    Check(memo,
        { { plat::VK_LEFT, false, 6, { 5, 5 }, { 5, 6 } }, { plat::VK_RIGHT, false, 6, { 7, 7 }, { 6, 7 } },
            { plat::VK_LEFT, true, 10, { 9, 9 }, { 9, 10 } }, { plat::VK_RIGHT, true, 6, { 9, 9 }, { 6, 9 } },
            { plat::VK_HOME, false, 13, { 9, 9 }, { 9, 13 } }, { plat::VK_END, false, 6, { 8, 8 }, { 6, 8 } },
            { plat::VK_HOME, true, 13, { 1, 1 }, { 1, 13 } },
            { plat::VK_END, true, 6, { 16, 16 }, { 6, 16 } }, { plat::VK_UP, false, 14, { 6, 6 }, { 6, 14 } },
            { plat::VK_DOWN, false, 6, { 14, 14 }, { 6, 14 } }, { plat::VK_UP, false, 3, { 1, 1 }, { 1, 3 } },
            { plat::VK_DOWN, false, 14, { 16, 16 }, { 14, 16 } } });
    driver.Type(L"-");
    EXPECT_EQ(memo.GetText(), L"abc def\nabc d-");

    // A line too long for the box wraps; End stays on its first line and Home comes back
    // to that line's start.
    Press('A', { plat::VK_CONTROL });
    driver.Type(std::wstring(120, L'w'));
    const UxEditLine* first = memo.GetDocument().GetFirstParagraph()->GetFirstLine();
    ASSERT_NE(first->GetNextLine(), nullptr);
    Press(plat::VK_HOME, { plat::VK_CONTROL });
    driver.Key(plat::VK_END);
    EXPECT_EQ(memo.GetCaret().GetRect().top, first->GetRect().top + memo.GetYAxis().GetOffset());
    driver.Key(plat::VK_HOME);
    EXPECT_EQ(Selection(memo), std::make_pair(1, 1));
}

// The password box moves and selects like any box, but a selection in it is never
// copied or cut out, and Control goes to its ends rather than telling its words.
TEST_F(EditKeys, ThePasswordBoxSelectsButGivesNothingOut)
{
    ASSERT_TRUE(driver.Start());
    LoginCounter& form = driver.App().GetLoginCounter();
    ASSERT_TRUE(driver.Tap(L"Counter/PasswordEdit"));
    driver.Type(L"secret word");
    Press(plat::VK_LEFT, { plat::VK_CONTROL });
    EXPECT_EQ(Selection(form.PasswordEdit), std::make_pair(1, 1));
    Press(plat::VK_END, { plat::VK_SHIFT });
    driver.SetClipboard(L"kept");
    Press('C', { plat::VK_CONTROL });
    Press('X', { plat::VK_CONTROL });
    EXPECT_EQ(driver.Clipboard(), L"kept");
    EXPECT_EQ(form.PasswordEdit.GetText(), L"secret word");
    driver.Key(plat::VK_RIGHT);
    for (int i = 0; i < 4; ++i)
        Press(plat::VK_LEFT, { plat::VK_SHIFT });
    driver.Type(L"pass");
    EXPECT_EQ(form.PasswordEdit.GetText(), L"secret pass");
}

// In the chat input Home and End move the caret, while the page keys scroll the
// conversation. A paste of 600 characters keeps 500 and says so; the clipboard keeps them
// all. A key at the limit is refused with a flash of the box, no alert.
TEST_F(EditKeys, TheChatInputsKeysAndWhatAPasteLeftOutAndAKeyAtTheLimit)
{
    const std::string jiyeon = "jiyeon@quorix.net";
    ASSERT_TRUE(driver.StartSignedIn());
    ASSERT_TRUE(driver.SignInParty(jiyeon));
    BuddyListView& list = driver.App().GetBuddyListPage().GetView();
    ASSERT_TRUE(driver.TapRow(&list, AppDriver::BuddyRow(list, L"이지연")));
    driver.Settle();
    auto* page = dynamic_cast<ChatPage*>(driver.Page());
    ASSERT_NE(page, nullptr);
    UxEdit& input = page->GetInputBar().GetInput();
    if (plat::IsHangulKeyboard())
        driver.Key(plat::VK_HANGUL);
    driver.Type(L"hi");
    driver.Key(plat::VK_RETURN);
    ASSERT_FALSE(driver.PartyAccepts(jiyeon).empty());
    ChatTranscript& transcript = page->GetOutput().GetTranscript();
    for (int i = 0; i < 20; ++i)
        driver.Party("say", jiyeon, R"(, "text": "line )" + std::to_string(i) + "\"");
    ASSERT_TRUE(driver.WaitFor([&] { return transcript.GetText().find(L"line 19") != std::wstring::npos; }));
    const plat::RECT shownLines = transcript.GetScreenRect();
    driver.Hover((shownLines.left + shownLines.right) / 2, (shownLines.top + shownLines.bottom) / 2);
    driver.Type(L"abc");
    driver.Key(plat::VK_HOME);
    driver.Type(L"<");
    EXPECT_EQ(input.GetText(), L"<abc");
    const int32_t atEnd = transcript.GetYAxis().GetOffset();
    driver.Key(plat::VK_PRIOR);
    driver.Advance(3000);
    EXPECT_EQ(transcript.GetYAxis().GetOffset(), atEnd + transcript.GetYAxis().GetViewSize());
    Press('A', { plat::VK_CONTROL });

    std::wstring text;
    for (int i = 0; i < 600; ++i)
        text += L"가나다라마바사아자차"[i % 10];
    driver.SetClipboard(text);
    Press('V', { plat::VK_CONTROL });
    EXPECT_EQ(input.GetText(), text.substr(0, 500));
    EXPECT_EQ(driver.PopupText(),
        L"대화는 500자까지 입력할 수 있습니다.\n붙여넣은 글 중 100자는 들어가지 않았습니다.");
    EXPECT_EQ(driver.Clipboard(), text);
    driver.Screenshot("paste-left-out");
    driver.Key(plat::VK_RETURN); // answers the alert and sends nothing
    driver.Settle();
    EXPECT_EQ(input.GetLength(), 500);
    ASSERT_TRUE(input.IsFocused());

    const plat::RECT box = input.GetScreenRect();
    auto shown = [&] {
        std::vector<plat::COLORREF> pixels;
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < (box.left + box.right) / 2; ++x)
                pixels.push_back(driver.Pixel(x, y));
        return pixels;
    };
    const std::vector<plat::COLORREF> before = shown();
    driver.Type(L"x");
    EXPECT_EQ(input.GetText(), text.substr(0, 500));
    EXPECT_EQ(driver.Popup(), nullptr);
    EXPECT_TRUE(input.IsFlashing());
    EXPECT_NE(shown(), before);
    driver.Screenshot("key-at-the-limit");
    driver.Advance(UxEdit::kFlashMs + 100);
    EXPECT_EQ(shown(), before);
}

// What is typed in the buddy search stands where its guide text stood.
TEST_F(EditKeys, TheSearchTextStandsWhereItsGuideTextIs)
{
    ASSERT_TRUE(driver.StartSignedIn());
    UxEdit& search = driver.App().GetBuddyListPage().GetSearchBar().SearchWord;
    ASSERT_TRUE(search.GetTextGuide().IsVisible());
    const std::wstring guide = search.GetTextGuide().GetText();
    const double guideMiddle
        = InkMiddle(search, 0, 100, search.GetTextGuide().GetTextItem().GetStyle().TextColor);
    ASSERT_TRUE(driver.Tap(L"SearchWord"));
    driver.SetClipboard(guide);
    Press('V', { plat::VK_CONTROL });
    driver.Screenshot("search-text");
    EXPECT_NEAR(InkMiddle(search, 0, 100, search.GetCaret().GetTextColour()), guideMiddle, 1.0);
}
