#pragma once

#include "messenger/protocol/codec/Pkt.h"

// Changes the user's own nick.
class PktOutCnik : public Pkt {
public:
    explicit PktOutCnik(const std::wstring& nick = std::wstring())
        : Pkt(L"CNIK")
        , Nick(nick)
    {
    }

    std::unique_ptr<Pkt> Clone() const override { return std::unique_ptr<Pkt>(new PktOutCnik(*this)); }
    bool WriteArgs(PktStreamWriter& writer) override
    {
        writer.WriteArg(Nick);
        writer.EndLine();
        return true;
    }
    bool ReadArgs(PktStreamReader&) override { return false; }

    std::wstring Nick;

protected:
    PktOutCnik(const PktOutCnik&) = default;
};
