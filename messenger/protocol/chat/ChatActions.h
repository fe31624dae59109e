#pragma once

#include <cstdint>
#include <string>

class ChatSession;
class Pkt;

// What the chat screens do on the wire: open a chat, send lines and typing notices,
// close it. Each works on the current connection and chat list, and does nothing
// without them.

// Sends the inner packet inside a "CRP2" envelope of this kind and key. When the
// envelope cannot be sent, the inner packet is not left waiting for a reply.
bool SendInEnvelope(int32_t kind, const std::wstring& key, Pkt& inner);

// The chat with this peer: the open one-to-one chat, else a new one that asks for a chat
// server. Null when no more chats can be opened.
ChatSession* OpenChat(const std::wstring& peerId, const std::wstring& peerName);

enum ChatSendResult { ChatSendNothing = 0, ChatSendSent = 1, ChatSendQueued = 2 };
// A typed text: sent when others are in the chat, else queued (the first queued text
// asks for a chat server). An empty text does nothing.
int SendChatText(ChatSession& session, const std::wstring& text, const std::wstring& font = L"",
    uint32_t colour = 0, int32_t style = 0);
// State 1: started typing; 0: the field was emptied. Only when others are in the chat.
bool SendTypingNotice(ChatSession& session, int32_t state);
// Leaves the chat on the server, when it got that far; the session stays in the list.
void LeaveChat(const ChatSession& session);
// Leaves the chat and removes it from the list; the session is deleted.
void CloseChat(ChatSession& session);

// Invites the user into the chat: the chat server's place, relayed to them by the service.
bool InviteToChat(const ChatSession& session, const std::wstring& userId);

// "name (nick) 님의 말:" and the text, for the user's own line.
std::wstring FormatOwnLine(const std::wstring& text);
