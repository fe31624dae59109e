// The update host's answers to the descriptor and package requests after the version
// check's offer: status lines, heads, lengths, redirects and cut bodies of a few KB, with
// the question and the progress box on the screen (see UpdateFuzz.h for the input).
#include "fuzz/UpdateFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return updatefuzz::Run(data, size, 64 * 1024);
}
