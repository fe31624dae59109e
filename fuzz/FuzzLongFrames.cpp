// What the service sends after the sign-in at the sizes where the bounds lie (see
// FuzzSignedInFrames), with two chats open: a line of 64 KiB without its end, a chat line
// longer than 64 KiB, a notice of more than 4,096 characters, more than 1,000 ids that a
// memo did not reach, a memo to more than 1,000 receivers, a memo page of more than 1,000
// memos, and buddy-list and memo-box answers past the 16 KiB this target allows them.
#include "fuzz/MessengerFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return FuzzSignedInFrames(data, size, 16 * 1024, true);
}
