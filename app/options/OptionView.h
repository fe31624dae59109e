#pragma once

#include "app/shell/FramedList.h"

#include <string>

class UxXmlNode;

// The choices of one setting: radio rows for the own status (with its icon), the chat,
// view, sort and notify types, check rows for the notify scopes. A tap applies at once.
class OptionView : public FramedList {
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

    OptionView()
        : FramedList(60)
    {
    }

    // The frame and the row items. False when the node is missing or an item fails.
    bool ApplySkin(UxXmlNode* node) override;
    // Shows the kind's rows (none for an unknown kind), without animation.
    void SetKind(int32_t kind);
    int32_t GetKind() const { return m_kind; }

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

protected:
    bool DrawItems(UxListItemPainter& painter, int32_t index, bool selected) override;

private:
    int32_t m_kind = KindNone;

    RowImage m_radioUnchecked;
    RowImage m_radioChecked;
    RowImage m_checkUnchecked;
    RowImage m_checkChecked;
    RowImage m_statusIcon;
    RowText m_text;
    // Where the text goes on a row with the status icon.
    plat::RECT m_textWithIconRect {};
};
