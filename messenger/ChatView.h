#pragma once

#include <cstddef>
#include <string>

// What chat handlers ask of one chat's page. The screens make it
// (MessengerScreens::CreateChatView) and the ChatSession owns it, so that the model
// holds its page without knowing any screen class.
class ChatView {
public:
    // Kinds of conversation lines.
    enum LineKind { LineSystem = 0, LineOwn = 1, LinePeer = 2, LineError = 3 };

    virtual ~ChatView() = default;

    // A line arrived in the conversation (someone spoke, came, left, or a send failed).
    virtual void AddLine(const std::wstring& text, int kind) = 0;
    // The line under the conversation: when the last line came, or who is typing.
    virtual void SetDate(const std::wstring& text) = 0;
    // The participants changed: title, the peer's status icon, the input bar.
    virtual void UpdateTitle() = 0;
    virtual void UpdatePeerStatusIcon() = 0;
    virtual void UpdateInputBar() = 0;
    // Whether the page is the top screen of a window in front, the one with the focus
    // (lines then count as read).
    virtual bool IsOnTop() const = 0;
    // Sends a typed text as the input bar does: out at once when others are in the
    // chat, else queued until someone joins; either way shown at once as the user's own
    // line.
    virtual void SendMessage(const std::wstring& text) = 0;
};
