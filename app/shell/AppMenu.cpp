#include "app/shell/AppMenu.h"

#include "ux/graphics/UxDeviceContext.h"
#include "ux/markup/UxXmlSkinHelper.h"
#include "ux/widgets/UxListItemPainter.h"

#include <algorithm>

namespace {

plat::RECT RectIn(UxXmlNode* node, const wchar_t* name)
{
    return UxXmlNode::GetRect(node ? node->FindChild(name) : nullptr);
}

} // namespace

AppMenu::AppMenu(const wchar_t* section, Look& look)
    : m_look(look)
{
    GetList().SetAnimate(false);
    if (!UxPopupMenu::ApplySkin(SelectSkinNode(L"Menu")))
        return;
    UxXmlNode* node = SelectSkinNode(section);
    if (!node) {
        UxTrace(L"AppMenu, the skin has no section %s.\n", section);
        return;
    }
    UxXmlNode* bar = node->FindChild(L"SelectionBar");
    UxXmlNode* line = node->FindChild(L"Line");
    UxXmlNode* text = node->FindChild(L"Text");
    if ((bar && !m_selectionBar.ApplySkin(bar)) || (line && !m_line.ApplySkin(line))
        || (text && !m_text.ApplySkin(text)))
        return;
    look.rowHeight = UxXmlNode::GetInt(node->FindChild(L"_TableViewItemHeight"));
    look.backColor = UxXmlNode::GetColor(node->FindChild(L"_BackColor"));
    look.selectionRect = RectIn(bar, L"_Rect");
    look.textRect = RectIn(text, L"_Rect");
    look.lineRect = RectIn(line, L"_Rect");
    look.iconRect = RectIn(node->FindChild(L"Icon"), L"_Rect");
    look.textColor = UxXmlNode::GetColor(text ? text->FindChild(L"TextColor") : nullptr);
    look.selectedColor = UxXmlNode::GetColor(text ? text->FindChild(L"TextColorSelected") : nullptr);
    // A menu of few rows may have a frame of its own size.
    if (UxXmlNode* size = node->FindChild(L"_Size")) {
        // Within the screen's reach, whatever the skin says.
        const plat::POINT s = size->GetPoint();
        SetSize(std::clamp(s.x, 0, 1 << 16), std::clamp(s.y, 0, 1 << 16));
        GetLayout().Arrange(GetWidth(), GetHeight());
    }
    m_built = true;
}

AppMenu::~AppMenu() = default;

void AppMenu::AddItem(const std::wstring& text)
{
    UxListRow row;
    row.kind = UxListRow::Item;
    row.fullHeight = m_look.rowHeight;
    GetList().AddRow(row);
    m_texts.push_back(text);
}

int32_t AppMenu::GetSelection(int32_t none)
{
    const int32_t selected = GetList().GetSelection();
    return selected >= 0 && selected < GetRowCount() ? selected : none;
}

const std::wstring& AppMenu::GetRowText(int32_t index) const
{
    static const std::wstring none;
    return index >= 0 && index < GetRowCount() ? m_texts[size_t(index)] : none;
}

bool AppMenu::PaintListBackground(UxDeviceContext* surface, const plat::RECT& rect)
{
    surface->FillRect(m_look.backColor, rect);
    return true;
}

bool AppMenu::DrawRow(
    UxDeviceContext* surface, int32_t index, const plat::RECT& clip, const plat::RECT& rowClip)
{
    const plat::RECT row { clip.left - rowClip.left, clip.top - rowClip.top,
        clip.left - rowClip.left + GetList().GetWidth(), clip.top - rowClip.top + m_look.rowHeight };
    UxListItemPainter painter(&GetList(), surface, index, rowClip, row);
    UxTextStyle style = m_text.GetStyle();
    // Every pixel of the row is drawn here: a scroll step repaints only the strips it
    // uncovers, through the rows alone, and whatever a row leaves out keeps the moved
    // picture's pixels (pieces of other rows' lines).
    surface->FillRect(m_look.backColor, clip);
    if (GetList().IsRowLit(index)) {
        style.TextColor = m_look.selectedColor;
        style.BackMode = 1;
        painter.DrawImage(m_selectionBar, m_look.selectionRect);
    } else {
        style.TextColor = m_look.textColor;
        style.BackMode = 0;
    }
    m_text.SetStyle(style);
    m_text.SetText(GetRowText(index));
    painter.DrawText(m_text, m_look.textRect);
    DrawRowIcon(painter, index);
    // A line separates rows: none follows the last.
    if (index + 1 < GetRowCount())
        painter.DrawImage(m_line, m_look.lineRect);
    return true;
}
