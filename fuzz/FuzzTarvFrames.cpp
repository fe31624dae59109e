// Arbitrary bytes as what the service sends after the sign-in (see FuzzSignedInFrames),
// the buddy list and memo-box answers dropped past 4 KiB; inputs stay short here, and
// the long ones have a target of their own (FuzzLongFrames).
#include "fuzz/MessengerFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return FuzzSignedInFrames(data, size, 4 * 1024);
}
