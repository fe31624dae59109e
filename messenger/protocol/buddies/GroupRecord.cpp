#include "messenger/protocol/buddies/GroupRecord.h"

#include "messenger/protocol/codec/PktStreamReader.h"

void GroupRecord::Read(PktStreamReader& reader)
{
    reader.ReadWord(Id);
    reader.ReadWord(Name);
    int32_t count = 0;
    reader.ReadInt(count);
    Members.clear();
    for (int32_t i = 0; i < count && reader.GetRemaining() > 0; ++i) {
        std::wstring member;
        reader.ReadWord(member);
        Members.push_back(std::move(member));
    }
}
