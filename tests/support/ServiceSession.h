#pragma once

// A client signed in to the local service over real sockets and TLS, for integration
// tests: the service with its accounts, the messenger's singletons on a socket peer, the
// recording screens and the manual clock.

#include "messenger/protocol/login/SavedLogin.h"
#include "platform/event/MessageQueue.h"
#include "tests/support/LocalService.h"
#include "tests/support/MessengerSingletons.h"
#include "tests/support/RecordingScreens.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/UxPump.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

// Dispatches what the sockets bring until done() holds or the real time runs out.
inline bool PumpUntil(const std::function<bool()>& done, int ms = 15000)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < deadline) {
        plat::DispatchPending();
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return done();
}

class ServiceSessionTest : public ::testing::Test {
protected:
    // accounts: the service's accounts as JSON text; empty for its demo accounts.
    explicit ServiceSessionTest(const std::string& accounts = "")
        : service(AccountsFile(folder, accounts), folder.Native("service.log"))
    {
    }

    // Starts the service and signs in as id, waiting for the buddy list.
    void SetUpSignedIn(const std::wstring& id, const std::wstring& password)
    {
        ASSERT_TRUE(StartService());
        ASSERT_TRUE(SignIn(id, password));
    }

    ::testing::AssertionResult StartService()
    {
        if (!service.IsRunning())
            return ::testing::AssertionFailure() << service.StartLine();
        service.Use();
        return ::testing::AssertionSuccess();
    }

    // True once the buddy list shows; false when the form or a reset came instead.
    bool SignIn(const std::wstring& id, const std::wstring& password)
    {
        m.me.Id = id;
        m.me.PasswordDigest = MakePasswordDigest(m.me.Id, password);
        if (!m.peer.ConnectDispatch())
            return false;
        return PumpUntil([&] {
            return screens.Has(L"ShowBuddyList") || screens.Has(L"ShowLoginForm")
                || screens.Has(L"ResetScreens");
        }) && screens.Has(L"ShowBuddyList");
    }

    bool PumpUntilCall(const std::wstring& call)
    {
        return PumpUntil([&] { return screens.Has(call); });
    }

    // The control channel, another account acting as the second party, and what it
    // received (LocalService).
    std::string Control(const std::string& path, const std::string& user, const std::string& fields = "")
    {
        return service.Control(path, user, fields);
    }
    std::string Party(const std::string& action, const std::string& user, const std::string& fields = "")
    {
        return service.Party(action, user, fields);
    }
    std::string Received(const std::string& user, const std::string& command = "")
    {
        return service.Received(user, command);
    }

    TempFolder folder;
    LocalService service;
    TempRegistry registry;
    UxTimeFixture time;
    RecordingScreens screens;
    BasicMessengerSingletons<TarvPeer> m;
};
