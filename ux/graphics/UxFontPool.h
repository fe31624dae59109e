#pragma once

#include "ux/core/UxSingleton.h"
#include "ux/graphics/UxFont.h"
#include "ux/graphics/UxFontInfo.h"
#include "ux/graphics/UxResourcePool.h"

// Fonts shared by every text item, by their key.
class UxFontPool : public UxSingleton<UxFontPool>, public UxResourcePool<UxFontInfo, UxFont> {
public:
    ~UxFontPool() override { UnloadAll(); }

protected:
    bool Create(const UxFontInfo& info, UxFont& font) override { return font.Create(info); }
    void Destroy(UxFont& font) override { font.Release(); }
};
