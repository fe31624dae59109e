#pragma once

#include "messenger/protocol/connection/PktPendingList.h"

#include <cstddef>
#include <cstdint>
#include <string>

class PktStreamReader;

// Texts the service sends about buddies (names, nicks, profile lines) are kept to this
// many characters; an id longer than this names nobody and reads as empty.
constexpr size_t kMaxBuddyText = 256;

// One word, cut to kMaxBuddyText characters.
void ReadBuddyText(PktStreamReader& reader, std::wstring& text);
// One word; empty when longer than kMaxBuddyText.
void ReadBuddyId(PktStreamReader& reader, std::wstring& id);
std::wstring BoundBuddyText(const std::wstring& text);

// The request this answer replies to, when it is still pending and of that class.
template <typename T> const T* FindPendingRequest(int32_t transactionId)
{
    const PktPendingList* pending = PktPendingList::GetInstance();
    const PktPendingList::Entry* entry = pending && transactionId ? pending->Find(transactionId) : nullptr;
    return entry ? dynamic_cast<const T*>(entry->packet.get()) : nullptr;
}
