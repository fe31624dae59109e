#pragma once

#include "messenger/protocol/codec/PktIn.h"

// The answer to an own RMVB (kind and ids from the pending request), or, with
// transaction id 0, the service telling that someone took this user off a list.
class PktInRmvb : public PktIn {
public:
    explicit PktInRmvb(int32_t transactionId)
        : PktIn(L"RMVB", transactionId)
    {
    }

    // False when an answer's request is no longer pending: the kind then stays 4.
    bool ReadArgs(PktStreamReader& reader) override;

    int32_t Kind = 4;
    std::wstring BuddyId;
    std::wstring Email;
    std::wstring Text; // the answer's word, kept
};
