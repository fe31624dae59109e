#include "messenger/protocol/codec/PktHeader.h"

#include "messenger/protocol/codec/PktStreamReader.h"
#include "messenger/protocol/codec/PktStreamWriter.h"

bool PktHeader::Write(PktStreamWriter& writer) const
{
    writer.WriteArg(m_command);
    if (!m_noId)
        writer.WriteInt(m_transactionId);
    return true;
}

bool PktHeader::Read(PktStreamReader& reader)
{
    reader.ReadWord(m_command);
    reader.ReadInt(m_transactionId);
    return true;
}
