#include "app/shell/SkinParts.h"

#include "ux/core/UxText.h"
#include "ux/core/UxWindow.h"
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
