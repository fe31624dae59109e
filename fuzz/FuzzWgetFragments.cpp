// Arbitrary bytes as memo-box answers from the service: each input line that starts a
// WGET fragment is cut and dispatched with the memo list and the screens in place, so
// reassembly, the handlers and nested content run together.
#include "messenger/model/MemoList.h"
#include "tests/support/MessengerSingletons.h"
#include "tests/support/RecordingScreens.h"
#include "tests/support/TraceCapture.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 20))
        return 0;
    TraceCapture quiet;
    RecordingScreens screens;
    MessengerSingletons m;
    MemoList& memos = m.memos;
    memos.Box = size ? data[0] % 3 : 0;
    Memo* shown = memos.PushBack(Memo {});
    if (size && data[0] & 4)
        screens.shownMemo = shown;
    m.peer.SetStage(TarvPeer::StageMain);
    m.peer.Receive(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
