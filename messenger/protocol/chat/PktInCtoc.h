#pragma once

#include "messenger/protocol/codec/PktIn.h"

#include <string>

// A packet another user sent to this one, with its inner frame rebuilt.
class PktInCtoc : public PktIn {
public:
    explicit PktInCtoc(int32_t transactionId)
        : PktIn(L"CTOC", transactionId)
    {
    }

    bool ReadArgs(PktStreamReader& reader) override;

    std::wstring Sender;
    std::wstring InnerCommand;
    std::string Inner;
};
