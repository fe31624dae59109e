#pragma once

#include "messenger/protocol/codec/Pkt.h"

// Changes the user's own status.
class PktOutOnst : public Pkt {
public:
    PktOutOnst()
        : Pkt(L"ONST")
    {
    }

    std::unique_ptr<Pkt> Clone() const override { return std::unique_ptr<Pkt>(new PktOutOnst(*this)); }
    bool WriteArgs(PktStreamWriter& writer) override;
    bool ReadArgs(PktStreamReader&) override { return false; }

    int32_t Status = 7; // BuddyStatus; 7 is written "Unknown"
    int32_t TypingState = 3; // "0", "1", "2"; 3 is written "Unknown"
    std::wstring Text;
    int32_t Format = 2; // 0 "1", 1 "2"; 2 is written "Unknown"

protected:
    PktOutOnst(const PktOutOnst&) = default;
};
