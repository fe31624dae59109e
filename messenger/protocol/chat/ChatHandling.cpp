#include "messenger/protocol/chat/ChatHandling.h"

#include "messenger/model/BuddyList.h"
#include "messenger/model/ChatSessionList.h"
#include "messenger/protocol/PktInCrp2.h"

ChatSession* FindEnvelopeSession()
{
    ChatSessionList* chats = ChatSessionList::GetInstance();
    return chats ? chats->FindBySessionId(PktInCrp2::GetCurrentKey()) : nullptr;
}

bool IsSaneChatId(const std::wstring& id)
{
    return !id.empty() && id.size() <= kMaxChatIdLength;
}

void ParticipantNames(const std::wstring& id, const std::wstring& name, const std::wstring& nick,
    std::wstring& shownName, std::wstring& shownNick)
{
    BuddyList* buddies = BuddyList::GetInstance();
    const Buddy* buddy = buddies ? buddies->Find(id) : nullptr;
    shownName = buddy ? buddy->Name : name;
    shownNick = buddy ? buddy->Nick : nick;
}
