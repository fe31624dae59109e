#pragma once

#include "messenger/protocol/buddies/MvbgRecord.h"
#include "messenger/protocol/codec/Pkt.h"

#include <vector>

// Moves buddies between groups: one payload line per move.
class PktOutMvbg : public Pkt {
public:
    PktOutMvbg()
        : Pkt(L"MVBG")
    {
    }

    std::unique_ptr<Pkt> Clone() const override { return std::unique_ptr<Pkt>(new PktOutMvbg(*this)); }
    bool WriteArgs(PktStreamWriter& writer) override;
    bool ReadArgs(PktStreamReader&) override { return false; }

    // Appends a move whose index is the number of moves before it.
    void AddRecord(const std::wstring& buddyId, const std::wstring& email, const std::wstring& sourceGroup,
        const std::wstring& targetGroup);

    std::wstring Text = L"0";
    std::vector<MvbgRecord> Records;

protected:
    PktOutMvbg(const PktOutMvbg&) = default;
};
