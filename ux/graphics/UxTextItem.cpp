#include "ux/graphics/UxTextItem.h"

#include "ux/graphics/UxDeviceContext.h"
#include "ux/graphics/UxFontPool.h"
#include "ux/markup/UxSkinWords.h"
#include "ux/markup/UxXmlNode.h"

UxTextItem::~UxTextItem()
{
    ReleaseFont();
}

void UxTextItem::ReleaseFont()
{
    if (m_font != -1) {
        if (UxFontPool* pool = UxFontPool::GetInstance())
            pool->Unload(m_font);
        m_font = -1;
    }
}

bool UxTextItem::SetStyle(const UxTextStyle& style)
{
    ReleaseFont();
    UxFontPool* pool = UxFontPool::GetInstance();
    int32_t handle = pool ? pool->Load(style.Font) : -1;
    if (handle == -1)
        return false;
    m_font = handle;
    m_style = style;
    return true;
}

void UxTextItem::ReadStyleSkin(const UxXmlNode* node, UxTextStyle& style)
{
    auto child = [node](const wchar_t* name) { return node ? node->FindChild(name) : nullptr; };
    if (const UxXmlNode* n = child(L"FontSize"))
        style.Font.Height = n->GetInt();
    if (const UxXmlNode* n = child(L"FontEffects")) {
        uint32_t effects = ParseFontEffects(n->GetText());
        if (effects & 1)
            style.Font.Weight = 700;
        style.Font.Italic = (effects & 2) ? 1 : 0;
        style.Font.Underline = (effects & 4) ? 1 : 0;
        style.Font.StrikeOut = (effects & 8) ? 1 : 0;
    }
    if (const UxXmlNode* n = child(L"BackColor"))
        style.BackColor = n->GetColor();
    if (const UxXmlNode* n = child(L"TextColor"))
        style.TextColor = n->GetColor();
}

bool UxTextItem::ApplySkin(const UxXmlNode* node)
{
    UxTextStyle style;
    ReadStyleSkin(node, style);
    auto child = [node](const wchar_t* name) { return node ? node->FindChild(name) : nullptr; };
    if (const UxXmlNode* n = child(L"BackMode"))
        style.BackMode = ParseBackMode(n->GetText());
    if (const UxXmlNode* n = child(L"TextFormats"))
        style.Formats = ParseTextFormats(n->GetText());
    if (!SetStyle(style))
        return false;
    if (const UxXmlNode* n = child(L"Text"))
        m_text = n->GetText();
    return true;
}

bool UxTextItem::Draw(UxDeviceContext& dc, const plat::RECT& rect, const plat::RECT& clip)
{
    UxFont* font = nullptr;
    if (m_font != -1) {
        if (UxFontPool* pool = UxFontPool::GetInstance())
            font = pool->Find(m_font);
    }
    if (font)
        dc.SelectFont(font, UxDeviceContext::Borrowed);
    dc.SetBackMode(m_style.BackMode);
    dc.SetBackColor(m_style.BackColor);
    dc.SetTextColor(m_style.TextColor);
    bool drawn = dc.DrawText(m_text, rect, clip, m_style.Formats);
    // The pooled font must not stay selected: the pool deletes it when its last item
    // lets go, while the surface lives on.
    if (font)
        dc.SelectFont(nullptr, UxDeviceContext::Borrowed);
    return drawn;
}
