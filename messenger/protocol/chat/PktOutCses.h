#pragma once

#include "messenger/protocol/codec/Pkt.h"

// The chat-server session request: connect to a chat ("CONN" with host, port and key)
// or leave it ("KILL" with the session id).
class PktOutCses : public Pkt {
public:
    enum Kind { KindList = 0, KindInfo = 1, KindKill = 2, KindConn = 3 };

    PktOutCses()
        : Pkt(L"CSES")
    {
    }

    std::unique_ptr<Pkt> Clone() const override { return std::unique_ptr<Pkt>(new PktOutCses(*this)); }
    bool WriteArgs(PktStreamWriter& writer) override;
    bool ReadArgs(PktStreamReader&) override { return false; }

    int32_t Kind = 4;
    int32_t EnvelopeKind = 2;
    std::wstring Text;
    // For "CONN".
    std::wstring Host;
    uint32_t Port = 0;
    std::wstring Key;

protected:
    PktOutCses(const PktOutCses&) = default;
};
