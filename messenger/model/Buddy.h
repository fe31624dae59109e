#pragma once

#include <cstdint>
#include <string>

struct BuddyRecord;

// A buddy's presence, with its wire letter: O A M P B X F.
enum BuddyStatus : int32_t {
    BuddyStatusOnline = 0,
    BuddyStatusAway = 1,
    BuddyStatusMeeting = 2,
    BuddyStatusPhone = 3,
    BuddyStatusBusy = 4,
    BuddyStatusShownOffline = 5,
    BuddyStatusOffline = 6,
    BuddyStatusNotReported = 7,
};

// The service's lists a buddy can be on; a buddy's Flags hold 1 << kind.
enum BuddyListKind : int32_t {
    BuddyListForward = 0, // my buddy list
    BuddyListAllow = 1, // allowed to see me
    BuddyListBlock = 2,
    BuddyListReverse = 3, // has me on their list
};

// A person as chat lines and notifications name them: "name (nick)", or the name
// alone when there is no nick, rather than empty brackets.
std::wstring NameWithNick(const std::wstring& name, const std::wstring& nick);

// One buddy. Id is the key of BuddyList and of group member sets; Email is the sign-in
// id in mail form, the key of BuddyList::Find and the peer id of chats and memos.
class Buddy {
public:
    Buddy() = default;
    explicit Buddy(const BuddyRecord& record);

    bool HasFlag(BuddyListKind kind) const { return (Flags & (1u << kind)) != 0; }
    // The status the lists show and count: one the service has not given yet (a buddy
    // just added, or asking) shows as offline. Whether a chat is possible follows Status.
    int32_t ShownStatus() const { return Status == BuddyStatusNotReported ? BuddyStatusOffline : Status; }

    std::wstring Email;
    bool Confirmed = false;
    std::wstring Id;
    std::wstring Extra;
    uint32_t Flags = 0;
    int32_t Status = BuddyStatusNotReported;
    std::wstring Name;
    std::wstring Nick;
    std::wstring Birthday; // yyyyMMdd, empty when not given
    bool SolarBirthday = false;
    std::wstring Mobile;
    std::wstring Text1;
    std::wstring Text2;
    std::wstring Text3;
    uint8_t ProfileFlag = 0;
    uint8_t Picked = 0; // check state in the buddy picker
};
