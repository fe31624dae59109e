// The update host's answers at sizes the other update target never tries: heads over
// 64 KiB, descriptors past their bound, messages longer than the question shows and
// packages arriving in many pieces (see UpdateFuzz.h for the input). The choices come
// last: a long input's first byte is almost never mutated, while its end changes with
// every shorter or crossed-over input.
#include "fuzz/UpdateFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return updatefuzz::Run(data, size, 1024 * 1024, updatefuzz::Choices::Last);
}
