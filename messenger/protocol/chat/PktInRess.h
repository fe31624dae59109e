#pragma once

#include "messenger/protocol/codec/PktIn.h"

#include <string>

// The chat server the main server hands out: host, port and the chat's key.
class PktInRess : public PktIn {
public:
    explicit PktInRess(int32_t transactionId)
        : PktIn(L"RESS", transactionId)
    {
    }

    bool ReadArgs(PktStreamReader& reader) override;

    std::wstring Host;
    uint16_t Port = 0;
    std::wstring Key;
};
