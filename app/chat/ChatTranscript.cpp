#include "app/chat/ChatTranscript.h"

#include "ux/core/UxRect.h"
#include "ux/core/UxText.h"
#include "ux/graphics/UxDeviceContext.h"
#include "ux/graphics/UxTextItem.h"
#include "ux/markup/UxXmlNode.h"
#include "ux/widgets/UxEdit.h"

#include <algorithm>

static_assert(sizeof(wchar_t) == 4, "emoticon marks lie outside the 16-bit range");

namespace {

// Emoticons stand in the text as characters of this private-use plane; text from
// others that uses the plane is shown as the replacement character.
constexpr wchar_t kMarkBase = 0xF0000;
constexpr wchar_t kMarkEnd = 0x110000;
constexpr size_t kMaxPictures = size_t(kMarkEnd - kMarkBase);
// Pictures come from the skin; a line holds nothing taller or wider than this.
constexpr int32_t kMaxSide = 256;
// A paragraph names its style by a 16-bit index; the styles of a conversation are few
// (one a kind of line), and any beyond these share the last.
constexpr size_t kMaxStyles = 0xFFFF;

} // namespace

ChatTranscript::ChatTranscript()
{
    // Lines wrap to the view's width: there is nothing to drag sideways.
    GetXAxis().SetDraggable(false);
    // The text's fill and the background leave no pixel undrawn.
    SetOpaque(true);
}

ChatTranscript::~ChatTranscript() = default;

bool ChatTranscript::ApplySkin(UxXmlNode* node)
{
    if (!UxScrollWindow::ApplySkin(node))
        return false;
    UxTextStyle style;
    UxTextItem::ReadStyleSkin(node, style);
    // A marked line looks as text selected in an edit does: the text's colour, lightly,
    // over the background.
    auto mix = [&](int shift) {
        const int text = int(style.TextColor >> shift & 0xFF), back = int(style.BackColor >> shift & 0xFF);
        return plat::COLORREF(back + (text - back) * UxEdit::kSelectionAlpha / 255) << shift;
    };
    m_markColor = mix(0) | mix(8) | mix(16);
    return SetStyle(style);
}

bool ChatTranscript::SetStyle(const UxTextStyle& style)
{
    UxTextStyleHandle* handle = m_styles.Select(style);
    if (!handle)
        return false;
    m_style = handle;
    return true;
}

int32_t ChatTranscript::LayoutWidth() const
{
    return std::max(1, GetWidth() - const_cast<ChatTranscript*>(this)->GetXIndicator().GetThickness());
}

uint16_t ChatTranscript::StyleIndex(UxTextStyleHandle* style)
{
    auto found = std::find(m_styleTable.begin(), m_styleTable.end(), style);
    if (found != m_styleTable.end())
        return uint16_t(found - m_styleTable.begin());
    if (m_styleTable.size() >= kMaxStyles)
        return uint16_t(kMaxStyles - 1);
    m_styleTable.push_back(style);
    return uint16_t(m_styleTable.size() - 1);
}

void ChatTranscript::Append(char32_t c)
{
    if (c == U'\r')
        return;
    const uint16_t style = StyleIndex(m_style);
    if (m_paragraphs.empty())
        m_paragraphs.push_back({ uint32_t(m_text.size()), m_height, style, 0 });
    if (c == U'\n') {
        m_paragraphs.push_back({ uint32_t(m_text.size()), m_height, style, 0 });
        m_lastLength = 0;
        return;
    }
    Paragraph& p = m_paragraphs.back();
    const uint32_t index = uint32_t(m_paragraphs.size() - 1);
    if (m_lastLength == 0) {
        p.style = style;
    } else {
        const uint16_t current = p.restyled ? m_runs.back().style : p.style;
        if (current != style) {
            m_runs.push_back({ index, uint32_t(m_lastLength), style });
            p.restyled = 1;
        }
    }
    AppendUtf16(m_text, c);
    ++m_lastLength;
}

void ChatTranscript::InsertText(const std::wstring& text)
{
    if (text.empty() || !m_style)
        return;
    const size_t first = m_paragraphs.empty() ? 0 : m_paragraphs.size() - 1;
    // Text that goes on the last row may wrap it anew; a new paragraph leaves it alone.
    const int32_t from = text.front() == L'\n' ? m_height : m_lastRowTop;
    for (wchar_t c : text)
        Append(c >= kMarkBase && c < kMarkEnd ? U'\xFFFD' : char32_t(c));
    Changed(first, from);
}

