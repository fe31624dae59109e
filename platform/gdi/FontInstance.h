#pragma once

#include "platform/gdi/GdiTypes.h"

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace plat {

class FontLibrary;

// One rendered character: 8-bit coverage, placed relative to the pen on the baseline.
struct GlyphImage {
    int left = 0; // columns right of the pen
    int top = 0; // rows above the baseline
    int width = 0;
    int height = 0;
    int advance = 0;
    std::vector<uint8_t> coverage; // width x height, rows top first
};

// The face name of the built-in fixed-advance font: cell height h (16 when the height is
// 0), ascent h - h / 4, every character h / 2 wide with a solid box from the cell's
// second row to its last-but-one and from column 0 to the advance less one, except the
// spaces (U+0020, U+3000), which have no ink. Underline on the row below the baseline,
// strike-out on row ascent / 2. Layout tests use it for exact sizes.
constexpr const wchar_t* kTestFontFace = L"TestFixed";

// A font description made real: the faces chosen for it, its size, its metrics and a
// cache of rendered characters. Shared by every handle with the same description.
class FontInstance {
public:
    // Never null: a machine without any usable face still gets metrics (and no ink).
    static std::shared_ptr<FontInstance> Realize(const LOGFONTW& font);

    ~FontInstance();
    FontInstance(const FontInstance&) = delete;
    FontInstance& operator=(const FontInstance&) = delete;

    // Held while measuring or drawing; guards FreeType and the cache.
    std::unique_lock<std::mutex> Lock();

    int Ascent() const { return m_ascent; }
    int Height() const { return m_height; }
    // Lines drawn for underline and strike-out, as rows from the cell top.
    int UnderlineTop() const { return m_underlineTop; }
    int UnderlineThickness() const { return m_underlineThickness; }
    int StrikeTop() const { return m_strikeTop; }
    int StrikeThickness() const { return m_strikeThickness; }

    // Family name of the face chosen for the description ("" for none).
    const std::string& FamilyName() const { return m_family; }

    // The character's glyph, rendered once; call with the lock held.
    const GlyphImage& Glyph(char32_t c);

private:
    struct Slot {
        FT_Face face = nullptr;
        FT_Size size = nullptr;
        bool synthBold = false;
        bool synthItalic = false;
    };

    FontInstance() = default;
    void InitTestFont(int height);
    void InitFromLibrary(const LOGFONTW& font);
    int AddSlot(const std::string& file, int index);
    bool FindFallback(char32_t c, int& slot, FT_UInt& glyph);
    GlyphImage Render(int slot, FT_UInt glyph);
    GlyphImage TestGlyph(char32_t c) const;

    std::shared_ptr<FontLibrary> m_library; // null for the test font
    std::unique_ptr<std::mutex> m_ownMutex; // the test font's own lock
    bool m_testFont = false;
    bool m_wantBold = false;
    bool m_wantItalic = false;
    double m_emPixels = 0;
    int m_ascent = 0;
    int m_height = 0;
    int m_underlineTop = 0;
    int m_underlineThickness = 1;
    int m_strikeTop = 0;
    int m_strikeThickness = 1;
    std::string m_family;
    std::string m_requestedFamily; // as the description names it

    std::vector<Slot> m_slots; // [0] the chosen face, then fallbacks as characters need them
    std::map<std::pair<std::string, int>, int> m_slotIndex;
    int m_hangulSlot = -1; // the Hangul face, tried first when the chosen face lacks a character
    FcPattern* m_sortPattern = nullptr;
    FcFontSet* m_sorted = nullptr; // faces ordered for the request, made on first need
    bool m_sortedTried = false;

    static constexpr size_t kMaxCachedGlyphs = 8192;
    std::unordered_map<char32_t, GlyphImage> m_glyphs;
};

} // namespace plat
