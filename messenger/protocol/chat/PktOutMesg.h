#pragma once

#include "messenger/protocol/codec/Pkt.h"

// A chat line or a typing notice, sent inside a "CRP2" envelope to the chat session.
class PktOutMesg : public Pkt {
public:
    enum Kind { KindTyping = 0, KindMsg = 1, KindAwayMsg = 2 };

    PktOutMesg()
        : Pkt(L"MESG")
    {
    }

    std::unique_ptr<Pkt> Clone() const override { return std::unique_ptr<Pkt>(new PktOutMesg(*this)); }
    bool WriteArgs(PktStreamWriter& writer) override;
    bool ReadArgs(PktStreamReader&) override { return false; }

    int32_t Kind = 3;
    int32_t TypingState = 3;
    std::wstring Font;
    uint32_t Colour = 0;
    int32_t Style = 0;
    std::wstring Text;

protected:
    PktOutMesg(const PktOutMesg&) = default;
};
