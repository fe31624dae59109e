#pragma once

#include "ux/graphics/UxImageItem.h"
#include "ux/graphics/UxTextItem.h"
#include "ux/widgets/UxLabel.h"
#include "ux/widgets/UxListWindow.h"

#include <string>

class ChatSession;
class UxXmlNode;

// One row per open chat, oldest first: the peer's status, an unread mark, who the chat
// is with, when it began and the arrow to its participants. A help text stands in for
// the list while no chat is open. Rows point into ChatSessionList, so whoever removes a
// session reloads the view.
class ChatListView : public UxListWindow {
public:
    ~ChatListView() override;

    // Applies the node ("ChatList/View") and reads the row items, height and colours.
    bool Create(UxXmlNode* node);

    void AddSession(ChatSession& session);
    // Every row anew from ChatSessionList.
    void Reload();
    // Repaints the session's rows (its unread mark changed).
    void UpdateSession(const ChatSession& session);
    void UpdateHelpText();

    bool PaintBackground(UxDeviceContext* surface, const plat::RECT& rect) override;
    bool DrawRow(
        UxDeviceContext* surface, int32_t index, const plat::RECT& clip, const plat::RECT& rowClip) override;
    void OnRowHeld(int32_t, int32_t, int32_t) override { }
    void OnRowClicked(int32_t index, int32_t x, int32_t y) override;

    // "peer 님과 대화" for a chat of two, "first 님 외 n 명과 대화" for more.
    static std::wstring Title(const ChatSession& session);
    ChatSession* GetSession(int32_t index) const;
    const plat::RECT& GetDisclosureRect() const { return m_disclosureRect; }
    UxLabel& GetHelpText() { return m_helpText; }

private:
    UxImageItem m_selectionBar;
    UxImageItem m_line;
    UxImageItem m_buddyIcon;
    UxImageItem m_newIcon;
    UxImageItem m_disclosure;
    UxTextItem m_title[2];
    UxTextItem m_date[2];
    UxLabel m_helpText;

    plat::RECT m_selectionRect {};
    plat::RECT m_lineRect {};
    plat::RECT m_buddyIconRect {};
    plat::RECT m_newIconRect {};
    plat::RECT m_titleRect {};
    plat::RECT m_dateRect {};
    plat::RECT m_disclosureRect {};
    int32_t m_itemHeight = 72;
    plat::COLORREF m_backColor = 0xFFFFFF;
};
