#pragma once

#include "messenger/protocol/codec/Pkt.h"

// Creates a buddy group.
class PktOutAddg : public Pkt {
public:
    PktOutAddg()
        : Pkt(L"ADDG")
    {
    }

    std::unique_ptr<Pkt> Clone() const override { return std::unique_ptr<Pkt>(new PktOutAddg(*this)); }
    bool WriteArgs(PktStreamWriter& writer) override;
    bool ReadArgs(PktStreamReader&) override { return false; }

    uint32_t Number = 0;
    std::wstring Name;

protected:
    PktOutAddg(const PktOutAddg&) = default;
};
