#pragma once

#include "app/shell/FramedList.h"

class ChatSession;
class UxXmlNode;

// Who is in one chat: a row per participant with the status, name and nick of the
// buddy behind it, or the participant's own name and nick for a stranger. A buddy's
// row opens the buddy's profile.
class ChatInfoView : public FramedList {
public:
    ChatInfoView()
        : FramedList(64)
    {
    }

    // The frame and the row items ("ChatInfo/View").
    bool ApplySkin(UxXmlNode* node) override;

    // The chat shown; not owned.
    void SetSession(ChatSession* session) { m_session = session; }
    ChatSession* GetSession() const { return m_session; }
    // The chat is going away: the view lets go of it (and of its rows) when it shows it.
    void Forget(const ChatSession* session);
    // A row per participant, without animation.
    void Reload();
    // The page is on top and shows this chat.
    bool IsShowingSession(const ChatSession& session) const;
    // Reloads when it shows this chat (its participants changed).
    void ReloadIfShowing(const ChatSession& session)
    {
        if (IsShowingSession(session))
            Reload();
    }

    void OnRowHeld(int32_t, int32_t, int32_t) override { }
    void OnRowClicked(int32_t index, int32_t x, int32_t y) override;

protected:
    bool DrawItems(UxListItemPainter& painter, int32_t index, bool selected) override;

private:
    ChatSession* m_session = nullptr;
    RowImage m_buddyIcon;
    RowText m_buddyName;
    RowText m_buddyNick;
    RowImage m_disclosure;
};
