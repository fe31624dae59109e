#pragma once

#include "messenger/protocol/codec/PktIn.h"

// Where the main server is, and the ticket to sign in there with.
class PktInReqs : public PktIn {
public:
    explicit PktInReqs(int32_t transactionId)
        : PktIn(L"REQS", transactionId)
    {
    }

    bool ReadArgs(PktStreamReader& reader) override;

    std::wstring Word; // not used
    std::wstring Host;
    uint16_t Port = 0;
    std::wstring Ticket;
};
