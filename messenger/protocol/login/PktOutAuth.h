#pragma once

#include "messenger/protocol/codec/Pkt.h"

// Asks the dispatch server for an authentication word of the given kind.
class PktOutAuth : public Pkt {
public:
    PktOutAuth()
        : Pkt(L"AUTH")
    {
    }

    std::unique_ptr<Pkt> Clone() const override { return std::unique_ptr<Pkt>(new PktOutAuth(*this)); }
    bool WriteArgs(PktStreamWriter& writer) override
    {
        writer.WriteArg(Kind);
        writer.EndLine();
        return true;
    }
    bool ReadArgs(PktStreamReader&) override { return false; }

    std::wstring Kind = L"MD5";

protected:
    PktOutAuth(const PktOutAuth&) = default;
};
