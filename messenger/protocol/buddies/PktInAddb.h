#pragma once

#include "messenger/protocol/codec/PktIn.h"

// The answer to an own ADDB (its kind and e-mail id come from the pending request), or,
// with transaction id 0, the service telling that a list changed: kind RL is someone
// asking to add this user.
class PktInAddb : public PktIn {
public:
    explicit PktInAddb(int32_t transactionId)
        : PktIn(L"ADDB", transactionId)
    {
    }

    // False when an answer's request is no longer pending: the kind then stays 4.
    bool ReadArgs(PktStreamReader& reader) override;

    int32_t Kind = 4;
    std::wstring BuddyId;
    std::wstring Email;
    std::wstring GroupText; // FL
    std::wstring Name; // FL
    std::wstring Message; // RL: the request message
    std::wstring Extra;
};
