// A host lookup that its waiter gives up on: the waiter gets no address, however the
// lookup ends.
#include "platform/net/HostLookup.h"
#include "platform/net/NetError.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace {

// A resolver that answers 127.0.0.1 once the test lets it.
struct HeldResolver {
    struct State {
        std::mutex mutex;
        std::condition_variable changed;
        bool asked = false, released = false, answered = false;
    };

    HeldResolver()
    {
        plat::SetHostResolverHook([state = state](const std::string&, uint32_t* address) {
            std::unique_lock<std::mutex> lock(state->mutex);
            state->asked = true;
            state->changed.notify_all();
            state->changed.wait_for(lock, std::chrono::seconds(10), [&] { return state->released; });
            *address = htonl(INADDR_LOOPBACK);
            state->answered = true;
            state->changed.notify_all();
            return true;
        });
    }
    ~HeldResolver()
    {
        Release();
        WaitFor(&State::answered);
        plat::SetHostResolverHook({});
    }
    void Release()
    {
        std::lock_guard<std::mutex> lock(state->mutex);
        state->released = true;
        state->changed.notify_all();
    }
    void WaitFor(bool State::*flag)
    {
        std::unique_lock<std::mutex> lock(state->mutex);
        state->changed.wait_for(lock, std::chrono::seconds(10), [&] { return state.get()->*flag; });
    }

    std::shared_ptr<State> state = std::make_shared<State>();
};

const uint32_t kUntouched = 0xDEADBEEF;

} // namespace

TEST(HostLookup, ACancelledLookupGivesNoAddressWhetherItEndedBeforeOrAfter)
{
    {
        // Given up on while the resolver still works: the waiter is freed at once.
        HeldResolver resolver;
        plat::HostLookup lookup("update.quorix.net");
        resolver.WaitFor(&HeldResolver::State::asked);
        std::thread canceller([&] { lookup.Cancel(); });
        uint32_t address = kUntouched;
        EXPECT_FALSE(lookup.Wait(&address));
        EXPECT_EQ(plat::WSAGetLastError(), plat::WSAEINTR);
        EXPECT_EQ(address, kUntouched);
        canceller.join();
        // The resolver answering later changes nothing.
        resolver.Release();
        resolver.WaitFor(&HeldResolver::State::answered);
        EXPECT_FALSE(lookup.Wait(&address));
        EXPECT_EQ(address, kUntouched);
    }
    {
        // Given up on after the address was found, before anyone asked for it.
        HeldResolver resolver;
        resolver.Release();
        plat::HostLookup lookup("update.quorix.net");
        resolver.WaitFor(&HeldResolver::State::answered);
        // The lookup's thread records the answer just after the resolver returns it.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        lookup.Cancel();
        uint32_t address = kUntouched;
        EXPECT_FALSE(lookup.Wait(&address));
        EXPECT_EQ(plat::WSAGetLastError(), plat::WSAEINTR);
        EXPECT_EQ(address, kUntouched);
    }
    // Not given up on: the address.
    HeldResolver resolver;
    resolver.Release();
    plat::HostLookup lookup("update.quorix.net");
    uint32_t address = kUntouched;
    ASSERT_TRUE(lookup.Wait(&address));
    EXPECT_EQ(address, htonl(INADDR_LOOPBACK));
}
