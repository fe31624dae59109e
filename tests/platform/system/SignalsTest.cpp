// SIGINT and SIGTERM end the loop through a handler, with nothing blocked anywhere.
#include "platform/event/MessageQueue.h"
#include "platform/system/Signals.h"

#include <gtest/gtest.h>

#include <csignal>
#include <pthread.h>
#include <thread>

TEST(TerminationSignals, EndTheLoopWhileNoThreadBlocksThem)
{
    int caught = 0;
    ASSERT_TRUE(plat::CatchTerminationSignals([&] {
        ++caught;
        plat::PostQuitMessage(3);
    }));
    EXPECT_FALSE(plat::CatchTerminationSignals([] { })) << "once a process";
    for (int signal : { SIGTERM, SIGINT }) {
        ASSERT_EQ(raise(signal), 0);
        plat::MSG msg;
        EXPECT_EQ(plat::GetMessageW(&msg, nullptr, 0, 0), 0) << signal;
        EXPECT_EQ(msg.wParam, 3u);
    }
    EXPECT_EQ(caught, 2);

    sigset_t mask;
    ASSERT_EQ(pthread_sigmask(SIG_BLOCK, nullptr, &mask), 0);
    EXPECT_FALSE(sigismember(&mask, SIGINT) || sigismember(&mask, SIGTERM));
    std::thread([] {
        sigset_t inherited;
        pthread_sigmask(SIG_BLOCK, nullptr, &inherited);
        EXPECT_FALSE(sigismember(&inherited, SIGINT) || sigismember(&inherited, SIGTERM));
    }).join();
}
