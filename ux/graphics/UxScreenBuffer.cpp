#include "ux/graphics/UxScreenBuffer.h"

#include "ux/core/UxPopupInstance.h"
#include "ux/core/UxRect.h"
#include "ux/core/UxTransitionManager.h"
#include "ux/core/UxWindow.h"
#include "ux/graphics/UxDeviceBitmap.h"
#include "ux/graphics/UxDeviceContextPool.h"
#include "ux/graphics/UxFillRateProfiler.h"
#include "ux/graphics/UxPopupBackColor.h"

bool UxScreenBuffer::CreateBackBuffer(int32_t width, int32_t height)
{
    m_backBuffer.Release();
    if (!m_backBuffer.CreateMemoryDC())
        return false;
    auto* bitmap = new UxDeviceBitmap;
    if (!bitmap->CreateCompatible(UxBitmapFormat { width, height, 32 })) {
        delete bitmap;
        m_backBuffer.Release();
        return false;
    }
    m_backBuffer.SelectBitmap(bitmap, UxDeviceContext::OwnedCreated);
    return true;
}

plat::RECT UxScreenBuffer::DrawSurface(UxDeviceContext& target, UxDeviceContext& surface)
{
    const UxBlitInfo& blit = surface.GetBlitInfo();
    bool drawn = true;
    switch (blit.Method) {
    case UxBlitInfo::BitBlt:
        drawn = target.Blit(surface, blit.DestRect, blit.SourceRect, plat::SRCCOPY);
        break;
    case UxBlitInfo::TransparentBlt:
        drawn = target.TransparentBlt(surface, blit.DestRect, blit.SourceRect, blit.Value);
        break;
    case UxBlitInfo::AlphaBlend:
        drawn = target.AlphaBlend(
            surface, blit.DestRect, blit.SourceRect, static_cast<uint8_t>(blit.Value & 0xFF));
        break;
    case UxBlitInfo::AlphaBlendPerPixel:
        drawn = target.AlphaBlendPerPixel(surface, blit.DestRect, blit.SourceRect);
        break;
    default:
        break;
    }
    if (UxFillRateProfiler* profiler = UxFillRateProfiler::GetInstance(); profiler && profiler->IsActive()) {
        profiler->Add({ blit.DestRect.right - blit.DestRect.left, blit.DestRect.bottom - blit.DestRect.top,
            blit.Method });
    }
    return drawn ? blit.DestRect : plat::RECT {};
}

bool UxScreenBuffer::Present(UxDeviceContext& paintDC, int32_t width, int32_t height)
{
    UxFillRateProfiler* profiler = UxFillRateProfiler::GetInstance();
    if (profiler)
        profiler->SetActive(true);
    struct Inactive {
        UxFillRateProfiler* profiler;
        ~Inactive()
        {
            if (profiler)
                profiler->SetActive(false);
        }
    } inactive { profiler };
    m_lastCopy = {};

    UxPopupInstance* popups = UxPopupInstance::GetInstance();
    UxWindow* popup = popups ? popups->GetPopup() : nullptr;
    UxDeviceContext* popupSurface = popup ? popup->GetSurface() : nullptr;
    bool useBack = m_force || popup;
    if (useBack
        && (!m_backBuffer.GetHandle() || m_backBuffer.GetWidth() != width
            || m_backBuffer.GetHeight() != height)) {
        if (!CreateBackBuffer(width, height))
            return false;
    }
    UxDeviceContext& target = useBack ? m_backBuffer : paintDC;

    plat::RECT dirty {};
    if (UxDeviceContextPool* pool = UxDeviceContextPool::GetInstance()) {
        for (const auto& record : pool->GetInUse()) {
            if (record.Resource != popupSurface)
                UniteRect(dirty, DrawSurface(target, *record.Resource));
        }
    }

    // Running transitions lie over the windows they stand in for.
    if (UxTransitionManager* transitions = UxTransitionManager::GetInstance()) {
        if (!transitions->DrawAll(target))
            return false;
        UniteRect(dirty, transitions->GetArea());
    }

    if (popup) {
        UxPopupBackColor* back = UxPopupBackColor::GetInstance();
        if (back && !IsRectEmpty(dirty))
            target.AlphaBlend(back->GetSurface(), dirty, plat::RECT { 0, 0, 1, 1 }, back->GetAlpha());
        if (popupSurface)
            DrawSurface(target, *popupSurface);
        // A repaint inside the popup alone draws no other surface: the popup's own area
        // must still reach the screen.
        UniteRect(dirty, popup->GetScreenRect());
    }
    if (!useBack)
        return true;
    if (!IsRectEmpty(dirty))
        paintDC.Blit(m_backBuffer, dirty, dirty, plat::SRCCOPY);
    m_lastCopy = dirty;
    return true;
}
