#pragma once

#include "messenger/model/Buddy.h"
#include "ux/core/UxSingleton.h"

#include <cstdint>
#include <string>

// The signed-in user: what the login screen typed, what the sign-in answer told. Kept
// across a session reset until the next login overwrites it.
class Me : public UxSingleton<Me> {
public:
    std::wstring Id;
    std::wstring PasswordDigest; // sent in place of the password
    bool LoginOffline = false;
    bool Unused = false;
    std::wstring Ticket; // from the redirection answer, sent again at sign-in
    int32_t AccountKind = 2;
    bool AccountFlag = false;
    std::wstring Text1;
    std::wstring Text2;
    int32_t Status = BuddyStatusNotReported;
    std::wstring Name;
    std::wstring Nick;
    std::wstring Profile3;
    std::wstring Profile4;
    std::wstring Profile5;
    std::wstring Profile6;
    std::wstring Profile7;
    std::wstring Profile8;
    std::wstring Profile9;
    bool YesFlag = false;
    std::wstring WebTicket; // replaced by every ticket refresh
    std::wstring Text3;
};
