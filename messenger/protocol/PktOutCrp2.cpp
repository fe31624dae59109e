#include "messenger/protocol/PktOutCrp2.h"

#include "messenger/protocol/PktKeywords.h"
#include "messenger/protocol/PktPendingList.h"

bool PktOutCrp2::SetPayload(Pkt& inner)
{
    if (!inner.Serialize())
        return false;
    const PktStreamWriter& bytes = inner.GetWriter();
    m_payload.Clear();
    if (bytes.GetSize())
        m_payload.Write(bytes.GetData(), static_cast<uint32_t>(bytes.GetSize()));
    PktPendingList* pending = PktPendingList::GetInstance();
    return pending && pending->Add(inner);
}

bool PktOutCrp2::WriteArgs(PktStreamWriter& writer)
{
    writer.WriteArg(EnvelopeKindToText(m_kind));
    writer.WriteArg(m_key);
    writer.WritePayload(m_payload.GetData(), m_payload.GetSize());
    return true;
}
