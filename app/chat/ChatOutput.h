#pragma once

#include "app/chat/ChatTranscript.h"
#include "ux/core/UxSwipeDetector.h"
#include "ux/widgets/UxButton.h"
#include "ux/widgets/UxImageWindow.h"
#include "ux/widgets/UxLabel.h"

#include <array>
#include <string>

class Buddy;
class ChatPage;

// The sign of lines below the view. It lies over the conversation, so the wheel and the
// page keys over it scroll the conversation.
class ChatNewLinesSign : public UxButton {
public:
    explicit ChatNewLinesSign(UxScrollWindow& conversation)
        : m_conversation(conversation)
    {
    }
    bool OnMouseWheel(int32_t delta, int32_t x, int32_t y) override
    {
        return m_conversation.OnMouseWheel(delta, x, y);
    }
    bool OnScrollKey(uintptr_t key) override { return m_conversation.OnScrollKey(key); }

private:
    UxScrollWindow& m_conversation;
};

// The upper part of a chat page: the title with the peer's status icon and the invite
// button, the framed conversation and the line under it (when the last line came, who
// is typing). A swipe across it moves to the neighbouring chat. Lines that arrive while
// the conversation is scrolled away from its end raise a sign at its foot ("새 메시지"),
// which takes it to the end when tapped and goes once the end shows.
class ChatOutput : public UxWindow {
public:
    // Kinds of conversation lines.
    enum LineKind { LineSystem = 0, LineOwn = 1, LinePeer = 2, LineError = 3 };

    ChatOutput();
    ~ChatOutput() override;

    // Builds the view from "Chat/View" for page; false when the view's own skin cannot
    // be applied.
    bool Create(ChatPage* page);

    // A line of the conversation: flashcons become their names, emoticon codes their
    // pictures; every line but the first starts on a new line. The user's own line
    // takes the conversation to its end.
    void AddLine(const std::wstring& text, int kind);
    void SetTitle(const std::wstring& text);
    void SetDate(const std::wstring& text);
    // "peer 님" for a chat of two, "first 님 외 n 명" for more.
    void UpdateTitle();
    // The small icon of the buddy's status; without a buddy, of the chat's peer when it
    // is a buddy (else the icon stays).
    void UpdatePeerStatusIcon(const Buddy* buddy = nullptr);
    // Opens the buddy picker to invite buddies into this chat.
    void Invite();

    bool OnChildEvent(UxWindow* child, int32_t code) override;
    bool OnGesture(UxWindow* sender, int32_t direction) override;
    // On the conversation: offers to copy the line under the point.
    bool OnContextMenu(int32_t x, int32_t y) override;
    bool OnSipShown(const plat::RECT& panelRect) override;
    bool OnSipHidden() override;

    // Each "<FLCON|...|name|.../FLCON>" tag as "플래시콘 (name)"; a tag that is not
    // closed, or has fewer than four fields, stays as it is with all that follows it.
    static std::wstring ConvertFlashcons(const std::wstring& text);

    ChatTranscript& GetTranscript() { return m_output; }
    UxLabel& GetTitleLabel() { return m_title; }
    UxLabel& GetDateLabel() { return m_date; }
    UxImageWindow& GetBuddyIcon() { return m_buddyIcon; }
    UxButton& GetInviteButton() { return m_invite; }
    ChatNewLinesSign& GetNewLinesSign() { return m_newLines; }

private:
    // Appends the text in the colour of its kind, emoticon codes as pictures.
    void AppendMessage(const std::wstring& text, int kind);
    std::array<UxWindow*, 9> Children();
    void ShowNewLines(bool shown);
    // The sign keeps its place above the conversation's foot as the conversation's
    // height changes.
    void PlaceNewLines();

    ChatPage* m_page = nullptr;
    UxImageWindow m_top;
    UxImageWindow m_bottom;
    UxImageWindow m_left;
    UxImageWindow m_right;
    UxImageWindow m_buddyIcon;
    UxLabel m_title;
    UxButton m_invite;
    ChatTranscript m_output;
    UxLabel m_date;
    ChatNewLinesSign m_newLines { m_output };
    UxSwipeDetector m_swipe;

    // Shared by every chat view: all chat pages read the same skin.
    struct Look {
        int32_t fontSize = 0;
        plat::COLORREF backColor = 0xFFFFFF;
        plat::COLORREF colors[4] {};
        std::array<plat::RECT, 9> rects {};
        plat::RECT newLines {};
    };
    static Look s_look;
};
