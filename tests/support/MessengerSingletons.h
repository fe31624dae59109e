#pragma once

#include "messenger/model/BuddyList.h"
#include "messenger/model/ChatSessionList.h"
#include "messenger/model/GroupList.h"
#include "messenger/model/Me.h"
#include "messenger/model/MemoList.h"
#include "messenger/protocol/codec/PktFactory.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"
#include "messenger/protocol/codec/PktTransactionIdIssuer.h"
#include "messenger/protocol/connection/PktPendingList.h"
#include "messenger/protocol/connection/TarvPong.h"
#include "tests/support/RecordingPeer.h"

// The messenger's singletons in start-up order, for one test; deleted in the reverse
// order, as shut-down does. The peer is a recording one unless a test needs a socket.
template <typename PeerType> struct BasicMessengerSingletons {
    Me me;
    GroupList groups;
    BuddyList buddies;
    ChatSessionList chats;
    MemoList memos;
    PktTransactionIdIssuer issuer;
    PktFactory packets;
    PktHandlerFactory handlers;
    PktPendingList pending;
    PeerType peer;
    TarvPong pong;
};

using MessengerSingletons = BasicMessengerSingletons<RecordingPeer>;
