#pragma once

#include "messenger/protocol/codec/PktIn.h"

#include <string>

// An invitation from another user (delivered inside "CTOC").
class PktInInvt : public PktIn {
public:
    explicit PktInInvt(int32_t transactionId)
        : PktIn(L"INVT", transactionId)
    {
    }

    bool ReadArgs(PktStreamReader& reader) override;

    std::wstring InviterId;
    std::wstring Host;
    uint16_t Port = 0;
    std::wstring Key;
};
