// quorix-signin [--offline] [--echo] [--inbox] [--sent] [--memo TO TEXT] ID [PASSWORD]
//
// Signs in to the messenger service named by QUORIX_DISPATCH_HOST (and
// QUORIX_DISPATCH_PORT), prints the groups and buddies it receives and the changes that
// follow, keeps the connection alive and signs out on Ctrl+C. Without PASSWORD the
// password is read from the first line of standard input.
//
// Chat: lines of standard input are commands. "/chat ID" opens a chat with a buddy (or
// goes back to the open one), "/to N" picks chat N of the list, "/list" shows the chats,
// "/typing" sends a typing notice, "/leave" closes the picked chat, "/quit" signs out;
// any other line is said in the picked chat (the newest when none was picked).
// Invitations are accepted as they come. With --echo every line received is said back.
//
// Memos: once signed in it lists the first page of the inbox (--inbox) or the sent box
// (--sent) and sends the memo TEXT to the ids in TO, separated by ";" (--memo). The same
// from standard input: "/inbox", "/sent" and "/memo TO TEXT". Memos that arrive are
// printed.

#include "messenger/model/BuddyList.h"
#include "messenger/model/ChatSessionList.h"
#include "messenger/model/GroupList.h"
#include "messenger/model/Me.h"
#include "messenger/model/MemoList.h"
#include "messenger/protocol/chat/ChatActions.h"
#include "messenger/protocol/codec/PktFactory.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"
#include "messenger/protocol/codec/PktTransactionIdIssuer.h"
#include "messenger/protocol/connection/PktPendingList.h"
#include "messenger/protocol/connection/TarvPeer.h"
#include "messenger/protocol/connection/TarvPong.h"
#include "messenger/protocol/login/SavedLogin.h"
#include "messenger/protocol/login/SignOut.h"
#include "messenger/protocol/memos/MemoBody.h"
#include "messenger/protocol/memos/MemoBox.h"
#include "platform/event/MessageQueue.h"
#include "platform/system/Signals.h"
#include "tools/signin/ConsoleScreens.h"
#include "ux/core/UxClock.h"
#include "ux/core/UxText.h"
#include "ux/core/UxTimerManager.h"

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <iostream>
#include <memory>
#include <string>
#include <thread>

