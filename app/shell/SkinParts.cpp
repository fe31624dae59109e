#include "app/shell/SkinParts.h"

#include "ux/core/UxText.h"
#include "ux/core/UxWindow.h"
#include "ux/graphics/UxImageItem.h"
#include "ux/graphics/UxTextItem.h"
#include "ux/markup/UxXmlSkinHelper.h"

bool AddSkinParts(UxWindow& parent, UxXmlNode* node, std::initializer_list<SkinPart> parts)
{
    for (const SkinPart& part : parts)
        parent.AddChild(part.window);
    for (const SkinPart& part : parts) {
        UxXmlNode* child = node ? node->FindChild(part.name) : nullptr;
        if (child && !part.window->ApplySkin(child)) {
            UxTrace(L"AddSkinParts, %s cannot be built from the skin.\n", part.name);
            return false;
        }
    }
    return true;
}

UxXmlNode* SelectSection(const wchar_t* owner, const wchar_t* name1, const wchar_t* name2)
{
    UxXmlNode* node = SelectSkinNode(name1, name2);
    if (!node)
        UxTrace(L"%s, the skin has no section %s %s.\n", owner, name1, name2);
    return node;
}

namespace {

template <typename Item> bool ReadItem(UxXmlNode* node, const wchar_t* name, Item& item, plat::RECT& rect)
{
    UxXmlNode* child = node ? node->FindChild(name) : nullptr;
    if (!child)
        return true;
    rect = UxXmlNode::GetRect(child->FindChild(L"_Rect"));
    return item.ApplySkin(child);
}

} // namespace

bool ReadRowItem(UxXmlNode* node, const wchar_t* name, UxImageItem& item, plat::RECT& rect)
{
    return ReadItem(node, name, item, rect);
}

bool ReadRowItem(UxXmlNode* node, const wchar_t* name, UxTextItem& item, plat::RECT& rect)
{
    return ReadItem(node, name, item, rect);
}

bool ReadTextColour(
    UxXmlNode* node, const wchar_t* name, const wchar_t* key, const UxTextItem& base, UxTextItem& item)
{
    UxTextStyle style = base.GetStyle();
    UxXmlNode* child = node ? node->FindChild(name) : nullptr;
    if (UxXmlNode* colour = child ? child->FindChild(key) : nullptr)
        style.TextColor = colour->GetColor();
    return item.SetStyle(style);
}

bool ReadRowText(UxXmlNode* view, const wchar_t* name, UxTextItem (&items)[2], plat::RECT& rect)
{
    if (!view || !view->FindChild(name))
        return true;
    return ReadItem(view, name, items[0], rect)
        && ReadTextColour(view, name, L"TextColorSelected", items[0], items[1]);
}
