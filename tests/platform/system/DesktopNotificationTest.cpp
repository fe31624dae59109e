// Desktop notifications against a notification service on a session bus of the test's
// own: what goes out, replacing, the click's way back, and the worker's life.
#include "platform/event/MessageQueue.h"
#include "platform/event/Window.h"
#include "platform/system/DesktopNotification.h"
#include "tests/support/NotificationService.h"
#include "tests/support/ThreadNames.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>

namespace {

constexpr plat::UINT kClicked = plat::WM_USER + 7;

class DesktopNotification : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = plat::CreateMessageWindow(L"NotificationTestWindow", &DesktopNotification::Proc);
        clicks.clear();
    }
    void TearDown() override
    {
        plat::EndDesktopNotifications();
        plat::DestroyWindow(window);
    }

    plat::DesktopNotification Make(uint32_t id, const std::wstring& body)
    {
        plat::DesktopNotification n;
        n.summary = L"이지연 (지연이) 님의 말";
        n.body = body;
        n.id = id;
        n.window = window;
        n.message = kClicked;
        return n;
    }
    // Delivers posted messages until done holds or 10 s have passed.
    static bool WaitFor(const std::function<bool()>& done)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            plat::DispatchPending();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return true;
    }
    static plat::LRESULT Proc(plat::HWND w, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam)
    {
        if (message == kClicked)
            clicks.push_back(static_cast<uint32_t>(wParam));
        return plat::DefWindowProcW(w, message, wParam, lParam);
    }

    plat::HWND window = nullptr;
    static inline std::vector<uint32_t> clicks;
};

TEST_F(DesktopNotification, GoesOutOnceAndTheSameIdReplacesWhatIsShown)
{
    NotificationService service;
    ASSERT_TRUE(service.IsRunning());
    service.Use();
    // No thread before the first notification.
    EXPECT_EQ(ThreadsNamed("notify"), 0);
    ASSERT_TRUE(plat::ShowDesktopNotification(Make(7, L"안녕하세요 /웃음/")));
    ASSERT_TRUE(WaitFor([&] { return service.Count() == 1; }));
    EXPECT_EQ(ThreadsNamed("notify"), 1);
    NotificationService::Notice first = service.Notices()[0];
    EXPECT_EQ(first.appName, "Quorix");
    EXPECT_EQ(first.summary, "이지연 (지연이) 님의 말");
    EXPECT_EQ(first.body, "안녕하세요 /웃음/");
    EXPECT_EQ(first.replaces, 0u);
    EXPECT_EQ(first.actions, (std::vector<std::string> { "default", "열기" }));
    EXPECT_EQ(first.category, "im.received");

    // The same id replaces it; another id is a notification of its own.
    ASSERT_TRUE(plat::ShowDesktopNotification(Make(7, L"두 번째")));
    ASSERT_TRUE(WaitFor([&] { return service.Count() == 2; }));
    EXPECT_EQ(service.Notices()[1].replaces, first.id);
    ASSERT_TRUE(plat::ShowDesktopNotification(Make(8, L"다른 대화")));
    ASSERT_TRUE(WaitFor([&] { return service.Count() == 3; }));
    EXPECT_EQ(service.Notices()[2].replaces, 0u);

    // Once closed on the desktop, the id starts a new one. (The click that follows the
    // close on the bus tells when the close has been heard.)
    ASSERT_TRUE(service.Close(first.id));
    ASSERT_TRUE(service.Click(service.Notices()[2].id));
    ASSERT_TRUE(WaitFor([&] { return !clicks.empty(); }));
    EXPECT_EQ(clicks, (std::vector<uint32_t> { 8 }));
    ASSERT_TRUE(plat::ShowDesktopNotification(Make(7, L"세 번째")));
    ASSERT_TRUE(WaitFor([&] { return service.Count() == 4; }));
    EXPECT_EQ(service.Notices()[3].replaces, 0u);
}

