#pragma once

#include "messenger/protocol/codec/Pkt.h"

// Sets one login option: its name on the line, its value as the UTF-8 payload.
class PktOutLopt : public Pkt {
public:
    PktOutLopt()
        : Pkt(L"LOPT")
    {
    }

    std::unique_ptr<Pkt> Clone() const override { return std::unique_ptr<Pkt>(new PktOutLopt(*this)); }
    bool WriteArgs(PktStreamWriter& writer) override;
    bool ReadArgs(PktStreamReader&) override { return false; }

    std::wstring Name = L"TXT";
    std::wstring Value = L"memo_wnd_show = false";

protected:
    PktOutLopt(const PktOutLopt&) = default;
};
