#include "messenger/protocol/chat/PktOutCmsg.h"

#include "messenger/protocol/PktKeywords.h"
#include "ux/core/UxText.h"

bool PktOutCmsg::SetPayload(Pkt& inner)
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
