#pragma once

#include "messenger/model/ChatParticipant.h"
#include "messenger/protocol/codec/PktIn.h"

// Someone in a chat: "JOIN" (arrived) and "USER" (already there, one frame each, led
// by two numbers). The wire gives id, nick, name, extra and the kind word.
class PktInParticipant : public PktIn {
public:
    PktInParticipant(const std::wstring& command, int32_t transactionId)
        : PktIn(command, transactionId)
    {
    }

    bool ReadArgs(PktStreamReader& reader) override;

    int32_t Number1 = 0; // "USER" only; kept
    int32_t Number2 = 0;
    ChatParticipant Participant;
};
