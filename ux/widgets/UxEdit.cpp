#include "ux/widgets/UxEdit.h"

#include "platform/display/Display.h"
#include "platform/display/VirtualKeys.h"
#include "platform/event/MessageQueue.h"
#include "ux/core/UxClock.h"
#include "ux/core/UxDeviceMessageHandler.h"
#include "ux/core/UxDeviceWindow.h"
#include "ux/core/UxEasing.h"
#include "ux/core/UxRect.h"
#include "ux/core/UxSipHandler.h"
#include "ux/graphics/UxDeviceContext.h"
#include "ux/graphics/UxTextItem.h"
#include "ux/markup/UxSkinWords.h"
#include "ux/markup/UxXmlNode.h"
#include "ux/widgets/UxEditGlyphAnchor.h"
#include "ux/widgets/UxEditGlyphImage.h"
#include "ux/widgets/UxEditGlyphText.h"
#include "ux/widgets/UxEditLine.h"
#include "ux/widgets/UxEditParagraph.h"

#include <algorithm>

namespace {

bool IsLineBreak(const UxEditGlyph* g)
{
    return IsKindOf(g, &UxRuntimeClass::EditGlyphAnchor)
        && static_cast<const UxEditGlyphAnchor*>(g)->GetKind() == UxEditGlyphAnchor::LineBreak;
}

// The clipboard's text as typing gives it: tabs as spaces, line breaks kept (or, on one
// line, each a space: lines are not run together), no other control characters and
// nothing that is no character. No edit takes more than UxEdit::kMaxPaste of it at once:
// beyond counts the characters after that.
std::wstring PlainText(const std::wstring& text, bool oneLine, size_t& beyond)
{
    const auto most = size_t(UxEdit::kMaxPaste);
    std::wstring out;
    out.reserve(std::min(text.size(), most));
    beyond = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c == L'\t')
            c = L' ';
        else if (oneLine && c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')
            continue; // a CR LF pair is one line break
        else if (c == L'\r' || c == L'\n')
            c = oneLine ? L' ' : c;
        else if (c < 0x20 || (c >= 0x7F && c < 0xA0) || (c >= 0xD800 && c <= 0xDFFF)
            || uint32_t(c) > 0x10FFFF)
            continue;
        if (out.size() < most)
            out += c;
        else
            ++beyond;
    }
    return out;
}

// What a word is made of: a run of glyphs of one kind, apart from blanks.
enum class WordKind { Blank, Letter, Mark, Picture, Anchor };

WordKind KindOf(const UxEditGlyph* g)
{
    if (IsKindOf(g, &UxRuntimeClass::EditGlyphText)) {
        const wchar_t c = static_cast<const UxEditGlyphText*>(g)->GetCharacter();
        if (c == L' ' || c == 0xA0 || c == 0x3000)
            return WordKind::Blank;
        if (c < 0x80) {
            const bool letter = (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'z')
                || (c >= L'A' && c <= L'Z') || c == L'_';
            return letter ? WordKind::Letter : WordKind::Mark;
        }
        // Punctuation of the wider sets; any other character (Hangul above all) is a letter.
        const bool mark = (c >= 0x2000 && c <= 0x206F) || (c >= 0x3000 && c <= 0x303F)
            || (c >= 0xFF01 && c <= 0xFF0F) || (c >= 0xFF1A && c <= 0xFF20);
        return mark ? WordKind::Mark : WordKind::Letter;
    }
    if (IsLineBreak(g))
        return WordKind::Blank;
    return IsKindOf(g, &UxRuntimeClass::EditGlyphImage) ? WordKind::Picture : WordKind::Anchor;
}

uint32_t Now()
{
    UxClock* clock = UxClock::GetInstance();
    return clock ? clock->GetTurnElapsed() : 0;
}

// The line above line (the last of the paragraph before), null on the first.
UxEditLine* LineAbove(const UxEditLine* line)
{
    if (UxEditLine* above = line->GetPrevLine())
        return above;
    UxEditParagraph* para = line->GetParagraph() ? line->GetParagraph()->GetPrevParagraph() : nullptr;
    return para ? para->GetLastLine() : nullptr;
}

UxEditLine* LineBelow(const UxEditLine* line)
{
    if (UxEditLine* below = line->GetNextLine())
        return below;
    UxEditParagraph* para = line->GetParagraph() ? line->GetParagraph()->GetNextParagraph() : nullptr;
    return para ? para->GetFirstLine() : nullptr;
}

} // namespace

UxEdit::UxEdit()
    : m_caret(this)
    , m_document(this)
    , m_refresh(this)
{
    // The document is never wider than the view: there is nothing to drag sideways.
    GetXAxis().SetDraggable(false);
}

UxEdit::~UxEdit()
{
    if (plat::Display* display = plat::GetDisplay(); display && m_pasteRead)
        display->CancelClipboardRead(m_pasteRead);
    if (IsFocused() && !(m_styles & ReadOnly)) {
        if (UxSipHandler* sip = UxSipHandler::GetInstance())
            sip->RequestHide();
    }
    DetachInputMethod(false);
    m_refresh.Stop();
    Clear();
}

