#pragma once

#include "messenger/protocol/codec/Pkt.h"

#include <string>
#include <vector>

// One packet (a memo) for several users; the inner packet travels without an id.
class PktOutCmsg : public Pkt {
public:
    PktOutCmsg()
        : Pkt(L"CMSG")
    {
    }

    std::unique_ptr<Pkt> Clone() const override { return std::unique_ptr<Pkt>(new PktOutCmsg(*this)); }
    bool WriteArgs(PktStreamWriter& writer) override;
    bool ReadArgs(PktStreamReader&) override { return false; }

    // Serialises the inner packet without its id; nothing is kept as pending for it.
    bool SetPayload(Pkt& inner);

    bool Flag = false;
    std::vector<std::wstring> Recipients;

protected:
    PktOutCmsg(const PktOutCmsg&) = default;

private:
    PktStreamWriter m_payload;
};
