#pragma once

// Shared body of the fuzz targets that hand widgets an arbitrary skin document: the
// pools are made once (pictures load from the default skin's image folder, so the parts
// that name them build; fonts load too) and traces are dropped; lists draw their rows
// onto a surface of the screen's size.

#include "fuzz/DefaultSkin.h"
#include "fuzz/FontLeak.h"
#include "platform/system/Trace.h"
#include "ux/core/UxPathResolver.h"
#include "ux/core/UxText.h"
#include "ux/graphics/UxDeviceBitmap.h"
#include "ux/graphics/UxDeviceContext.h"
#include "ux/graphics/UxDeviceContextPool.h"
#include "ux/graphics/UxDeviceImagePool.h"
#include "ux/graphics/UxFontPool.h"
#include "ux/markup/UxXmlDocument.h"
#include "ux/widgets/UxListWindow.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Reads the input as a skin document of at most maxSize bytes and hands apply the
// document and then each of its first `children` children.
template <typename Apply>
int FuzzSkinDocument(
    const uint8_t* data, size_t size, size_t maxSize, size_t children, bool deviceContexts, Apply apply)
{
    static const bool ready = [deviceContexts] {
        plat::SetTraceHook([](const std::wstring&) {});
        new UxFontPool;
        UseDefaultSkin(*new UxPathResolver, *new UxDeviceImagePool);
        if (deviceContexts)
            new UxDeviceContextPool;
        return true;
    }();
    (void)ready;
    if (size > maxSize)
        return 0;
    UxXmlDocument doc;
    if (!doc.LoadText(FromUtf8(std::string(reinterpret_cast<const char*>(data), size))))
        return 0;
    apply(&doc);
    for (size_t i = 0; i < doc.GetChildCount() && i < children; ++i)
        apply(doc.GetChild(i));
    return 0;
}

// A 480 x 640 surface, made once.
inline UxDeviceContext& FuzzSurface()
{
    static UxDeviceContext* surface = [] {
        auto* dc = new UxDeviceContext;
        dc->CreateMemoryDC();
        auto* bitmap = new UxDeviceBitmap();
        bitmap->CreateCompatible(UxBitmapFormat { 480, 640, 32 });
        dc->SelectBitmap(bitmap, UxDeviceContext::OwnedCreated);
        return dc;
    }();
    return *surface;
}

// Every row of the list, across the surface's width, then the list's background.
inline void DrawRows(UxListWindow& list)
{
    for (int32_t i = 0; i < list.GetRowCount(); ++i) {
        const plat::RECT row = list.GetRowRect(i);
        list.DrawRow(&FuzzSurface(), i, plat::RECT { 0, row.top, 480, row.bottom },
            plat::RECT { 0, 0, 480, row.bottom - row.top });
    }
    list.PaintBackground(&FuzzSurface(), plat::RECT { 0, 0, 480, 640 });
}
