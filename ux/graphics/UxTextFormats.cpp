#include "ux/graphics/UxTextFormats.h"

int32_t ParseTextFormats(const std::wstring& text)
{
    static const struct {
        const wchar_t* word;
        int32_t bit;
    } words[] = {
        { L"Left", UxTextLeft },
        { L"HCenter", UxTextHCenter },
        { L"Right", UxTextRight },
        { L"Top", UxTextTop },
        { L"VCenter", UxTextVCenter },
        { L"Bottom", UxTextBottom },
        { L"EndEllipsis", UxTextEndEllipsis },
    };
    int32_t formats = 0;
    for (const auto& w : words) {
        if (text.find(w.word) != std::wstring::npos)
            formats |= w.bit;
    }
    return formats;
}

int32_t ParseBackMode(const std::wstring& text)
{
    return text == L"Transparent" ? 1 : 0;
}
