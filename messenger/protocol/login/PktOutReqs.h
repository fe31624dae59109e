#pragma once

#include "messenger/protocol/codec/Pkt.h"

// Asks the dispatch server for the main server and a login ticket.
class PktOutReqs : public Pkt {
public:
    PktOutReqs(const std::wstring& word, const std::wstring& userId)
        : Pkt(L"REQS")
        , Word(word)
        , UserId(userId)
    {
    }

    std::unique_ptr<Pkt> Clone() const override { return std::unique_ptr<Pkt>(new PktOutReqs(*this)); }
    bool WriteArgs(PktStreamWriter& writer) override
    {
        writer.WriteArg(Word);
        writer.WriteArg(UserId);
        writer.EndLine();
        return true;
    }
    bool ReadArgs(PktStreamReader&) override { return false; }

    std::wstring Word; // the authentication answer's word
    std::wstring UserId;

protected:
    PktOutReqs(const PktOutReqs&) = default;
};
