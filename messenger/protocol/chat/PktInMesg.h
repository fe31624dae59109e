#pragma once

#include "messenger/protocol/codec/PktIn.h"

#include <string>

// A chat line or typing notice from a participant, or the answer to this user's own.
class PktInMesg : public PktIn {
public:
    explicit PktInMesg(int32_t transactionId)
        : PktIn(L"MESG", transactionId)
    {
    }

    bool ReadArgs(PktStreamReader& reader) override;

    std::wstring Sender;
    int32_t Kind = 3;
    int32_t TypingState = 3;
    std::wstring Font;
    uint32_t Colour = 0;
    int32_t Style = 0;
    std::wstring Text;
};
