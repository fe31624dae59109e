#include "ux/widgets/UxEditRun.h"

#include "ux/graphics/UxDeviceContext.h"
#include "ux/graphics/UxFont.h"
#include "ux/widgets/UxTextStyleHandle.h"

#include <algorithm>

bool UxEditRun::Draw(UxDeviceContext& dc, const plat::POINT& origin, const plat::RECT& clip)
{
    UxFont* font = m_style ? m_style->GetFont() : nullptr;
    if (!font)
        return false;
    const plat::RECT& r = GetRect();
    plat::RECT shown { std::max(r.left, clip.left), std::max(r.top, clip.top), std::min(r.right, clip.right),
        std::min(r.bottom, clip.bottom) };
    if (shown.left >= shown.right || shown.top >= shown.bottom)
        return true;
    dc.SelectFont(font, UxDeviceContext::Borrowed);
    dc.SetBackMode(0);
    dc.SetBackColor(m_style->BackColor);
    dc.SetTextColor(m_style->TextColor);
    plat::RECT surfaceClip { shown.left + origin.x, shown.top + origin.y, shown.right + origin.x,
        shown.bottom + origin.y };
    bool drawn = dc.TextOut(m_text, plat::POINT { r.left + origin.x, r.top + origin.y }, surfaceClip);
    // The pool deletes the font when its last user lets go; the surface lives on.
    dc.SelectFont(nullptr, UxDeviceContext::Borrowed);
    return drawn;
}
