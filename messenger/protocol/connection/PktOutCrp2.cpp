#include "messenger/protocol/connection/PktOutCrp2.h"

#include "messenger/protocol/codec/PktKeywords.h"
#include "messenger/protocol/connection/PktPendingList.h"

bool PktOutCrp2::SetPayload(Pkt& inner)
{
    if (!SerializeInto(inner, m_payload))
        return false;
    m_answered = inner.IsAnswered();
    m_innerId = 0;
    if (!m_answered)
        return true;
    PktPendingList* pending = PktPendingList::GetInstance();
    if (!pending || !pending->Add(inner))
        return false;
    m_innerId = inner.GetTransactionId();
    return true;
}

bool PktOutCrp2::WriteArgs(PktStreamWriter& writer)
{
    writer.WriteArg(EnvelopeKindToText(m_kind));
    writer.WriteArg(m_key);
    writer.WritePayload(m_payload.GetData(), m_payload.GetSize());
    return true;
}
