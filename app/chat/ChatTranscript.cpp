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

void ChatTranscript::Flow::Take(int32_t width, int32_t w, int32_t h, bool space, uint32_t count)
{
    const uint32_t c = chars;
    if (rows.empty()) {
        rows.push_back({ 0, 0, 0, 0 });
    } else if (x > 0 && x + w > width && !space) {
        const Row last = rows.back();
        if (afterSpace > last.start) {
            // The word after the last space goes on to the next row.
            rows.back().height = maxAtSpace;
            rows.push_back({ afterSpace, afterSpaceUnit, last.top + maxAtSpace, 0 });
            x -= xAfterSpace;
            rowMax = tailMax;
        } else {
            rows.back().height = rowMax;
            rows.push_back({ c, units, last.top + rowMax, 0 });
            x = 0;
            rowMax = 0;
        }
        afterSpace = 0;
    }
    x += w;
    rowMax = std::max(rowMax, h);
    rows.back().height = rowMax;
    if (space) {
        afterSpace = c + 1;
        afterSpaceUnit = units + count;
        xAfterSpace = x;
        maxAtSpace = rowMax;
        tailMax = 0;
    } else {
        tailMax = std::max(tailMax, h);
    }
    ++chars;
    units += count;
}

ChatTranscript::StyleWalk::StyleWalk(const ChatTranscript& transcript, size_t paragraph)
    : m_transcript(transcript)
    , m_run(transcript.m_runs.end())
    , m_end(transcript.m_runs.end())
    , m_style(transcript.m_styleTable[transcript.m_paragraphs[paragraph].style])
{
    if (!transcript.m_paragraphs[paragraph].restyled)
        return;
    m_run = std::lower_bound(transcript.m_runs.begin(), transcript.m_runs.end(), uint32_t(paragraph),
        [](const StyleRun& r, uint32_t p) { return r.paragraph < p; });
    m_end = std::upper_bound(m_run, transcript.m_runs.end(), uint32_t(paragraph),
        [](uint32_t p, const StyleRun& r) { return p < r.paragraph; });
}

UxTextStyleHandle* ChatTranscript::StyleWalk::At(uint32_t c)
{
    for (; m_run != m_end && m_run->start <= c; ++m_run)
        m_style = m_transcript.m_styleTable[m_run->style];
    return m_style;
}

plat::SIZE ChatTranscript::Measure(wchar_t c, UxTextStyleHandle* style) const
{
    if (const Picture* picture = PictureOf(c))
        return { picture->width, picture->height };
    return style ? style->Measure(c) : plat::SIZE {};
}

void ChatTranscript::Append(char32_t c, uint16_t style)
{
    if (c == U'\r')
        return;
    if (m_paragraphs.empty())
        m_paragraphs.push_back({ uint32_t(m_text.size()), 0, style, 0 });
    if (c == U'\n') {
        const int32_t top = m_paragraphs.back().top + HeightOf(m_paragraphs.size() - 1);
        m_paragraphs.push_back({ uint32_t(m_text.size()), top, style, 0 });
        m_last.Clear();
        return;
    }
    // What the text will hold: the replacement character for what UTF-16 cannot carry.
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        c = 0xFFFD;
    Paragraph& p = m_paragraphs.back();
    const uint32_t index = uint32_t(m_paragraphs.size() - 1);
    if (m_last.chars == 0) {
        p.style = style;
    } else {
        const uint16_t current = p.restyled ? m_runs.back().style : p.style;
        if (current != style) {
            m_runs.push_back({ index, m_last.chars, style });
            p.restyled = 1;
        }
    }
    AppendUtf16(m_text, c);
    const wchar_t w = wchar_t(c);
    const plat::SIZE size = Measure(w, m_styleTable[style]);
    m_last.Take(LayoutWidth(), size.cx, size.cy, w == L' ' || w == L'\t', c >= 0x10000 ? 2 : 1);
}

bool ChatTranscript::Follows() const
{
    const UxScrollAxis& y = GetYAxis();
    return IsAtEnd() && !y.IsDragging() && !y.IsFlinging();
}

int32_t ChatTranscript::LastRowTop() const
{
    if (m_paragraphs.empty())
        return 0;
    return m_paragraphs.back().top + (m_last.rows.empty() ? 0 : m_last.rows.back().top);
}

void ChatTranscript::InsertText(const std::wstring& text)
{
    if (text.empty() || !m_style)
        return;
    const bool follow = Follows();
    // Text that goes on the last row may wrap it anew; a new paragraph leaves it alone.
    const int32_t from = text.front() == L'\n' ? m_height : LastRowTop();
    const uint16_t style = StyleIndex(m_style);
    for (wchar_t c : text)
        Append(c >= kMarkBase && c < kMarkEnd ? U'\xFFFD' : char32_t(c), style);
    Grown(from, follow);
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
    const bool follow = Follows();
    const int32_t from = LastRowTop();
    Append(char32_t(kMarkBase) + char32_t(index), StyleIndex(m_style));
    Grown(from, follow);
    return true;
}

