#pragma once

#include "messenger/protocol/codec/PktIn.h"

// A buddy's new status: key id, status letter, a digit word, a text, a flag word.
class PktInInfy : public PktIn {
public:
    explicit PktInInfy(int32_t transactionId)
        : PktIn(L"INFY", transactionId)
    {
    }

    bool ReadArgs(PktStreamReader& reader) override;

    std::wstring BuddyId;
    int32_t Status = 7;
    int32_t Digit = 3;
    std::wstring Text;
    int32_t Flag = 2;
};
