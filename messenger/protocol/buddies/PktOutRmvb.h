#pragma once

#include "messenger/protocol/codec/Pkt.h"

// Takes a buddy off one of the service's lists (off the buddy list: deleting).
class PktOutRmvb : public Pkt {
public:
    PktOutRmvb()
        : Pkt(L"RMVB")
    {
    }

    std::unique_ptr<Pkt> Clone() const override { return std::unique_ptr<Pkt>(new PktOutRmvb(*this)); }
    bool WriteArgs(PktStreamWriter& writer) override;
    bool ReadArgs(PktStreamReader&) override { return false; }

    int32_t Kind = 4; // BuddyListKind; 4 is written "Unknown"
    std::wstring BuddyId;
    std::wstring Email;

protected:
    PktOutRmvb(const PktOutRmvb&) = default;
};
