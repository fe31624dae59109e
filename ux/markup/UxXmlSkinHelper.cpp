#include "ux/markup/UxXmlSkinHelper.h"

#include "ux/core/UxText.h"

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

// A skin without a section or value its screen reads still draws (the item stays empty),
// but the fault must show up somewhere.
void TraceMissing(const wchar_t* where, const std::wstring* names[4])
{
    std::wstring path;
    for (int i = 0; i < 4; ++i) {
        if (names[i]->empty())
            continue;
        if (!path.empty())
            path += L'/';
        path += *names[i];
    }
    UxTrace(L"[UX+] %s, The skin has no %s.\n", where, path.c_str());
}

UxXmlNode* FindValue(const wchar_t* where, const std::wstring& name1, const std::wstring& name2,
    const std::wstring& name3, const std::wstring& name4)
{
    const std::wstring* names[4] = { &name1, &name2, &name3, &name4 };
    UxXmlNode* node = Walk(g_currentSection, names);
    if (!node)
        TraceMissing(where, names);
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
    if (!g_currentSection)
        TraceMissing(L"SelectSkinNode", names);
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
    return UxXmlNode::GetInt(FindValue(L"GetSkinInt", name1, name2, name3, name4));
}

uint32_t GetSkinColor(const std::wstring& name1, const std::wstring& name2, const std::wstring& name3,
    const std::wstring& name4)
{
    return UxXmlNode::GetColor(FindValue(L"GetSkinColor", name1, name2, name3, name4));
}

plat::RECT GetSkinRect(const std::wstring& name1, const std::wstring& name2, const std::wstring& name3,
    const std::wstring& name4)
{
    return UxXmlNode::GetRect(FindValue(L"GetSkinRect", name1, name2, name3, name4));
}
