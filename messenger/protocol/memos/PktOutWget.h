#pragma once

#include "messenger/protocol/codec/Pkt.h"
#include "messenger/protocol/memos/MemoRequest.h"

// A memo-box request; only the body of its kind is written. It travels inside a CRP2
// of kind "DP".
class PktOutWget : public Pkt {
public:
    // Wire words "MEMOLST2" ... "MEMOSPM1"; 6 is unknown.
    enum Kind { KindList = 0, KindCount = 1, KindGet = 2, KindRel = 3, KindDelete = 4, KindSpam = 5 };

    PktOutWget()
        : Pkt(L"WGET")
    {
    }

    std::unique_ptr<Pkt> Clone() const override { return std::unique_ptr<Pkt>(new PktOutWget(*this)); }
    bool WriteArgs(PktStreamWriter& writer) override;
    bool ReadArgs(PktStreamReader&) override { return false; }

    int32_t Kind = KindList;
    uint8_t Reply = 0;
    uint16_t SizeLimit = 0;
    MemoListRequest List;
    MemoCountRequest Count;
    MemoGetRequest Get;
    MemoRelRequest Rel;
    MemoCookieRequest ByCookie; // delete and spam report

protected:
    PktOutWget(const PktOutWget&) = default;
};
