#include "ux/markup/UxXmlSkinHelper.h"

namespace {

UxXmlNode* g_currentSection = nullptr;

UxXmlNode* Walk(UxXmlNode* node, const std::wstring* names[4])
{
    for (int i = 0; i < 4 && node; ++i) {
        if (!names[i]->empty())
            node = node->FindChild(*names[i]);
    }
    return node;
}

} // namespace

UxXmlSkinHelper::~UxXmlSkinHelper()
{
    // The section points into this document.
    g_currentSection = nullptr;
}

UxXmlNode* SelectSkinNode(const std::wstring& name1, const std::wstring& name2, const std::wstring& name3,
    const std::wstring& name4)
{
    const std::wstring* names[4] = { &name1, &name2, &name3, &name4 };
    g_currentSection = Walk(UxXmlSkinHelper::GetInstance(), names);
    return g_currentSection;
}

UxXmlNode* GetCurrentSkinNode()
{
    return g_currentSection;
}

UxXmlNode* FindSkinNode(const std::wstring& name1, const std::wstring& name2, const std::wstring& name3,
    const std::wstring& name4)
{
    const std::wstring* names[4] = { &name1, &name2, &name3, &name4 };
    return Walk(g_currentSection, names);
}

int32_t GetSkinInt(const std::wstring& name1, const std::wstring& name2, const std::wstring& name3,
    const std::wstring& name4)
{
    return UxXmlNode::GetInt(FindSkinNode(name1, name2, name3, name4));
}

uint32_t GetSkinColor(const std::wstring& name1, const std::wstring& name2, const std::wstring& name3,
    const std::wstring& name4)
{
    return UxXmlNode::GetColor(FindSkinNode(name1, name2, name3, name4));
}

plat::RECT GetSkinRect(const std::wstring& name1, const std::wstring& name2, const std::wstring& name3,
    const std::wstring& name4)
{
    return UxXmlNode::GetRect(FindSkinNode(name1, name2, name3, name4));
}