void ChatTranscript::Grown(int32_t from, bool follow)
{
    const int32_t before = m_height;
    m_layoutWidth = GetWidth();
    m_height = m_paragraphs.empty() ? 0 : m_paragraphs.back().top + HeightOf(m_paragraphs.size() - 1);
    SetContentSize(LayoutWidth(), m_height);
    // Only what changed is drawn anew; following the end moves the rest of the picture.
    InvalidateContent(plat::RECT { 0, from, GetWidth(), std::max(before, m_height) });
    if (follow)
        ScrollToEnd();
    else
        SetUnseen(true);
}

void ChatTranscript::Relayout()
{
    const bool follow = IsAtEnd();
    const int32_t before = m_height;
    m_layoutWidth = GetWidth();
    for (Kept& kept : m_kept)
        kept = Kept {};
    int32_t top = 0;
    Flow flow;
    for (size_t i = 0; i + 1 < m_paragraphs.size(); ++i) {
        m_paragraphs[i].top = top;
        Lay(i, flow);
        top += flow.chars ? flow.Height() : EmptyHeight(i);
    }
    m_paragraphs.back().top = top;
    Lay(m_paragraphs.size() - 1, m_last);
    m_height = top + HeightOf(m_paragraphs.size() - 1);
    SetContentSize(LayoutWidth(), m_height);
    InvalidateContent(plat::RECT { 0, 0, GetWidth(), std::max(before, m_height) });
    UxScrollAxis& y = GetYAxis();
    const int32_t end = std::min(0, y.GetViewSize() - m_height);
    if (follow)
        ScrollToEnd();
    else if (y.GetOffset() < end)
        y.SetPosition(end);
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
    return TextOf(i, 0, uint32_t(end - start));
}

std::wstring ChatTranscript::TextOf(size_t i, uint32_t unit, uint32_t count) const
{
    return FromUtf16(reinterpret_cast<const uint16_t*>(m_text.data() + m_paragraphs[i].start + unit), count);
}

void ChatTranscript::Lay(size_t i, Flow& flow) const
{
    flow.Clear();
    const std::wstring text = TextOf(i);
    StyleWalk styles(*this, i);
    const int32_t width = LayoutWidth();
    for (uint32_t c = 0; c < text.size(); ++c) {
        const plat::SIZE size = Measure(text[c], styles.At(c));
        flow.Take(width, size.cx, size.cy, text[c] == L' ' || text[c] == L'\t', text[c] >= 0x10000 ? 2 : 1);
    }
}

const ChatTranscript::Flow& ChatTranscript::RowsOf(size_t i, Flow& scratch)
{
    if (i + 1 == m_paragraphs.size())
        return m_last;
    Kept* oldest = &m_kept[0];
    for (Kept& kept : m_kept) {
        if (kept.paragraph == i) {
            kept.used = m_paints;
            return kept.flow;
        }
        if (kept.used < oldest->used)
            oldest = &kept;
    }
    Lay(i, scratch);
    if (scratch.rows.size() <= kKeptRows)
        return scratch;
    oldest->paragraph = i;
    oldest->used = m_paints;
    std::swap(oldest->flow, scratch);
    return oldest->flow;
}

int32_t ChatTranscript::HeightOf(size_t i) const
{
    if (i + 1 < m_paragraphs.size())
        return m_paragraphs[i + 1].top - m_paragraphs[i].top;
    return m_last.chars ? m_last.Height() : EmptyHeight(i);
}

