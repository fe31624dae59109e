#pragma once

#include "messenger/protocol/codec/PktHandler.h"

class PktInLsta;

// The buddy list's last fragment: load the lists and open the buddy list.
class PktHandlerLsta : public PktHandler {
public:
    bool Handle(TarvPeer* peer, PktIn& packet) override;

    // Groups, then buddies (a repeated id keeps the first), then every group loses the
    // members that have no buddy.
    static void LoadModel(const PktInLsta& list);
};
