#include "ux/widgets/UxEditGlyphAnchor.h"

#include "ux/widgets/UxTextStyleHandle.h"

#include <algorithm>

bool UxEditGlyphAnchor::Measure()
{
    UxTextStyleHandle* style = GetStyle();
    if (!style)
        return false;
    // The font's cell is bounded, while a skin's font size may say anything.
    int32_t cell = style->GetCellHeight();
    int32_t height = style->Font.Height > 0 ? std::min(style->Font.Height, cell) : cell;
    SetSize(m_kind == Begin ? 0 : 2, height);
    return true;
}
