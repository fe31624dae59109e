#pragma once

#include "messenger/protocol/codec/PktIn.h"

// A pushed notice of three texts; read and otherwise ignored.
class PktInSpsh : public PktIn {
public:
    explicit PktInSpsh(int32_t transactionId)
        : PktIn(L"SPSH", transactionId)
    {
    }

    bool ReadArgs(PktStreamReader& reader) override;

    std::wstring Text1;
    std::wstring Text2;
    std::wstring Text3;
};
