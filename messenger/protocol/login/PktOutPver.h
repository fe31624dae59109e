#pragma once

#include "messenger/protocol/codec/Pkt.h"
#include "messenger/protocol/login/ClientVersion.h"

// Version check, the first request to the dispatch server.
class PktOutPver : public Pkt {
public:
    PktOutPver()
        : Pkt(L"PVER")
    {
    }

    std::unique_ptr<Pkt> Clone() const override { return std::unique_ptr<Pkt>(new PktOutPver(*this)); }
    bool WriteArgs(PktStreamWriter& writer) override;
    bool ReadArgs(PktStreamReader&) override { return false; }

    std::wstring ClientVersion = kClientVersion;
    std::wstring ProtocolVersion = L"2.0";
    std::wstring ClientKind = L"ko.wm";

protected:
    PktOutPver(const PktOutPver&) = default;
};
