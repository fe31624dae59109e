#pragma once

// Shared set-up of the fuzz targets that feed the messenger what the service sends: the
// singletons signed in as kim with one buddy, the screens recorded and traces kept quiet.

#include "messenger/model/ChatSessionList.h"
#include "messenger/protocol/buddies/PktInLsta.h"
#include "messenger/protocol/memos/PktInWget.h"
#include "platform/event/MessageQueue.h"
#include "tests/support/MessengerSingletons.h"
#include "tests/support/RecordingScreens.h"
#include "tests/support/TraceCapture.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Inputs above this are skipped: frames are bounded far below it.
constexpr size_t kMaxServiceInput = size_t(1) << 20;

// Every request this client sends, in the order PendEveryCommand keeps them pending under
// the ids 901, 902 ...: a failure reply ("201 917") is handled as the answer to its request.
inline const wchar_t* const kPendingCommands[] = { L"PVER", L"AUTH", L"REQS", L"LIN2", L"LSTA", L"LOPT",
    L"PONG", L"PING", L"ONST", L"CNIK", L"ADDB", L"ADSB", L"RMVB", L"ADDG", L"MVBG", L"CRP2", L"CTOC", L"RESS",
    L"CSES", L"ENTR", L"MESG", L"CMSG", L"WGET", L"LOUT" };
constexpr int32_t kFirstPendingId = 901;

// A request of one command under a chosen id. It takes no id from the issuer, so the ids
// of the requests a target sends stay those its seeds answer.
class PendingRequest : public Pkt {
public:
    PendingRequest(const wchar_t* command, int32_t id)
        : Pkt(command, id)
    {
    }
    std::unique_ptr<Pkt> Clone() const override { return std::make_unique<PendingRequest>(*this); }
    bool WriteArgs(PktStreamWriter&) override { return true; }
    bool ReadArgs(PktStreamReader&) override { return false; }
};

template <typename PeerType> struct BasicSignedInMessenger {
    BasicSignedInMessenger()
    {
        m.me.Id = L"kim@quorix.net";
        m.peer.SetStage(TarvPeer::StageMain);
        // A buddy the service's notices can name (other targets add theirs).
        Buddy known;
        known.Id = L"k0";
        known.Email = L"z@q";
        known.Status = BuddyStatusOffline;
        m.buddies.Insert(known.Id, known);
    }

    void PendEveryCommand()
    {
        int32_t id = kFirstPendingId;
        for (const wchar_t* command : kPendingCommands)
            m.pending.Add(PendingRequest(command, id++));
    }

    // Frames handed straight to their handlers without a connection, as tests do.
    void DispatchWithoutPeer(const std::string& bytes)
    {
        const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
        for (size_t at = 0; at < bytes.size();) {
            int length = 0;
            m.peer.GetPacketLength(data + at, static_cast<int>(bytes.size() - at), &length);
            if (length <= 0)
                break;
            int32_t id = 0;
            TarvPeer::HandleFrame(data + at, length, nullptr, id);
            at += static_cast<size_t>(length);
        }
    }

    // The bytes in two receives, split where the first byte says, then the message
    // loop's turn (a session reset runs there).
    void ReceiveSplit(const uint8_t* data, size_t size)
    {
        const std::string bytes(reinterpret_cast<const char*>(data), size);
        const size_t split = size ? data[0] % (size + 1) : 0;
        m.peer.Receive(bytes.substr(0, split));
        m.peer.Receive(bytes.substr(split));
        plat::DispatchPending();
    }

    TraceCapture quiet;
    RecordingScreens screens;
    BasicMessengerSingletons<PeerType> m;
};

using SignedInMessenger = BasicSignedInMessenger<RecordingPeer>;

// Two chats open, as the chat targets hold them: one entered, with lee (a buddy) taking
// part and a line queued (session s1, key k1), one waiting for its chat server (request 5).
inline void OpenTwoChats(MessengerSingletons& m)
{
    Buddy lee;
    lee.Id = lee.Email = L"lee@quorix.net";
    m.buddies.Insert(lee.Id, lee);

    ChatSession* entered = m.chats.NewSession();
    entered->PeerId = L"lee@quorix.net";
    entered->SessionId = L"s1";
    entered->Key = L"k1";
    ChatParticipant participant;
    participant.Id = L"lee@quorix.net";
    entered->AddParticipant(participant);
    entered->QueueMessage(L"queued");
    ChatSession* waiting = m.chats.NewSession();
    waiting->PeerId = L"park@quorix.net";
    waiting->State = 1;
    waiting->PendingId = 5;
}

// What the service sends after the sign-in: cut into frames and dispatched, in two
// receives split where the first byte says, with the screens recorded and any session
// reset run as the message loop would. A request of every command waits for its answer
// (ids from 901), so failure replies reach their handlers; buddy-list and memo-box
// answers are dropped past maxAnswer bytes; with chats, the two of OpenTwoChats are open.
// With the first byte's top bit set, the frames go straight to their handlers, without a
// connection.
inline int FuzzSignedInFrames(const uint8_t* data, size_t size, size_t maxAnswer, bool chats = false)
{
    if (size > kMaxServiceInput)
        return 0;
    PktInLsta::SetMaxBody(maxAnswer);
    PktInWget::SetMaxAnswer(maxAnswer);
    SignedInMessenger session;
    if (chats)
        OpenTwoChats(session.m);
    session.PendEveryCommand();
    if (size && (data[0] & 0x80))
        session.DispatchWithoutPeer(std::string(reinterpret_cast<const char*>(data), size));
    else
        session.ReceiveSplit(data, size);
    return 0;
}
