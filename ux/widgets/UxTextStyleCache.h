#pragma once

#include "ux/graphics/UxTextStyle.h"
#include "ux/widgets/UxTextStyleHandle.h"

#include <map>
#include <memory>

// The text styles an edit uses, each loaded once, and the one new text takes.
class UxTextStyleCache {
public:
    // Finds or loads the style and makes it current; null (current unchanged) when its
    // font cannot be made.
    UxTextStyleHandle* Select(const UxTextStyle& style);
    UxTextStyleHandle* GetCurrent() const { return m_current; }
    // Every handle goes; glyphs must not hold one any more.
    void Clear();
    size_t GetCount() const { return m_styles.size(); }

private:
    // Font key first, then back mode, back colour, text colour and formats.
    struct Less {
        bool operator()(const UxTextStyle& a, const UxTextStyle& b) const;
    };

    std::map<UxTextStyle, std::unique_ptr<UxTextStyleHandle>, Less> m_styles;
    UxTextStyleHandle* m_current = nullptr;
};
