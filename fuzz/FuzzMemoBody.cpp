// Arbitrary bytes as the message body of a memo (what follows the IMSG line), and as
// a font colour.
#include "messenger/protocol/codec/PktStreamReader.h"
#include "messenger/protocol/memos/MemoBody.h"
#include "messenger/protocol/memos/PktInImsg.h"
#include "ux/core/UxText.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 20))
        return 0;
    PktStreamReader reader(data, static_cast<uint32_t>(size));
    PktInImsg memo(0);
    memo.ReadArgs(reader);
    ParseColor(FromUtf8(std::string(reinterpret_cast<const char*>(data), size)));
    return 0;
}
