#pragma once

#include "ux/graphics/UxImageItem.h"
#include "ux/graphics/UxTextItem.h"
#include "ux/widgets/UxPopupMenu.h"

#include <string>
#include <vector>

class UxListItemPainter;

// What the application's popup menus share: the frame of "Menu", one row look per menu
// class read from the class's own section, and rows drawn as background and selection
// bar, text, and the line that separates a row from the next.
class AppMenu : public UxPopupMenu {
public:
    // The class-wide look of a menu's rows.
    struct Look {
        int32_t rowHeight = 0;
        plat::COLORREF backColor = 0xFFFFFF;
        plat::COLORREF textColor = 0;
        plat::COLORREF selectedColor = 0;
        plat::RECT selectionRect;
        plat::RECT textRect;
        plat::RECT lineRect;
        plat::RECT iconRect;
    };

    ~AppMenu() override;

    bool PaintListBackground(UxDeviceContext* surface, const plat::RECT& rect) override;
    bool DrawRow(
        UxDeviceContext* surface, int32_t index, const plat::RECT& clip, const plat::RECT& rowClip) override;

    // The selected row, or none when no row is selected.
    int32_t GetSelection(int32_t none);
    const std::wstring& GetRowText(int32_t index) const;
    int32_t GetRowCount() const { return static_cast<int32_t>(m_texts.size()); }
    // Whether the skin gave the menu its frame and row look.
    bool IsBuilt() const { return m_built; }

protected:
    // Builds the frame from "Menu" (sized by the section's "_Size" when it has one) and
    // the rows' look from section into look.
    AppMenu(const wchar_t* section, Look& look);

    // One item row with its text.
    void AddItem(const std::wstring& text);
    // Whatever a menu draws in a row after the text (the emoticon's picture).
    virtual void DrawRowIcon(UxListItemPainter&, int32_t) { }

    const Look& m_look;

private:
    UxImageItem m_selectionBar;
    UxImageItem m_line;
    UxTextItem m_text;
    std::vector<std::wstring> m_texts;
    bool m_built = false;
};