plat::COLORREF UxEdit::GetBackColor() const
{
    UxTextStyleHandle* style = m_styleCache.GetCurrent();
    return style ? style->BackColor : 0xFFFFFF;
}

bool UxEdit::ApplySkin(UxXmlNode* node)
{
    if (!UxScrollWindow::ApplySkin(node))
        return false;
    auto child = [node](const wchar_t* name) { return node ? node->FindChild(name) : nullptr; };
    UxTextStyle style;
    UxTextItem::ReadStyleSkin(node, style);
    if (!Setup(style))
        return false;
    if (const UxXmlNode* n = child(L"KeyboardType"))
        m_keyboardType = ParseKeyboardType(n->GetText());
    if (const UxXmlNode* n = child(L"Styles"))
        SetStyles(int32_t(ParseEditStyles(n->GetText())));
    if (const UxXmlNode* n = child(L"Aligns"))
        m_aligns = int32_t(ParseAligns(n->GetText()));
    if (const UxXmlNode* n = child(L"MaxInput"))
        m_maxInput = n->GetInt();
    if (const UxXmlNode* n = child(L"Text"))
        SetText(n->GetText());
    if (UxXmlNode* n = child(L"TextGuide")) {
        if (!m_textGuide.ApplySkin(n))
            return false;
        PlaceTextGuide();
        UpdateTextGuide();
    }
    return true;
}

bool UxEdit::Setup(const UxTextStyle& style)
{
    Clear();
    UxTextStyleHandle* handle = m_styleCache.Select(style);
    if (!handle)
        return false;
    m_newStyle = handle;
    m_begin = new UxEditGlyphAnchor(this, handle, UxEditGlyphAnchor::Begin);
    m_end = new UxEditGlyphAnchor(this, handle, UxEditGlyphAnchor::End);
    m_begin->Measure();
    m_end->Measure();
    UxEditNode::Link(m_begin, m_end);
    m_caret.Set(m_begin, m_end);
    Relayout();
    AddChild(&m_textGuide);
    m_caret.SetColour(style.TextColor);
    return true;
}

void UxEdit::Clear()
{
    m_document.Clear();
    UxEditNode::DeleteRange(m_begin);
    m_begin = m_end = nullptr;
    m_refresh.Clear();
    m_styleCache.Clear();
    m_newStyle = nullptr;
    m_caret.Set(nullptr, nullptr);
    m_composing = false;
    m_length = 0;
    m_documentWidth = m_documentHeight = 0;
    SetContentSize(0, 0);
    if (m_textGuide.GetParent() == this)
        RemoveChild(&m_textGuide);
}

void UxEdit::SetStyles(int32_t styles)
{
    bool passwordChanged = ((styles ^ m_styles) & Password) != 0;
    bool wrapChanged = ((styles ^ m_styles) & SingleLine) != 0;
    m_styles = styles;
    GetYAxis().SetDraggable((styles & SingleLine) == 0);
    if (wrapChanged && m_begin && !passwordChanged) {
        m_layoutWidth = -1;
        Relayout();
    }
    if (passwordChanged && m_begin) {
        for (UxEditGlyph* g = m_begin; g; g = g->GetNextGlyph())
            g->Measure();
        m_layoutWidth = -1;
        Relayout();
    }
}

void UxEdit::Relayout()
{
    if (!m_begin)
        return;
    m_layoutWidth = GetWidth();
    m_layoutHeight = GetHeight();
    m_document.SetWidth(std::max(0, GetWidth() - GetXIndicator().GetThickness()));
    m_document.Clear();
    m_document.Layout(m_begin, m_end);
    TakeDocumentSize();
    Invalidate();
}

void UxEdit::TakeDocumentSize()
{
    m_documentWidth = (m_styles & SingleLine) ? m_document.GetExtent() : m_document.GetWidth();
    m_documentHeight = m_document.GetHeight();
    SetContentSize(m_documentWidth, m_documentHeight);
    // A one-line text that got shorter does not leave its end short of the right edge.
    UxScrollAxis& x = GetXAxis();
    const int32_t low = std::min(0, x.GetViewSize() - x.GetContentPixels());
    if (x.GetOffset() < low) {
        x.SetPosition(low);
        Invalidate();
    }
}

int32_t UxEdit::GetFirstLineTop(int32_t lineHeight) const
{
    return (m_styles & SingleLine) ? std::max(0, (GetHeight() - lineHeight) / 2) : 0;
}

UxEditGlyph* UxEdit::MakeGlyph(wchar_t c)
{
    UxEditGlyph* g = c == L'\r' || c == L'\n' ? static_cast<UxEditGlyph*>(new UxEditGlyphAnchor(
                         this, m_newStyle, UxEditGlyphAnchor::LineBreak))
                                              : new UxEditGlyphText(this, m_newStyle, c);
    g->Measure();
    return g;
}

void UxEdit::DeleteSelection()
{
    UxEditGlyph* start = m_caret.GetStart();
    UxEditGlyph* end = m_caret.GetEnd();
    if (!start || start->GetNext() == end)
        return;
    for (UxEditGlyph* g = start->GetNextGlyph(); g && g != end; g = g->GetNextGlyph())
        --m_length;
    UxEditNode::DeleteRange(start->GetNext(), end->GetPrev());
    UxEditNode::Link(start, end);
}

