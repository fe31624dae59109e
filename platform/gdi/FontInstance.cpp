#include "platform/gdi/FontInstance.h"

#include "platform/gdi/FontLibrary.h"
#include "platform/system/Utf8.h"

#include <algorithm>
#include <cmath>
#include <cwctype>

#include FT_SIZES_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

namespace plat {

namespace {

    // The face that covers Hangul; descriptions naming a face the machine lacks get it.
    constexpr const char* kHangulFamily = "NanumGothic";
    constexpr int kDefaultCellHeight = 16;
    // Far above any text on a 480 x 640 screen; a damaged skin asking for more would
    // spend seconds and megabytes on every glyph.
    constexpr int kMaxCellHeight = 512;

    std::string FaceToUtf8(const LOGFONTW& font)
    {
        return EncodeUtf8(
            std::wstring(font.lfFaceName, std::find(font.lfFaceName, font.lfFaceName + LF_FACESIZE, L'\0')));
    }

} // namespace

std::shared_ptr<FontInstance> FontInstance::Realize(const LOGFONTW& font)
{
    std::wstring face(font.lfFaceName, std::find(font.lfFaceName, font.lfFaceName + LF_FACESIZE, L'\0'));
    if (face == kTestFontFace) {
        std::shared_ptr<FontInstance> instance(new FontInstance());
        instance->InitTestFont(font.lfHeight);
        return instance;
    }
    auto library = FontLibrary::Get();
    std::lock_guard<std::mutex> lock(library->Mutex());
    std::string key = FaceToUtf8(font);
    std::transform(key.begin(), key.end(), key.begin(), [](char c) { return char(std::tolower(c)); });
    key += "|" + std::to_string(font.lfHeight) + "|" + (font.lfWeight >= 600 ? "b" : "")
        + (font.lfItalic ? "i" : "");
    if (auto found = library->FindInstance(key))
        return found;
    std::shared_ptr<FontInstance> instance(new FontInstance());
    instance->m_library = library;
    instance->InitFromLibrary(font);
    library->AddInstance(key, instance);
    return instance;
}

FontInstance::~FontInstance()
{
    if (!m_library)
        return;
    std::lock_guard<std::mutex> lock(m_library->Mutex());
    for (auto& slot : m_slots) {
        if (slot.size)
            FT_Done_Size(slot.size);
    }
    if (m_sorted)
        FcFontSetDestroy(m_sorted);
    if (m_sortPattern)
        FcPatternDestroy(m_sortPattern);
}

std::unique_lock<std::mutex> FontInstance::Lock()
{
    return std::unique_lock<std::mutex>(m_library ? m_library->Mutex() : *m_ownMutex);
}

void FontInstance::InitTestFont(int height)
{
    m_testFont = true;
    m_ownMutex = std::make_unique<std::mutex>();
    m_family = "TestFixed";
    m_height = height > 0 ? height : (height < 0 ? -height : kDefaultCellHeight);
    m_height = std::min(m_height, kMaxCellHeight);
    m_ascent = m_height - m_height / 4;
    m_underlineTop = std::min(m_ascent, m_height - 1);
    m_strikeTop = m_ascent / 2;
}

void FontInstance::InitFromLibrary(const LOGFONTW& font)
{
    m_wantBold = font.lfWeight >= 600;
    m_wantItalic = font.lfItalic != 0;
    int requested = font.lfHeight == 0 ? kDefaultCellHeight : font.lfHeight;
    requested = std::clamp(requested, -kMaxCellHeight, kMaxCellHeight);
    m_height = std::abs(requested);
    m_ascent = m_height - m_height / 5;
    if (!m_library->IsUsable())
        return;

    m_requestedFamily = FaceToUtf8(font);
    FontLibrary::Match match;
    if (!m_requestedFamily.empty()
        && m_library->MatchFile(m_requestedFamily, nullptr, m_wantBold, m_wantItalic, true, match))
        AddSlot(match.file, match.index);
    // The Hangul face: the chosen face when the named one is missing, else the first fallback.
    if (m_library->MatchFile(kHangulFamily, "ko", m_wantBold, m_wantItalic, false, match))
        m_hangulSlot = AddSlot(match.file, match.index);
    if (m_slots.empty())
        return;

    FT_Face face = m_slots[0].face;
    const char* name = face->family_name ? face->family_name : "";
    m_family = name;
    double units = face->units_per_EM > 0 ? face->units_per_EM : 1000;
    double ascender = face->ascender;
    double descender = -face->descender;
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
        ascender = os2->usWinAscent;
        descender = os2->usWinDescent;
    }
    if (ascender + descender <= 0) {
        ascender = units * 0.8;
        descender = units * 0.2;
    }
    // A positive height is the cell (ascent + descent), a negative one the em.
    m_emPixels = requested > 0 ? requested * units / (ascender + descender) : -requested;
    double scale = m_emPixels / units;
    m_ascent = std::clamp(int(std::lround(ascender * scale)), 0, requested > 0 ? m_height : 8192);
    if (requested < 0)
        m_height = m_ascent + int(std::lround(descender * scale));

