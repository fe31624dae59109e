#include "ux/widgets/UxLinearLayout.h"

#include "ux/core/UxWindow.h"

#include <algorithm>
#include <cmath>

namespace {

// Truncates toward zero; whatever the weights, the edge stays an int.
int32_t ToPixel(float v)
{
    return std::isnan(v) ? 0 : int32_t(std::clamp(v, -1.0e9f, 1.0e9f));
}

} // namespace

// The fields one direction reads: before/after neighbours, size, absolute flag,
// leading and trailing margins and the spacing.
struct UxLinearLayout::Axis {
    UxWindow* UxLinearLayoutCell::*before;
    UxWindow* UxLinearLayoutCell::*after;
    float UxLinearLayoutCell::*size;
    int32_t UxLinearLayoutCell::*absolute;
    int32_t lead;
    int32_t trail;
    int32_t spacing;
};

void UxLinearLayout::SetMargins(int32_t margin)
{
    SetMargins(margin, margin, margin, margin);
}

void UxLinearLayout::SetMargins(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    m_marginLeft = left;
    m_marginTop = top;
    m_marginRight = right;
    m_marginBottom = bottom;
}

void UxLinearLayout::SetSpacing(int32_t spacing)
{
    m_spacingX = m_spacingY = spacing;
}

UxLinearLayoutCell* UxLinearLayout::AddCell(UxWindow* window, UxWindow* left, UxWindow* up, UxWindow* right,
    UxWindow* down, float width, float height, bool widthAbsolute, bool heightAbsolute)
{
    m_cells.push_back(UxLinearLayoutCell {
        window, left, up, right, down, width, height, widthAbsolute ? 1 : 0, heightAbsolute ? 1 : 0 });
    return &m_cells.back();
}

bool UxLinearLayout::AddWindow(UxWindow* window)
{
    UxWindow* left = nullptr;
    if (!m_cells.empty()) {
        left = m_cells.back().Window;
        m_cells.back().Right = window;
    }
    AddCell(window, left, nullptr, nullptr, nullptr, 1.0f, 1.0f, false, false);
    return true;
}

const UxLinearLayoutCell* UxLinearLayout::Find(const UxWindow* window) const
{
    if (!window)
        return nullptr;
    for (const UxLinearLayoutCell& cell : m_cells) {
        if (cell.Window == window)
            return &cell;
    }
    return nullptr;
}

UxLinearLayoutCell* UxLinearLayout::FindCell(UxWindow* window)
{
    return const_cast<UxLinearLayoutCell*>(Find(window));
}

void UxLinearLayout::Extent(
    const UxLinearLayoutCell& cell, const Axis& axis, int32_t total, int32_t& start, int32_t& end) const
{
    // A chain is never longer than the cells; the bound also ends neighbour cycles.
    const size_t limit = m_cells.size();
    std::vector<const UxLinearLayoutCell*> before;
    for (const UxLinearLayoutCell* c = Find(cell.*axis.before); c && before.size() < limit; c = Find(c->*axis.before))
        before.push_back(c);
    std::vector<const UxLinearLayoutCell*> chain = before;
    chain.push_back(&cell);
    size_t walked = 0;
    for (const UxLinearLayoutCell* c = Find(cell.*axis.after); c && walked < limit; c = Find(c->*axis.after), ++walked)
        chain.push_back(c);

    float fixed = float(axis.lead) + float(axis.trail);
    float weights = 0;
    bool relative = false;
    for (const UxLinearLayoutCell* c : chain) {
        if (c != &cell)
            fixed += float(axis.spacing);
        if (c->*axis.absolute)
            fixed += c->*axis.size;
        else {
            weights += c->*axis.size;
            relative = true;
        }
    }
    // Weights that add up to nothing share the room evenly instead of dividing by 0.
    bool even = relative && !(weights > 0);
    if (even) {
        weights = 0;
        for (const UxLinearLayoutCell* c : chain)
            weights += (c->*axis.absolute) ? 0.0f : 1.0f;
    }
    float unit = weights > 0 ? (float(total) - fixed) / weights + 0.001f : 0.0f;
    auto length = [&](const UxLinearLayoutCell* c) {
        if (c->*axis.absolute)
            return c->*axis.size;
        return (even ? 1.0f : c->*axis.size) * unit;
    };

    float x = float(axis.lead);
    for (const UxLinearLayoutCell* c : before)
        x += float(axis.spacing) + length(c);
    start = ToPixel(x);
    end = ToPixel(x + length(&cell));
}

plat::RECT UxLinearLayout::Place(const UxLinearLayoutCell& cell, int32_t width, int32_t height) const
{
    Axis horizontal { &UxLinearLayoutCell::Left, &UxLinearLayoutCell::Right, &UxLinearLayoutCell::Width,
        &UxLinearLayoutCell::WidthAbsolute, m_marginLeft, m_marginRight, m_spacingX };
    Axis vertical { &UxLinearLayoutCell::Up, &UxLinearLayoutCell::Down, &UxLinearLayoutCell::Height,
        &UxLinearLayoutCell::HeightAbsolute, m_marginTop, m_marginBottom, m_spacingY };
    plat::RECT r;
    Extent(cell, horizontal, width, r.left, r.right);
    Extent(cell, vertical, height, r.top, r.bottom);
    return r;
}

void UxLinearLayout::Arrange(int32_t width, int32_t height)
{
    for (const UxLinearLayoutCell& cell : m_cells) {
        if (!cell.Window)
            continue;
        cell.Window->SetRect(Place(cell, width, height));
        cell.Window->Invalidate();
    }
}
