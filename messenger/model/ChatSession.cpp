#include "messenger/model/ChatSession.h"

#include "messenger/MessengerScreens.h"
#include "ux/core/UxText.h"

#include <algorithm>

namespace {

// UI thread only.
uint64_t s_lastSerial = 0;

} // namespace

ChatSession::ChatSession()
    : m_serial(++s_lastSerial)
{
    Created.Now();
    if (MessengerScreens* screens = MessengerScreens::GetCurrent())
        m_page = screens->CreateChatView(*this);
}

ChatSession::~ChatSession()
{
    Participants.clear();
    Queue.clear();
    m_page.reset();
}

ChatParticipant* ChatSession::FindParticipant(const std::wstring& id)
{
    auto it = std::find_if(
        Participants.begin(), Participants.end(), [&](const ChatParticipant& p) { return p.Id == id; });
    return it == Participants.end() ? nullptr : &*it;
}

bool ChatSession::AddParticipant(const ChatParticipant& participant)
{
    if (FindParticipant(participant.Id))
        return false;
    if (Participants.size() >= kMaxParticipants) {
        UxTrace(L"ChatSession::AddParticipant, the chat is full; %s is not added.\n", participant.Id.c_str());
        return false;
    }
    Participants.push_back(participant);
    return true;
}

bool ChatSession::RemoveParticipant(const std::wstring& id)
{
    auto it = std::find_if(
        Participants.begin(), Participants.end(), [&](const ChatParticipant& p) { return p.Id == id; });
    if (it == Participants.end())
        return false;
    Participants.erase(it);
    return true;
}
