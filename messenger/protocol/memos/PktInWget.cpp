#include "messenger/protocol/memos/PktInWget.h"

#include "messenger/protocol/codec/PktFactory.h"
#include "messenger/protocol/codec/PktKeywords.h"
#include "messenger/protocol/codec/PktStreamReader.h"
#include "messenger/protocol/memos/PktOutWget.h"
#include "ux/core/UxText.h"

#include <algorithm>

namespace {

[[maybe_unused]] const bool kRegistered = PktFactory::RegisterClass<PktInWget>({ L"WGET" });

} // namespace

void PktInWget::Drop()
{
    s_fragments.clear();
    s_fragments.shrink_to_fit();
    s_nextIndex = -1;
}

bool PktInWget::ReadArgs(PktStreamReader& reader)
{
    std::wstring word;
    reader.ReadWord(word);
    Kind = ParseMemoCommand(word);
    reader.ReadInt(Count);
    reader.ReadInt(Index);
    int32_t result = kFailureCodeSuccess;
    reader.ReadInt(result);
    SetResult(result);
    uint32_t length = 0;
    reader.ReadCount(length);
    std::string bytes;
    const bool whole = reader.ReadBytes(length, bytes);

    if (Count < 0 || Count > kMaxFragments || Index < 0 || Index > Count) {
        UxTrace(L"PktInWget::ReadArgs, fragment %d of %d is refused.\n", Index, Count);
        Drop();
        return false;
    }
    if (Index <= 1) {
        Drop();
        s_kind = Kind;
    } else if (Index != s_nextIndex || Kind != s_kind) {
        // A fragment out of turn (or of another answer): what was gathered cannot be
        // put together any more.
        if (s_nextIndex != -1)
            UxTrace(L"PktInWget::ReadArgs, fragment %d came out of turn; the answer is dropped.\n", Index);
        Drop();
        return whole;
    }
    if (s_fragments.size() + bytes.size() > s_maxAnswer) {
        UxTrace(L"PktInWget::ReadArgs, a memo-box answer of more than %u bytes is dropped.\n",
            static_cast<unsigned>(s_maxAnswer));
        Drop();
        return whole;
    }
    s_fragments += bytes;
    s_nextIndex = Index + 1;
    if (Index == Count) {
        Complete = true;
        if (!s_fragments.empty())
            ParseAnswer(reinterpret_cast<const uint8_t*>(s_fragments.data()),
                static_cast<uint32_t>(s_fragments.size()));
        Drop();
    }
    return whole;
}

void PktInWget::ParseAnswer(const uint8_t* data, uint32_t size)
{
    PktStreamReader reader(data, size);
    switch (Kind) {
    case PktOutWget::KindList:
        List.Read(reader);
        break;
    case PktOutWget::KindCount:
        reader.ReadInt(Unread);
        break;
    case PktOutWget::KindGet: {
        // The first word is the inner command; the rest follows a line of its own.
        std::wstring command;
        reader.ReadWord(command);
        Frame = ToUtf8(command) + " 0\r\n";
        Frame.append(reinterpret_cast<const char*>(reader.GetPosition()), reader.GetRemaining());
        break;
    }
    case PktOutWget::KindRel:
        Related.Read(reader);
        break;
    default:
        break;
    }
}
