#pragma once

#include "messenger/protocol/codec/PktIn.h"

// An incoming frame whose only meaning is its command word and result code.
class PktInEmpty : public PktIn {
public:
    PktInEmpty(const std::wstring& command, int32_t transactionId)
        : PktIn(command, transactionId)
    {
    }

    bool ReadArgs(PktStreamReader&) override { return true; }
};