int32_t UxEdit::Insert(const std::wstring& text)
{
    if (!m_begin || !m_caret.GetStart())
        return 0;
    m_composing = false;
    m_caret.Invalidate();
    DeleteSelection();
    UxEditGlyph* from = m_caret.GetStart();
    UxEditGlyph* to = m_caret.GetEnd();
    UxEditGlyph* at = from;
    int32_t inserted = 0;
    m_dropped = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if ((m_styles & NumberOnly) && (c < L'0' || c > L'9'))
            continue;
        bool lineBreak = c == L'\r' || c == L'\n';
        if (lineBreak && (m_styles & SingleLine))
            continue;
        // A CR LF pair from a pasted text ends one line, not two.
        if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')
            continue;
        if (m_maxInput != 0 && m_length >= m_maxInput) {
            ++m_dropped;
            continue;
        }
        UxEditGlyph* g = MakeGlyph(c);
        UxEditNode::Link(at, g);
        at = g;
        ++m_length;
        ++inserted;
    }
    UxEditNode::Link(at, to);
    m_caret.Set(at, to);
    m_caret.Touch();
    AfterEdit(from, to);
    return inserted;
}

bool UxEdit::InsertText(const std::wstring& text)
{
    if (!m_begin)
        return false;
    Insert(text);
    return true;
}

bool UxEdit::InsertChar(wchar_t character)
{
    return InsertText(character ? std::wstring(1, character) : std::wstring());
}

bool UxEdit::InsertImage(const UxDrawItem& emoticon)
{
    if (!m_begin || !m_caret.GetStart())
        return false;
    // The glyph the selection replaces is not counted against the limit.
    int32_t selected = 0;
    for (UxEditGlyph* g = m_caret.GetStart()->GetNextGlyph(); g && g != m_caret.GetEnd(); g = g->GetNextGlyph())
        ++selected;
    if (m_maxInput != 0 && m_length - selected >= m_maxInput) {
        Refuse();
        return false;
    }
    auto* glyph = new UxEditGlyphImage(this, m_newStyle);
    if (!glyph->Load(emoticon)) {
        delete glyph;
        return false;
    }
    m_composing = false;
    m_caret.Invalidate();
    DeleteSelection();
    UxEditGlyph* from = m_caret.GetStart();
    UxEditGlyph* to = m_caret.GetEnd();
    UxEditNode::Link(from, glyph);
    UxEditNode::Link(glyph, to);
    ++m_length;
    m_caret.Set(glyph, to);
    m_caret.Touch();
    AfterEdit(from, to);
    return true;
}

void UxEdit::SetText(const std::wstring& text)
{
    if (!m_begin)
        return;
    m_caret.Set(m_begin, m_end);
    InsertText(text);
    // The caret ends after the text, and an editor follows it; a read-only text is read
    // from its first line.
    if (m_styles & ReadOnly)
        ScrollYTo(0);
}

void UxEdit::AfterEdit(UxEditGlyph* from, UxEditGlyph* to)
{
    if (m_layoutWidth != GetWidth()) {
        Relayout();
    } else {
        UxEditLine* line = m_document.Layout(from, to);
        TakeDocumentSize();
        int32_t top = (line ? line->GetRect().top : 0) + GetYAxis().GetOffset();
        int32_t bottom = std::max(GetHeight(), m_documentHeight + GetYAxis().GetOffset());
        if (top < bottom && GetWidth() > 0)
            Invalidate(plat::RECT { 0, std::max(0, top), GetWidth(), bottom });
    }
    if (GetYAxis().IsDraggable() && m_documentHeight > GetHeight())
        GetYIndicator().StartFade(true);
    ScrollToCaret();
    UpdateTextGuide();
}

void UxEdit::PlaceTextGuide()
{
    // Children move with the scroll offset, so the guide sits where the content starts;
    // placed at the client origin of a scrolled edit, scrolling back would carry it out.
    m_textGuide.SetRect(OffsetRect(GetClientRect(), GetXAxis().GetOffset(), GetYAxis().GetOffset()));
}

void UxEdit::UpdateTextGuide()
{
    bool shown = !IsFocused() && IsEmpty();
    if (m_textGuide.IsVisible() != shown) {
        m_textGuide.SetVisible(shown);
        Invalidate();
    }
}

std::wstring UxEdit::GetText() const
{
    return m_begin ? TextBetween(m_begin, m_end) : std::wstring();
}

std::wstring UxEdit::GetSelectedText() const
{
    return m_caret.GetStart() ? TextBetween(m_caret.GetStart(), m_caret.GetEnd()) : std::wstring();
}

std::wstring UxEdit::TextBetween(const UxEditGlyph* first, const UxEditGlyph* end) const
{
    std::wstring text;
    for (UxEditGlyph* g = first->GetNextGlyph(); g && g != end; g = g->GetNextGlyph()) {
        if (IsKindOf(g, &UxRuntimeClass::EditGlyphText))
            text += static_cast<UxEditGlyphText*>(g)->GetCharacter();
        else if (IsKindOf(g, &UxRuntimeClass::EditGlyphImage))
            text += static_cast<UxEditGlyphImage*>(g)->GetCode();
        else if (IsLineBreak(g))
            text += L'\n';
    }
    return text;
}

