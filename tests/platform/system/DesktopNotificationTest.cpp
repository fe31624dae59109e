// Desktop notifications against a notification service on a session bus of the test's
// own: what goes out, replacing, the click's way back, and the worker's life.
#include "platform/event/MessageQueue.h"
#include "platform/event/Window.h"
#include "platform/system/DesktopNotification.h"
#include "tests/support/NotificationService.h"
#include "tests/support/ThreadNames.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <set>
#include <thread>

namespace {

constexpr plat::UINT kClicked = plat::WM_USER + 7;
std::vector<uint32_t> g_clicks;

plat::LRESULT ClickProc(plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam)
{
    if (message == kClicked)
        g_clicks.push_back(static_cast<uint32_t>(wParam));
    return plat::DefWindowProcW(window, message, wParam, lParam);
}

class DesktopNotification : public ::testing::Test {
protected:
    void SetUp() override { g_clicks.clear(); }
    void TearDown() override
    {
        plat::EndDesktopNotifications();
        plat::DestroyWindow(window);
    }

    bool Show(uint32_t id, const std::wstring& body)
    {
        return plat::ShowDesktopNotification({ L"이지연 (지연) 님의 말", body, id, window, kClicked });
    }
    // Delivers posted messages until done holds or 10 s have passed.
    static bool WaitFor(const std::function<bool()>& done)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        for (; !done(); std::this_thread::sleep_for(std::chrono::milliseconds(2))) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            plat::DispatchPending();
        }
        return true;
    }

    plat::HWND window = plat::CreateMessageWindow(L"NotificationTestWindow", &ClickProc);
};

TEST_F(DesktopNotification, GoesOutReplacesAndComesBackWhenClickedUntilTheEnd)
{
    NotificationService service;
    ASSERT_TRUE(service.IsRunning());
    service.Use();
    EXPECT_EQ(ThreadsNamed("notify"), 0) << "a thread before the first notification";
    ASSERT_TRUE(Show(7, L"안녕하세요 /웃음/"));
    ASSERT_TRUE(WaitFor([&] { return service.Count() == 1; }));
    EXPECT_EQ(ThreadsNamed("notify"), 1);
    const NotificationService::Notice first = service.Notices()[0];
    EXPECT_EQ(first.appName, "Quorix");
    EXPECT_EQ(first.summary, "이지연 (지연) 님의 말");
    EXPECT_EQ(first.body, "안녕하세요 /웃음/");
    EXPECT_EQ(first.replaces, 0u);
    EXPECT_EQ(first.actions, (std::vector<std::string> { "default", "열기" }));
    EXPECT_EQ(first.category, "im.received");

    // The same id replaces it; another id is a notification of its own.
    ASSERT_TRUE(Show(7, L"두 번째"));
    ASSERT_TRUE(Show(8, L"다른 대화"));
    ASSERT_TRUE(WaitFor([&] { return service.Count() == 3; }));
    EXPECT_EQ(service.Notices()[1].replaces, first.id);
    EXPECT_EQ(service.Notices()[2].replaces, 0u);

    // A click on another program's notification means nothing here; on ours it comes
    // back with our id. Closed on the desktop, the id starts a new one.
    ASSERT_TRUE(service.Close(first.id));
    ASSERT_TRUE(service.Click(first.id + 100));
    ASSERT_TRUE(service.Click(service.Notices()[2].id));
    ASSERT_TRUE(WaitFor([&] { return !g_clicks.empty(); }));
    EXPECT_EQ(g_clicks, (std::vector<uint32_t> { 8 }));
    ASSERT_TRUE(Show(7, L"세 번째"));
    ASSERT_TRUE(WaitFor([&] { return service.Count() == 4; }));
    EXPECT_EQ(service.Notices()[3].replaces, 0u);

    // Ended: the worker is gone and a click posts nothing; a later one starts afresh.
    plat::EndDesktopNotifications();
    EXPECT_EQ(ThreadsNamed("notify"), 0);
    ASSERT_TRUE(service.Click(service.Notices()[2].id));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    plat::DispatchPending();
    EXPECT_EQ(g_clicks.size(), 1u);
    ASSERT_TRUE(Show(9, L"다시"));
    ASSERT_TRUE(WaitFor([&] { return service.Count() == 5; }));
}