namespace {

constexpr plat::UINT kInterrupted = plat::WM_USER + 100;
constexpr plat::UINT kInputLine = plat::WM_USER + 101;
constexpr float kSignInSeconds = 30.0f;

int Usage()
{
    std::fprintf(stderr,
        "usage: quorix-signin [--offline] [--echo] [--inbox] [--sent] [--memo TO TEXT] "
        "ID [PASSWORD]\n");
    return 2;
}

uint32_t ClockNow()
{
    UxClock* clock = UxClock::GetInstance();
    return clock ? clock->GetElapsed() : 0;
}

void OnSignInTimeout(uintptr_t argument)
{
    auto* screens = reinterpret_cast<ConsoleScreens*>(argument);
    if (screens->IsSignedIn())
        return;
    screens->ShowMsgBox(L"the sign-in did not finish in time");
    if (TarvPeer* peer = TarvPeer::GetInstance())
        peer->RequestReset();
}

// The picked chat, else the newest; null when none is open.
ChatSession* PickedChat(const ChatSession* picked)
{
    ChatSessionList* chats = ChatSessionList::GetInstance();
    if (!chats || chats->GetCount() == 0)
        return nullptr;
    const int index = chats->IndexOf(picked);
    return chats->GetAt(index >= 0 ? static_cast<size_t>(index) : chats->GetCount() - 1);
}

// "a@x;b@x" and the text: a new memo to those ids. False when nothing was sent.
bool SendMemoTo(ConsoleScreens& screens, const std::wstring& to, const std::wstring& text)
{
    std::vector<std::wstring> receivers;
    for (size_t start = 0; start <= to.size();) {
        const size_t end = std::min(to.find(L';', start), to.size());
        if (end > start)
            receivers.push_back(to.substr(start, end - start));
        start = end + 1;
    }
    TarvPeer* peer = TarvPeer::GetInstance();
    if (text.empty() || !peer || !MemoBox::SendMemo(*peer, receivers, MemoEventNew, L"", text)) {
        screens.Print(L"the memo could not be sent");
        return false;
    }
    return true;
}

// Memo commands: "/inbox", "/sent", "/memo TO TEXT". False when the line is none.
bool RunMemoCommand(ConsoleScreens& screens, const std::wstring& line)
{
    TarvPeer* peer = TarvPeer::GetInstance();
    if (line == L"/inbox" || line == L"/sent") {
        if (peer)
            MemoBox::SwitchBox(*peer, line == L"/inbox" ? MemoList::BoxInbox : MemoList::BoxSent);
        return true;
    }
    if (line.rfind(L"/memo", 0) != 0 || (line.size() > 5 && line[5] != L' '))
        return false;
    const size_t space = line.find(L' ', 6);
    if (line.size() <= 6 || space == std::wstring::npos || space == 6) {
        screens.Print(L"usage: /memo ID[;ID...] TEXT");
        return true;
    }
    SendMemoTo(screens, line.substr(6, space - 6), line.substr(space + 1));
    return true;
}

// One line typed by the user; false when it asks to sign out.
bool RunCommand(ConsoleScreens& screens, const std::wstring& line, ChatSession*& picked)
{
    ChatSessionList* chats = ChatSessionList::GetInstance();
    if (line.empty() || !chats)
        return true;
    if (line == L"/quit")
        return false;
    if (!screens.IsSignedIn()) {
        screens.Print(L"not signed in yet");
        return true;
    }
    if (RunMemoCommand(screens, line))
        return true;
    if (line.rfind(L"/chat ", 0) == 0) {
        const std::wstring id = line.substr(6);
        BuddyList* buddies = BuddyList::GetInstance();
        const Buddy* buddy = buddies ? buddies->Find(id) : nullptr;
        picked = OpenChat(id, buddy ? buddy->Name : id);
        if (!picked)
            screens.Print(L"no more chats can be opened");
        return true;
    }
    if (line == L"/list") {
        for (size_t i = 0; i < chats->GetCount(); ++i) {
            const ChatSession* chat = chats->GetAt(i);
            screens.Print(FormatString(L"chat %d: %s, %u in the chat%s", static_cast<int>(i + 1),
                chat->PeerName.c_str(), static_cast<unsigned>(chat->Participants.size()),
                chat == PickedChat(picked) ? L" (picked)" : L""));
        }
        return true;
    }
    if (line.rfind(L"/to ", 0) == 0) {
        const long n = std::wcstol(line.c_str() + 4, nullptr, 10);
        ChatSession* chat = n > 0 ? chats->GetAt(static_cast<size_t>(n - 1)) : nullptr;
        if (chat)
            picked = chat;
        screens.Print(chat ? L"picked chat " + line.substr(4) : L"no such chat");
        return true;
    }
    ChatSession* chat = PickedChat(picked);
    if (!chat) {
        screens.Print(L"no chat is open: /chat ID opens one");
        return true;
    }
    if (line == L"/leave") {
        CloseChat(*chat);
        picked = nullptr;
        screens.Print(L"chat closed");
    } else if (line == L"/typing") {
        SendTypingNotice(*chat, 1);
    } else if (ChatView* page = chat->GetPage()) {
        page->SendMessage(line);
    }
    return true;
}

void EndConsoleSession(ConsoleScreens& screens)
{
    screens.SetExitCode(0);
    std::printf("signing out\n");
    SignOut();
}

} // namespace