bool UxEdit::IsEmpty() const
{
    return !m_begin || m_begin->GetNext() == m_end;
}

UxEditCaret* UxEdit::CollapseSelection()
{
    if (!m_caret.HasSelection())
        return nullptr;
    if (m_composing) {
        m_composing = false;
        Invalidate();
    }
    m_caret.Invalidate();
    // To the side the caret shows at.
    UxEditGlyph* at = m_caret.GetCaretGlyph();
    m_caret.Set(at->GetPrevGlyph(), at);
    m_caret.Touch();
    m_caret.Invalidate();
    return &m_caret;
}

void UxEdit::ScrollToCaret()
{
    UxEditGlyph* at = m_caret.GetCaretGlyph();
    if (!at || GetWidth() <= 0 || GetHeight() <= 0)
        return;
    // The glyph after the caret, or the caret itself where it ends a line.
    const plat::RECT g = m_caret.IsAtLineEnd() ? m_caret.GetDocumentRect() : at->GetRect();
    bool moved = false;
    struct Span {
        UxScrollAxis& axis;
        int32_t near;
        int32_t far;
    };
    for (Span s : { Span { GetXAxis(), g.left, g.right }, Span { GetYAxis(), g.top, g.bottom } }) {
        int32_t view = s.axis.GetViewSize();
        int32_t offset = s.axis.GetOffset();
        int32_t first = -offset, last = -offset + view; // the visible range in document space
        if (s.near >= first && s.far <= last)
            continue;
        int32_t target = (s.near + s.far) / 2 > first + view / 2 ? view - s.far : -s.near;
        target = std::clamp(target, std::min(0, view - s.axis.GetContentPixels()), 0);
        if (target != offset) {
            s.axis.SetPosition(target);
            moved = true;
        }
    }
    if (moved)
        Invalidate();
}

void UxEdit::ScrollYTo(int32_t offset)
{
    UxScrollAxis& y = GetYAxis();
    offset = std::clamp(offset, std::min(0, y.GetViewSize() - y.GetContentPixels()), 0);
    if (offset != y.GetOffset()) {
        y.SetPosition(offset);
        Invalidate();
    }
}

void UxEdit::GetSelection(int32_t& start, int32_t& end) const
{
    start = end = 0;
    if (!m_caret.GetStart())
        return;
    start = int32_t(UxEditNode::Index(m_caret.GetStart())) + 1;
    end = start;
    for (UxEditGlyph* g = m_caret.GetStart()->GetNextGlyph(); g && g != m_caret.GetEnd(); g = g->GetNextGlyph())
        ++end;
}

bool UxEdit::OnFocusChanged(bool focused)
{
    m_caret.Invalidate();
    // The selection shows only while the edit has the focus.
    if (m_caret.HasSelection() && !m_composing)
        Invalidate();
    UxSipHandler* sip = UxSipHandler::GetInstance();
    if (focused) {
        m_caret.Touch();
        if (m_keyboardType != DoNotChange && sip)
            sip->SetConversionMode(m_keyboardType);
        if (!(m_styles & ReadOnly) && sip)
            sip->Show();
        if ((m_styles & (Password | ReadOnly)) == Password)
            DetachInputMethod(true);
        m_refresh.Start();
    } else {
        if (!(m_styles & ReadOnly) && sip)
            sip->RequestHide();
        DetachInputMethod(false);
        // A syllable the input method never finished here stays as it stands.
        if (m_composing)
            CollapseSelection();
        m_refresh.Stop();
        if (m_flashing) {
            m_flashing = false;
            Invalidate();
        }
    }
    UpdateTextGuide();
    return true;
}

bool UxEdit::OnVisibleChanged(bool visible)
{
    if (visible)
        m_textGuide.SetVisible(!IsFocused() && IsEmpty());
    return true;
}

bool UxEdit::OnRectChanged(const plat::RECT& rect)
{
    UxScrollWindow::OnRectChanged(rect);
    // A one-line edit's line keeps to the middle of its height.
    if (rect.right - rect.left != m_layoutWidth
        || ((m_styles & SingleLine) && rect.bottom - rect.top != m_layoutHeight))
        Relayout();
    PlaceTextGuide();
    return true;
}

bool UxEdit::OnPointerHold(int32_t x, int32_t y)
{
    bool result = UxWindow::OnPointerHold(x, y);
    if ((m_styles & ReadOnly) || !m_begin)
        return result;
    m_composing = false;
    m_caret.Invalidate();
    plat::POINT client = ScreenToClient(plat::POINT { x, y });
    plat::POINT at { client.x - GetXAxis().GetOffset(), client.y - GetYAxis().GetOffset() };
    UxEditGlyph* g = m_document.HitTest(at);
    if (g == m_begin)
        m_caret.Set(m_begin, m_begin->GetNextGlyph());
    else if (g)
        m_caret.Set(g->GetPrevGlyph(), g);
    else
        m_caret.Set(m_end->GetPrevGlyph(), m_end);
    if (UxTextStyleHandle* style = m_caret.GetStart()->GetStyle())
        m_newStyle = style;
    m_caret.Touch();
    m_caret.Invalidate();
    return result;
}