bool ChatTranscript::InsertImage(const UxDrawItem& emoticon)
{
    if (!m_style)
        return false;
    size_t index = 0;
    while (index < m_pictures.size() && m_pictures[index].code != emoticon.Text)
        ++index;
    if (index == m_pictures.size()) {
        if (index >= kMaxPictures)
            return false;
        Picture picture;
        picture.code = emoticon.Text;
        picture.item = std::make_unique<UxImageItem>();
        if (!picture.item->Load(emoticon.Desc))
            return false;
        const UxImageDesc& desc = picture.item->GetDesc();
        const bool sized = desc.TargetSize.x != 0 || desc.TargetSize.y != 0;
        picture.width = std::clamp(sized ? desc.TargetSize.x : desc.ImageCoord.right - desc.ImageCoord.left, 0, kMaxSide);
        picture.height
            = std::clamp(sized ? desc.TargetSize.y : desc.ImageCoord.bottom - desc.ImageCoord.top, 0, kMaxSide);
        m_pictures.push_back(std::move(picture));
    }
    const size_t first = m_paragraphs.empty() ? 0 : m_paragraphs.size() - 1;
    const int32_t from = m_lastRowTop;
    Append(char32_t(kMarkBase) + char32_t(index));
    Changed(first, from);
    return true;
}

const ChatTranscript::Picture* ChatTranscript::PictureOf(wchar_t c) const
{
    if (c < kMarkBase || c >= kMarkEnd || size_t(c - kMarkBase) >= m_pictures.size())
        return nullptr;
    return &m_pictures[size_t(c - kMarkBase)];
}

std::wstring ChatTranscript::TextOf(size_t i) const
{
    const size_t start = m_paragraphs[i].start;
    const size_t end = i + 1 < m_paragraphs.size() ? m_paragraphs[i + 1].start : m_text.size();
    return FromUtf16(reinterpret_cast<const uint16_t*>(m_text.data() + start), end - start);
}

void ChatTranscript::Lay(size_t i, Laid& laid) const
{
    const Paragraph& p = m_paragraphs[i];
    laid.text = TextOf(i);
    laid.rows.clear();
    // The style of each character, from the paragraph's own and its later changes.
    laid.styles.assign(laid.text.size(), m_styleTable[p.style]);
    if (p.restyled) {
        auto run = std::lower_bound(m_runs.begin(), m_runs.end(), uint32_t(i),
            [](const StyleRun& r, uint32_t paragraph) { return r.paragraph < paragraph; });
        for (; run != m_runs.end() && run->paragraph == i; ++run)
            std::fill(laid.styles.begin() + std::min<size_t>(run->start, laid.text.size()), laid.styles.end(),
                m_styleTable[run->style]);
    }
    const std::wstring& text = laid.text;
    if (text.empty()) {
        UxTextStyleHandle* style = m_styleTable[p.style];
        laid.rows.push_back({ 0, style ? style->GetCellHeight() : 0 });
        laid.height = laid.rows.back().height;
        return;
    }
    // Rows break after their last space, as the edit box's lines do; a word wider than
    // the field breaks between its characters. A space stays at the end of the row it
    // ends, even past the edge.
    const int32_t width = LayoutWidth();
    std::vector<int32_t> heights(text.size());
    int32_t x = 0;
    uint32_t afterSpace = 0; // where the row could break, 0: nowhere yet
    int32_t xAfterSpace = 0;
    for (uint32_t c = 0; c < text.size(); ++c) {
        int32_t w = 0;
        if (const Picture* picture = PictureOf(text[c])) {
            w = picture->width;
            heights[c] = picture->height;
        } else if (UxTextStyleHandle* style = laid.styles[c]) {
            const plat::SIZE size = style->Measure(text[c]);
            w = size.cx;
            heights[c] = size.cy;
        }
        const bool space = text[c] == L' ' || text[c] == L'\t';
        if (laid.rows.empty()) {
            laid.rows.push_back({ c, 0 });
        } else if (x > 0 && x + w > width && !space) {
            if (afterSpace > laid.rows.back().start) {
                laid.rows.push_back({ afterSpace, 0 });
                x -= xAfterSpace;
            } else {
                laid.rows.push_back({ c, 0 });
                x = 0;
            }
            afterSpace = 0;
        }
        x += w;
        if (space) {
            afterSpace = c + 1;
            xAfterSpace = x;
        }
    }
    laid.height = 0;
    for (size_t r = 0; r < laid.rows.size(); ++r) {
        const uint32_t end = r + 1 < laid.rows.size() ? laid.rows[r + 1].start : uint32_t(text.size());
        for (uint32_t c = laid.rows[r].start; c < end; ++c)
            laid.rows[r].height = std::max(laid.rows[r].height, heights[c]);
        laid.height += laid.rows[r].height;
    }
}

