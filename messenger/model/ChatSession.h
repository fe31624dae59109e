#pragma once

#include "messenger/ChatView.h"
#include "messenger/model/ChatParticipant.h"
#include "ux/core/UxDateTime.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One open conversation: who it is with, how to reach its chat server, the session id
// that server gave, who is in it, the texts typed before anyone joined, and its page.
class ChatSession {
public:
    // A group chat holds at most this many others; more are refused.
    static constexpr size_t kMaxParticipants = 256;

    // Asks the current screens for the page; there is none without screens.
    ChatSession();
    virtual ~ChatSession();
    ChatSession(const ChatSession&) = delete;
    ChatSession& operator=(const ChatSession&) = delete;

    // The first participant with exactly this id; null when none.
    ChatParticipant* FindParticipant(const std::wstring& id);
    // False (nothing changes) when the id is there already or the chat is full.
    bool AddParticipant(const ChatParticipant& participant);
    bool RemoveParticipant(const std::wstring& id);
    void QueueMessage(const std::wstring& text) { Queue.push_back(text); }
    void ClearQueue() { Queue.clear(); }

    ChatView* GetPage() const { return m_page.get(); }
    // A number no other session of this run has: screens that keep a chat beyond the
    // moment hold this, never a pointer that outlives the session.
    uint64_t GetSerial() const { return m_serial; }

    int32_t State = 0; // 1 while this side has asked for a chat server and nobody joined
    UxDateTime Created;
    int32_t PendingId = 0; // the request ("RESS", then "CSES") that answers for this chat
    std::wstring PeerId;
    std::wstring PeerName;
    std::vector<ChatParticipant> Participants;
    std::wstring Key;
    std::wstring Host;
    uint32_t Port = 0; // 16-bit value
    std::wstring SessionId;
    std::vector<std::wstring> Queue;
    uint8_t Unread = 0;
    // The peer has said a line here since her status last changed, and has neither left
    // the chat nor lost it since: she is there to be answered, whatever her status says
    // (one who shows as offline is told as offline).
    bool PeerSpoke = false;
    // The participant the page's date line tells as typing; empty while it tells none.
    std::wstring TypingId;

private:
    uint64_t m_serial;
    std::unique_ptr<ChatView> m_page;
};