int32_t ChatTranscript::EmptyHeight(size_t i) const
{
    // One row of its style.
    UxTextStyleHandle* style = m_styleTable.empty() ? nullptr : m_styleTable[m_paragraphs[i].style];
    return style ? style->GetCellHeight() : 0;
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

std::vector<uint32_t> ChatTranscript::GetLastRowStarts() const
{
    std::vector<uint32_t> starts;
    if (m_paragraphs.empty())
        return starts;
    for (const Row& row : m_last.rows)
        starts.push_back(row.start);
    if (starts.empty())
        starts.push_back(0);
    return starts;
}

size_t ChatTranscript::GetStoredBytes() const
{
    return m_text.capacity() * sizeof(char16_t) + m_paragraphs.capacity() * sizeof(Paragraph)
        + m_runs.capacity() * sizeof(StyleRun) + m_last.rows.capacity() * sizeof(Row);
}

bool ChatTranscript::IsAtEnd() const
{
    const UxScrollAxis& y = GetYAxis();
    return m_height <= y.GetViewSize() || y.GetViewSize() - y.GetOffset() - m_height >= -kEndSlack;
}

void ChatTranscript::ScrollToEnd()
{
    UxScrollAxis& y = GetYAxis();
    const int32_t target = std::min(0, y.GetViewSize() - m_height);
    if (y.GetOffset() != target) {
        // A spring-back under way would take the view back where it was going.
        y.StopTweens();
        y.SetPosition(target);
    }
    SetUnseen(false);
}

void ChatTranscript::OnScrolled(UxScrollAxis* axis)
{
    if (m_unseen && axis == &GetYAxis() && IsAtEnd())
        SetUnseen(false);
}

void ChatTranscript::SetUnseen(bool unseen)
{
    if (unseen == m_unseen)
        return;
    m_unseen = unseen;
    if (m_unseenListener)
        m_unseenListener(unseen);
}

bool ChatTranscript::OnRectChanged(const plat::RECT& rect)
{
    UxScrollWindow::OnRectChanged(rect);
    // A new width wraps every line anew; a new height keeps the layout.
    if (rect.right - rect.left != m_layoutWidth && !m_paragraphs.empty())
        Relayout();
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
    ++m_paints;
    plat::RECT marked;
    if (IsMarked() && IntersectRect(MarkedBand(), content, &marked))
        surface->FillRect(m_markColor, OffsetRect(marked, origin.x, origin.y));
    Flow scratch;
    for (size_t i = ParagraphAt(content.top); i < m_paragraphs.size() && m_paragraphs[i].top < content.bottom;
         ++i) {
        const Flow& flow = RowsOf(i, scratch);
        const int32_t top = m_paragraphs[i].top;
        // Only the rows that meet the area, found among all of a long paragraph's.
        auto row = std::upper_bound(flow.rows.begin(), flow.rows.end(), content.top - top,
            [](int32_t y, const Row& r) { return y < r.top + r.height; });
        for (; row != flow.rows.end() && top + row->top < content.bottom; ++row)
            DrawRow(*surface, i, flow, size_t(row - flow.rows.begin()), top + row->top, origin, content);
    }
    return true;
}

void ChatTranscript::DrawRow(UxDeviceContext& dc, size_t i, const Flow& flow, size_t r, int32_t top,
    const plat::POINT& origin, const plat::RECT& clip)
{
    const Row& row = flow.rows[r];
    const bool lastRow = r + 1 == flow.rows.size();
    const uint32_t end = lastRow ? flow.chars : flow.rows[r + 1].start;
    const uint32_t units = (lastRow ? flow.units : flow.rows[r + 1].unit) - row.unit;
    const int32_t bottom = top + row.height;
    plat::RECT band;
    if (!IntersectRect(plat::RECT { clip.left, top, clip.right, bottom }, clip, &band))
        return;
    const plat::RECT surfaceClip = OffsetRect(band, origin.x, origin.y);
    const std::wstring text = TextOf(i, row.unit, units);
    StyleWalk styles(*this, i);
    int32_t x = 0;
    uint32_t k = 0; // in text; the character row.start + k of the paragraph
    const uint32_t count = std::min<uint32_t>(end - row.start, uint32_t(text.size()));
    while (k < count) {
        if (const Picture* picture = PictureOf(text[k])) {
            const plat::RECT r { x, bottom - picture->height, x + picture->width, bottom };
            plat::RECT shown;
            if (IntersectRect(r, band, &shown))
                picture->item->Draw(dc, OffsetRect(shown, origin.x, origin.y),
                    OffsetRect(shown, -r.left, -r.top), plat::POINT { picture->width, picture->height });
            x += picture->width;
            ++k;
            continue;
        }
        // The characters up to the next picture or change of style are one call.
        UxTextStyleHandle* style = styles.At(row.start + k);
        uint32_t j = k;
        int32_t width = 0;
        while (j < count && !PictureOf(text[j]) && styles.At(row.start + j) == style) {
            width += style ? style->Measure(text[j]).cx : 0;
            ++j;
        }
        UxFont* font = style ? style->GetFont() : nullptr;
        if (font && x < clip.right && x + width > clip.left) {
            dc.SelectFont(font, UxDeviceContext::Borrowed);
            dc.SetBackMode(1);
            dc.SetTextColor(style->TextColor);
            const int32_t cell = style->GetCellHeight();
            dc.TextOut(text.substr(k, j - k), plat::POINT { x + origin.x, bottom - cell + origin.y }, surfaceClip);
            dc.SelectFont(nullptr, UxDeviceContext::Borrowed);
        }
        x += width;
        k = j;
    }
}

std::wstring ChatTranscript::ShownText(size_t i) const
{
    std::wstring text;
    for (wchar_t c : TextOf(i)) {
        if (const Picture* picture = PictureOf(c))
            text += picture->code;
        else
            text += c;
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
    for (size_t p = 0; p < m_paragraphs.size(); ++p) {
        const std::wstring text = TextOf(p);
        StyleWalk styles(*this, p);
        for (uint32_t i = 0; i < text.size(); ++i) {
            const Picture* picture = PictureOf(text[i]);
            const size_t length = picture ? picture->code.size() : 1;
            UxTextStyleHandle* style = styles.At(i);
            if (index < length)
                return style ? int64_t(style->TextColor) : -1;
            index -= length;
        }
        if (index == 0)
            return -1; // the line break
        --index;
    }
    return -1;
}
