#pragma once

#include "messenger/protocol/buddies/BuddyRecord.h"
#include "messenger/protocol/buddies/GroupRecord.h"
#include "messenger/protocol/codec/PktIn.h"

#include <string>
#include <vector>

// One fragment of the buddy list. Fragments are gathered in one buffer shared by all
// of them; the last (index equal to count) parses the whole body into records.
class PktInLsta : public PktIn {
public:
    explicit PktInLsta(int32_t transactionId)
        : PktIn(L"LSTA", transactionId)
    {
    }

    bool ReadArgs(PktStreamReader& reader) override;

    // The body: group count, buddy count, the group records, the buddy records. Counts
    // beyond what the body holds stop at its end.
    void ParseBody(const uint8_t* data, uint32_t size);

    int32_t Index = 0;
    int32_t Count = 0;
    std::vector<GroupRecord> Groups;
    std::vector<BuddyRecord> Buddies;

    // Fragments past this much are dropped with the body they belong to.
    static constexpr size_t kMaxBody = 16 * 1024 * 1024;
    static const std::string& GetFragmentBuffer() { return s_fragments; }
    // A lower limit, so that fuzz targets reach the drop with small inputs.
    static void SetMaxBody(size_t bytes) { s_maxBody = bytes < kMaxBody ? bytes : kMaxBody; }

private:
    static inline size_t s_maxBody = kMaxBody;
    static inline std::string s_fragments;
    static inline bool s_overflow = false;
};
