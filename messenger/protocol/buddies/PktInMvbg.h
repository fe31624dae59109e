#pragma once

#include "messenger/protocol/codec/PktIn.h"

#include <utility>
#include <vector>

// The answer to an own MVBG: one (record index, result code) pair per move, in the
// order of the request's records.
class PktInMvbg : public PktIn {
public:
    explicit PktInMvbg(int32_t transactionId)
        : PktIn(L"MVBG", transactionId)
    {
    }

    // False when the payload is cut short.
    bool ReadArgs(PktStreamReader& reader) override;

    // More pairs than this are not kept: no request carries that many moves.
    static constexpr size_t kMaxPairs = 4096;

    std::wstring Text;
    std::vector<std::pair<int32_t, int32_t>> Results;
};
