#pragma once

// The whole program started as its entry starts it (headless unless QUORIX_DISPLAY says
// otherwise, manual clock), signed in to nobody, with the lists filled as a sign-in
// fills them (1,000 buddies in 50 groups) and the buddy list on screen.
#include "app/shell/MessengerApp.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/GroupList.h"
#include "platform/event/Clock.h"
#include "platform/event/MessageQueue.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/UxPump.h"
#include "ux/core/UxClock.h"
#include "ux/core/UxPath.h"
#include "ux/core/UxStartup.h"

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace bench {

constexpr int kGroups = 50;
constexpr int kBuddies = 1000;

inline void Flush()
{
    plat::DispatchPending(100000, [] {
        if (UxClock* clock = UxClock::GetInstance())
            clock->Update();
    });
}

// The program started as its entry starts it, signed in to nobody, with the lists
// filled as a sign-in fills them and the buddy list on screen.
struct Program {
    Program()
    {
        setenv("QUORIX_DISPLAY", "headless", 0);
        ok = UxInitialize();
        app = new MessengerApp;
        app->SetProgramFolder(GetModuleDirectory());
        // One window name per process: benchmarks may run side by side.
        ok = ok && app->Create(L"QuorixBench" + std::to_wstring(getpid()), plat::RECT { 0, 0, 480, 640 });
        if (!ok)
            return;
        const std::wstring family = L"김이박최정강조윤장임";
        for (int g = 0; g < kGroups; ++g)
            GroupList::GetInstance()->Insert(Group(std::to_wstring(g), L"그룹 " + std::to_wstring(g + 1)));
        for (int b = 0; b < kBuddies; ++b) {
            Buddy buddy;
            buddy.Id = L"u" + std::to_wstring(100000 + b);
            buddy.Email = buddy.Id + L"@quorix.net";
            buddy.Name = std::wstring(1, family[size_t(b) % family.size()]) + L"민수" + std::to_wstring(b);
            buddy.Nick = L"오늘도 좋은 하루 " + std::to_wstring(b);
            buddy.Status = b % 3 ? BuddyStatusOffline : BuddyStatusOnline;
            BuddyList::GetInstance()->Insert(buddy.Id, buddy);
            GroupList::GetInstance()->Find(std::to_wstring(b % kGroups))->AddMember(buddy.Id);
        }
        // A sign-in leaves the login form before the list comes.
        app->GetLoginCounter().SetVisible(false);
        app->ShowBuddyList();
        app->ReloadBuddyList();
        UxPumpFor(1000);
        Flush();
    }
    ~Program()
    {
        if (app) {
            app->Shutdown();
            delete app;
        }
        UxFinalize();
        Flush();
    }

    TempRegistry registry;
    plat::ManualClock clock { 5000 };
    MessengerApp* app = nullptr;
    bool ok = false;
};

} // namespace bench
