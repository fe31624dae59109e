#pragma once

#include <cstdint>
#include <string>

class ChatSession;
class PktIn;
class TarvPeer;

// Helpers the chat handlers share.

// The chat that the envelope being handled is addressed to; null outside an envelope.
ChatSession* FindEnvelopeSession();
// Ids, names and keys from other users are refused past this length.
constexpr size_t kMaxChatIdLength = 256;
bool IsSaneChatId(const std::wstring& id);
// The date line once nobody is told as typing any more.
constexpr const wchar_t* kIdleDate = L"대기 중입니다.";
// The name and nick to show for a participant: the buddy's when it is one.
void ParticipantNames(const std::wstring& id, const std::wstring& name, const std::wstring& nick,
    std::wstring& shownName, std::wstring& shownNick);
// Asks for a seat on the chat server the session was given, and keeps that server on the
// session with the request's id, which the answer names.
void ConnectChatServer(
    TarvPeer& peer, ChatSession& session, const std::wstring& host, uint32_t port, const std::wstring& key);
// Someone is in the chat now: what was typed while waiting goes out, in order (it was
// shown when typed).
void SendQueuedLines(TarvPeer* peer, ChatSession& session);
// A request on the way to a chat server (its id is the chat's PendingId) was refused:
// the error line goes where the user waits for the chat, and the chat stops waiting, so
// the next line typed asks again and takes the waiting lines along. False when no chat
// waits on that request.
bool EndChatWait(const PktIn& refusal);
// The chat's peer cannot be reached through it any more (she left, or the chat's
// connection to its server ended): a line she said no longer makes her answerable there,
// and the input bar shows again what her status says.
void ForgetPeerSpoke(ChatSession& session);
