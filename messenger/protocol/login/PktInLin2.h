#pragma once

#include "messenger/protocol/codec/PktIn.h"

// The sign-in answer: the account and profile, in the payload.
class PktInLin2 : public PktIn {
public:
    explicit PktInLin2(int32_t transactionId)
        : PktIn(L"LIN2", transactionId)
    {
    }

    bool ReadArgs(PktStreamReader& reader) override;

    static constexpr int kProfileTexts = 11;

    int32_t AccountKind = 2;
    bool AccountFlag = false;
    // Text1, Text2, Name, Nick, then Profile3 ... Profile9 of Me.
    std::wstring Profile[kProfileTexts];
    bool YesFlag = false;
    std::wstring WebTicket;
    std::wstring Text3;
};