bool UxEdit::ScrollPageNow(uintptr_t key)
{
    int32_t offset = 0;
    if (!PageTarget(key, offset))
        return false;
    ScrollYTo(offset);
    return true;
}

bool UxEdit::OnScrollKey(uintptr_t key)
{
    if (!ScrollsVertically())
        return UxWindow::OnScrollKey(key);
    return ScrollPageNow(key);
}

int32_t UxEdit::GetScrollLine()
{
    return m_newStyle ? std::max(1, m_newStyle->GetCellHeight()) : UxScrollWindow::GetScrollLine();
}

bool UxEdit::IsTabStop() const
{
    return m_begin && !(m_styles & ReadOnly) && !GetPointerTracker().IsDisabled();
}

bool UxEdit::TakesKeys() const
{
    return m_begin && !GetPointerTracker().IsDisabled() && (m_styles & (ReadOnly | SingleLine)) != (ReadOnly | SingleLine);
}

bool UxEdit::TakesCaretKey(uintptr_t key) const
{
    return (key == plat::VK_HOME || key == plat::VK_END) && m_begin && !(m_styles & ReadOnly);
}

void UxEdit::CommitComposition()
{
    if (!m_composing)
        return;
    CollapseSelection();
    if (UxSipHandler* sip = UxSipHandler::GetInstance())
        sip->CancelComposition();
}

void UxEdit::SelectAll()
{
    if (!m_begin)
        return;
    CommitComposition();
    m_caret.Invalidate();
    m_caret.Set(m_begin, m_end);
    m_caret.Touch();
    Invalidate();
}

bool UxEdit::CopySelection()
{
    if (!m_begin || (m_styles & Password))
        return false;
    // A syllable being composed is typed, not chosen: it goes in, and nothing is selected
    // after it, so the clipboard keeps what it had.
    CommitComposition();
    if (!m_caret.HasSelection())
        return false;
    return plat::SetClipboardText(GetSelectedText());
}

bool UxEdit::CutSelection()
{
    if ((m_styles & ReadOnly) || !CopySelection())
        return false;
    InsertChar(0);
    return true;
}

bool UxEdit::Paste()
{
    plat::Display* display = plat::GetDisplay();
    if (!m_begin || (m_styles & ReadOnly) || !display)
        return false;
    CommitComposition();
    if (m_pasteRead)
        return true; // the text on its way goes in once
    // The clipboard's owner answers in its own time; the keys typed meanwhile wait.
    m_pasteRead = display->ReadClipboard([this](const std::wstring& text) {
        m_pasteRead = 0;
        PasteText(text);
    });
    return true;
}

void UxEdit::PasteText(const std::wstring& clipboard)
{
    size_t beyond = 0;
    const std::wstring text = PlainText(clipboard, (m_styles & SingleLine) != 0, beyond);
    if (!m_begin || (m_styles & ReadOnly) || text.empty())
        return;
    Insert(text);
    const size_t leftOut = size_t(m_dropped) + beyond;
    // The text changed without a character typed: reported as Tab's deletion is, a
    // character 0, so that whoever follows the text (a search) hears of it.
    UxWindow::OnChar(0, 0);
    if (leftOut > 0 && m_overflow) {
        const bool perPaste = m_maxInput <= 0 || m_maxInput > kMaxPaste;
        m_overflow(Overflow { perPaste ? kMaxPaste : m_maxInput, perPaste, leftOut });
    }
}

bool UxEdit::OnKeyDown(uintptr_t key, intptr_t keyData)
{
    const bool control = plat::IsKeyHeld(plat::VK_CONTROL), alt = plat::IsKeyHeld(plat::VK_MENU);
    if (!alt && MoveCaret(key, plat::IsKeyHeld(plat::VK_SHIFT), control))
        return UxScrollWindow::OnKeyDown(key, keyData);
    if (control && !alt) {
        bool changed = false;
        switch (key) {
        case 'A':
            SelectAll();
            break;
        case 'C':
            CopySelection();
            break;
        case 'X':
            changed = CutSelection();
            break;
        case 'V':
            Paste(); // tells of the change when the text has come
            break;
        default:
            break;
        }
        // The text changed without a character typed: reported as Tab's deletion is, a
        // character 0, so that whoever follows the text (a search) hears of it.
        if (changed)
            UxWindow::OnChar(0, keyData);
        return UxScrollWindow::OnKeyDown(key, keyData);
    }
    if (ScrollPageNow(key))
        return UxScrollWindow::OnKeyDown(key, keyData);
    switch (key) {
    case plat::VK_DELETE:
        if (!(m_styles & ReadOnly) && m_begin) {
            // Nothing selected: the glyph after the caret, unless it is the end anchor.
            if (!m_caret.HasSelection() && m_caret.GetEnd() != m_end)
                m_caret.Set(m_caret.GetStart(), m_caret.GetEnd()->GetNextGlyph());
            if (m_caret.HasSelection()) {
                InsertChar(0);
                // Told as a cut is, so that a search follows the text.
                UxWindow::OnChar(0, keyData);
            }
        }
        break;
    default:
        break;
    }
    return UxScrollWindow::OnKeyDown(key, keyData);
}

