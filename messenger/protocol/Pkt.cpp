#include "messenger/protocol/Pkt.h"

#include "messenger/protocol/PktTransactionIdIssuer.h"

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
