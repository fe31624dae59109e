#pragma once

#include "ux/core/UxWindow.h"
#include "ux/markup/UxXmlNode.h"
#include "ux/widgets/UxImageWindow.h"

#include <vector>

class UxCheckButton;

// A row of page dots, a group of at most NumPages at a time, with images that signal
// pages before and after the group shown.
class UxPageIndicator : public UxWindow {
public:
    UxPageIndicator();
    ~UxPageIndicator() override;

    // "NumPages", "PageSize", "PageSpacing", "Page" (kept as the dots' look), "Prev"
    // and "Next".
    bool ApplySkin(UxXmlNode* node) override;

    // Appends a dot made from the "Page" look; false when that look fails.
    bool AddPage();
    // Removes one dot; false when there is none.
    bool RemovePage();
    void RemoveAllPages();
    // Indexes past the last page show the last one.
    void SetCurrentPage(int32_t index);
    int32_t GetCurrentPage() const { return m_current; }
    int32_t GetPageCount() const { return int32_t(m_dots.size()); }
    const std::vector<UxCheckButton*>& GetDots() const { return m_dots; }

    UxImageWindow Prev;
    UxImageWindow Next;
    int32_t DotsPerGroup = 8;
    plat::POINT DotSize { 0, 0 };
    int32_t DotSpacing = 10;

private:
    void Layout();
    // Slot i of n across the client rectangle, each DotSize wide and DotSpacing apart.
    plat::RECT Slot(int32_t i, int32_t n) const;

    std::vector<UxCheckButton*> m_dots;
    UxXmlNode m_dotLook;
    int32_t m_current = 0;
};
