#include "platform/display/HeadlessDisplay.h"
#include "platform/display/VirtualKeys.h"
#include "platform/event/Window.h"
#include "platform/system/InputPanel.h"
#include "tests/support/ImageBuilders.h"
#include "tests/support/ScopedEnv.h"
#include "tests/ux/widgets/WidgetFixture.h"
#include "ux/core/UxDeviceWindow.h"
#include "ux/core/UxStream.h"
#include "ux/widgets/UxEdit.h"
#include "ux/widgets/UxEditGlyphAnchor.h"
#include "ux/widgets/UxEditLine.h"
#include "ux/widgets/UxEditParagraph.h"
#include "ux/widgets/UxEditRun.h"

#include <algorithm>
#include <utility>

namespace {

// Edits in TestFixed 16 (every character 8 x 16); a width of 208 leaves a document 200
// wide beside the indicator.
class EditTest : public WidgetTest {
protected:
    void SetUp() override
    {
        plat::ResetInputPanel();
        WidgetTest::SetUp();
    }
    void TearDown() override
    {
        WidgetTest::TearDown();
        plat::ResetInputPanel(); // the Korean keyboard stays with the process otherwise
    }
    UxEdit* MakeEdit(int32_t styles = 0, plat::RECT rect = { 20, 100, 228, 164 }, int32_t height = 16)
    {
        auto* edit = new UxEdit;
        UxTextStyle style;
        style.Font.Height = height;
        style.Font.FaceName = L"TestFixed";
        style.BackColor = plat::RGB(250, 250, 250);
        EXPECT_TRUE(edit->Setup(style));
        edit->SetStyles(styles);
        edit->SetAligns(1);
        edit->SetRect(rect);
        parent.AddChild(edit);
        owned.push_back(edit);
        return edit;
    }
    void Type(const std::wstring& text)
    {
        Input().Text(text);
        UxPumpFor(0);
    }
    void Key(uint32_t key)
    {
        Input().Key(true, key);
        Input().Key(false, key);
        UxPumpFor(0);
    }
    // Control held with the key, as Ctrl+V.
    void Ctrl(uint32_t key)
    {
        Input().Key(true, plat::VK_CONTROL);
        Key(key);
        Input().Key(false, plat::VK_CONTROL);
        UxPumpFor(0);
    }
    plat::LRESULT Send(plat::UINT message, plat::WPARAM w, plat::LPARAM l)
    {
        return plat::SendMessageW(UxDeviceWindow::GetInstance()->GetHandle(), message, w, l);
    }
    // EM_GETSEL through the device window: the words and the packed result agree.
    std::pair<uint32_t, uint32_t> Selection()
    {
        uint32_t s = 0, e = 0;
        plat::LRESULT packed = Send(plat::EM_GETSEL, plat::WPARAM(&s), plat::LPARAM(&e));
        EXPECT_EQ(uint32_t(packed), s | e << 16);
        return { s, e };
    }
    void Hold(int x, int y)
    {
        Input().PointerDown(x, y);
        UxPumpFor(150);
        Input().PointerUp(x, y);
        UxPumpFor(200);
    }
};

TEST_F(EditTest, InsertionKeepsToTheEditsRules)
{
    struct Case {
        int32_t styles;
        int32_t maxInput;
        std::vector<std::wstring> typed; // each one character at a time, or pasted whole
        bool paste;
        std::wstring text;
    } cases[] = {
        { 0, 5, { L"abcdef" }, false, L"abcde" },
        { 0, 5, { L"0123456789" }, true, L"01234" },
        { UxEdit::NumberOnly, 0, { L"a1b2-3 4" }, true, L"1234" },
        { UxEdit::SingleLine, 0, { L"one\r\ntwo\nthree" }, true, L"onetwothree" },
        { 0, 0, { L"one\r\ntwo\rthree\n" }, true, L"one\ntwo\nthree\n" }, // CR LF is one break
        { UxEdit::ReadOnly, 0, { L"abc" }, false, L"" },
    };
    for (const Case& c : cases) {
        UxEdit* edit = MakeEdit(c.styles);
        edit->SetMaxInput(c.maxInput);
        edit->SetFocus(true);
        for (const std::wstring& t : c.typed) {
            if (c.paste)
                Send(plat::EM_REPLACESEL, 0, plat::LPARAM(t.c_str()));
            else
                Type(t);
        }
        EXPECT_EQ(edit->GetText(), c.text) << c.styles;

    }
}

TEST_F(EditTest, BackspaceAndDeleteStopAtTheAnchors)
{
    UxEdit* edit = MakeEdit();
    edit->SetFocus(true);
    Key(plat::VK_BACK); // nothing before the caret
    Key(plat::VK_DELETE); // nothing after it
    EXPECT_EQ(Selection(), std::make_pair(1u, 1u));
    Type(L"abcd");
    Key(plat::VK_DELETE); // at the end
    EXPECT_EQ(edit->GetText(), L"abcd");
    Key(plat::VK_BACK);
    EXPECT_EQ(edit->GetText(), L"abc");
    Send(plat::EM_SETSEL, 1, 1);
    Key(plat::VK_BACK); // at the start
    EXPECT_EQ(edit->GetText(), L"abc");
    Key(plat::VK_DELETE);
    EXPECT_EQ(edit->GetText(), L"bc");
    Type(L"xyz");
    Send(plat::EM_SETSEL, 2, 4); // "yz" selected: only the selection goes
    Key(plat::VK_BACK);
    EXPECT_EQ(edit->GetText(), L"xbc");
    EXPECT_EQ(Selection(), std::make_pair(2u, 2u));
    EXPECT_EQ(edit->GetLength(), 3);
}

TEST_F(EditTest, SelectionMessagesCountFromTheBeginAnchor)
{
    UxEdit* edit = MakeEdit();
    edit->SetFocus(true);
    EXPECT_EQ(Selection(), std::make_pair(1u, 1u));
    Type(L"abc");
    EXPECT_EQ(Selection(), std::make_pair(4u, 4u));
    struct Case {
        intptr_t start, end;
        uint32_t s, e;
    } cases[] = {
        { 2, 3, 2, 3 }, { 3, 2, 2, 3 }, // a reversed pair selects the same
        { 0, 99, 1, 4 }, { 9, 12, 4, 4 }, { 4, 4, 4, 4 }, { -5, 2, 1, 2 },
    };
    for (const Case& c : cases) {
        Send(plat::EM_SETSEL, plat::WPARAM(c.start), plat::LPARAM(c.end));
        EXPECT_EQ(Selection(), std::make_pair(c.s, c.e)) << c.start << "," << c.end;
    }
    Send(plat::EM_SETSEL, 2, 3);
    Send(plat::EM_REPLACESEL, 0, plat::LPARAM(L"XY"));
    EXPECT_EQ(edit->GetText(), L"aXYc");
    EXPECT_EQ(Selection(), std::make_pair(4u, 4u));

    edit->SetStyles(UxEdit::ReadOnly);
    Send(plat::EM_REPLACESEL, 0, plat::LPARAM(L"!"));
    EXPECT_EQ(edit->GetText(), L"aXYc");
}

TEST_F(EditTest, PasswordDrawsBulletsAndKeepsTheCharacters)
{
    UxEdit* edit = MakeEdit(UxEdit::Password | UxEdit::SingleLine);
    edit->SetFocus(true);
    Type(L"pw12");
    EXPECT_EQ(edit->GetText(), L"pw12");
    auto* run = static_cast<UxEditRun*>(edit->GetDocument().GetFirstParagraph()->GetFirstLine()->GetFirstRun());
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(run->GetText(), L"\u25CF\u25CF\u25CF\u25CF");
}

TEST_F(EditTest, GuideTextShowsWhileEmptyAndUnfocused)
{
    auto* edit = Add<UxEdit>(LR"(<_Rect>20, 100, 208, 40</_Rect><FontSize>16</FontSize>
        <BackColor>#ffffff</BackColor><Styles>SingleLine</Styles>
        <TextGuide><Text>아이디</Text><TextColor>#a0a0a0</TextColor><FontSize>16</FontSize></TextGuide>)");
    UxLabel& guide = edit->GetTextGuide();
    Repaint();
    EXPECT_TRUE(guide.IsVisible());
    EXPECT_EQ(guide.GetRect().right, 208);
    bool grey = false;
    for (int x = 20; x < 228; ++x)
        grey = grey || (Red(At(x, 120)) < 230 && Red(At(x, 120)) > 100);
    EXPECT_TRUE(grey);

    Tap(100, 120); // on the guide: the edit takes the focus
    EXPECT_TRUE(edit->IsFocused());
    // To those around, the guide's press was the edit's, and ends with its click.
    UxPumpFor(300);
    EXPECT_EQ(parent.pressesEnded, std::vector<UxWindow*> { edit });
    EXPECT_FALSE(guide.IsVisible());
    EXPECT_TRUE(plat::IsInputPanelShown());
    Type(L"minsu");
    parent.SetFocus(true);
    EXPECT_FALSE(guide.IsVisible());
    edit->SetText(L"");
    EXPECT_TRUE(guide.IsVisible());

    // Resized while a long text has it scrolled (sideways, on one line): once emptied, the
    // guide is back in the box, not where the scroll carried it.
    edit->SetFocus(true);
    Type(std::wstring(120, L'x'));
    ASSERT_LT(edit->GetXAxis().GetOffset(), 0);
    edit->SetRect({ 20, 100, 228, 132 });
    edit->SetText(L"");
    parent.SetFocus(true);
    EXPECT_TRUE(guide.IsVisible());
    EXPECT_EQ(guide.GetRect().top, 0);
    EXPECT_EQ(guide.GetRect().left, 0);
}

TEST_F(EditTest, EmoticonGlyphGivesItsCodeBack)
{
    UxEdit* edit = MakeEdit();
    edit->SetFocus(true);
    testimg::Bytes bmp = testimg::Bmp(20, 24, 24, 0, {}, testimg::Bytes(20 * 24 * 3, 0x40)).Build();
    UxMemoryStream stream(bmp.data(), uint32_t(bmp.size()));
    UxDrawItem smile;
    smile.Desc.Image.Stream = &stream;
    smile.Text = L"/smile";
    Type(L"ab");
    ASSERT_TRUE(edit->InsertImage(smile));
    Type(L"c");
    EXPECT_EQ(edit->GetText(), L"ab/smilec");
    EXPECT_EQ(Selection(), std::make_pair(5u, 5u)); // one glyph for the picture
    EXPECT_EQ(edit->GetDocument().GetFirstParagraph()->GetFirstLine()->GetHeight(), 24);

    UxDrawItem missing;
    missing.Desc.Image.FileName = L"no-such-emoticon.gif";
    EXPECT_FALSE(edit->InsertImage(missing));
    edit->SetMaxInput(4);
    EXPECT_FALSE(edit->InsertImage(smile));
    EXPECT_EQ(edit->GetText(), L"ab/smilec");
    // Refused at the limit: the box flashes, then shows as it was.
    Repaint();
    EXPECT_TRUE(edit->IsFlashing());
    EXPECT_NE(At(20 + 16 + 5, 100 + 10), 0x404040u);
    UxPumpFor(UxEdit::kFlashMs + 20);
    Repaint();
    EXPECT_FALSE(edit->IsFlashing());
    EXPECT_EQ(At(20 + 16 + 5, 100 + 10), 0x404040u); // the picture, drawn after "ab"
}

TEST_F(EditTest, HoldPlacesTheCaretAfterWrappingAndScrolling)
{
    UxEdit* edit = MakeEdit(0, { 20, 100, 228, 148 }); // 3 lines of 16 visible
    edit->SetFocus(true);
    // Lines of 25 characters: "a".."y" repeated, then a short last line.
    std::wstring text;
    for (int i = 0; i < 6 * 25 + 3; ++i)
        text += wchar_t(L'a' + i % 25);
    Send(plat::EM_REPLACESEL, 0, plat::LPARAM(text.c_str()));
    EXPECT_EQ(edit->GetDocument().GetHeight(), 7 * 16);
    // The caret at the end pulled the last line into view.
    EXPECT_EQ(edit->GetYAxis().GetOffset(), 48 - 7 * 16);

    Hold(20 + 8 * 3 + 2, 100 + 16 + 4); // fourth glyph of the second visible line: line 5
    EXPECT_EQ(Selection(), std::make_pair(uint32_t(5 * 25 + 3 + 1), uint32_t(5 * 25 + 3 + 1)));
    Ctrl(plat::VK_HOME); // the caret to the start, and the view with it
    EXPECT_EQ(edit->GetYAxis().GetOffset(), 0);
    Hold(20 + 1, 100 + 32 + 1); // first glyph of the third line
    EXPECT_EQ(Selection(), std::make_pair(51u, 51u));
    Key(plat::VK_NEXT);
    EXPECT_EQ(edit->GetYAxis().GetOffset(), -48);
    Ctrl(plat::VK_END);
    EXPECT_EQ(edit->GetYAxis().GetOffset(), 48 - 7 * 16);
    Key(plat::VK_PRIOR);
    EXPECT_EQ(edit->GetYAxis().GetOffset(), 2 * 48 - 7 * 16);
    Ctrl(plat::VK_END);
    Hold(20 + 100, 100 + 40); // past the glyphs of the last line: before the end anchor
    EXPECT_EQ(Selection(), std::make_pair(154u, 154u));
}

TEST_F(EditTest, ReadOnlyTextOpensAtItsFirstLine)
{
    // Editors follow the caret to the end of a text set on them; a read-only one does not.
    std::wstring text(6 * 25, L'a');
    for (int32_t styles : { 0, int32_t(UxEdit::ReadOnly) }) {
        UxEdit* edit = MakeEdit(styles, { 20, 100, 228, 148 }); // 3 lines of 16 visible
        edit->SetText(text);
        if (styles)
            EXPECT_EQ(edit->GetYAxis().GetOffset(), 0);
        else
            EXPECT_EQ(edit->GetYAxis().GetOffset(), 48 - edit->GetDocument().GetHeight());
    }
}

TEST_F(EditTest, KoreanKeyboardComposesSyllablesInTheEdit)
{
    UxEdit* edit = MakeEdit();
    edit->SetKeyboardType(UxEdit::Hangeul);
    edit->SetFocus(true);
    EXPECT_TRUE(plat::IsHangulKeyboard());
    const wchar_t* steps[][2] = { { L"d", L"ㅇ" }, { L"k", L"아" }, { L"s", L"안" }, { L"s", L"안ㄴ" },
        { L"u", L"안녀" }, { L"d", L"안녕" }, { L"g", L"안녕ㅎ" }, { L"k", L"안녕하" }, { L"t", L"안녕핫" },
        { L"p", L"안녕하세" }, { L"d", L"안녕하셍" }, { L"y", L"안녕하세요" } };
    for (auto& step : steps) {
        Type(step[0]);
        std::wstring text = step[1];
        EXPECT_EQ(edit->GetText(), text);
        // The syllable being composed is the one selected.
        uint32_t n = uint32_t(text.size());
        EXPECT_EQ(Selection(), std::make_pair(n, n + 1)) << n;
    }
    Type(L" "); // commits, then the space
    EXPECT_EQ(edit->GetText(), L"안녕하세요 ");
    EXPECT_EQ(Selection(), std::make_pair(7u, 7u));

    // Backspace inside a composition takes one jamo at a time.
    Type(L"gks");
    Key(plat::VK_BACK);
    EXPECT_EQ(edit->GetText(), L"안녕하세요 하");
    EXPECT_EQ(Selection(), std::make_pair(7u, 8u));
    Key(plat::VK_BACK);
    Key(plat::VK_BACK);
    EXPECT_EQ(edit->GetText(), L"안녕하세요 ");
    EXPECT_EQ(Selection(), std::make_pair(7u, 7u));
    Key(plat::VK_BACK); // no composition left: an ordinary Backspace
    EXPECT_EQ(edit->GetText(), L"안녕하세요");

    // At the edit's limit a further syllable is dropped, and Backspace deletes at once.
    edit->SetMaxInput(6);
    for (const wchar_t* key : { L"g", L"k", L"s", L"d", L"k" }) // 한, then 아, which does not fit
        Type(key);
    EXPECT_EQ(edit->GetText(), L"안녕하세요한");
    Key(plat::VK_BACK);
    EXPECT_EQ(edit->GetText(), L"안녕하세요");
    edit->SetMaxInput(0);

    // English passes keys through; the panel's button toggles.
    edit->SetKeyboardType(UxEdit::English);
    parent.SetFocus(true);
    edit->SetFocus(true);
    Type(L"hi");
    Key(plat::VK_HANGUL);
    Type(L"gk");
    Tap(300, 400); // a tap elsewhere ends the syllable where it was typed
    EXPECT_EQ(edit->GetText(), L"안녕하세요hi하");
}

TEST_F(EditTest, DesktopCompositionIsReplacedByItsCommit)
{
    UxEdit* edit = MakeEdit();
    edit->SetFocus(true);
    Type(L"a");
    for (const wchar_t* c : { L"ㅎ", L"하", L"한" }) {
        Input().Composition(c);
        UxPumpFor(0);
        EXPECT_EQ(edit->GetText(), std::wstring(L"a") + c);
        EXPECT_EQ(Selection(), std::make_pair(2u, 3u));
    }
    Type(L"한");
    EXPECT_EQ(edit->GetText(), L"a한");
    EXPECT_EQ(edit->GetLength(), 2);
    EXPECT_EQ(Selection(), std::make_pair(3u, 3u));
    Input().Composition(L"ㄱ");
    Input().Composition(L""); // cancelled
    UxPumpFor(0);
    EXPECT_EQ(edit->GetText(), L"a한");

    // A composition the edit drops does not pull the last character into the selection.
    edit->SetMaxInput(2);
    Input().Composition(L"가");
    UxPumpFor(0);
    EXPECT_EQ(edit->GetText(), L"a한");
    EXPECT_EQ(Selection(), std::make_pair(3u, 3u));
}

TEST_F(EditTest, DesktopCompositionIsUnderlinedAndATapCommitsItOnce)
{
    UxEdit* edit = MakeEdit(); // the syllable's glyph: 20..28 x 100..116
    int resets = 0;
    Input().SetInputMethodReset([&] { ++resets; });
    edit->SetFocus(true);
    Input().Composition(L"한");
    UxPumpFor(0);
    Repaint();
    EXPECT_TRUE(edit->IsComposing());
    EXPECT_EQ(At(24, 115), 0u);

    // A tap in the edit ends the syllable there and resets the input method, whose commit
    // of the same syllable follows.
    Tap(150, 110);
    EXPECT_EQ(resets, 1);
    Input().Text(L"한");
    Input().Composition(L"ㄱ");
    UxPumpFor(0);
    Repaint();
    EXPECT_EQ(edit->GetText(), L"한ㄱ");
    EXPECT_EQ(At(24, 115), 0xFAFAFAu);
    Input().SetInputMethodReset(nullptr);
}

TEST_F(EditTest, CaretFadesAndNeverShrinksToNothing)
{
    UxEdit* edit = MakeEdit(0, { 20, 100, 228, 164 }, 0); // font size 0: the default cell
    EXPECT_GT(edit->GetCaret().GetRect().bottom - edit->GetCaret().GetRect().top, 0);
    EXPECT_EQ(edit->GetCaret().GetColour(), edit->GetBackColor()); // unfocused: invisible
    edit->SetFocus(true);
    EXPECT_EQ(edit->GetCaret().GetColour(), 0u); // the text colour right after a change
    UxPumpFor(500);
    plat::COLORREF half = edit->GetCaret().GetColour();
    EXPECT_GT(plat::GetRValue(half), 0);
    EXPECT_LT(plat::GetRValue(half), 250);
    EXPECT_TRUE(edit->GetRefreshTimer().IsRunning());
    parent.SetFocus(true);
    EXPECT_FALSE(edit->GetRefreshTimer().IsRunning());

    // At "b" of "ab": half faded while focused; unfocused, the glyph's ink shows whole.
    UxEdit* fixed = MakeEdit(0, { 20, 200, 228, 264 });
    fixed->SetFocus(true);
    Type(L"ab");
    Send(plat::EM_SETSEL, 2, 2);
    UxPumpFor(500);
    Repaint();
    EXPECT_NE(At(20 + 8, 200 + 8), 0u);
    EXPECT_EQ(At(20 + 10, 200 + 8), 0u);
    parent.SetFocus(true);
    Repaint();
    EXPECT_EQ(At(20 + 8, 200 + 8), 0u);
}

} // namespace

TEST_F(EditTest, ClipboardKeysSelectCopyCutAndPasteAsTyped)
{
    UxEdit* edit = MakeEdit();
    edit->SetFocus(true);
    Type(L"a b");
    UxPumpFor(0);
    // The space's cell shows the back colour, until a selection tints it.
    EXPECT_EQ(At(32, 108), 0xFAFAFAu);
    Ctrl('A');
    EXPECT_EQ(Selection(), std::make_pair(1u, 4u));
    EXPECT_EQ(edit->GetText(), L"a b"); // nothing typed with Control held
    EXPECT_NE(At(32, 108), 0xFAFAFAu);
    parent.SetFocus(true); // shown only while focused
    UxPumpFor(0);
    EXPECT_EQ(At(32, 108), 0xFAFAFAu);
    edit->SetFocus(true);

    parent.events.clear();
    Ctrl('C');
    EXPECT_EQ(plat::GetClipboardText(), L"a b");
    Ctrl('X');
    EXPECT_TRUE(edit->IsEmpty());
    EXPECT_EQ(plat::GetClipboardText(), L"a b");
    Ctrl('V');
    Ctrl('V');
    EXPECT_EQ(edit->GetText(), L"a ba b");
    // A cut and a paste change the text: the parent hears of it as of a character 0.
    int changes = 0;
    for (const EventParent::Event& e : parent.events)
        changes += e.child == edit && e.code == UxWindow::EventChar && e.param1 == 0;
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(Selection(), std::make_pair(7u, 7u));
    Ctrl('C'); // nothing selected: the clipboard keeps what it had
    EXPECT_EQ(plat::GetClipboardText(), L"a b");

    // Plain text, as typing would give it: tabs as spaces, no other control characters,
    // a CR LF pair one line break; it replaces the selection.
    plat::SetClipboardText(L"x\ty\x01z\r\nw\x7F");
    Ctrl('A');
    Ctrl('V');
    EXPECT_EQ(edit->GetText(), L"x yz\nw");
    Ctrl('A');
    Ctrl('C');
    EXPECT_EQ(plat::GetClipboardText(), L"x yz\nw");
}

TEST_F(EditTest, PastesKeepToTheEditsRulesAndPasswordsGiveNothingOut)
{
    UxEdit* password = MakeEdit(UxEdit::Password | UxEdit::SingleLine);
    password->SetMaxInput(8);
    password->SetFocus(true);
    plat::SetClipboardText(L"secret");
    Ctrl('V');
    EXPECT_EQ(password->GetText(), L"secret");
    plat::SetClipboardText(L"kept");
    Ctrl('A');
    Ctrl('C');
    Ctrl('X');
    EXPECT_EQ(plat::GetClipboardText(), L"kept");
    EXPECT_EQ(password->GetText(), L"secret");
    plat::SetClipboardText(L"0123456789");
    Ctrl('V'); // over the selection, cut to the limit
    EXPECT_EQ(password->GetText(), L"01234567");

    UxEdit* digits = MakeEdit(UxEdit::NumberOnly | UxEdit::SingleLine, { 20, 200, 228, 264 });
    digits->SetFocus(true);
    plat::SetClipboardText(L"a1\nb2");
    Ctrl('V');
    EXPECT_EQ(digits->GetText(), L"12");
    // On one line each line break becomes a space: the lines do not run together.
    UxEdit* line = MakeEdit(UxEdit::SingleLine, { 20, 300, 228, 364 });
    line->SetFocus(true);
    Ctrl('V');
    EXPECT_EQ(line->GetText(), L"a1 b2");
    plat::SetClipboardText(L"첫 줄\r\n둘째 줄\r셋째\n");
    Ctrl('A');
    Ctrl('V');
    EXPECT_EQ(line->GetText(), L"첫 줄 둘째 줄 셋째 ");

    // A read-only text copies but takes nothing in.
    UxEdit* text = MakeEdit(UxEdit::ReadOnly, { 20, 400, 228, 464 });
    text->SetText(L"read me");
    text->SetFocus(true);
    Ctrl('A');
    Ctrl('X');
    Ctrl('V');
    EXPECT_EQ(text->GetText(), L"read me");
    Ctrl('C');
    EXPECT_EQ(plat::GetClipboardText(), L"read me");
}

TEST_F(EditTest, APasteAndTabCommitTheSyllableBeingComposed)
{
    UxEdit* first = MakeEdit();
    UxEdit* second = MakeEdit(0, { 20, 200, 228, 264 });
    first->SetKeyboardType(UxEdit::Hangeul);
    first->SetFocus(true);
    Type(L"gks"); // 한, still composed
    ASSERT_TRUE(first->IsComposing());
    plat::SetClipboardText(L"!");
    Ctrl('V');
    EXPECT_EQ(first->GetText(), L"한!");
    Type(L"r"); // a new syllable: the last one is done with
    EXPECT_EQ(first->GetText(), L"한!ㄱ");
    Key(plat::VK_TAB);
    EXPECT_TRUE(second->IsFocused());
    EXPECT_EQ(first->GetText(), L"한!ㄱ");
    EXPECT_FALSE(first->IsComposing());

    // The desktop's input method: its composition goes in before the paste.
    plat::SetHangulKeyboard(false);
    Input().Composition(L"가");
    UxPumpFor(0);
    Ctrl('V');
    EXPECT_EQ(second->GetText(), L"가!");
    Input().Composition(L"나");
    UxPumpFor(0);
    Key(plat::VK_TAB);
    EXPECT_TRUE(first->IsFocused());
    EXPECT_EQ(second->GetText(), L"가!나");

    // An input method that took the Control press (it ended a syllable) and hands it back
    // where we cannot see it: the keyboard still has Control held when V comes.
    plat::SetClipboardText(L"?");
    Input().KeyPressed(plat::VK_CONTROL, L"", false, false, false);
    Input().Composition(L"");
    Input().EndOfInput();
    Input().KeyPressed('V', L"\x16", false, true, true);
    Input().Key(true, 'V');
    Input().EndOfInput();
    UxPumpFor(0);
    EXPECT_EQ(first->GetText(), L"한!ㄱ?");
    // Let go meanwhile: the next letter types.
    Input().KeyPressed('1', L"1", false, false, false);
    Input().Key(true, '1');
    Input().Text(L"1");
    Input().EndOfInput();
    UxPumpFor(0);
    EXPECT_EQ(plat::GetKeyState(plat::VK_CONTROL), 0);
    EXPECT_EQ(first->GetText(), L"한!ㄱ?1");

    // Copying or cutting while a syllable is composed commits it and leaves the clipboard
    // as it was: the syllable was typed, not chosen.
    plat::SetHangulKeyboard(true);
    Type(L"ek");
    ASSERT_TRUE(first->IsComposing());
    Ctrl('C');
    EXPECT_EQ(plat::GetClipboardText(), L"?");
    EXPECT_FALSE(first->IsComposing());
    Type(L"fk");
    ASSERT_TRUE(first->IsComposing());
    Ctrl('X');
    EXPECT_EQ(plat::GetClipboardText(), L"?");
    EXPECT_EQ(first->GetText(), L"한!ㄱ?1다라");
}

// A long text on one line runs on past the box, which scrolls sideways to its caret: the
// end shows, on one line, not a wrapped line cut in half.
TEST_F(EditTest, AOneLineBoxShowsTheEndOfALongTextOnOneLine)
{
    UxEdit* line = MakeEdit(UxEdit::SingleLine, { 20, 100, 228, 124 });
    line->SetFocus(true);
    plat::SetClipboardText(std::wstring(39, L'a') + L"z");
    Ctrl('V');
    const UxEditParagraph* paragraph = line->GetDocument().GetFirstParagraph();
    ASSERT_NE(paragraph, nullptr);
    EXPECT_EQ(paragraph->GetNextParagraph(), nullptr);
    EXPECT_EQ(paragraph->GetFirstLine()->GetNextLine(), nullptr);
    // The line of 16 in the middle of the box's 24.
    EXPECT_EQ(line->GetYAxis().GetContentPixels(), 4 + 16);
    // 40 cells of 8 and the caret's 2 pixels, in a box 208 wide: the end at its right edge.
    EXPECT_EQ(line->GetXAxis().GetOffset(), 208 - 322);
    Repaint();
    bool zShows = false;
    for (int x = 218; x < 226; ++x)
        for (int y = 100; y < 116; ++y)
            zShows = zShows || At(x, y) != 0xFAFAFAu;
    EXPECT_TRUE(zShows);
    // Typed back shorter, the text's end does not stop short of the right edge; once it
    // fits, it starts at the left again.
    for (int i = 0; i < 5; ++i)
        Key(plat::VK_BACK);
    EXPECT_EQ(line->GetXAxis().GetOffset(), 208 - 282);
    Ctrl('A');
    Type(L"b");
    EXPECT_EQ(line->GetXAxis().GetOffset(), 0);
    // A box of several lines still wraps.
    UxEdit* box = MakeEdit(0, { 20, 200, 228, 264 });
    box->SetText(std::wstring(40, L'a'));
    EXPECT_NE(box->GetDocument().GetFirstParagraph()->GetFirstLine()->GetNextLine(), nullptr);
    EXPECT_EQ(box->GetXAxis().GetOffset(), 0);
}

// The clipboard's owner takes its time: keys typed after Ctrl+V wait and land after the
// pasted text; an owner that never answers pastes nothing, and the keys go on.
TEST_F(EditTest, KeysTypedWhileAPasteIsOnItsWayLandAfterIt)
{
    auto* display = dynamic_cast<plat::HeadlessDisplay*>(plat::GetDisplay());
    ASSERT_NE(display, nullptr) << "a display chosen by QUORIX_DISPLAY";
    UxEdit* edit = MakeEdit(UxEdit::SingleLine);
    UxEdit* other = MakeEdit(0, { 20, 200, 228, 264 });
    edit->SetFocus(true);
    Type(L"<");
    display->SetClipboardAnswersLater(true);
    Ctrl('V');
    Type(L"x");
    Key(plat::VK_BACK);
    Type(L"y");
    EXPECT_EQ(edit->GetText(), L"<");
    EXPECT_TRUE(display->IsReadingClipboard());
    display->AnswerClipboard(L"붙여\n넣기");
    UxPumpFor(0);
    EXPECT_EQ(edit->GetText(), L"<붙여 넣기y");
    EXPECT_EQ(plat::GetKeyState(plat::VK_CONTROL), 0);

    Ctrl('V');
    Type(L"z");
    display->AnswerClipboard(L"");
    UxPumpFor(0);
    EXPECT_EQ(edit->GetText(), L"<붙여 넣기yz");

    // The box goes while its paste is on its way: the keys go to the box that has the
    // focus then.
    Ctrl('V');
    Type(L"w");
    other->SetFocus(true);
    owned.erase(std::find(owned.begin(), owned.end(), edit));
    parent.RemoveChild(edit);
    delete edit;
    UxPumpFor(0);
    EXPECT_FALSE(display->IsReadingClipboard());
    EXPECT_EQ(other->GetText(), L"w");
    display->AnswerClipboard(L"늦은 답");
    UxPumpFor(0);
    EXPECT_EQ(other->GetText(), L"w");
    display->SetClipboardAnswersLater(false);
}

// Clicked after keys typed while the paste waited: the click lands after them, in the box
// they were typed for, as the person did it. A click on box B does not take "xyz" with it.
TEST_F(EditTest, AClickWhileAPasteIsOnItsWayLandsAfterTheKeysTypedBeforeIt)
{
    auto* display = dynamic_cast<plat::HeadlessDisplay*>(plat::GetDisplay());
    ASSERT_NE(display, nullptr);
    UxEdit* a = MakeEdit(UxEdit::SingleLine);
    UxEdit* b = MakeEdit(UxEdit::SingleLine, { 20, 200, 228, 264 });
    a->SetFocus(true);
    Type(L"a");
    display->SetClipboardAnswersLater(true);
    Ctrl('V');
    Type(L"xyz");
    Input().PointerDown(100, 230);
    Input().PointerMove(104, 232); // a drag begun meanwhile waits with its press
    Input().PointerUp(104, 232);
    UxPumpFor(0);
    EXPECT_TRUE(a->IsFocused()) << "the press went ahead";
    display->AnswerClipboard(L"P");
    UxPumpFor(200);
    EXPECT_EQ(a->GetText(), L"aPxyz");
    EXPECT_EQ(b->GetText(), L"");
    EXPECT_TRUE(b->IsFocused());
    Type(L"!");
    EXPECT_EQ(b->GetText(), L"!");
    display->SetClipboardAnswersLater(false);
}

// Outside ctest nothing chooses the display: the fixture draws into memory all the same.
class EditTestWithoutTheVariable : public EditTest {
protected:
    void SetUp() override
    {
        variable.Unset();
        EditTest::SetUp();
    }
    ScopedEnv variable { "QUORIX_DISPLAY" };
};

TEST_F(EditTestWithoutTheVariable, StillDrawsIntoMemory)
{
    ASSERT_NE(plat::GetDisplay(), nullptr);
    EXPECT_STREQ(plat::GetDisplay()->GetName(), "headless");
}
