#pragma once

#include "app/shell/FramedList.h"
#include "ux/widgets/UxLabel.h"

#include <string>

class ChatSession;
class UxXmlNode;

// One row per open chat, oldest first: the peer's status, an unread mark, who the chat
// is with, when it began and the arrow to its participants. A help text stands in for
// the list while no chat is open. Rows point into ChatSessionList, so whoever removes a
// session reloads the view.
class ChatListView : public FramedList {
public:
    ChatListView()
        : FramedList(72)
    {
    }
    ~ChatListView() override;

    // The frame, the row items and the help text ("ChatList/View").
    bool ApplySkin(UxXmlNode* node) override;

    void AddSession(ChatSession& session);
    // Every row anew from ChatSessionList.
    void Reload();
    // Repaints the session's rows (its unread mark changed).
    void UpdateSession(const ChatSession& session);
    void UpdateHelpText();

    void OnRowHeld(int32_t, int32_t, int32_t) override { }
    void OnRowClicked(int32_t index, int32_t x, int32_t y) override;

    // "peer 님과 대화" for a chat of two, "first 님 외 n 명과 대화" for more.
    static std::wstring Title(const ChatSession& session);
    ChatSession* GetSession(int32_t index) const;
    const plat::RECT& GetDisclosureRect() const { return m_disclosure.rect; }
    UxLabel& GetHelpText() { return m_helpText; }

protected:
    bool DrawItems(UxListItemPainter& painter, int32_t index, bool selected) override;

private:
    RowImage m_buddyIcon;
    RowImage m_newIcon;
    RowText m_title;
    RowText m_date;
    RowImage m_disclosure;
    UxLabel m_helpText;
};
