#include "messenger/protocol/buddies/PktInLsta.h"

#include "messenger/protocol/codec/PktFactory.h"
#include "messenger/protocol/codec/PktStreamReader.h"
#include "ux/core/UxText.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktFactory::RegisterClass<PktInLsta>({ L"LSTA" });

} // namespace

bool PktInLsta::ReadArgs(PktStreamReader& reader)
{
    reader.ReadInt(Index);
    reader.ReadInt(Count);
    uint32_t length = 0;
    reader.ReadCount(length);
    if (Index < 2) {
        s_fragments.clear();
        s_overflow = false;
    }
    std::string bytes;
    const bool whole = reader.ReadBytes(length, bytes);
    if (s_fragments.size() + bytes.size() > s_maxBody) {
        if (!s_overflow)
            UxTrace(L"PktInLsta::ReadArgs, the buddy list is larger than %u bytes; it is dropped.\n",
                static_cast<unsigned>(s_maxBody));
        s_fragments.clear();
        s_overflow = true;
    }
    if (!s_overflow)
        s_fragments += bytes;
    if (Index == Count && !s_overflow) {
        ParseBody(
            reinterpret_cast<const uint8_t*>(s_fragments.data()), static_cast<uint32_t>(s_fragments.size()));
        // The list comes once a sign-in: its megabytes are not kept for the next one.
        std::string().swap(s_fragments);
    }
    return whole;
}

void PktInLsta::ParseBody(const uint8_t* data, uint32_t size)
{
    PktStreamReader body(data, size);
    int32_t groups = 0;
    int32_t buddies = 0;
    body.ReadInt(groups);
    body.ReadInt(buddies);
    Groups.clear();
    Buddies.clear();
    for (int32_t i = 0; i < groups && body.GetRemaining() > 0; ++i) {
        Groups.emplace_back();
        Groups.back().Read(body);
    }
    for (int32_t i = 0; i < buddies && body.GetRemaining() > 0; ++i) {
        Buddies.emplace_back();
        Buddies.back().Read(body);
    }
}
