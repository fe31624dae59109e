#pragma once

#include "messenger/protocol/codec/Pkt.h"

// An invitation to a chat: who invites, and the chat server's host, port and key.
class PktOutInvt : public Pkt {
public:
    PktOutInvt()
        : Pkt(L"INVT")
    {
    }

    std::unique_ptr<Pkt> Clone() const override { return std::unique_ptr<Pkt>(new PktOutInvt(*this)); }
    bool WriteArgs(PktStreamWriter& writer) override;
    bool ReadArgs(PktStreamReader&) override { return false; }

    std::wstring InviterId;
    std::wstring Host;
    uint32_t Port = 0;
    std::wstring Key;

protected:
    PktOutInvt(const PktOutInvt&) = default;
};
