#pragma once

#include "messenger/protocol/codec/PktIn.h"

// A service notice: two texts kept, the third is what the user reads.
class PktInSnfy : public PktIn {
public:
    explicit PktInSnfy(int32_t transactionId)
        : PktIn(L"SNFY", transactionId)
    {
    }

    bool ReadArgs(PktStreamReader& reader) override;

    // A notice longer than this is cut: a box cannot show more.
    static constexpr size_t kMaxText = 4096;

    std::wstring Text1;
    std::wstring Text2;
    std::wstring Text3;
};
