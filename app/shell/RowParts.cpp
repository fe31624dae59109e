#include "app/shell/RowParts.h"

#include "app/shell/SkinParts.h"
#include "ux/markup/UxXmlNode.h"

bool IsOnItem(int32_t x, const plat::RECT& rect)
{
    // In 64 bits: the skin may place the item anywhere.
    return rect.right > rect.left && int64_t { x } > int64_t { rect.left } - rect.top;
}

bool RowImage::Read(UxXmlNode* view, const wchar_t* name)
{
    return ReadRowItem(view, name, item, rect);
}

bool RowText::Read(UxXmlNode* view, const wchar_t* name)
{
    return ReadRowText(view, name, look, rect);
}

void RowText::Draw(UxListItemPainter& painter, const std::wstring& text, bool selected, const plat::RECT& at)
{
    UxTextItem& item = look[selected ? 1 : 0];
    item.SetText(text);
    painter.DrawText(item, at);
}

bool RowFrame::Read(UxXmlNode* view)
{
    if (!view)
        return false;
    // A row is never taller than the screen; anything else keeps the default.
    if (UxXmlNode* height = view->FindChild(L"_TableViewItemHeight");
        height && height->GetInt() > 0 && height->GetInt() <= kMaxItemHeight)
        itemHeight = height->GetInt();
    if (UxXmlNode* back = view->FindChild(L"_BackColor"))
        backColor = back->GetColor();
    return selectionBar.Read(view, L"SelectionBar") && line.Read(view, L"Line");
}

UxListRow RowFrame::MakeRow(int32_t kind, uintptr_t data) const
{
    UxListRow row;
    row.kind = kind;
    row.fullHeight = itemHeight;
    row.data = data;
    return row;
}
