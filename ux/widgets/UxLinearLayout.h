#pragma once

#include "platform/event/Message.h"
#include "ux/widgets/UxLinearLayoutCell.h"

#include <vector>

// Places windows by chains of neighbours: a cell's horizontal place depends only on its
// row (left and right neighbours), its vertical place only on its column.
class UxLinearLayout {
public:
    UxLinearLayout() = default;
    virtual ~UxLinearLayout() = default;
    UxLinearLayout(const UxLinearLayout&) = delete;
    UxLinearLayout& operator=(const UxLinearLayout&) = delete;

    void SetMargins(int32_t margin);
    void SetMargins(int32_t left, int32_t top, int32_t right, int32_t bottom);
    void SetSpacing(int32_t spacing);

    UxLinearLayoutCell* AddCell(UxWindow* window, UxWindow* left, UxWindow* up, UxWindow* right, UxWindow* down,
        float width, float height, bool widthAbsolute, bool heightAbsolute);
    // Appends the window to the right of the last cell, weights 1 by 1.
    bool AddWindow(UxWindow* window);
    UxLinearLayoutCell* FindCell(UxWindow* window);
    // Sets every cell's window rectangle inside width x height and repaints it.
    void Arrange(int32_t width, int32_t height);
    // The rectangle Arrange gives the cell.
    plat::RECT Place(const UxLinearLayoutCell& cell, int32_t width, int32_t height) const;

    const std::vector<UxLinearLayoutCell>& GetCells() const { return m_cells; }

private:
    struct Axis;
    // Start and end of cell along one axis of the given total length.
    void Extent(const UxLinearLayoutCell& cell, const Axis& axis, int32_t total, int32_t& start, int32_t& end) const;
    const UxLinearLayoutCell* Find(const UxWindow* window) const;

    int32_t m_marginLeft = 0;
    int32_t m_marginTop = 0;
    int32_t m_marginRight = 0;
    int32_t m_marginBottom = 0;
    int32_t m_spacingX = 0;
    int32_t m_spacingY = 0;
    std::vector<UxLinearLayoutCell> m_cells;
};
