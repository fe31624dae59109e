#include "messenger/protocol/login/PktOutLopt.h"

#include "ux/core/UxText.h"

bool PktOutLopt::WriteArgs(PktStreamWriter& writer)
{
    const std::string value = ToUtf8(Value);
    writer.WriteArg(Name);
    writer.WritePayload(value.data(), value.size());
    return true;
}
