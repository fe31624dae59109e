#pragma once

#include "messenger/protocol/login/PktInAuth.h"

// A new web ticket, in its one word.
class PktInTick : public PktInAuth {
public:
    explicit PktInTick(int32_t transactionId)
        : PktInAuth(L"TICK", transactionId)
    {
    }
};
