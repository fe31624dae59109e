#include "messenger/model/ChatSessionList.h"

#include "messenger/model/Buddy.h"
#include "ux/core/UxText.h"

void SetBuddyStatus(Buddy& buddy, int32_t status)
{
    if (buddy.Status == status)
        return;
    buddy.Status = status;
    if (ChatSessionList* chats = ChatSessionList::GetInstance())
        chats->ForgetPeerLines(buddy.Email, buddy.Id);
}

ChatSessionList::~ChatSessionList()
{
    Clear();
}

ChatSession* ChatSessionList::NewSession()
{
    if (m_sessions.size() >= kMaxSessions) {
        UxTrace(
            L"ChatSessionList::NewSession, %d chats are open; no more.\n", static_cast<int>(kMaxSessions));
        return nullptr;
    }
    m_sessions.push_back(std::make_unique<ChatSession>());
    return m_sessions.back().get();
}

void ChatSessionList::RemoveAt(size_t index)
{
    if (index >= m_sessions.size())
        return;
    // Out of the list first: the session's page may look at the list while it goes.
    std::unique_ptr<ChatSession> session = std::move(m_sessions[index]);
    m_sessions.erase(m_sessions.begin() + static_cast<std::ptrdiff_t>(index));
}

void ChatSessionList::RemoveBySessionId(const std::wstring& sessionId)
{
    const int index = IndexOf(FindBySessionId(sessionId));
    if (index >= 0)
        RemoveAt(static_cast<size_t>(index));
}

bool ChatSessionList::Remove(const ChatSession* session)
{
    return Release(session) != nullptr;
}

std::unique_ptr<ChatSession> ChatSessionList::Release(const ChatSession* session)
{
    const int index = IndexOf(session);
    if (index < 0)
        return nullptr;
    std::unique_ptr<ChatSession> released = std::move(m_sessions[size_t(index)]);
    m_sessions.erase(m_sessions.begin() + index);
    return released;
}

void ChatSessionList::Clear()
{
    while (!m_sessions.empty())
        RemoveAt(m_sessions.size() - 1);
}

bool ChatSessionList::HasUnread() const
{
    for (const auto& session : m_sessions)
        if (session->Unread)
            return true;
    return false;
}

int ChatSessionList::IndexOf(const ChatSession* session) const
{
    if (!session)
        return -1;
    for (size_t i = 0; i < m_sessions.size(); ++i)
        if (m_sessions[i].get() == session)
            return static_cast<int>(i);
    return -1;
}

ChatSession* ChatSessionList::FindByPendingId(int32_t transactionId) const
{
    if (transactionId == 0)
        return nullptr; // frames the service starts carry 0: they answer no request
    for (const auto& session : m_sessions)
        if (session->PendingId == transactionId)
            return session.get();
    return nullptr;
}

ChatSession* ChatSessionList::FindOneToOne(const std::wstring& userId) const
{
    for (const auto& session : m_sessions)
        if (session->Participants.size() < 2 && session->PeerId == userId)
            return session.get();
    return nullptr;
}

void ChatSessionList::ForgetPeerLines(const std::wstring& email, const std::wstring& id)
{
    for (const auto& session : m_sessions)
        if (session->PeerId == email || session->PeerId == id)
            session->PeerSpoke = false;
}

ChatSession* ChatSessionList::FindBySessionId(const std::wstring& sessionId) const
{
    if (sessionId.empty())
        return nullptr;
    for (const auto& session : m_sessions)
        if (session->SessionId == sessionId)
            return session.get();
    return nullptr;
}

ChatSession* ChatSessionList::FindBySerial(uint64_t serial) const
{
    for (const auto& session : m_sessions)
        if (session->GetSerial() == serial)
            return session.get();
    return nullptr;
}
