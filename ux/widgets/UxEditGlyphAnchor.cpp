#include "ux/widgets/UxEditGlyphAnchor.h"

#include "ux/widgets/UxTextStyleHandle.h"

bool UxEditGlyphAnchor::Measure()
{
    UxTextStyleHandle* style = GetStyle();
    if (!style)
        return false;
    int32_t height = style->Font.Height > 0 ? style->Font.Height : style->GetCellHeight();
    SetSize(m_kind == Begin ? 0 : 2, height);
    return true;
}