int32_t ChatTranscript::HeightOf(size_t i) const
{
    return (i + 1 < m_paragraphs.size() ? m_paragraphs[i + 1].top : m_height) - m_paragraphs[i].top;
}

size_t ChatTranscript::ParagraphAt(int32_t y) const
{
    // The last paragraph that starts at or above y; it reaches y unless y lies past the end.
    auto after = std::upper_bound(m_paragraphs.begin(), m_paragraphs.end(), y,
        [](int32_t at, const Paragraph& p) { return at < p.top; });
    size_t i = after == m_paragraphs.begin() ? 0 : size_t(after - m_paragraphs.begin()) - 1;
    // Empty paragraphs take no room: the one that reaches y is the first with height.
    while (i < m_paragraphs.size() && m_paragraphs[i].top + HeightOf(i) <= y)
        ++i;
    return i;
}

void ChatTranscript::Changed(size_t first, int32_t from)
{
    m_layoutWidth = GetWidth();
    const int32_t before = m_height;
    int32_t top = first < m_paragraphs.size() ? m_paragraphs[first].top : m_height;
    Laid laid;
    for (size_t i = first; i < m_paragraphs.size(); ++i) {
        m_paragraphs[i].top = top;
        Lay(i, laid);
        top += laid.height;
    }
    m_height = top;
    // The loop ended on the last paragraph, whose last row the next text may wrap anew.
    m_lastRowTop = first < m_paragraphs.size() ? m_height - laid.rows.back().height : m_height;
    SetContentSize(LayoutWidth(), m_height);
    // Only what changed is drawn anew; following the end moves the rest of the picture.
    InvalidateContent(plat::RECT { 0, from, GetWidth(), std::max(before, m_height) });
    ScrollToEnd();
}

std::vector<uint32_t> ChatTranscript::GetLastRowStarts() const
{
    std::vector<uint32_t> starts;
    if (m_paragraphs.empty())
        return starts;
    Laid laid;
    Lay(m_paragraphs.size() - 1, laid);
    for (const Row& row : laid.rows)
        starts.push_back(row.start);
    return starts;
}

size_t ChatTranscript::GetStoredBytes() const
{
    return m_text.capacity() * sizeof(char16_t) + m_paragraphs.capacity() * sizeof(Paragraph)
        + m_runs.capacity() * sizeof(StyleRun);
}

void ChatTranscript::ScrollToEnd()
{
    UxScrollAxis& y = GetYAxis();
    const int32_t target = std::min(0, y.GetViewSize() - m_height);
    if (y.GetOffset() != target)
        y.SetPosition(target);
}

bool ChatTranscript::OnRectChanged(const plat::RECT& rect)
{
    UxScrollWindow::OnRectChanged(rect);
    // A new width wraps every line anew; a new height keeps the layout.
    if (rect.right - rect.left != m_layoutWidth && !m_paragraphs.empty())
        Changed(0, 0);
    return true;
}

bool ChatTranscript::PaintBackground(UxDeviceContext* surface, const plat::RECT& rect)
{
    surface->FillRect(m_style ? m_style->BackColor : 0xFFFFFF, rect);
    return true;
}

bool ChatTranscript::PaintContent(UxDeviceContext* surface, const plat::RECT& dest, const plat::RECT& content)
{
    const plat::POINT origin { dest.left - content.left, dest.top - content.top };
    surface->FillRect(m_style ? m_style->BackColor : 0xFFFFFF, dest);
    plat::RECT marked;
    if (IsMarked() && IntersectRect(MarkedBand(), content, &marked))
        surface->FillRect(m_markColor, OffsetRect(marked, origin.x, origin.y));
    Laid laid;
    for (size_t i = ParagraphAt(content.top); i < m_paragraphs.size() && m_paragraphs[i].top < content.bottom;
         ++i) {
        Lay(i, laid);
        int32_t top = m_paragraphs[i].top;
        for (size_t r = 0; r < laid.rows.size(); ++r) {
            if (top + laid.rows[r].height > content.top && top < content.bottom)
                DrawRow(*surface, laid, r, top, origin, content);
            top += laid.rows[r].height;
        }
    }
    return true;
}

