#include "messenger/protocol/chat/PktOutCtoc.h"

#include "messenger/protocol/PktKeywords.h"

bool PktOutCtoc::SetPayload(Pkt& inner)
{
    inner.SetNoId(true);
    if (!inner.Serialize())
        return false;
    const PktStreamWriter& bytes = inner.GetWriter();
    m_payload.Clear();
    if (bytes.GetSize())
        m_payload.Write(bytes.GetData(), static_cast<uint32_t>(bytes.GetSize()));
    return true;
}

bool PktOutCtoc::WriteArgs(PktStreamWriter& writer)
{
    writer.WriteArg(Target);
    writer.WriteArg(DeliveryKindToText(Delivery));
    writer.WritePayload(m_payload.GetData(), m_payload.GetSize());
    return true;
}
