#pragma once

#include "platform/gdi/GdiTypes.h"
#include "ux/graphics/UxTextStyle.h"

#include <cstdint>
#include <string>

class UxDeviceContext;
class UxXmlNode;

// A text a widget draws, with its style and a font from the font pool.
class UxTextItem {
public:
    UxTextItem() = default;
    virtual ~UxTextItem(); // gives the font back
    UxTextItem(const UxTextItem&) = delete;
    UxTextItem& operator=(const UxTextItem&) = delete;

    // Gives the current font back and takes the style's. False when the font cannot be
    // made: the item then has no font and keeps its former colours and formats.
    bool SetStyle(const UxTextStyle& style);
    // A fresh style from "FontSize", "FontEffects", "BackMode", "BackColor", "TextColor"
    // and "TextFormats" (absent keys keep the defaults), then "Text" when present.
    bool ApplySkin(const UxXmlNode* node);
    // The font and colours a skin node's children "FontSize", "FontEffects", "BackColor"
    // and "TextColor" give; what is not there stays as it was.
    static void ReadStyleSkin(const UxXmlNode* node, UxTextStyle& style);
    bool Draw(UxDeviceContext& dc, const plat::RECT& rect, const plat::RECT& clip);

    void SetText(const std::wstring& text) { m_text = text; }
    const std::wstring& GetText() const { return m_text; }
    const UxTextStyle& GetStyle() const { return m_style; }
    int32_t GetFontHandle() const { return m_font; }

private:
    void ReleaseFont();

    UxTextStyle m_style;
    int32_t m_font = -1;
    std::wstring m_text;
};
