#include "ux/widgets/UxEditNode.h"

#include <algorithm>
#include <climits>

bool UxEditNode::Draw(UxDeviceContext&, const plat::POINT&, const plat::RECT&)
{
    return true;
}

void UxEditNode::Offset(int32_t dx, int32_t dy)
{
    m_rect.left += dx;
    m_rect.right += dx;
    m_rect.top += dy;
    m_rect.bottom += dy;
}

void UxEditNode::Link(UxEditNode* a, UxEditNode* b)
{
    if (a)
        a->m_next = b;
    if (b)
        b->m_prev = a;
}

void UxEditNode::DeleteRange(UxEditNode* first, UxEditNode* last)
{
    if (!first)
        return;
    UxEditNode* before = first->m_prev;
    UxEditNode* after = last ? last->m_next : nullptr;
    Link(before, after);
    if (!before && after)
        after->m_prev = nullptr;
    for (UxEditNode* n = first; n && n != after;) {
        UxEditNode* next = n->m_next;
        delete n;
        n = next;
    }
}

size_t UxEditNode::Index(const UxEditNode* node)
{
    size_t index = 0;
    for (const UxEditNode* n = node ? node->m_prev : nullptr; n; n = n->m_prev)
        ++index;
    return index;
}

namespace {

template <typename Fold> int32_t FoldHeights(const UxEditNode* first, const UxEditNode* last, int32_t start, Fold fold)
{
    int32_t value = start;
    for (const UxEditNode* n = first; n; n = n->GetNext()) {
        value = fold(value, n->GetHeight());
        if (n == last)
            break;
    }
    return value;
}

} // namespace

int32_t UxEditNode::TotalHeight(const UxEditNode* first, const UxEditNode* last)
{
    return FoldHeights(first, last, 0, [](int32_t a, int32_t h) { return a + h; });
}

int32_t UxEditNode::MinHeight(const UxEditNode* first, const UxEditNode* last)
{
    int32_t value = FoldHeights(first, last, INT32_MAX, [](int32_t a, int32_t h) { return std::min(a, h); });
    return value == INT32_MAX ? 0 : value;
}

int32_t UxEditNode::MaxHeight(const UxEditNode* first, const UxEditNode* last)
{
    return FoldHeights(first, last, 0, [](int32_t a, int32_t h) { return std::max(a, h); });
}
