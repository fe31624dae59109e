#pragma once

#include "messenger/protocol/codec/Pkt.h"

// Asks to add a buddy, or accepts or rejects someone's request.
class PktOutAdsb : public Pkt {
public:
    enum RequestKind { Request = 0, Accept = 1, Reject = 2 };

    PktOutAdsb()
        : Pkt(L"ADSB")
    {
    }

    std::unique_ptr<Pkt> Clone() const override { return std::unique_ptr<Pkt>(new PktOutAdsb(*this)); }
    bool WriteArgs(PktStreamWriter& writer) override;
    bool ReadArgs(PktStreamReader&) override { return false; }

    int32_t Kind = 3; // RequestKind; 3 is written "Unknown"
    std::wstring BuddyId;
    std::wstring Email;
    std::wstring GroupId;
    std::wstring Message;

protected:
    PktOutAdsb(const PktOutAdsb&) = default;
};
