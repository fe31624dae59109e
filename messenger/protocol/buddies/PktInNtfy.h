#pragma once

#include "messenger/protocol/codec/PktIn.h"

// A buddy's new status: id, status letter, a digit word, a text, a kind word.
class PktInNtfy : public PktIn {
public:
    explicit PktInNtfy(int32_t transactionId)
        : PktIn(L"NTFY", transactionId)
    {
    }

    bool ReadArgs(PktStreamReader& reader) override;

    std::wstring BuddyId;
    int32_t Status = 7;
    int32_t TypingState = 3;
    std::wstring Text;
    int32_t Kind = 2; // "1" 0, anything else 2
};