bool UxEdit::OnChar(uintptr_t character, intptr_t keyData)
{
    if (m_styles & ReadOnly)
        return true;
    wchar_t c = wchar_t(character);
    switch (c) {
    case 8:
        // Nothing selected: the glyph before the caret, unless it is the begin anchor.
        if (m_begin && !m_caret.HasSelection() && m_caret.GetStart() != m_begin)
            m_caret.SetStart(m_caret.GetStart()->GetPrevGlyph());
        if (m_caret.HasSelection())
            InsertChar(0);
        break;
    case 9:
    case 27:
        InsertChar(0);
        c = 0;
        break;
    default:
        InsertChar(c);
        if (m_dropped > 0)
            Refuse();
        break;
    }
    return UxScrollWindow::OnChar(uintptr_t(c), keyData);
}

bool UxEdit::OnImeComposition(uintptr_t character, intptr_t mode)
{
    if (m_styles & ReadOnly)
        return true;
    if (mode == 1) {
        // The composing syllable stays selected so the next update or the commit replaces
        // it. A dropped character (past MaxInput, or no digit) leaves the selection where
        // it is, and the input method forgets it: otherwise the next keys, Backspace
        // above all, would go on composing a syllable nobody sees.
        if (Insert(std::wstring(1, wchar_t(character))) > 0) {
            m_caret.SetStart(m_caret.GetStart()->GetPrevGlyph());
            m_composing = true;
        } else {
            if (m_dropped > 0)
                Refuse();
            if (UxSipHandler* sip = UxSipHandler::GetInstance())
                sip->CancelComposition();
        }
    } else if (mode == 2) {
        InsertChar(0);
    }
    return UxScrollWindow::OnImeComposition(character, mode);
}

bool UxEdit::OnGetSelection(uintptr_t word1, intptr_t word2)
{
    if (m_styles & ReadOnly)
        return true;
    int32_t start = 0, end = 0;
    GetSelection(start, end);
    if (word1)
        *reinterpret_cast<uint32_t*>(word1) = uint32_t(start);
    if (word2)
        *reinterpret_cast<uint32_t*>(word2) = uint32_t(end);
    UxDeviceMessageHandler::Result = plat::LRESULT(uint32_t(start & 0xFFFF) | uint32_t(end & 0xFFFF) << 16);
    return true;
}

bool UxEdit::OnSetSelection(uintptr_t start, intptr_t end)
{
    if ((m_styles & ReadOnly) || !m_begin)
        return true;
    // Positions run from 1 (after the begin anchor) to the end anchor's; a reversed pair
    // selects the same glyphs.
    int64_t s = int64_t(intptr_t(start)), e = int64_t(end);
    if (e < s)
        std::swap(s, e);
    s = std::clamp<int64_t>(s, 1, m_length + 1);
    e = std::clamp<int64_t>(e, s, m_length + 1);
    UxEditGlyph* first = m_begin;
    for (int64_t i = 1; i < s; ++i)
        first = first->GetNextGlyph();
    UxEditGlyph* last = first;
    for (int64_t i = s; i <= e; ++i)
        last = last->GetNextGlyph();
    if (m_composing) {
        m_composing = false;
        Invalidate();
    }
    m_caret.Invalidate();
    m_caret.Set(first, last);
    m_caret.Touch();
    m_caret.Invalidate();
    return true;
}

bool UxEdit::OnReplaceSelection(intptr_t text1, intptr_t)
{
    if ((m_styles & ReadOnly) || !text1)
        return true;
    InsertText(reinterpret_cast<const wchar_t*>(text1));
    return true;
}

bool UxEdit::OnChildEvent(UxWindow* child, int32_t code)
{
    if (child == &m_textGuide) {
        if (code == EventPointerDown && TakesKeys())
            SetFocus(true);
        if (UxWindow* parent = GetParent())
            parent->OnChildEvent(this, code);
    }
    return true;
}

void UxEdit::OnChildPressEnded(UxWindow* child)
{
    // The guide's presses are the edit's own to those around it.
    if (UxWindow* parent = GetParent(); parent && child == &m_textGuide)
        parent->OnChildPressEnded(this);
}

bool UxEdit::PaintBackground(UxDeviceContext* surface, const plat::RECT& rect)
{
    surface->FillRect(GetBackColor(), rect);
    return true;
}

