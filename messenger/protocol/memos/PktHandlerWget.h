#pragma once

#include "messenger/protocol/codec/PktHandler.h"

// A memo-box answer, acted on once its last fragment is in: a page of the box, the
// unread count, or a memo's content (dispatched as the frame it carries).
class PktHandlerWget : public PktHandler {
public:
    bool Handle(TarvPeer* peer, PktIn& packet) override;

    // True while a memo's content is being dispatched: the IMSG handler then shows it
    // instead of announcing a new memo.
    static bool IsOpeningMemo() { return s_openingMemo; }

private:
    static inline bool s_openingMemo = false;
};
