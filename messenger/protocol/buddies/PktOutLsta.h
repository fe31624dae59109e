#pragma once

#include "messenger/protocol/codec/Pkt.h"

// Asks for the buddy list, sent back in fragments of at most BufferSize bytes.
class PktOutLsta : public Pkt {
public:
    PktOutLsta()
        : Pkt(L"LSTA")
    {
    }

    std::unique_ptr<Pkt> Clone() const override { return std::unique_ptr<Pkt>(new PktOutLsta(*this)); }
    bool WriteArgs(PktStreamWriter& writer) override
    {
        writer.WriteArg(Kind);
        writer.WriteUInt(BufferSize);
        writer.WritePayload(nullptr, 0);
        return true;
    }
    bool ReadArgs(PktStreamReader&) override { return false; }

    std::wstring Kind = L"FULL";
    uint32_t BufferSize = 8192;

protected:
    PktOutLsta(const PktOutLsta&) = default;
};
