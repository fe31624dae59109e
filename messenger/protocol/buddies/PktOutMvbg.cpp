#include "messenger/protocol/buddies/PktOutMvbg.h"

void PktOutMvbg::AddRecord(const std::wstring& buddyId, const std::wstring& email,
    const std::wstring& sourceGroup, const std::wstring& targetGroup)
{
    Records.push_back({ static_cast<uint32_t>(Records.size()), buddyId, email, sourceGroup, targetGroup });
}

bool PktOutMvbg::WriteArgs(PktStreamWriter& writer)
{
    PktStreamWriter payload;
    for (const MvbgRecord& record : Records) {
        payload.WriteUInt(record.Index);
        payload.WriteArg(record.BuddyId);
        payload.WriteArg(record.Email);
        payload.WriteArg(record.SourceGroup);
        payload.WriteArg(record.TargetGroup);
        payload.EndLine();
    }
    writer.WriteArg(Text);
    writer.WritePayload(payload.GetData(), payload.GetSize());
    return true;
}