TEST_F(DesktopNotification, ClosesOneByItsIdOrAllOfAWindowsAndNothingElse)
{
    NotificationService service;
    ASSERT_TRUE(service.IsRunning());
    service.Use();
    // Nothing shown yet: nothing to close, and no worker started for it.
    EXPECT_FALSE(plat::CloseDesktopNotification(window, kClicked, 1));
    EXPECT_FALSE(plat::CloseDesktopNotifications(window, kClicked));
    EXPECT_EQ(ThreadsNamed("notify"), 0);

    // Closed right after it was handed over: it goes once the service has named it.
    ASSERT_TRUE(Show(1, L"하나"));
    ASSERT_TRUE(plat::CloseDesktopNotification(window, kClicked, 1));
    ASSERT_TRUE(WaitFor([&] { return service.Closed().size() == 1; }));
    EXPECT_EQ(service.Closed()[0], service.Notices()[0].id);

    // By id: only that one; an id never shown, or another window's, closes nothing.
    ASSERT_TRUE(Show(2, L"둘"));
    ASSERT_TRUE(Show(3, L"셋"));
    ASSERT_TRUE(plat::CloseDesktopNotification(window, kClicked, 3));
    ASSERT_TRUE(plat::CloseDesktopNotification(window, kClicked, 99));
    ASSERT_TRUE(plat::CloseDesktopNotification(nullptr, kClicked, 2));
    ASSERT_TRUE(WaitFor([&] { return service.Closed().size() == 2; }));
    EXPECT_EQ(service.Closed()[1], service.Notices()[2].id);
    // Closed, it clicks no more; the one still shown does.
    ASSERT_TRUE(service.Click(service.Notices()[2].id));
    ASSERT_TRUE(service.Click(service.Notices()[1].id));
    ASSERT_TRUE(WaitFor([&] { return !g_clicks.empty(); }));
    EXPECT_EQ(g_clicks, (std::vector<uint32_t> { 2 }));

    // All of the window's: those still shown, once each.
    ASSERT_TRUE(Show(4, L"넷"));
    ASSERT_TRUE(WaitFor([&] { return service.Count() == 4; }));
    ASSERT_TRUE(plat::CloseDesktopNotifications(window, kClicked));
    ASSERT_TRUE(WaitFor([&] { return service.Closed().size() == 4; }));
    const std::vector<uint32_t> closed = service.Closed();
    EXPECT_EQ(std::set<uint32_t>(closed.begin() + 2, closed.end()),
        (std::set<uint32_t> { service.Notices()[1].id, service.Notices()[3].id }));

    // Ended: nothing is left to close.
    plat::EndDesktopNotifications();
    EXPECT_FALSE(plat::CloseDesktopNotifications(window, kClicked));
}

TEST_F(DesktopNotification, TheEndGivesClosesHandedOverAMomentAndAServiceThatHangsNoMore)
{
    NotificationService service;
    ASSERT_TRUE(service.IsRunning());
    service.Use();
    ASSERT_TRUE(Show(1, L"하나"));
    ASSERT_TRUE(Show(2, L"둘"));
    ASSERT_TRUE(WaitFor([&] { return service.Count() == 2; }));
    // Closed as the program ends: the closes reach the service before the worker goes.
    ASSERT_TRUE(plat::CloseDesktopNotifications(window, kClicked));
    plat::EndDesktopNotifications();
    EXPECT_EQ(ThreadsNamed("notify"), 0);
    ASSERT_TRUE(WaitFor([&] { return service.Closed().size() == 2; }));
    const std::vector<uint32_t> closed = service.Closed();
    EXPECT_EQ(std::set<uint32_t>(closed.begin(), closed.end()),
        (std::set<uint32_t> { service.Notices()[0].id, service.Notices()[1].id }));
    EXPECT_EQ(service.Count(), 2u);

    // A service that takes the close and never answers holds the end a moment only.
    ASSERT_TRUE(Show(4, L"넷"));
    ASSERT_TRUE(WaitFor([&] { return service.Count() == 3; }));
    service.Withhold();
    ASSERT_TRUE(plat::CloseDesktopNotifications(window, kClicked));
    ASSERT_TRUE(WaitFor([&] { return service.Withheld() == 1; }));
    const auto start = std::chrono::steady_clock::now();
    plat::EndDesktopNotifications();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(ThreadsNamed("notify"), 0);
}

// While the service is slow to answer, notifications past the queue are refused, but a
// close never is: a chat read meanwhile loses its notification once the service answers.
TEST_F(DesktopNotification, ACloseIsTakenWhenTheQueueIsFullOfNotificationsForASlowService)
{
    NotificationService service;
    ASSERT_TRUE(service.IsRunning());
    service.Use();
    service.Withhold();
    uint32_t taken = 0;
    while (taken < 100 && Show(taken + 1, L"줄"))
        ++taken;
    ASSERT_LT(taken, 100u) << "the queue never filled";
    EXPECT_TRUE(plat::CloseDesktopNotification(window, kClicked, 1));
    service.Release();
    ASSERT_TRUE(WaitFor([&] { return service.Count() == taken && !service.Closed().empty(); }));
    EXPECT_EQ(service.Closed(), std::vector<uint32_t> { service.Notices()[0].id });
}

