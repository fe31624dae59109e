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

template <typename Item> bool ReadItem(UxXmlNode* view, const wchar_t* name, Item& item, plat::RECT& rect)
{
    UxXmlNode* node = view ? view->FindChild(name) : nullptr;
    if (!node)
        return true;
    rect = UxXmlNode::GetRect(node->FindChild(L"_Rect"));
    return item.ApplySkin(node);
}

} // namespace

bool ReadRowItem(UxXmlNode* view, const wchar_t* name, UxImageItem& item, plat::RECT& rect)
{
    return ReadItem(view, name, item, rect);
}

bool ReadRowItem(UxXmlNode* view, const wchar_t* name, UxTextItem& item, plat::RECT& rect)
{
    return ReadItem(view, name, item, rect);
}

bool ReadTwoColourText(UxXmlNode* view, const wchar_t* name, UxTextItem (&items)[2], plat::RECT& rect)
{
    UxXmlNode* node = view ? view->FindChild(name) : nullptr;
    if (!node)
        return true;
    if (!ReadItem(view, name, items[0], rect))
        return false;
    UxTextStyle selected = items[0].GetStyle();
    if (UxXmlNode* colour = node->FindChild(L"TextColorSelected"))
        selected.TextColor = colour->GetColor();
    return items[1].SetStyle(selected);
}
