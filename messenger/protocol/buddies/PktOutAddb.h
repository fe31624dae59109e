#pragma once

#include "messenger/protocol/codec/Pkt.h"

// Puts a buddy on one of the service's lists (allow or block, from the profile page).
class PktOutAddb : public Pkt {
public:
    PktOutAddb()
        : Pkt(L"ADDB")
    {
    }

    std::unique_ptr<Pkt> Clone() const override { return std::unique_ptr<Pkt>(new PktOutAddb(*this)); }
    bool WriteArgs(PktStreamWriter& writer) override;
    bool ReadArgs(PktStreamReader&) override { return false; }

    int32_t Kind = 4; // BuddyListKind; 4 is written "Unknown"
    std::wstring BuddyId;
    std::wstring Email;
    std::wstring GroupId;

protected:
    PktOutAddb(const PktOutAddb&) = default;
};