int main(int argc, char** argv)
{
    bool offline = false;
    bool echo = false;
    int box = -1;
    std::string memoTo;
    std::string memoText;
    std::string id;
    std::string password;
    bool havePassword = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--offline") == 0)
            offline = true;
        else if (std::strcmp(argv[i], "--echo") == 0)
            echo = true;
        else if (std::strcmp(argv[i], "--inbox") == 0)
            box = MemoList::BoxInbox;
        else if (std::strcmp(argv[i], "--sent") == 0)
            box = MemoList::BoxSent;
        else if (std::strcmp(argv[i], "--memo") == 0 && i + 2 < argc) {
            memoTo = argv[++i];
            memoText = argv[++i];
        }
        else if (argv[i][0] == '-')
            return Usage();
        else if (id.empty())
            id = argv[i];
        else if (!havePassword) {
            password = argv[i];
            havePassword = true;
        } else
            return Usage();
    }
    if (id.empty())
        return Usage();
    if (!havePassword && !std::getline(std::cin, password))
        return Usage();

    // A signal becomes a message for the loop.
    plat::CatchTerminationSignals([] { plat::PostMessageW(nullptr, kInterrupted, 0, 0); });

    ConsoleScreens screens(stdout);
    screens.SetEcho(echo);
    MessengerScreens::SetCurrent(&screens);
    auto* clock = new UxClock;
    auto* timers = new UxTimerManager;
    auto* me = new Me;
    auto* groups = new GroupList;
    auto* buddies = new BuddyList;
    auto* chats = new ChatSessionList;
    auto* memos = new MemoList;
    // The console shows the inbox unless asked for the sent box, so arriving memos print.
    memos->Box = MemoList::BoxInbox;
    auto* issuer = new PktTransactionIdIssuer;
    auto* packets = new PktFactory;
    auto* handlers = new PktHandlerFactory;
    auto* pending = new PktPendingList;
    pending->SetClock(&ClockNow);
    auto* peer = new TarvPeer;
    auto* pong = new TarvPong;

    me->Id = FromUtf8(id);
    me->PasswordDigest = MakePasswordDigest(me->Id, FromUtf8(password));
    me->LoginOffline = offline;
    password.assign(password.size(), '\0');

    screens.SetOnSignedIn([&screens, peer, box, memoTo, memoText] {
        if (box >= 0)
            MemoBox::SwitchBox(*peer, box);
        if (!memoTo.empty())
            SendMemoTo(screens, FromUtf8(memoTo), FromUtf8(memoText));
    });
    timers->Add(kSignInSeconds, kSignInSeconds, &OnSignInTimeout, reinterpret_cast<uintptr_t>(&screens));
    if (!peer->ConnectDispatch())
        peer->OnConnectFailed(0);

    // Typed lines reach the loop as messages; the reader is left blocked in its read
    // when the program ends.
    std::thread([] {
        std::string line;
        while (std::getline(std::cin, line))
            plat::PostMessageW(nullptr, kInputLine, 0, reinterpret_cast<plat::LPARAM>(new std::string(line)));
    }).detach();

    ChatSession* picked = nullptr;
    plat::MSG msg;
    while (plat::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        clock->Update();
        if (msg.hwnd == nullptr && msg.message == kInterrupted) {
            EndConsoleSession(screens);
            continue;
        }
        if (msg.hwnd == nullptr && msg.message == kInputLine) {
            std::unique_ptr<std::string> line(reinterpret_cast<std::string*>(msg.lParam));
            std::string text = *line;
            if (!text.empty() && text.back() == '\r')
                text.pop_back();
            if (ChatSessionList::GetInstance()->IndexOf(picked) < 0)
                picked = nullptr; // closed, or gone with the session
            if (!RunCommand(screens, FromUtf8(text), picked))
                EndConsoleSession(screens);
            continue;
        }
        plat::TranslateMessage(&msg);
        plat::DispatchMessageW(&msg);
    }

    MessengerScreens::SetCurrent(nullptr);
    SafeDelete(pong);
    SafeDelete(peer);
    SafeDelete(pending);
    SafeDelete(issuer);
    SafeDelete(packets);
    SafeDelete(handlers);
    SafeDelete(memos);
    SafeDelete(chats);
    SafeDelete(buddies);
    SafeDelete(groups);
    SafeDelete(me);
    SafeDelete(timers);
    SafeDelete(clock);
    return screens.GetExitCode();
}
