// Arbitrary bytes as a reassembled buddy-list body: parsed into records and loaded into
// the model.
#include "messenger/model/BuddyList.h"
#include "messenger/model/GroupList.h"
#include "messenger/protocol/buddies/PktHandlerLsta.h"
#include "messenger/protocol/buddies/PktInLsta.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 20))
        return 0;
    GroupList groups;
    BuddyList buddies;
    PktInLsta list(0);
    list.ParseBody(data, static_cast<uint32_t>(size));
    PktHandlerLsta::LoadModel(list);
    for (const auto& entry : groups.GetGroups())
        entry.second.CountOnline();
    return 0;
}
