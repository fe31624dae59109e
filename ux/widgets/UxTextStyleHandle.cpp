#include "ux/widgets/UxTextStyleHandle.h"

#include "ux/graphics/UxDeviceContext.h"
#include "ux/graphics/UxDeviceContextPool.h"
#include "ux/graphics/UxFontPool.h"

UxTextStyleHandle::UxTextStyleHandle(const UxTextStyle& style)
    : UxTextStyle(style)
{
}

UxTextStyleHandle::~UxTextStyleHandle()
{
    if (m_font != -1) {
        if (UxFontPool* pool = UxFontPool::GetInstance())
            pool->Unload(m_font);
    }
}

bool UxTextStyleHandle::Load()
{
    if (m_font != -1)
        return true;
    UxFontPool* pool = UxFontPool::GetInstance();
    m_font = pool ? pool->Load(Font) : -1;
    return m_font != -1;
}

UxFont* UxTextStyleHandle::GetFont() const
{
    UxFontPool* pool = UxFontPool::GetInstance();
    return pool && m_font != -1 ? pool->Find(m_font) : nullptr;
}

plat::SIZE UxTextStyleHandle::Measure(wchar_t c)
{
    auto found = m_sizes.find(c);
    if (found != m_sizes.end())
        return found->second;
    UxFont* font = GetFont();
    UxDeviceContextPool* pool = UxDeviceContextPool::GetInstance();
    UxDeviceContext* dc = pool ? pool->Load(UxDeviceContextInfo { 1, 1 }, nullptr) : nullptr;
    if (!font || !dc) {
        if (dc)
            pool->Unload(dc);
        return plat::SIZE {};
    }
    dc->SelectFont(font, UxDeviceContext::Borrowed);
    plat::SIZE size = dc->GetTextExtent(std::wstring(1, c));
    dc->SelectFont(nullptr, UxDeviceContext::Borrowed);
    pool->Unload(dc);
    m_sizes.emplace(c, size);
    return size;
}
