#pragma once

#include "messenger/protocol/codec/Pkt.h"
#include "ux/core/UxDateTime.h"

#include <string>
#include <vector>

// A memo as the user sends it: header lines of key and value, an empty line, then the
// text. It travels inside a CMSG addressed to its receivers.
class PktOutImsg : public Pkt {
public:
    PktOutImsg()
        : Pkt(L"IMSG")
    {
    }

    std::unique_ptr<Pkt> Clone() const override { return std::unique_ptr<Pkt>(new PktOutImsg(*this)); }
    bool WriteArgs(PktStreamWriter& writer) override;
    bool ReadArgs(PktStreamReader&) override { return false; }

    std::wstring From;
    std::vector<std::wstring> References; // the receivers
    std::wstring Title;
    bool Confirm = false;
    UxDateTime Date;
    int32_t Event = 4;
    std::wstring Cookie; // of the memo answered or forwarded
    std::wstring FontName;
    int32_t FontSize = 0;
    uint32_t FontColor = 0;
    uint32_t FontStyle = 0;
    int32_t ContentType = 4;
    std::wstring Body;

protected:
    PktOutImsg(const PktOutImsg&) = default;
};
