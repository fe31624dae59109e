#pragma once

#include "ux/graphics/UxImageDesc.h"
#include "ux/graphics/UxImageItem.h"
#include "ux/widgets/UxEditGlyph.h"

// An emoticon inside an edit's text: its picture, and the code it stands for in the text.
class UxEditGlyphImage : public UxEditGlyph {
public:
    UxEditGlyphImage(UxEditHost* host, UxTextStyleHandle* style)
        : UxEditGlyph(host, style)
    {
    }
    ~UxEditGlyphImage() override; // no longer repainted

    const UxRuntimeClass* GetRuntimeClass() const override { return &UxRuntimeClass::EditGlyphImage; }
    bool Draw(UxDeviceContext& dc, const plat::POINT& origin, const plat::RECT& clip) override;

    // Loads the record's picture. The glyph takes the record's TargetSize, or the size of
    // its ImageCoord when that is 0 x 0; an animated picture is registered for repainting.
    bool Load(const UxDrawItem& record);
    bool Measure() override;

    const UxDrawItem& GetRecord() const { return m_record; }
    const std::wstring& GetCode() const { return m_record.Text; }
    bool IsAnimated() const { return m_registered; }

private:
    UxDrawItem m_record;
    UxImageItem m_item;
    bool m_registered = false;
};
