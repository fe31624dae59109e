// Arbitrary bytes as what the service sends after the sign-in: cut into frames and
// dispatched, in two receives split where the first byte says, with the screens
// recorded and any session reset run as the message loop would.
#include "fuzz/MessengerFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > kMaxServiceInput)
        return 0;
    SignedInMessenger().ReceiveSplit(data, size);
    return 0;
}
