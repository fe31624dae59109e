#pragma once

#include "messenger/protocol/codec/PktIn.h"

// The answer to an own buddy request, acceptance or rejection.
class PktInAdsb : public PktIn {
public:
    explicit PktInAdsb(int32_t transactionId)
        : PktIn(L"ADSB", transactionId)
    {
    }

    bool ReadArgs(PktStreamReader& reader) override;

    int32_t Kind = 3;
    std::wstring BuddyId;
    std::wstring Name; // request and accept
    int32_t Number = 0; // request and accept
    std::wstring Extra;
};
