#pragma once

#include "messenger/protocol/codec/PktIn.h"

// The version check's answer: 0 optional update, 1 none, 2 forced, 3 an unknown word.
class PktInPver : public PktIn {
public:
    explicit PktInPver(int32_t transactionId)
        : PktIn(L"PVER", transactionId)
    {
    }

    bool ReadArgs(PktStreamReader& reader) override;

    int32_t UpdateFlag = 3;
};
