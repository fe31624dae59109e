#pragma once

#include "ux/graphics/UxImageItem.h"
#include "ux/graphics/UxTextItem.h"
#include "ux/widgets/UxListWindow.h"

class ChatSession;
class UxXmlNode;

// Who is in one chat: a row per participant with the status, name and nick of the
// buddy behind it, or the participant's own name and nick for a stranger. A buddy's
// row opens the buddy's profile.
class ChatInfoView : public UxListWindow {
public:
    // Applies the node ("ChatInfo/View") and reads the row items, height and colours.
    bool Create(UxXmlNode* node);

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

    bool PaintBackground(UxDeviceContext* surface, const plat::RECT& rect) override;
    bool DrawRow(
        UxDeviceContext* surface, int32_t index, const plat::RECT& clip, const plat::RECT& rowClip) override;
    void OnRowHeld(int32_t, int32_t, int32_t) override { }
    void OnRowClicked(int32_t index, int32_t x, int32_t y) override;

private:
    ChatSession* m_session = nullptr;
    UxImageItem m_selectionBar;
    UxImageItem m_line;
    UxImageItem m_buddyIcon;
    UxImageItem m_disclosure;
    UxTextItem m_buddyName;
    UxTextItem m_buddyNick[2];

    plat::RECT m_selectionRect {};
    plat::RECT m_lineRect {};
    plat::RECT m_buddyIconRect {};
    plat::RECT m_buddyNameRect {};
    plat::RECT m_buddyNickRect {};
    plat::RECT m_disclosureRect {};
    int32_t m_itemHeight = 64;
    plat::COLORREF m_backColor = 0xFFFFFF;
};
