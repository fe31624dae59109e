#pragma once

#include "messenger/protocol/codec/PktIn.h"

// A buddy's profile changed: the mask's first six characters say which fields ("1"
// for each field that carries a new value).
class PktInNprf : public PktIn {
public:
    explicit PktInNprf(int32_t transactionId)
        : PktIn(L"NPRF", transactionId)
    {
    }

    // False when the mask is shorter than six characters.
    bool ReadArgs(PktStreamReader& reader) override;
    bool IsValid() const { return Mask.size() >= kMaskLength; }

    static constexpr size_t kMaskLength = 6;

    std::wstring BuddyId;
    std::wstring Mask;
    std::wstring Mobile;
    std::wstring Text3;
    std::wstring Text1;
    std::wstring Text2;
    bool ProfileFlag = false; // "Y"
    std::wstring Birthday;
};
