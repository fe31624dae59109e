#pragma once

#include "messenger/protocol/codec/PktIn.h"

// The same id signed in elsewhere; this session is over.
class PktInKill : public PktIn {
public:
    explicit PktInKill(int32_t transactionId)
        : PktIn(L"KILL", transactionId)
    {
    }

    bool ReadArgs(PktStreamReader& reader) override;

    std::wstring Text1;
    std::wstring Text2;
    bool Flag = false;
    int32_t Number1 = 0;
    int32_t Number2 = 0;
};
