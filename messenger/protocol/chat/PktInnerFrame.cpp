#include "messenger/protocol/chat/PktInnerFrame.h"

#include "messenger/protocol/codec/PktStreamReader.h"
#include "messenger/protocol/codec/PktStreamWriter.h"

bool ReadInnerFrame(PktStreamReader& reader, uint32_t count, std::wstring& command, std::string& frame)
{
    std::string payload;
    const bool whole = reader.ReadBytes(count, payload);
    PktStreamReader inner(payload.data(), static_cast<uint32_t>(payload.size()));
    inner.ReadWord(command);
    PktStreamWriter rebuilt;
    rebuilt.WriteArg(command);
    rebuilt.WriteInt(0);
    rebuilt.EndLine();
    frame = rebuilt.ToString();
    frame.append(reinterpret_cast<const char*>(inner.GetPosition()), inner.GetRemaining());
    return whole && !command.empty();
}
