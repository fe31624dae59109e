#include "ux/graphics/UxImageItem.h"

#include "ux/graphics/UxDeviceImage.h"
#include "ux/graphics/UxDeviceImagePool.h"
#include "ux/markup/UxSkinWords.h"
#include "ux/markup/UxXmlNode.h"

#include <algorithm>

namespace {

bool IsEmpty(const plat::RECT& r)
{
    return int64_t(r.right) - r.left <= 0 || int64_t(r.bottom) - r.top <= 0;
}

// Skin rects can hold anything: keep the mapped edges where an int can hold them.
int32_t ToEdge(float v)
{
    return int32_t(std::clamp(v, -1.0e9f, 1.0e9f));
}

} // namespace

UxImageItem::~UxImageItem()
{
    Unload();
}

void UxImageItem::Unload()
{
    m_wholePicture = false;
    if (m_handle != -1) {
        if (UxDeviceImagePool* pool = UxDeviceImagePool::GetInstance())
            pool->Unload(m_handle);
        m_handle = -1;
    }
}

bool UxImageItem::Load(const UxImageDesc& desc)
{
    // The new picture is taken before the old one is given back, so reloading the same
    // picture finds it in the pool instead of decoding it (or its stream) again.
    UxDeviceImagePool* pool = UxDeviceImagePool::GetInstance();
    int32_t handle = pool ? pool->Load(desc.Image) : -1;
    Unload();
    if (handle == -1)
        return false;
    m_handle = handle;
    if (!pool->Find(handle))
        return false;
    m_desc = desc;
    m_wholePicture = IsEmpty(m_desc.ImageCoord);
    return true;
}

void UxImageItem::ResolveWholePicture(UxDeviceImage& image)
{
    if (!m_wholePicture)
        return;
    m_wholePicture = false;
    m_desc.ImageCoord = { 0, 0, image.GetWidth(), image.GetHeight() };
}

const UxImageDesc& UxImageItem::GetDesc()
{
    UxDeviceImagePool* pool = UxDeviceImagePool::GetInstance();
    if (m_wholePicture && m_handle != -1 && pool)
        if (UxDeviceImage* image = pool->Find(m_handle))
            ResolveWholePicture(*image);
    return m_desc;
}

bool UxImageItem::ApplySkin(const UxXmlNode* node)
{
    UxImageDesc desc;
    auto child = [node](const wchar_t* name) { return node ? node->FindChild(name) : nullptr; };
    if (const UxXmlNode* n = child(L"File"))
        desc.Image.FileName = n->GetText();
    if (const UxXmlNode* n = child(L"ImageCoord"))
        desc.ImageCoord = n->GetRect();
    if (const UxXmlNode* n = child(L"TargetSize"))
        desc.TargetSize = n->GetPoint();
    if (const UxXmlNode* n = child(L"DrawMethod"))
        desc.Method = ParseDrawMethod(n->GetText());
    if (const UxXmlNode* n = child(L"ColorKey"))
        desc.Value = n->GetColor();
    if (const UxXmlNode* n = child(L"ConstantAlpha"))
        desc.Value = uint32_t(n->GetInt()) & 0xFF;
    return Load(desc);
}

bool UxImageItem::Draw(
    UxDeviceContext& dc, const plat::RECT& dest, const plat::RECT& part, const plat::POINT& targetSize)
{
    if (m_handle == -1)
        return false;
    UxDeviceImagePool* pool = UxDeviceImagePool::GetInstance();
    UxDeviceImage* image = pool ? pool->Use(m_handle) : nullptr;
    if (!image)
        return false;
    ResolveWholePicture(*image);
    // Nothing to map onto; a division by 0 would give edges no int holds.
    if (targetSize.x <= 0 || targetSize.y <= 0 || IsEmpty(dest))
        return true;

    const plat::RECT& ic = m_desc.ImageCoord;
    float w = float(targetSize.x), h = float(targetSize.y);
    float fx0 = float(part.left) / w + 0.001f, fy0 = float(part.top) / h + 0.001f;
    float fx1 = float(part.right) / w + 0.001f, fy1 = float(part.bottom) / h + 0.001f;
    float icWidth = float(int64_t(ic.right) - ic.left), icHeight = float(int64_t(ic.bottom) - ic.top);
    plat::RECT src { ToEdge(float(ic.left) + icWidth * fx0), ToEdge(float(ic.top) + icHeight * fy0),
        ToEdge(float(ic.left) + icWidth * fx1), ToEdge(float(ic.top) + icHeight * fy1) };
    // Edges within +-1e9, so these differences fit.
    src.right = src.left + std::max(1, src.right - src.left);
    src.bottom = src.top + std::max(1, src.bottom - src.top);

    // A part outside the picture shows nothing rather than whatever lies beside it.
    if (src.right <= 0 || src.bottom <= 0 || src.left >= image->GetWidth() || src.top >= image->GetHeight())
        return true;

    switch (m_desc.Method) {
    case UxImageDesc::BitBlt:
        return image->Blit(dc, dest, src, plat::SRCCOPY);
    case UxImageDesc::TransparentBlt:
        return image->TransparentBlt(dc, dest, src, m_desc.Value);
    case UxImageDesc::AlphaBlend:
        return image->AlphaBlend(dc, dest, src, uint8_t(m_desc.Value & 0xFF));
    case UxImageDesc::AlphaBlendPerPixel:
        return image->AlphaBlendPerPixel(dc, dest, src);
    default:
        return true;
    }
}

UxDrawItem ReadDrawItem(const UxXmlNode* node)
{
    UxDrawItem item;
    if (!node)
        return item;
    if (const UxXmlNode* n = node->FindChild(L"Text"))
        item.Text = n->GetText();
    if (const UxXmlNode* n = node->FindChild(L"File"))
        item.Desc.Image.FileName = n->GetText();
    if (const UxXmlNode* n = node->FindChild(L"ImageCoord"))
        item.Desc.ImageCoord = n->GetRect();
    if (const UxXmlNode* n = node->FindChild(L"DrawMethod"))
        item.Desc.Method = ParseDrawMethod(n->GetText());
    return item;
}
