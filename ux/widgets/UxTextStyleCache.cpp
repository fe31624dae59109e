#include "ux/widgets/UxTextStyleCache.h"

#include <tuple>

bool UxTextStyleCache::Less::operator()(const UxTextStyle& a, const UxTextStyle& b) const
{
    if (a.Font < b.Font)
        return true;
    if (b.Font < a.Font)
        return false;
    return std::tie(a.BackMode, a.BackColor, a.TextColor, a.Formats)
        < std::tie(b.BackMode, b.BackColor, b.TextColor, b.Formats);
}

UxTextStyleHandle* UxTextStyleCache::Select(const UxTextStyle& style)
{
    auto found = m_styles.find(style);
    if (found == m_styles.end()) {
        auto handle = std::make_unique<UxTextStyleHandle>(style);
        if (!handle->Load())
            return nullptr;
        found = m_styles.emplace(style, std::move(handle)).first;
    }
    m_current = found->second.get();
    return m_current;
}

void UxTextStyleCache::Clear()
{
    m_current = nullptr;
    m_styles.clear();
}