    m_underlineThickness = std::max(1, int(std::lround(face->underline_thickness * scale)));
    int below = int(std::lround(-face->underline_position * scale - face->underline_thickness * scale / 2));
    m_underlineTop
        = std::clamp(m_ascent + std::max(0, below), 0, std::max(0, m_height - m_underlineThickness));
    if (os2 && os2->yStrikeoutSize > 0) {
        m_strikeThickness = std::max(1, int(std::lround(os2->yStrikeoutSize * scale)));
        m_strikeTop = m_ascent - int(std::lround(os2->yStrikeoutPosition * scale));
    } else {
        m_strikeThickness = m_underlineThickness;
        m_strikeTop = m_ascent - m_ascent / 3;
    }
    m_strikeTop = std::clamp(m_strikeTop, 0, std::max(0, m_height - m_strikeThickness));

    for (auto& slot : m_slots) {
        FT_Activate_Size(slot.size);
        FT_Set_Char_Size(slot.face, 0, FT_F26Dot6(std::lround(m_emPixels * 64)), 72, 72);
    }
}

int FontInstance::AddSlot(const std::string& file, int index)
{
    auto key = std::make_pair(file, index);
    if (auto it = m_slotIndex.find(key); it != m_slotIndex.end())
        return it->second;
    FT_Face face = m_library->OpenFace(file, index);
    Slot slot;
    if (face && FT_IS_SCALABLE(face) && FT_New_Size(face, &slot.size) == 0) {
        slot.face = face;
        slot.synthBold = m_wantBold && !(face->style_flags & FT_STYLE_FLAG_BOLD);
        slot.synthItalic = m_wantItalic && !(face->style_flags & FT_STYLE_FLAG_ITALIC);
        if (m_emPixels > 0) {
            FT_Activate_Size(slot.size);
            FT_Set_Char_Size(face, 0, FT_F26Dot6(std::lround(m_emPixels * 64)), 72, 72);
        }
    } else {
        m_slotIndex[key] = -1;
        return -1;
    }
    m_slots.push_back(slot);
    int at = int(m_slots.size()) - 1;
    m_slotIndex[key] = at;
    return at;
}

