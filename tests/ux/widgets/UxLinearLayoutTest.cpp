#include "ux/core/UxRect.h"
#include "ux/core/UxWindow.h"
#include "ux/widgets/UxLinearLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Cell {
    float width;
    bool absolute;
};

// One row of cells in a width x 100 area; returns the left and right edges.
std::vector<std::pair<int32_t, int32_t>> Row(
    const std::vector<Cell>& cells, int32_t width, int32_t margin = 0, int32_t spacing = 0)
{
    std::vector<UxWindow> windows(cells.size());
    UxLinearLayout layout;
    layout.SetMargins(margin);
    layout.SetSpacing(spacing);
    for (size_t i = 0; i < cells.size(); ++i) {
        UxWindow* left = i ? &windows[i - 1] : nullptr;
        UxWindow* right = i + 1 < cells.size() ? &windows[i + 1] : nullptr;
        layout.AddCell(&windows[i], left, nullptr, right, nullptr, cells[i].width, 1.0f, cells[i].absolute, false);
    }
    layout.Arrange(width, 100);
    std::vector<std::pair<int32_t, int32_t>> edges;
    for (UxWindow& w : windows)
        edges.push_back({ w.GetRect().left, w.GetRect().right });
    return edges;
}

using Edges = std::vector<std::pair<int32_t, int32_t>>;

TEST(UxLinearLayout, RowsShareWhatFixedCellsMarginsAndSpacingLeave)
{
    struct Case {
        const char* what;
        std::vector<Cell> cells;
        int32_t width, margin, spacing;
        Edges edges;
    } cases[] = {
        { "equal weights", { { 1, false }, { 1, false }, { 1, false } }, 300, 0, 0,
            { { 0, 100 }, { 100, 200 }, { 200, 300 } } },
        { "fixed and weighted", { { 50, true }, { 1, false }, { 1, false } }, 250, 0, 0,
            { { 0, 50 }, { 50, 150 }, { 150, 250 } } },
        { "margins and spacing", { { 1, false }, { 2, false } }, 330, 10, 10, { { 10, 110 }, { 120, 320 } } },
        { "only fixed cells", { { 40, true }, { 60, true } }, 500, 5, 5, { { 5, 45 }, { 50, 110 } } },
        { "weights all 0 share evenly", { { 0, false }, { 0, false }, { 30, true } }, 230, 0, 0,
            { { 0, 100 }, { 100, 200 }, { 200, 230 } } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Row(c.cells, c.width, c.margin, c.spacing), c.edges) << c.what;
}

TEST(UxLinearLayout, AddWindowBuildsARowAndColumnsFollowTheirOwnChain)
{
    UxWindow a, b, c, lone;
    UxLinearLayout layout;
    layout.AddWindow(&a);
    layout.AddWindow(&b);
    EXPECT_EQ(layout.FindCell(&lone), nullptr);
    // c sits under b, 20 pixels high; b takes what is left of the column.
    layout.FindCell(&b)->Down = &c;
    layout.AddCell(&c, nullptr, &b, nullptr, nullptr, 1.0f, 20.0f, false, true);
    layout.Arrange(200, 100);
    EXPECT_FALSE(RectsDiffer(a.GetRect(), { 0, 0, 100, 100 }));
    EXPECT_FALSE(RectsDiffer(b.GetRect(), { 100, 0, 200, 80 }));
    EXPECT_FALSE(RectsDiffer(c.GetRect(), { 0, 80, 200, 100 }));

    UxLinearLayout margins;
    margins.SetMargins(10);
    margins.AddWindow(&lone);
    margins.Arrange(200, 100);
    EXPECT_FALSE(RectsDiffer(lone.GetRect(), { 10, 10, 190, 90 }));
}

TEST(UxLinearLayout, NeighboursInACircleEndTheWalk)
{
    UxWindow a, b;
    UxLinearLayout layout;
    layout.AddCell(&a, &b, nullptr, &b, nullptr, 1.0f, 1.0f, false, false);
    layout.AddCell(&b, &a, nullptr, &a, nullptr, 1.0f, 1.0f, false, false);
    layout.Arrange(100, 100); // returns: the chains are cut at the number of cells
    EXPECT_LE(a.GetRect().right, 1000);
}

} // namespace
