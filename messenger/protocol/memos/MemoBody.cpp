#include "messenger/protocol/memos/MemoBody.h"

#include "ux/core/UxText.h"

#include <cwchar>

std::wstring FormatColor(uint32_t color)
{
    wchar_t text[8];
    std::swprintf(text, 8, L"#%02x%02x%02x", color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
    return text;
}

uint32_t ParseColor(const std::wstring& text)
{
    if (text.empty() || text[0] != L'#')
        return 0;
    uint32_t color = 0;
    for (size_t part = 0; part < 3; ++part) {
        // Up to two hex digits per part, as a "%2x" field reads them.
        size_t at = 1 + part * 2;
        int value = 0;
        int digits = 0;
        for (; digits < 2 && at + digits < text.size(); ++digits) {
            int d = HexDigit(text[at + digits]);
            if (d < 0)
                break;
            value = value * 16 + d;
        }
        if (digits < 2)
            return color | (static_cast<uint32_t>(value) << (8 * part));
        color |= static_cast<uint32_t>(value) << (8 * part);
    }
    return color;
}
