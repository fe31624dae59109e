#pragma once

#include "messenger/protocol/codec/PktIn.h"

// An answer of one word: the authentication word (and, read the same way, the web
// ticket refresh).
class PktInAuth : public PktIn {
public:
    PktInAuth(const std::wstring& command, int32_t transactionId)
        : PktIn(command, transactionId)
    {
    }

    bool ReadArgs(PktStreamReader& reader) override;

    std::wstring Word;
};
