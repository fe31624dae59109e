#pragma once

#include "messenger/protocol/codec/Pkt.h"

// Enters the chat-server session the "CSES" answer named.
class PktOutEntr : public Pkt {
public:
    PktOutEntr()
        : Pkt(L"ENTR")
    {
    }

    std::unique_ptr<Pkt> Clone() const override { return std::unique_ptr<Pkt>(new PktOutEntr(*this)); }
    bool WriteArgs(PktStreamWriter& writer) override;
    bool ReadArgs(PktStreamReader&) override { return false; }

    std::wstring UserId;
    std::wstring Nick;
    std::wstring Name;
    std::wstring EntryText;
    int32_t TextEncoding = 2; // 0 "ANSI", 1 "UTF8"
    int32_t ClientMode = 2; // 0 "P", 1 "C"
    std::wstring ModeText; // written only in client mode 1
    std::wstring Version;
    int32_t Flag = 2; // 0 "1", 1 "2"
    std::wstring ClientVersion;
    std::wstring ClientKind;

protected:
    PktOutEntr(const PktOutEntr&) = default;
};
