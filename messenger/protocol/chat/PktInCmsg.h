#pragma once

#include "messenger/protocol/codec/PktIn.h"

#include <string>
#include <vector>

// Either the service's answer to this user's own "CMSG" (who did not get it) or a
// packet delivered from another user, with its inner frame rebuilt.
class PktInCmsg : public PktIn {
public:
    explicit PktInCmsg(int32_t transactionId)
        : PktIn(L"CMSG", transactionId)
    {
    }

    bool ReadArgs(PktStreamReader& reader) override;

    bool IsAnswer = false; // the frame's id is one of this client's requests
    // Who did not get the memo: at most as many as a memo has receivers, and how many
    // more the answer named.
    std::vector<std::wstring> Undelivered;
    size_t UndeliveredLeftOut = 0;
    std::wstring Sender;
    std::wstring InnerCommand;
    std::string Inner;
};
