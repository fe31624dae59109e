// Arbitrary bytes as a whole memo-box answer, parsed as every kind.
#include "messenger/protocol/memos/PktInWget.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 20))
        return 0;
    for (int32_t kind = 0; kind <= 6; ++kind) {
        PktInWget answer(0);
        answer.Kind = kind;
        answer.ParseAnswer(data, static_cast<uint32_t>(size));
    }
    return 0;
}