TEST_F(DesktopNotification, TextIsMadeSafeForTheBusAndForAServiceThatReadsMarkup)
{
    {
        NotificationService plain;
        plain.Use();
        std::wstring text = L"a<b>&c";
        text += L'\0';
        text += L"d";
        text += static_cast<wchar_t>(0xD800); // a lone surrogate
        ASSERT_TRUE(plat::ShowDesktopNotification(Make(1, text)));
        ASSERT_TRUE(WaitFor([&] { return plain.Count() == 1; }));
        EXPECT_EQ(plain.Notices()[0].body, "a<b>&cd\xEF\xBF\xBD");
        plat::EndDesktopNotifications();
    }
    NotificationService markup({ "body", "body-markup", "actions" });
    markup.Use();
    ASSERT_TRUE(plat::ShowDesktopNotification(Make(1, L"<i>x</i> & <a href='file:///'>y</a>")));
    ASSERT_TRUE(WaitFor([&] { return markup.Count() == 1; }));
    EXPECT_EQ(markup.Notices()[0].body, "&lt;i&gt;x&lt;/i&gt; &amp; &lt;a href='file:///'&gt;y&lt;/a&gt;");
    // The summary is never markup.
    EXPECT_EQ(markup.Notices()[0].summary, "이지연 (지연이) 님의 말");
}

TEST_F(DesktopNotification, AClickComesBackToTheWindowUntilTheEnd)
{
    NotificationService service;
    service.Use();
    ASSERT_TRUE(plat::ShowDesktopNotification(Make(42, L"여기")));
    ASSERT_TRUE(WaitFor([&] { return service.Count() == 1; }));
    const uint32_t shown = service.Notices()[0].id;
    // Another program's notification (an id this one never got) means nothing here.
    ASSERT_TRUE(service.Click(shown + 100));
    ASSERT_TRUE(service.Click(shown));
    ASSERT_TRUE(WaitFor([&] { return !clicks.empty(); }));
    EXPECT_EQ(clicks, (std::vector<uint32_t> { 42 }));

    // Ended: the worker is gone and a click posts nothing.
    plat::EndDesktopNotifications();
    EXPECT_EQ(ThreadsNamed("notify"), 0);
    ASSERT_TRUE(service.Click(shown));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    plat::DispatchPending();
    EXPECT_EQ(clicks.size(), 1u);

    // A later notification starts afresh.
    ASSERT_TRUE(plat::ShowDesktopNotification(Make(43, L"다시")));
    ASSERT_TRUE(WaitFor([&] { return service.Count() == 2; }));
}

TEST_F(DesktopNotification, WithoutABusOrAServiceNothingFailsAndNothingWaits)
{
    // No address at all: nothing is tried, no thread starts.
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    EXPECT_FALSE(plat::ShowDesktopNotification(Make(1, L"x")));
    EXPECT_EQ(ThreadsNamed("notify"), 0);

    // A bus where nobody shows notifications: the worker tries and sleeps.
    {
        NotificationService bare({}, false);
        ASSERT_TRUE(bare.IsRunning());
        bare.Use();
        EXPECT_TRUE(plat::ShowDesktopNotification(Make(1, L"x")));
        EXPECT_TRUE(plat::ShowDesktopNotification(Make(2, L"y")));
        plat::EndDesktopNotifications();
    }

    // A bus that never answers: the worker waits in its handshake; ending does not wait
    // for it, and it goes by itself.
    TempFolder folder;
    const std::string path = folder.Native("silent");
    const int silent = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(bind(silent, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(silent, 4), 0);
    setenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + path).c_str(), 1);
    EXPECT_TRUE(plat::ShowDesktopNotification(Make(1, L"x")));
    ASSERT_TRUE(WaitFor([] { return ThreadsNamed("notify") == 1; }));
    // Too many on their way are refused rather than piled up.
    int taken = 0;
    for (int i = 0; i < 40; ++i)
        taken += plat::ShowDesktopNotification(Make(2, L"y"));
    EXPECT_LT(taken, 40);
    plat::EndDesktopNotifications();
    EXPECT_TRUE(WaitFor([] { return ThreadsNamed("notify") == 0; }));
    close(silent);
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
}

} // namespace
