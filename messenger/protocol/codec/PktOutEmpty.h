#pragma once

#include "messenger/protocol/codec/Pkt.h"

// A request without arguments (PING, PONG, RESS, LOUT).
class PktOutEmpty : public Pkt {
public:
    explicit PktOutEmpty(const std::wstring& command)
        : Pkt(command)
    {
    }

    std::unique_ptr<Pkt> Clone() const override { return std::unique_ptr<Pkt>(new PktOutEmpty(*this)); }
    bool WriteArgs(PktStreamWriter& writer) override
    {
        writer.EndLine();
        return true;
    }
    bool ReadArgs(PktStreamReader&) override { return false; }

protected:
    PktOutEmpty(const PktOutEmpty&) = default;
};
