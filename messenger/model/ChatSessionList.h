#pragma once

#include "messenger/model/ChatSession.h"
#include "ux/core/UxSingleton.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>

class Buddy;

// Sets a buddy's status; a change makes her chats forget that she spoke in them.
void SetBuddyStatus(Buddy& buddy, int32_t status);

// Every open chat, oldest first; owns them.
class ChatSessionList : public UxSingleton<ChatSessionList> {
public:
    // Invitations from others cannot open more chats than this.
    static constexpr size_t kMaxSessions = 64;

    ChatSessionList() = default;
    ~ChatSessionList() override;

    // Appends a new session; null when the list is full.
    ChatSession* NewSession();
    void RemoveAt(size_t index);
    // Only a non-empty id matches: a chat that never got its id is removed by Remove.
    void RemoveBySessionId(const std::wstring& sessionId);
    // Removes this very session; false when it is not in the list.
    bool Remove(const ChatSession* session);
    // Takes this session out of the list and hands it over; null when it is not there.
    std::unique_ptr<ChatSession> Release(const ChatSession* session);
    void Clear();

    bool HasUnread() const;
    int IndexOf(const ChatSession* session) const;
    // Null for 0, which no request has.
    ChatSession* FindByPendingId(int32_t transactionId) const;
    // The oldest chat with fewer than two participants whose peer is this user.
    ChatSession* FindOneToOne(const std::wstring& userId) const;
    // A buddy's status changed: what she said before no longer tells whether she is there.
    void ForgetPeerLines(const std::wstring& email, const std::wstring& id);
    // Null for the empty id, which no live chat has.
    ChatSession* FindBySessionId(const std::wstring& sessionId) const;
    // The session with this serial; null once it is gone.
    ChatSession* FindBySerial(uint64_t serial) const;

    size_t GetCount() const { return m_sessions.size(); }
    ChatSession* GetAt(size_t index) const
    {
        return index < m_sessions.size() ? m_sessions[index].get() : nullptr;
    }

private:
    std::deque<std::unique_ptr<ChatSession>> m_sessions;
};
