#include "messenger/protocol/chat/PktOutCmsg.h"

#include "messenger/protocol/codec/PktKeywords.h"
#include "ux/core/UxText.h"

bool PktOutCmsg::SetPayload(Pkt& inner)
{
    inner.SetNoId(true);
    return SerializeInto(inner, m_payload);
}

bool PktOutCmsg::WriteArgs(PktStreamWriter& writer)
{
    std::wstring line;
    for (const std::wstring& id : Recipients)
        line += (line.empty() ? L"" : L" ") + id;
    std::string bytes = ToUtf8(line) + "\r\n";
    if (m_payload.GetSize())
        bytes.append(reinterpret_cast<const char*>(m_payload.GetData()), m_payload.GetSize());
    writer.WriteArg(YesNoToText(Flag));
    writer.WritePayload(bytes.data(), bytes.size());
    return true;
}
