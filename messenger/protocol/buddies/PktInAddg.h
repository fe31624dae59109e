#pragma once

#include "messenger/protocol/codec/PktIn.h"

// The answer to an own ADDG: the new group's id.
class PktInAddg : public PktIn {
public:
    explicit PktInAddg(int32_t transactionId)
        : PktIn(L"ADDG", transactionId)
    {
    }

    bool ReadArgs(PktStreamReader& reader) override;

    int32_t Number = 0;
    std::wstring GroupId;
};