void ChatTranscript::DrawRow(UxDeviceContext& dc, const Laid& laid, size_t r, int32_t top,
    const plat::POINT& origin, const plat::RECT& clip)
{
    const Row& row = laid.rows[r];
    const uint32_t end = r + 1 < laid.rows.size() ? laid.rows[r + 1].start : uint32_t(laid.text.size());
    const int32_t bottom = top + row.height;
    plat::RECT band;
    if (!IntersectRect(plat::RECT { clip.left, top, clip.right, bottom }, clip, &band))
        return;
    const plat::RECT surfaceClip = OffsetRect(band, origin.x, origin.y);
    const std::wstring& text = laid.text;
    int32_t x = 0;
    uint32_t i = row.start;
    while (i < end) {
        if (const Picture* picture = PictureOf(text[i])) {
            const plat::RECT r { x, bottom - picture->height, x + picture->width, bottom };
            plat::RECT shown;
            if (IntersectRect(r, band, &shown))
                picture->item->Draw(dc, OffsetRect(shown, origin.x, origin.y),
                    OffsetRect(shown, -r.left, -r.top), plat::POINT { picture->width, picture->height });
            x += picture->width;
            ++i;
            continue;
        }
        // The characters up to the next picture or change of style are one call.
        UxTextStyleHandle* style = laid.styles[i];
        uint32_t j = i;
        int32_t width = 0;
        while (j < end && !PictureOf(text[j]) && laid.styles[j] == style) {
            width += style ? style->Measure(text[j]).cx : 0;
            ++j;
        }
        UxFont* font = style ? style->GetFont() : nullptr;
        if (font && x < clip.right && x + width > clip.left) {
            dc.SelectFont(font, UxDeviceContext::Borrowed);
            dc.SetBackMode(1);
            dc.SetTextColor(style->TextColor);
            const int32_t cell = style->GetCellHeight();
            dc.TextOut(text.substr(i, j - i), plat::POINT { x + origin.x, bottom - cell + origin.y }, surfaceClip);
            dc.SelectFont(nullptr, UxDeviceContext::Borrowed);
        }
        x += width;
        i = j;
    }
}

std::wstring ChatTranscript::ShownText(size_t i) const
{
    std::wstring text;
    for (wchar_t c : TextOf(i)) {
        const Picture* picture = PictureOf(c);
        text += picture ? picture->code : std::wstring(1, c);
    }
    return text;
}

std::wstring ChatTranscript::GetText() const
{
    std::wstring text;
    for (size_t i = 0; i < m_paragraphs.size(); ++i) {
        if (i)
            text += L'\n';
        text += ShownText(i);
    }
    return text;
}

size_t ChatTranscript::LineAt(int32_t y) const
{
    const int32_t content = y - GetYAxis().GetOffset();
    if (m_paragraphs.empty() || content < 0)
        return m_paragraphs.size();
    const size_t i = ParagraphAt(content);
    return i < m_paragraphs.size() && content >= m_paragraphs[i].top ? i : m_paragraphs.size();
}

std::wstring ChatTranscript::GetLineAt(int32_t y) const
{
    const size_t i = LineAt(y);
    return i < m_paragraphs.size() ? ShownText(i) : L"";
}

plat::RECT ChatTranscript::MarkedBand() const
{
    const int32_t top = m_paragraphs[m_marked].top;
    return { 0, top, GetWidth(), top + HeightOf(m_marked) };
}

plat::RECT ChatTranscript::MarkLineAt(int32_t y)
{
    Unmark();
    m_marked = LineAt(y);
    if (!IsMarked())
        return {};
    const plat::RECT band = MarkedBand();
    InvalidateContent(band);
    plat::RECT shown;
    if (!IntersectRect(OffsetRect(band, 0, GetYAxis().GetOffset()), GetClientRect(), &shown))
        return {};
    return shown;
}

void ChatTranscript::Unmark()
{
    if (!IsMarked())
        return;
    InvalidateContent(MarkedBand());
    m_marked = SIZE_MAX;
}

int32_t ChatTranscript::GetScrollLine()
{
    return m_style ? std::max(1, m_style->GetCellHeight()) : UxScrollWindow::GetScrollLine();
}

int64_t ChatTranscript::GetColorAt(size_t index) const
{
    Laid laid;
    for (size_t p = 0; p < m_paragraphs.size(); ++p) {
        Lay(p, laid);
        for (uint32_t i = 0; i < laid.text.size(); ++i) {
            const Picture* picture = PictureOf(laid.text[i]);
            const size_t length = picture ? picture->code.size() : 1;
            if (index < length)
                return laid.styles[i] ? int64_t(laid.styles[i]->TextColor) : -1;
            index -= length;
        }
        if (index == 0)
            return -1; // the line break
        --index;
    }
    return -1;
}
