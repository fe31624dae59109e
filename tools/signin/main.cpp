// quorix-signin [--offline] ID [PASSWORD]
//
// Signs in to the messenger service named by QUORIX_DISPATCH_HOST (and
// QUORIX_DISPATCH_PORT), prints the groups and buddies it receives and the changes that
// follow, keeps the connection alive and signs out on Ctrl+C. Without PASSWORD the
// password is read from the first line of standard input.

#include "messenger/model/BuddyList.h"
#include "messenger/model/GroupList.h"
#include "messenger/model/Me.h"
#include "messenger/protocol/PktFactory.h"
#include "messenger/protocol/PktHandlerFactory.h"
#include "messenger/protocol/PktPendingList.h"
#include "messenger/protocol/PktTransactionIdIssuer.h"
#include "messenger/protocol/SavedLogin.h"
#include "messenger/protocol/TarvPeer.h"
#include "messenger/protocol/TarvPong.h"
#include "messenger/protocol/login/SignOut.h"
#include "platform/event/MessageQueue.h"
#include "tools/signin/ConsoleScreens.h"
#include "ux/core/UxClock.h"
#include "ux/core/UxText.h"
#include "ux/core/UxTimerManager.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <pthread.h>
#include <string>
#include <thread>

namespace {

constexpr plat::UINT kInterrupted = plat::WM_USER + 100;
constexpr float kSignInSeconds = 30.0f;

int Usage()
{
    std::fprintf(stderr, "usage: quorix-signin [--offline] ID [PASSWORD]\n");
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

} // namespace

int main(int argc, char** argv)
{
    bool offline = false;
    std::string id;
    std::string password;
    bool havePassword = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--offline") == 0)
            offline = true;
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

    // Signals reach one thread that turns them into a message for the loop; every
    // other thread, started after this, inherits the blocked mask.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::thread([signals] {
        int signal = 0;
        sigwait(&signals, &signal);
        plat::PostMessageW(nullptr, kInterrupted, 0, 0);
    }).detach();

    ConsoleScreens screens(stdout);
    MessengerScreens::SetCurrent(&screens);
    auto* clock = new UxClock;
    auto* timers = new UxTimerManager;
    auto* me = new Me;
    auto* groups = new GroupList;
    auto* buddies = new BuddyList;
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

    timers->Add(kSignInSeconds, kSignInSeconds, &OnSignInTimeout, reinterpret_cast<uintptr_t>(&screens));
    if (!peer->ConnectDispatch())
        peer->OnConnectFailed(0);

    plat::MSG msg;
    while (plat::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        clock->Update();
        if (msg.hwnd == nullptr && msg.message == kInterrupted) {
            screens.SetExitCode(0);
            std::printf("signing out\n");
            SignOut();
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
    SafeDelete(buddies);
    SafeDelete(groups);
    SafeDelete(me);
    SafeDelete(timers);
    SafeDelete(clock);
    return screens.GetExitCode();
}
