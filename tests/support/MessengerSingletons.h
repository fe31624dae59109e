#pragma once

#include "messenger/model/BuddyList.h"
#include "messenger/model/GroupList.h"
#include "messenger/model/Me.h"
#include "messenger/protocol/PktFactory.h"
#include "messenger/protocol/PktHandlerFactory.h"
#include "messenger/protocol/PktPendingList.h"
#include "messenger/protocol/PktTransactionIdIssuer.h"
#include "messenger/protocol/TarvPong.h"
#include "tests/support/RecordingPeer.h"

// The messenger's singletons in start-up order, with a recording peer, for one test.
// Deleted in the reverse order, as shut-down does.
struct MessengerSingletons {
    Me me;
    GroupList groups;
    BuddyList buddies;
    PktTransactionIdIssuer issuer;
    PktFactory packets;
    PktHandlerFactory handlers;
    PktPendingList pending;
    RecordingPeer peer;
    TarvPong pong;
};
