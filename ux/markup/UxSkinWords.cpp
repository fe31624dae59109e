#include "ux/markup/UxSkinWords.h"

#include "ux/core/UxText.h"
#include "ux/markup/UxXmlNode.h"

#include <cstddef>
#include <utility>

namespace {

template <size_t N>
uint32_t ParseBits(const std::wstring& text, const std::pair<const wchar_t*, uint32_t> (&words)[N])
{
    uint32_t bits = 0;
    for (const auto& [word, value] : words) {
        if (text.find(word) != std::wstring::npos)
            bits |= value;
    }
    return bits;
}

template <size_t N>
int32_t ParseWord(const wchar_t* parser, const std::wstring& text, const wchar_t* const (&words)[N])
{
    for (size_t i = 0; i < N; ++i) {
        if (text == words[i])
            return static_cast<int32_t>(i);
    }
    if (!text.empty())
        UxTrace(L"[UX+] %s, Unknown word \"%s\".\n", parser, text.c_str());
    return static_cast<int32_t>(N);
}

} // namespace

uint32_t ParseFontEffects(const std::wstring& text)
{
    static const std::pair<const wchar_t*, uint32_t> words[]
        = { { L"Bold", 1 }, { L"Italic", 2 }, { L"Underline", 4 }, { L"StrikeOut", 8 } };
    return ParseBits(text, words);
}

uint32_t ParseEditStyles(const std::wstring& text)
{
    static const std::pair<const wchar_t*, uint32_t> words[]
        = { { L"ReadOnly", 1 }, { L"NumberOnly", 2 }, { L"Password", 4 }, { L"SingleLine", 8 } };
    return ParseBits(text, words);
}

uint32_t ParseAligns(const std::wstring& text)
{
    static const std::pair<const wchar_t*, uint32_t> words[] = { { L"Left", 1 }, { L"HCenter", 2 },
        { L"Right", 3 }, { L"Top", 16 }, { L"VCenter", 32 }, { L"Bottom", 48 } };
    return ParseBits(text, words);
}

int32_t ParseDrawMethod(const std::wstring& text)
{
    static const wchar_t* const words[]
        = { L"BitBlt", L"TransparentBlt", L"AlphaBlend", L"AlphaBlendPerPixel" };
    return ParseWord(L"ParseDrawMethod", text, words);
}

int32_t ParseKeyboardType(const std::wstring& text)
{
    static const wchar_t* const words[] = { L"Native", L"Hangeul", L"English", L"DoNotChange" };
    return ParseWord(L"ParseKeyboardType", text, words);
}

int32_t ParseDirection(const std::wstring& text)
{
    static const wchar_t* const words[] = { L"LeftToRight", L"RightToLeft", L"TopToBottom", L"BottomToTop" };
    return ParseWord(L"ParseDirection", text, words);
}

int32_t ParseAnimationMode(const std::wstring& text)
{
    static const wchar_t* const words[] = { L"OneWay", L"TwoWay" };
    return ParseWord(L"ParseAnimationMode", text, words);
}

void LoadScrollIndicator(UxScrollIndicatorSettings& settings, const UxXmlNode* node)
{
    if (!node)
        return;
    if (const UxXmlNode* enabled = node->FindChild(L"Enabled"))
        settings.enabled = enabled->GetBool() ? 1 : 0;
    if (const UxXmlNode* thick = node->FindChild(L"Thick"))
        settings.thick = thick->GetInt();
    if (const UxXmlNode* margin = node->FindChild(L"Margin"))
        settings.margin = margin->GetInt();
}