bool UxEdit::PaintContent(UxDeviceContext* surface, const plat::RECT& dest, const plat::RECT& content)
{
    plat::POINT origin { dest.left - content.left, dest.top - content.top };
    bool drawn = m_document.Draw(*surface, origin, content);
    if (m_composing)
        PaintComposition(*surface, origin, dest);
    else if (m_marked)
        PaintSelection(*surface, origin, dest, m_begin, m_end);
    else if (m_caret.HasSelection() && IsFocused())
        PaintSelection(*surface, origin, dest, m_caret.GetStart(), m_caret.GetEnd());
    if (IsFlashing() && MakeTint()) {
        const float t = float(UxClock::Since(m_flashAt, Now())) / float(kFlashMs);
        UxEasingFunction ease = GetEasing(20);
        const float faded = std::clamp(ease ? ease(t, 0.0f, 1.0f, 1.0f) : t, 0.0f, 1.0f);
        const auto alpha = uint8_t(float(kFlashAlpha) * (1.0f - faded));
        if (alpha > 0)
            surface->AlphaBlend(m_tint.GetDC(), dest, plat::RECT { 0, 0, 1, 1 }, alpha);
    }
    // Unfocused, the caret would only paint the back colour over the glyph it stands at.
    if (!(m_styles & ReadOnly) && IsFocused())
        m_caret.Draw(*surface, dest);
    return drawn;
}

void UxEdit::PaintComposition(UxDeviceContext& surface, const plat::POINT& origin, const plat::RECT& clip)
{
    for (UxEditGlyph* g = m_caret.GetStart()->GetNextGlyph(); g && g != m_caret.GetEnd(); g = g->GetNextGlyph()) {
        const plat::RECT& r = g->GetRect();
        plat::RECT line { r.left + origin.x, r.bottom - 2 + origin.y, r.right + origin.x, r.bottom + origin.y };
        plat::RECT visible;
        if (UxTextStyleHandle* style = g->GetStyle(); style && IntersectRect(line, clip, &visible))
            surface.FillRect(style->TextColor, visible);
    }
}

void UxEdit::SetMarked(bool marked)
{
    if (marked == m_marked)
        return;
    m_marked = marked;
    Invalidate();
}

void UxEdit::PaintSelection(
    UxDeviceContext& surface, const plat::POINT& origin, const plat::RECT& clip, UxEditGlyph* first, UxEditGlyph* end)
{
    if (!first || !MakeTint())
        return;
    // One band for each line's run of selected glyphs.
    auto blend = [&](const plat::RECT& band) {
        plat::RECT shown;
        if (IntersectRect(OffsetRect(band, origin.x, origin.y), clip, &shown))
            surface.AlphaBlend(m_tint.GetDC(), shown, plat::RECT { 0, 0, 1, 1 }, kSelectionAlpha);
    };
    plat::RECT band {};
    const UxEditNode* line = nullptr;
    for (UxEditGlyph* g = first->GetNextGlyph(); g && g != end; g = g->GetNextGlyph()) {
        if (g->GetParent() != line) {
            if (line)
                blend(band);
            line = g->GetParent();
            band = g->GetRect();
        } else {
            UnionRect(band, g->GetRect());
        }
    }
    if (line)
        blend(band);
}

void UxEdit::DetachInputMethod(bool detach)
{
    if (detach == m_imeDetached)
        return;
    UxDeviceWindow* device = UxDeviceWindow::GetInstance();
    plat::HWND window = device ? device->GetHandle() : nullptr;
    if (detach)
        m_imeContext = plat::ImmAssociateContext(window, 0);
    else
        plat::ImmAssociateContext(window, m_imeContext);
    m_imeDetached = detach;
}

bool UxEdit::MakeTint()
{
    const plat::COLORREF colour = m_caret.GetTextColour();
    if (!m_tintMade || m_tintColour != colour) {
        m_tintMade = m_tint.Create() && m_tint.Fill(colour);
        m_tintColour = colour;
    }
    return m_tintMade;
}

void UxEdit::Refuse()
{
    // Only the box being typed into shows it; its refresh timer fades it.
    if (!IsFocused())
        return;
    m_flashing = true;
    m_flashAt = Now();
    Invalidate();
    m_refresh.Start();
}

bool UxEdit::IsFlashing() const
{
    return m_flashing && UxClock::Since(m_flashAt, Now()) < kFlashMs;
}

bool UxEdit::StepFlash()
{
    if (!m_flashing)
        return false;
    // One more paint after the end takes the last of the tint away.
    m_flashing = IsFlashing();
    return true;
}

bool UxEdit::MoveCaret(uintptr_t key, bool shift, bool control)
{
    if (!m_begin || (m_styles & ReadOnly) || !m_caret.GetStart())
        return false;
    const bool vertical = key == plat::VK_UP || key == plat::VK_DOWN;
    if (vertical
            ? (m_styles & SingleLine) != 0
            : key != plat::VK_LEFT && key != plat::VK_RIGHT && key != plat::VK_HOME && key != plat::VK_END)
        return false;
    // A syllable being composed goes in where it was typed; the caret moves from after it.
    CommitComposition();
    const Place from { m_caret.GetCaretGlyph(), m_caret.IsAtLineEnd() };
    if (vertical) {
        int32_t x = 0;
        const UxEditLine* line = CaretLine(x);
        if (!line)
            return true;
        const int32_t column = m_caret.GetColumn() >= 0 ? m_caret.GetColumn() : x;
        const UxEditLine* next = key == plat::VK_UP ? LineAbove(line) : LineBelow(line);
        // Past the first or the last line: the start or the end of the text.
        Place to { key == plat::VK_UP ? m_begin->GetNextGlyph() : m_end };
        if (next)
            to = InLine(next, column);
        PutCaret(to, shift);
        m_caret.SetColumn(column);
        return true;
    }
    // A selection given up by Left or Right leaves the caret at its own side.
    if (!shift && !control && m_caret.HasSelection() && (key == plat::VK_LEFT || key == plat::VK_RIGHT)) {
        PutCaret(
            Place { key == plat::VK_LEFT ? m_caret.GetStart()->GetNextGlyph() : m_caret.GetEnd() }, false);
        return true;
    }
    PutCaret(Target(key, control, from), shift);
    return true;
}