bool FontInstance::FindFallback(char32_t c, int& slot, FT_UInt& glyph)
{
    if (m_hangulSlot > 0) {
        if (FT_UInt g = FT_Get_Char_Index(m_slots[m_hangulSlot].face, c)) {
            slot = m_hangulSlot;
            glyph = g;
            return true;
        }
    }
    if (!m_sortedTried) {
        m_sortedTried = true;
        // Made only now: most text never needs a face beyond the first two.
        m_sortPattern = m_requestedFamily.empty()
            ? m_library->MakePattern(kHangulFamily, "ko", m_wantBold, m_wantItalic)
            : m_library->MakePattern(m_requestedFamily, nullptr, m_wantBold, m_wantItalic);
        FcResult result;
        if (m_sortPattern)
            m_sorted = FcFontSort(m_library->Config(), m_sortPattern, FcTrue, nullptr, &result);
    }
    if (!m_sorted)
        return false;
    for (int i = 0; i < m_sorted->nfont; ++i) {
        FcCharSet* charset = nullptr;
        if (FcPatternGetCharSet(m_sorted->fonts[i], FC_CHARSET, 0, &charset) != FcResultMatch
            || !FcCharSetHasChar(charset, c))
            continue;
        std::string file;
        int index = 0;
        if (!FontLibrary::FileOf(m_sorted->fonts[i], file, index))
            continue;
        int at = AddSlot(file, index);
        if (at < 0)
            continue;
        if (FT_UInt g = FT_Get_Char_Index(m_slots[at].face, c)) {
            slot = at;
            glyph = g;
            return true;
        }
    }
    return false;
}

const GlyphImage& FontInstance::Glyph(char32_t c)
{
    if (auto it = m_glyphs.find(c); it != m_glyphs.end())
        return it->second;
    if (m_glyphs.size() >= kMaxCachedGlyphs)
        m_glyphs.clear();
    GlyphImage image;
    if (m_testFont) {
        image = TestGlyph(c);
    } else if (!m_slots.empty()) {
        int slot = 0;
        FT_UInt glyph = c <= 0x10FFFF ? FT_Get_Char_Index(m_slots[0].face, c) : 0;
        if (glyph == 0 && c <= 0x10FFFF && !FindFallback(c, slot, glyph)) {
            slot = 0;
            glyph = 0; // the chosen face's missing-character box
        }
        image = Render(slot, glyph);
    }
    return m_glyphs.emplace(c, std::move(image)).first->second;
}

GlyphImage FontInstance::TestGlyph(char32_t c) const
{
    GlyphImage image;
    image.advance = std::max(1, m_height / 2);
    if (c == U' ' || c == U'\u3000' || m_height < 3)
        return image;
    image.left = 0;
    image.top = m_ascent - 1;
    image.width = image.advance - 1;
    image.height = m_height - 2;
    image.coverage.assign(size_t(image.width) * image.height, 255);
    return image;
}

GlyphImage FontInstance::Render(int slotIndex, FT_UInt glyph)
{
    GlyphImage image;
    Slot& slot = m_slots[slotIndex];
    FT_Activate_Size(slot.size);
    if (FT_Load_Glyph(slot.face, glyph, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_LIGHT) != 0)
        return image;
    FT_GlyphSlot g = slot.face->glyph;
    if (g->format == FT_GLYPH_FORMAT_OUTLINE) {
        if (slot.synthItalic)
            FT_GlyphSlot_Oblique(g);
        if (slot.synthBold)
            FT_GlyphSlot_Embolden(g);
    }
    image.advance = int((g->advance.x + 32) >> 6);
    if (g->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(g, FT_RENDER_MODE_NORMAL) != 0)
        return image;
    const FT_Bitmap& bm = g->bitmap;
    if (bm.width == 0 || bm.rows == 0 || !bm.buffer)
        return image;
    if (bm.pixel_mode != FT_PIXEL_MODE_GRAY && bm.pixel_mode != FT_PIXEL_MODE_MONO)
        return image;
    image.left = g->bitmap_left;
    image.top = g->bitmap_top;
    image.width = int(bm.width);
    image.height = int(bm.rows);
    image.coverage.resize(size_t(image.width) * image.height);
    int grays = bm.num_grays > 1 ? bm.num_grays : 256;
    for (int y = 0; y < image.height; ++y) {
        const uint8_t* src = bm.buffer + ptrdiff_t(y) * bm.pitch;
        uint8_t* dst = image.coverage.data() + size_t(y) * image.width;
        for (int x = 0; x < image.width; ++x) {
            if (bm.pixel_mode == FT_PIXEL_MODE_MONO)
                dst[x] = (src[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
            else
                dst[x] = grays == 256 ? src[x] : uint8_t(src[x] * 255 / (grays - 1));
        }
    }
    return image;
}

} // namespace plat
