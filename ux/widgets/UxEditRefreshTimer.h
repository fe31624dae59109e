#pragma once

#include <cstdint>
#include <set>

class UxEdit;
class UxEditGlyphImage;

// Repaints a focused edit's caret, the flash of a refused key and animated pictures every
// 0.01 s.
class UxEditRefreshTimer {
public:
    explicit UxEditRefreshTimer(UxEdit* owner)
        : m_owner(owner)
    {
    }
    ~UxEditRefreshTimer(); // stops
    UxEditRefreshTimer(const UxEditRefreshTimer&) = delete;
    UxEditRefreshTimer& operator=(const UxEditRefreshTimer&) = delete;

    void Start();
    void Stop();
    bool IsRunning() const { return m_id != 0; }

    void Register(UxEditGlyphImage* glyph) { m_glyphs.insert(glyph); }
    void Unregister(UxEditGlyphImage* glyph) { m_glyphs.erase(glyph); }
    void Clear() { m_glyphs.clear(); }
    const std::set<UxEditGlyphImage*>& GetGlyphs() const { return m_glyphs; }

private:
    static void OnTick(uintptr_t timer);
    void Tick();

    UxEdit* m_owner;
    float m_period = 0.01f;
    uint32_t m_id = 0;
    std::set<UxEditGlyphImage*> m_glyphs;
};