UxEdit::Place UxEdit::Target(uintptr_t key, bool control, const Place& from)
{
    UxEditGlyph* first = m_begin->GetNextGlyph();
    // A password's words would tell where its spaces are: Control goes to its ends.
    const bool password = (m_styles & Password) != 0;
    switch (key) {
    case plat::VK_LEFT:
        if (control)
            return Place { password ? first : WordStartBefore(from.at) };
        return Place { from.at == first ? first : from.at->GetPrevGlyph() };
    case plat::VK_RIGHT:
        if (control)
            return Place { password ? m_end : NextWordStart(from.at) };
        return Place { from.at == m_end ? m_end : from.at->GetNextGlyph() };
    case plat::VK_HOME:
    case plat::VK_END: {
        int32_t x = 0;
        const UxEditLine* line = control ? nullptr : CaretLine(x);
        if (!line)
            return Place { key == plat::VK_HOME ? first : m_end };
        if (key == plat::VK_HOME)
            return Place { line->GetFirstGlyph() == m_begin ? first : line->GetFirstGlyph() };
        // In front of the line's break (or the text's end); after the last glyph of a
        // wrapped line.
        UxEditGlyph* last = line->GetLastGlyph();
        if (last != m_begin && IsKindOf(last, &UxRuntimeClass::EditGlyphAnchor))
            return Place { last };
        return Place { last->GetNextGlyph() ? last->GetNextGlyph() : m_end, true };
    }
    default:
        return from;
    }
}

UxEditLine* UxEdit::CaretLine(int32_t& x) const
{
    const UxEditGlyph* at = m_caret.GetCaretGlyph();
    if (!at)
        return nullptr;
    const plat::RECT caret = m_caret.GetDocumentRect();
    x = caret.left;
    return m_caret.IsAtLineEnd() ? at->GetPrevGlyph()->GetLine() : at->GetLine();
}

UxEdit::Place UxEdit::InLine(const UxEditLine* line, int32_t x) const
{
    for (UxEditGlyph* g = line->GetFirstGlyph(); g; g = g->GetNextGlyph()) {
        if (g != m_begin) {
            const plat::RECT& r = g->GetRect();
            if (IsKindOf(g, &UxRuntimeClass::EditGlyphAnchor) || x < (r.left + r.right) / 2)
                return Place { g };
        }
        if (g == line->GetLastGlyph())
            return Place { g->GetNextGlyph() ? g->GetNextGlyph() : m_end, true };
    }
    return Place { m_end };
}

UxEditGlyph* UxEdit::WordStartBefore(UxEditGlyph* at) const
{
    UxEditGlyph* g = at->GetPrevGlyph();
    while (g && g != m_begin && KindOf(g) == WordKind::Blank)
        g = g->GetPrevGlyph();
    if (!g || g == m_begin)
        return m_begin->GetNextGlyph();
    const WordKind kind = KindOf(g);
    while (g->GetPrevGlyph() != m_begin && KindOf(g->GetPrevGlyph()) == kind)
        g = g->GetPrevGlyph();
    return g;
}

UxEditGlyph* UxEdit::NextWordStart(UxEditGlyph* at) const
{
    UxEditGlyph* g = at;
    if (g != m_end && KindOf(g) != WordKind::Blank) {
        const WordKind kind = KindOf(g);
        while (g != m_end && KindOf(g) == kind)
            g = g->GetNextGlyph();
    }
    while (g != m_end && KindOf(g) == WordKind::Blank)
        g = g->GetNextGlyph();
    return g;
}

void UxEdit::PutCaret(const Place& place, bool extend)
{
    const bool hadSelection = m_caret.HasSelection();
    m_caret.Invalidate();
    UxEditGlyph* fixed = extend ? m_caret.GetFixedGlyph() : place.at;
    // Stretched backwards, the caret moves with the selection's start.
    const bool backwards = place.at != fixed && UxEditNode::Index(place.at) < UxEditNode::Index(fixed);
    if (backwards) {
        m_caret.Set(place.at->GetPrevGlyph(), fixed);
        m_caret.SetMovingStart(true);
    } else {
        m_caret.Set(fixed->GetPrevGlyph(), place.at);
    }
    m_caret.SetAtLineEnd(place.lineEnd);
    if (UxTextStyleHandle* style = m_caret.GetStart()->GetStyle())
        m_newStyle = style;
    m_caret.Touch();
    if (hadSelection || m_caret.HasSelection())
        Invalidate();
    else
        m_caret.Invalidate();
    ScrollToCaret();
}