// More shown at once than are remembered: the oldest is closed as the next one comes,
// not left where nothing could take it away; every later one still closes.
TEST_F(DesktopNotification, PastTheOnesRememberedTheOldestIsClosed)
{
    NotificationService service;
    ASSERT_TRUE(service.IsRunning());
    service.Use();
    const uint32_t count = 65;
    for (uint32_t id = 1; id <= count; ++id) {
        ASSERT_TRUE(Show(id, L"쪽지 " + std::to_wstring(id)));
        ASSERT_TRUE(WaitFor([&] { return service.Count() == id; }));
    }
    ASSERT_TRUE(WaitFor([&] { return !service.Closed().empty(); }));
    EXPECT_EQ(service.Closed(), std::vector<uint32_t> { service.Notices()[0].id });
    ASSERT_TRUE(plat::CloseDesktopNotifications(window, kClicked));
    ASSERT_TRUE(WaitFor([&] { return service.Closed().size() >= count; }));
    std::set<uint32_t> all;
    for (const NotificationService::Notice& notice : service.Notices())
        all.insert(notice.id);
    const std::vector<uint32_t> closed = service.Closed();
    EXPECT_EQ(closed.size(), size_t(count)) << "one closed twice";
    EXPECT_EQ(std::set<uint32_t>(closed.begin(), closed.end()), all);
}

TEST_F(DesktopNotification, AServiceThatRestartedNamesNoneOfOursByItsNewIds)
{
    NotificationService service;
    ASSERT_TRUE(service.IsRunning());
    service.Use();
    ASSERT_TRUE(Show(7, L"재시작 전"));
    ASSERT_TRUE(WaitFor([&] { return service.Count() == 1; }));
    const uint32_t old = service.Notices()[0].id;

    // Its ids start again: the first goes to another program, whose click is not ours.
    service.Restart();
    ASSERT_TRUE(service.Click(old));
    ASSERT_TRUE(Show(8, L"재시작 후"));
    ASSERT_TRUE(WaitFor([&] { return service.Count() == 2; }));
    EXPECT_EQ(service.Notices()[1].replaces, 0u);
    ASSERT_TRUE(service.Click(service.Notices()[1].id));
    ASSERT_TRUE(WaitFor([&] { return !g_clicks.empty(); }));
    plat::DispatchPending();
    EXPECT_EQ(g_clicks, std::vector<uint32_t> { 8 });
}

TEST_F(DesktopNotification, TextIsMadeSafeForTheBusAndForAServiceThatReadsTags)
{
    std::wstring text = L"<b>x</b> & y";
    text += L'\0';
    text += static_cast<wchar_t>(0xD800); // a lone surrogate
    const std::string escaped = "&lt;b&gt;x&lt;/b&gt; &amp; y\xEF\xBF\xBD";
    const std::pair<std::vector<std::string>, std::string> services[] = {
        { { "body", "actions" }, "<b>x</b> & y\xEF\xBF\xBD" },
        { { "body", "body-markup" }, escaped },
        // Links shown mean tags read, whatever else it says.
        { { "body", "body-hyperlinks" }, escaped },
    };
    for (const auto& [capabilities, body] : services) {
        NotificationService service(capabilities);
        service.Use();
        ASSERT_TRUE(Show(1, text));
        ASSERT_TRUE(WaitFor([&] { return service.Count() == 1; }));
        EXPECT_EQ(service.Notices()[0].body, body) << capabilities.back();
        EXPECT_EQ(service.Notices()[0].summary, "이지연 (지연) 님의 말");
        plat::EndDesktopNotifications();
    }
}

TEST_F(DesktopNotification, ABusThatNeverAnswersHoldsNothingUp)
{
    SilentBus silent;
    ASSERT_TRUE(silent.IsListening());
    silent.Use();
    EXPECT_TRUE(Show(1, L"x"));
    ASSERT_TRUE(WaitFor([] { return ThreadsNamed("notify") == 1; }));
    // Too many on their way are refused rather than piled up.
    int taken = 0;
    for (int i = 0; i < 40; ++i)
        taken += Show(2, L"y");
    EXPECT_LT(taken, 40);
    // Ending does not wait for the handshake; the worker goes by itself.
    plat::EndDesktopNotifications();
    EXPECT_TRUE(WaitFor([] { return ThreadsNamed("notify") == 0; }));
}

} // namespace
