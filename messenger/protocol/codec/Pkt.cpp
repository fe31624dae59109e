#include "messenger/protocol/codec/Pkt.h"

#include "messenger/protocol/codec/PktTransactionIdIssuer.h"

Pkt::Pkt(const std::wstring& command)
    : PktHeader(command, 0)
{
    if (PktTransactionIdIssuer* issuer = PktTransactionIdIssuer::GetInstance())
        SetTransactionId(issuer->Issue());
}

bool Pkt::Serialize()
{
    PktHeader::Write(m_writer);
    return WriteArgs(m_writer);
}

bool Pkt::SerializeInto(Pkt& inner, PktStreamWriter& payload)
{
    if (!inner.Serialize())
        return false;
    const PktStreamWriter& bytes = inner.GetWriter();
    payload.Clear();
    if (bytes.GetSize())
        payload.Write(bytes.GetData(), static_cast<uint32_t>(bytes.GetSize()));
    return true;
}
