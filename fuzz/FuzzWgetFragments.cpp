// Arbitrary bytes as memo-box answers from the service: each input line that starts a
// WGET fragment is cut and dispatched with the memo list and the screens in place, so
// reassembly, the handlers and nested content run together. A request of every command
// waits for its answer (ids from 901), and answers are dropped past 4 KiB.
#include "fuzz/MessengerFuzz.h"
#include "messenger/model/MemoList.h"
#include "messenger/protocol/memos/PktInWget.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > kMaxServiceInput)
        return 0;
    PktInWget::SetMaxAnswer(4 * 1024);
    SignedInMessenger session;
    MessengerSingletons& m = session.m;
    MemoList& memos = m.memos;
    memos.Box = size ? data[0] % 3 : 0;
    Memo* shown = memos.PushBack(Memo {});
    if (size && data[0] & 4)
        session.screens.shownMemo = shown;
    session.PendEveryCommand();
    m.peer.Receive(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
