#include "messenger/protocol/chat/PktOutCtoc.h"

#include "messenger/protocol/codec/PktKeywords.h"

bool PktOutCtoc::SetPayload(Pkt& inner)
{
    inner.SetNoId(true);
    return SerializeInto(inner, m_payload);
}

bool PktOutCtoc::WriteArgs(PktStreamWriter& writer)
{
    writer.WriteArg(Target);
    writer.WriteArg(DeliveryKindToText(Delivery));
    writer.WritePayload(m_payload.GetData(), m_payload.GetSize());
    return true;
}
