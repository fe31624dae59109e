#pragma once

#include "ux/graphics/UxImageItem.h"
#include "ux/graphics/UxTextItem.h"
#include "ux/widgets/UxListWindow.h"

#include <string>

class UxXmlNode;

// The choices of one setting: radio rows for the own status (with its icon), the chat,
// view, sort and notify types, check rows for the notify scopes. A tap applies at once.
class OptionView : public UxListWindow {
public:
    enum Kind {
        KindStatus = 0,
        KindChatType = 1,
        KindViewType = 2,
        KindSortType = 3,
        KindNotifyType = 4,
        KindNotifyScopes = 5,
        KindNone = 7,
    };

    // Applies the node and reads the row items, height and colour from it. False when
    // the node is missing or an item fails.
    bool Create(UxXmlNode* node);
    // Shows the kind's rows (none for an unknown kind), without animation.
    void SetKind(int32_t kind);
    int32_t GetKind() const { return m_kind; }

    bool PaintBackground(UxDeviceContext* surface, const plat::RECT& rect) override;
    bool DrawRow(
        UxDeviceContext* surface, int32_t index, const plat::RECT& clip, const plat::RECT& rowClip) override;
    void OnRowHeld(int32_t, int32_t, int32_t) override { }
    void OnRowClicked(int32_t index, int32_t x, int32_t y) override;

    static int32_t GetKindRowCount(int32_t kind);
    // The status rows are online, away, busy and shown offline; a meeting or a call
    // counts as busy, anything unknown as online.
    static int32_t GetStatusOfRow(int32_t row);
    static int32_t GetRowOfStatus(int32_t status);
    // The scope bit of a notify-scope row.
    static int32_t GetScopeOfRow(int32_t row);
    // What a row says, and whether it is the chosen one (checked, for the scopes).
    static std::wstring GetRowText(int32_t kind, int32_t row);
    static bool IsRowChosen(int32_t kind, int32_t row);

private:
    int32_t m_kind = KindNone;

    UxImageItem m_selectionBar;
    UxImageItem m_line;
    UxImageItem m_radioUnchecked;
    UxImageItem m_radioChecked;
    UxImageItem m_checkUnchecked;
    UxImageItem m_checkChecked;
    UxImageItem m_statusIcon;
    UxTextItem m_text;

    plat::RECT m_selectionRect {};
    plat::RECT m_lineRect {};
    plat::RECT m_radioUncheckedRect {};
    plat::RECT m_radioCheckedRect {};
    plat::RECT m_checkUncheckedRect {};
    plat::RECT m_checkCheckedRect {};
    plat::RECT m_statusIconRect {};
    plat::RECT m_textRect {};
    plat::RECT m_textWithIconRect {};
    int32_t m_itemHeight = 60;
    plat::COLORREF m_backColor = 0xFFFFFF;
};
