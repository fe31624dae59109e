#include "ux/widgets/UxEditGlyphText.h"

#include "ux/widgets/UxEditHost.h"
#include "ux/widgets/UxTextStyleHandle.h"

wchar_t UxEditGlyphText::GetShown() const
{
    return GetHost() && GetHost()->IsPassword() ? kBullet : m_character;
}

bool UxEditGlyphText::Measure()
{
    UxTextStyleHandle* style = GetStyle();
    if (!style)
        return false;
    plat::SIZE size = style->Measure(GetShown());
    SetSize(size.cx, size.cy);
    return true;
}
