#pragma once

#include <string>

class ChatSession;

// Helpers the chat handlers share.

// The chat that the envelope being handled is addressed to; null outside an envelope.
ChatSession* FindEnvelopeSession();
// Ids, names and keys from other users are refused past this length.
constexpr size_t kMaxChatIdLength = 256;
bool IsSaneChatId(const std::wstring& id);
// The name and nick to show for a participant: the buddy's when it is one.
void ParticipantNames(const std::wstring& id, const std::wstring& name, const std::wstring& nick,
    std::wstring& shownName, std::wstring& shownNick);
