#pragma once

#include <cstdint>
#include <string>

class Buddy;
class Pkt;

// The buddy, group and own-profile requests the screens make. Each goes to the service
// inside a "DP" envelope with an empty key and changes no list: the answer's handler
// does. All return true when the request went out.

// Wraps a request in the envelope and sends it.
bool SendBuddyRequest(Pkt& request);

// Profile page: lets the buddy see this user again, or blocks the buddy.
bool AllowBuddy(const Buddy& buddy, const std::wstring& groupId);
bool BlockBuddy(const Buddy& buddy, const std::wstring& groupId);
// Request page: takes the requester into the group, or turns them down.
bool AcceptBuddy(const Buddy& buddy, const std::wstring& groupId);
bool RejectBuddy(const Buddy& buddy, const std::wstring& groupId);
// Add screen: asks user@domain to become a buddy in the group of that name; nothing
// is sent when no group has the name.
bool AskToAddBuddy(const std::wstring& user, const std::wstring& domain, const std::wstring& groupName,
    const std::wstring& message);
// Profile page: takes the buddy off the buddy list.
bool DeleteBuddy(const Buddy& buddy);
bool AddGroup(const std::wstring& name);
// Group chooser: moves the buddy; nothing is sent when the groups are the same.
bool MoveBuddy(const Buddy& buddy, const std::wstring& fromGroup, const std::wstring& toGroup);
// Option pages: the user's own nick and status change at once and are then sent.
bool ChangeNick(const std::wstring& nick);
bool ChangeStatus(int32_t status);
