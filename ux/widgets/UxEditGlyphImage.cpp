#include "ux/widgets/UxEditGlyphImage.h"

#include "ux/graphics/UxDeviceImage.h"
#include "ux/graphics/UxDeviceImagePool.h"
#include "ux/widgets/UxEditHost.h"

#include <algorithm>

namespace {

constexpr int64_t kMaxSide = 4096;

} // namespace

UxEditGlyphImage::~UxEditGlyphImage()
{
    if (m_registered && GetHost())
        GetHost()->UnregisterAnimated(this);
}

bool UxEditGlyphImage::Load(const UxDrawItem& record)
{
    m_record = record;
    if (!m_item.Load(record.Desc))
        return false;
    Measure();
    UxDeviceImagePool* pool = UxDeviceImagePool::GetInstance();
    UxDeviceImage* image = pool ? pool->Use(m_item.GetHandle()) : nullptr; // read now: it shows at once
    bool animated = image && image->GetFrameCount() >= 2;
    if (animated && !m_registered && GetHost()) {
        GetHost()->RegisterAnimated(this);
        m_registered = true;
    }
    return true;
}

bool UxEditGlyphImage::Measure()
{
    const UxImageDesc& desc = m_item.GetDesc();
    if (m_item.GetHandle() == -1)
        return false;
    // Sizes come from the skin: kept to what a line can hold.
    auto side = [](int64_t v) { return int32_t(std::clamp<int64_t>(v, 0, kMaxSide)); };
    if (desc.TargetSize.x != 0 || desc.TargetSize.y != 0)
        SetSize(side(desc.TargetSize.x), side(desc.TargetSize.y));
    else
        SetSize(side(int64_t(desc.ImageCoord.right) - desc.ImageCoord.left),
            side(int64_t(desc.ImageCoord.bottom) - desc.ImageCoord.top));
    return true;
}

bool UxEditGlyphImage::Draw(UxDeviceContext& dc, const plat::POINT& origin, const plat::RECT& clip)
{
    const plat::RECT& r = GetRect();
    plat::RECT shown { std::max(r.left, clip.left), std::max(r.top, clip.top), std::min(r.right, clip.right),
        std::min(r.bottom, clip.bottom) };
    if (shown.left >= shown.right || shown.top >= shown.bottom)
        return true;
    plat::RECT dest { shown.left + origin.x, shown.top + origin.y, shown.right + origin.x, shown.bottom + origin.y };
    plat::RECT part { shown.left - r.left, shown.top - r.top, shown.right - r.left, shown.bottom - r.top };
    return m_item.Draw(dc, dest, part, plat::POINT { GetWidth(), GetHeight() });
}
