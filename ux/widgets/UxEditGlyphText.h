#pragma once

#include "ux/widgets/UxEditGlyph.h"

// One character of an edit's text.
class UxEditGlyphText : public UxEditGlyph {
public:
    // Password edits show this for every character.
    static constexpr wchar_t kBullet = L'\u25CF';

    UxEditGlyphText(UxEditHost* host, UxTextStyleHandle* style, wchar_t character)
        : UxEditGlyph(host, style)
        , m_character(character)
    {
    }

    const UxRuntimeClass* GetRuntimeClass() const override { return &UxRuntimeClass::EditGlyphText; }
    // The character's cell in the style's font (the bullet's in a password edit).
    bool Measure() override;

    wchar_t GetCharacter() const { return m_character; }
    // What is drawn: the character, or the bullet in a password edit.
    wchar_t GetShown() const;

private:
    wchar_t m_character;
};
