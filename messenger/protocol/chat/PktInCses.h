#pragma once

#include "messenger/protocol/codec/PktIn.h"

#include <string>

// The answer to a chat-server session request.
class PktInCses : public PktIn {
public:
    explicit PktInCses(int32_t transactionId)
        : PktIn(L"CSES", transactionId)
    {
    }

    bool ReadArgs(PktStreamReader& reader) override;

    int32_t Kind = 4;
    // "KILL": the session id and whether it was left.
    std::wstring Text;
    bool Flag = false;
    // "CONN": the envelope kind and session id for the chat, then host, port and key.
    int32_t EnvelopeKind = 2;
    std::wstring SessionId;
    std::wstring Host;
    uint16_t Port = 0;
    std::wstring Key;
};
