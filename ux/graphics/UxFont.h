#pragma once

#include "platform/gdi/Gdi.h"
#include "ux/graphics/UxFontInfo.h"

// A font made from a UxFontInfo. The font pool allocates it empty and calls Create, and
// Release when the last user lets go.
class UxFont {
public:
    // The face asked for when a key names none.
    static constexpr const wchar_t* kDefaultFace = L"삼성 고딕";

    UxFont() = default;
    virtual ~UxFont();
    UxFont(const UxFont&) = delete;
    UxFont& operator=(const UxFont&) = delete;

    // Copies the key and makes the font; the face name is cut to 31 characters.
    bool Create(const UxFontInfo& info);
    // Deletes the font handle; the font can be created again.
    void Release();

    const UxFontInfo& GetInfo() const { return m_info; }
    plat::HFONT GetHandle() const { return m_handle; }

private:
    UxFontInfo m_info;
    plat::HFONT m_handle = nullptr;
};
