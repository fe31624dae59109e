#include "app/chat/ChatTranscript.h"

#include "ux/core/UxRect.h"
#include "ux/graphics/UxDeviceContext.h"
#include "ux/graphics/UxTextItem.h"
#include "ux/markup/UxXmlNode.h"

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

} // namespace

ChatTranscript::ChatTranscript()
{
    // Lines wrap to the view's width: there is nothing to drag sideways.
    GetXAxis().SetDraggable(false);
}

ChatTranscript::~ChatTranscript() = default;

bool ChatTranscript::ApplySkin(UxXmlNode* node)
{
    if (!UxScrollWindow::ApplySkin(node))
        return false;
    UxTextStyle style;
    UxTextItem::ReadStyleSkin(node, style);
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

ChatTranscript::Paragraph& ChatTranscript::Last()
{
    if (m_paragraphs.empty()) {
        m_paragraphs.emplace_back();
        m_paragraphs.back().style = m_style;
    }
    return m_paragraphs.back();
}

void ChatTranscript::Append(wchar_t c)
{
    if (c == L'\r')
        return;
    if (c == L'\n') {
        Last();
        m_paragraphs.emplace_back();
        m_paragraphs.back().style = m_style;
        return;
    }
    Paragraph& p = Last();
    if (p.text.empty()) {
        p.style = m_style;
    } else {
        UxTextStyleHandle* current = p.more.empty() ? p.style : p.more.back().style;
        if (current != m_style)
            p.more.push_back({ uint32_t(p.text.size()), m_style });
    }
    p.text.push_back(c);
}

int32_t ChatTranscript::LastRowTop() const
{
    if (m_paragraphs.empty() || m_paragraphs.back().rows.empty())
        return m_height;
    const Paragraph& p = m_paragraphs.back();
    return p.top + p.height - p.rows.back().height;
}

void ChatTranscript::InsertText(const std::wstring& text)
{
    if (text.empty() || !m_style)
        return;
    const size_t first = m_paragraphs.empty() ? 0 : m_paragraphs.size() - 1;
    // Text that goes on the last row may wrap it anew; a new paragraph leaves it alone.
    const int32_t from = text.front() == L'\n' ? m_height : LastRowTop();
    for (wchar_t c : text)
        Append(c >= kMarkBase && c < kMarkEnd ? L'\xFFFD' : c);
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
    const int32_t from = LastRowTop();
    Append(kMarkBase + wchar_t(index));
    Changed(first, from);
    return true;
}

const ChatTranscript::Picture* ChatTranscript::PictureOf(wchar_t c) const
{
    if (c < kMarkBase || c >= kMarkEnd || size_t(c - kMarkBase) >= m_pictures.size())
        return nullptr;
    return &m_pictures[size_t(c - kMarkBase)];
}

UxTextStyleHandle* ChatTranscript::StyleAt(const Paragraph& p, uint32_t index, size_t& run)
{
    while (run < p.more.size() && p.more[run].start <= index)
        ++run;
    return run == 0 ? p.style : p.more[run - 1].style;
}

void ChatTranscript::Layout(Paragraph& p)
{
    const int32_t width = LayoutWidth();
    p.rows.clear();
    if (p.text.empty()) {
        p.rows.push_back({ 0, p.style ? p.style->GetCellHeight() : 0 });
        p.height = p.rows.back().height;
        return;
    }
    // Rows break after their last space, as the edit box's lines do; a word wider than
    // the field breaks between its characters. A space stays at the end of the row it
    // ends, even past the edge.
    std::vector<int32_t> heights(p.text.size());
    int32_t x = 0;
    uint32_t afterSpace = 0; // where the row could break, 0: nowhere yet
    int32_t xAfterSpace = 0;
    size_t run = 0;
    for (uint32_t i = 0; i < p.text.size(); ++i) {
        int32_t w = 0;
        if (const Picture* picture = PictureOf(p.text[i])) {
            w = picture->width;
            heights[i] = picture->height;
        } else if (UxTextStyleHandle* style = StyleAt(p, i, run)) {
            const plat::SIZE size = style->Measure(p.text[i]);
            w = size.cx;
            heights[i] = size.cy;
        }
        const bool space = p.text[i] == L' ' || p.text[i] == L'\t';
        if (p.rows.empty()) {
            p.rows.push_back({ i, 0 });
        } else if (x > 0 && x + w > width && !space) {
            if (afterSpace > p.rows.back().start) {
                p.rows.push_back({ afterSpace, 0 });
                x -= xAfterSpace;
            } else {
                p.rows.push_back({ i, 0 });
                x = 0;
            }
            afterSpace = 0;
        }
        x += w;
        if (space) {
            afterSpace = i + 1;
            xAfterSpace = x;
        }
    }
    for (size_t r = 0; r < p.rows.size(); ++r) {
        const uint32_t end = r + 1 < p.rows.size() ? p.rows[r + 1].start : static_cast<uint32_t>(p.text.size());
        for (uint32_t i = p.rows[r].start; i < end; ++i)
            p.rows[r].height = std::max(p.rows[r].height, heights[i]);
    }
    p.height = 0;
    for (const Row& row : p.rows)
        p.height += row.height;
}

void ChatTranscript::Changed(size_t first, int32_t from)
{
    m_layoutWidth = GetWidth();
    const int32_t before = m_height;
    for (size_t i = first; i < m_paragraphs.size(); ++i) {
        Layout(m_paragraphs[i]);
        m_paragraphs[i].top = i == 0 ? 0 : m_paragraphs[i - 1].top + m_paragraphs[i - 1].height;
    }
    m_height = m_paragraphs.empty() ? 0 : m_paragraphs.back().top + m_paragraphs.back().height;
    SetContentSize(LayoutWidth(), m_height);
    // Only what changed is drawn anew; following the end moves the rest of the picture.
    InvalidateContent(plat::RECT { 0, from, GetWidth(), std::max(before, m_height) });
    ScrollToEnd();
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
    // The first paragraph that reaches into the area.
    auto it = std::upper_bound(m_paragraphs.begin(), m_paragraphs.end(), content.top,
        [](int32_t y, const Paragraph& p) { return y < p.top + p.height; });
    for (; it != m_paragraphs.end() && it->top < content.bottom; ++it) {
        int32_t top = it->top;
        for (size_t r = 0; r < it->rows.size(); ++r) {
            const Row& row = it->rows[r];
            const uint32_t end = r + 1 < it->rows.size() ? it->rows[r + 1].start : uint32_t(it->text.size());
            if (top + row.height > content.top && top < content.bottom)
                DrawRow(*surface, *it, row, end, top, origin, content);
            top += row.height;
        }
    }
    return true;
}

void ChatTranscript::DrawRow(UxDeviceContext& dc, const Paragraph& p, const Row& row, uint32_t end, int32_t top,
    const plat::POINT& origin, const plat::RECT& clip)
{
    const int32_t bottom = top + row.height;
    plat::RECT band;
    if (!IntersectRect(plat::RECT { clip.left, top, clip.right, bottom }, clip, &band))
        return;
    const plat::RECT surfaceClip = OffsetRect(band, origin.x, origin.y);
    size_t run = 0;
    int32_t x = 0;
    uint32_t i = row.start;
    while (i < end) {
        if (const Picture* picture = PictureOf(p.text[i])) {
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
        UxTextStyleHandle* style = StyleAt(p, i, run);
        uint32_t j = i;
        int32_t width = 0;
        size_t next = run;
        while (j < end && !PictureOf(p.text[j]) && StyleAt(p, j, next) == style) {
            width += style ? style->Measure(p.text[j]).cx : 0;
            ++j;
        }
        UxFont* font = style ? style->GetFont() : nullptr;
        if (font && x < clip.right && x + width > clip.left) {
            dc.SelectFont(font, UxDeviceContext::Borrowed);
            dc.SetBackMode(1);
            dc.SetTextColor(style->TextColor);
            const int32_t cell = style->GetCellHeight();
            dc.TextOut(p.text.substr(i, j - i), plat::POINT { x + origin.x, bottom - cell + origin.y }, surfaceClip);
            dc.SelectFont(nullptr, UxDeviceContext::Borrowed);
        }
        x += width;
        i = j;
    }
}

std::wstring ChatTranscript::TextOf(const Paragraph& p) const
{
    std::wstring text;
    for (wchar_t c : p.text) {
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
        text += TextOf(m_paragraphs[i]);
    }
    return text;
}

std::wstring ChatTranscript::GetLineAt(int32_t y) const
{
    const int32_t content = y - GetYAxis().GetOffset();
    auto it = std::upper_bound(m_paragraphs.begin(), m_paragraphs.end(), content,
        [](int32_t at, const Paragraph& p) { return at < p.top + p.height; });
    if (it == m_paragraphs.end() || content < it->top)
        return L"";
    return TextOf(*it);
}

int32_t ChatTranscript::GetScrollLine()
{
    return m_style ? std::max(1, m_style->GetCellHeight()) : UxScrollWindow::GetScrollLine();
}

int64_t ChatTranscript::GetColorAt(size_t index) const
{
    for (const Paragraph& p : m_paragraphs) {
        size_t run = 0;
        for (uint32_t i = 0; i < p.text.size(); ++i) {
            const Picture* picture = PictureOf(p.text[i]);
            const size_t length = picture ? picture->code.size() : 1;
            if (index < length) {
                UxTextStyleHandle* style = StyleAt(p, i, run);
                return style ? int64_t(style->TextColor) : -1;
            }
            index -= length;
        }
        if (index == 0)
            return -1; // the line break
        --index;
    }
    return -1;
}
