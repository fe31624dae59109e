#include "ux/core/UxRuntimeClass.h"

// Constant-initialised, so they exist before any code that could ask for them runs.
constinit const UxRuntimeClass UxRuntimeClass::EditGlyph(L"UxEditGlyph", nullptr);
constinit const UxRuntimeClass UxRuntimeClass::EditGlyphAnchor(
    L"UxEditGlyphAnchor", &UxRuntimeClass::EditGlyph);
constinit const UxRuntimeClass UxRuntimeClass::EditGlyphText(L"UxEditGlyphText", &UxRuntimeClass::EditGlyph);
constinit const UxRuntimeClass UxRuntimeClass::EditGlyphImage(
    L"UxEditGlyphImage", &UxRuntimeClass::EditGlyph);

bool UxRuntimeClass::IsDerivedFrom(const UxRuntimeClass* record) const
{
    for (const UxRuntimeClass* r = this; r; r = r->m_base)
        if (r == record)
            return true;
    return false;
}
