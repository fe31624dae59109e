#include "platform/event/MessageQueue.h"
#include "platform/event/Clock.h"
#include "platform/event/Thread.h"
#include "platform/event/Window.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

using namespace plat;

namespace {

struct Seen {
    HWND hwnd;
    UINT message;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};
std::vector<Seen> g_seen;
LRESULT g_createAnswer = 0;

LRESULT RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_seen.push_back({ hwnd, message, wParam, lParam });
    if (message == WM_CREATE)
        return g_createAnswer;
    if (message == WM_PAINT || message == WM_CLOSE)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    return static_cast<LRESULT>(wParam) + 1;
}

HWND Create(
    const wchar_t* title, HWND parent = nullptr, int w = 10, int h = 10, const wchar_t* cls = L"TestWindow")
{
    return CreateWindowExW(0, cls, title, 0, 0, 0, w, h, parent, nullptr, nullptr, nullptr);
}

// The next message fetched: its message, window and parameter.
std::tuple<UINT, HWND, WPARAM> Next(int expect = 1)
{
    MSG msg {};
    EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), expect);
    return { msg.message, msg.hwnd, msg.wParam };
}

// A window of its own class, destroyed (with everything queued for it) at the end.
class EventTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_createAnswer = 0;
        WNDCLASSW wc;
        wc.lpfnWndProc = RecordingProc;
        wc.lpszClassName = L"TestWindow";
        RegisterClassW(&wc);
        window = Create(L"main", nullptr, 100, 50);
        ASSERT_NE(window, nullptr);
        g_seen.clear();
    }
    void TearDown() override
    {
        DestroyWindow(window);
        DispatchPending();
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) { } // drop quit and stray posts
        UnregisterClassW(L"TestWindow");
    }
    HWND window = nullptr;
};

TEST_F(EventTest, WindowsAreFoundSizedAndGoneAfterDestruction)
{
    HWND other = Create(L"other", nullptr, CW_USEDEFAULT, CW_USEDEFAULT);
    EXPECT_EQ(FindWindowW(L"TestWindow", L"other"), other);
    EXPECT_EQ(FindWindowW(L"TestWindow", nullptr), window); // creation order
    EXPECT_EQ(FindWindowW(L"testwindow", nullptr), nullptr);
    RECT r;
    ASSERT_TRUE(GetClientRect(other, &r));
    EXPECT_EQ(std::make_pair(r.right, r.bottom), std::make_pair(480, 640));

    WNDCLASSW again;
    again.lpfnWndProc = RecordingProc;
    again.lpszClassName = L"TestWindow";
    EXPECT_EQ(RegisterClassW(&again), 0);
    EXPECT_FALSE(UnregisterClassW(L"TestWindow")); // windows of it still live

    SetWindowLongPtrW(other, GWLP_USERDATA, 42);
    EXPECT_TRUE(DestroyWindow(other));
    EXPECT_FALSE(IsWindow(other));
    EXPECT_FALSE(DestroyWindow(other));
    EXPECT_EQ(SendMessageW(other, WM_USER, 6, 0), 0);
    EXPECT_EQ(GetWindowLongPtrW(other, GWLP_USERDATA), 0);
}

TEST_F(EventTest, CreationCanBeRefusedAndDestructionReachesChildren)
{
    g_createAnswer = -1;
    EXPECT_EQ(Create(L"refused"), nullptr);
    EXPECT_EQ(FindWindowW(nullptr, L"refused"), nullptr);
    EXPECT_EQ(Create(L"x", nullptr, 1, 1, L"NoSuchClass"), nullptr);
    g_createAnswer = 0;

    HWND parent = Create(L"p");
    HWND child = Create(L"c", parent);
    EXPECT_EQ(GetParent(child), parent);
    g_seen.clear();
    DestroyWindow(parent);
    EXPECT_FALSE(IsWindow(child));
    ASSERT_EQ(g_seen.size(), 2u);
    EXPECT_EQ(g_seen[0].hwnd, parent);
    EXPECT_EQ(g_seen[1].hwnd, child);
    EXPECT_EQ(g_seen[1].message, WM_DESTROY);
}

TEST_F(EventTest, PostedMessagesComeInOrderThenQuitThenPaint)
{
    InvalidateRect(window, nullptr, false);
    PostMessageW(window, WM_USER, 1, 0);
    PostMessageW(window, WM_USER, 2, 0);
    PostQuitMessage(3);
    EXPECT_EQ(Next(), std::make_tuple(WM_USER, window, WPARAM(1)));
    EXPECT_EQ(Next(), std::make_tuple(WM_USER, window, WPARAM(2)));
    EXPECT_EQ(Next(0), std::make_tuple(WM_QUIT, HWND(nullptr), WPARAM(3)));
    MSG msg;
    ASSERT_EQ(GetMessageW(&msg, nullptr, 0, 0), 1);
    EXPECT_EQ(std::make_pair(msg.message, msg.hwnd), std::make_pair(UINT(WM_PAINT), window));
    DispatchMessageW(&msg); // the default procedure validates
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(EventTest, KeyStateFollowsTheKeyMessagesTakenAndTheRightButtonAsksForAMenu)
{
    constexpr int32_t kControl = 0x11, kShift = 0x10;
    PostMessageW(window, WM_KEYDOWN, kControl, 1);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(GetKeyState(kControl), 0); // still queued
    Next();
    EXPECT_LT(GetKeyState(kControl), 0);
    EXPECT_EQ(GetKeyState(kShift), 0);
    PostMessageW(window, WM_KEYDOWN, kShift, 1);
    PostMessageW(window, WM_KEYUP, kControl, 1);
    PostMessageW(window, WM_KEYDOWN, 100000, 1); // no such key: ignored
    DispatchPending();
    EXPECT_EQ(GetKeyState(kControl), 0);
    EXPECT_LT(GetKeyState(kShift), 0);
    EXPECT_EQ(GetKeyState(-1), 0);
    EXPECT_EQ(GetKeyState(100000), 0);
    // Leaving the window lets go of every key: their releases go elsewhere.
    PostMessageW(window, WM_ACTIVATE, WA_INACTIVE, 0);
    DispatchPending();
    EXPECT_EQ(GetKeyState(kShift), 0);

    // The default answer to the right button's release asks the window for its menu,
    // with the point in screen coordinates.
    ASSERT_TRUE(MoveWindow(window, 30, 40, 100, 50, false));
    g_seen.clear();
    EXPECT_EQ(DefWindowProcW(window, WM_RBUTTONUP, 0, MAKELPARAM(5, 7)), 0);
    ASSERT_EQ(g_seen.size(), 1u);
    EXPECT_EQ(g_seen[0].message, UINT(WM_CONTEXTMENU));
    EXPECT_EQ(g_seen[0].wParam, reinterpret_cast<WPARAM>(window));
    EXPECT_EQ(g_seen[0].lParam, MAKELPARAM(35, 47));
}

// While a paste waits, what the person did after it waits too, in its order: keys,
// presses and releases (and the moves of a drag begun meanwhile), leaving the window and
// closing it. Other messages, a move before any of them and the wheel go on.
TEST_F(EventTest, HeldInputWaitsInItsOrderWhileOtherMessagesGoOn)
{
    HoldUserInput(true);
    PostMessageW(window, WM_MOUSEMOVE, 1, 0);
    PostMessageW(window, WM_KEYDOWN, 2, 0);
    PostMessageW(window, WM_USER, 3, 0);
    PostMessageW(window, WM_LBUTTONDOWN, 4, 0);
    PostMessageW(window, WM_MOUSEMOVE, 5, 0);
    PostMessageW(window, WM_MOUSEWHEEL, 6, 0);
    PostMessageW(window, WM_LBUTTONUP, 7, 0);
    PostMessageW(window, WM_RBUTTONDOWN, 8, 0);
    PostMessageW(window, WM_RBUTTONUP, 9, 0);
    PostMessageW(window, WM_ACTIVATE, 10, 0);
    PostMessageW(window, WM_CLOSE, 11, 0);
    const auto order = [] {
        std::vector<WPARAM> seen;
        for (const Seen& s : g_seen)
            if (s.wParam) // not what the close brings about
                seen.push_back(s.wParam);
        g_seen.clear();
        return seen;
    };
    DispatchPending();
    EXPECT_EQ(order(), (std::vector<WPARAM> { 1, 3, 6 }));
    HoldUserInput(false);
    DispatchPending();
    EXPECT_EQ(order(), (std::vector<WPARAM> { 2, 4, 5, 7, 8, 9, 10, 11 }));
}

TEST_F(EventTest, FiltersAndPeekLeaveOtherMessagesQueued)
{
    PostMessageW(window, WM_USER, 1, 0);
    PostMessageW(window, WM_CHAR, 2, 0);
    PostMessageW(nullptr, WM_USER + 1, 3, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_CHAR, WM_CHAR, PM_NOREMOVE));
    EXPECT_EQ(msg.wParam, 2u);
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_CHAR, WM_CHAR, PM_REMOVE));
    ASSERT_EQ(GetMessageW(&msg, nullptr, WM_USER + 1, WM_USER + 1), 1);
    EXPECT_EQ(msg.hwnd, nullptr);
    EXPECT_EQ(DispatchMessageW(&msg), 0); // no window: dropped
    ASSERT_TRUE(PeekMessageW(&msg, window, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 1u);
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(EventTest, DestroyedWindowsTakeTheirMessagesAlong)
{
    HWND other = Create(L"o");
    PostMessageW(other, WM_USER, 1, 0);
    PostMessageW(window, WM_USER, 2, 0);
    InvalidateRect(other, nullptr, false);
    DestroyWindow(other);
    EXPECT_FALSE(PostMessageW(other, WM_USER, 3, 0));
    g_seen.clear();
    EXPECT_EQ(DispatchPending(), 1u);
    ASSERT_EQ(g_seen.size(), 1u);
    EXPECT_EQ(g_seen[0].hwnd, window);
}

TEST_F(EventTest, InvalidRegionIsClippedUnitedAndValidated)
{
    RECT r;
    EXPECT_FALSE(GetUpdateRect(window, &r, false));
    RECT a { 10, 10, 20, 20 };
    RECT b { 90, 40, 200, 200 }; // reaches past the 100 x 50 client area
    RECT outside { 200, 200, 300, 300 };
    InvalidateRect(window, &a, false);
    InvalidateRect(window, &b, false);
    ASSERT_TRUE(GetUpdateRect(window, &r, false));
    EXPECT_EQ(std::make_tuple(r.left, r.top, r.right, r.bottom), std::make_tuple(10, 10, 100, 50));
    ValidateRect(window, &a); // partial: everything stays to be painted
    EXPECT_TRUE(GetUpdateRect(window, nullptr, false));
    ValidateRect(window, nullptr);
    EXPECT_FALSE(GetUpdateRect(window, nullptr, false));
    InvalidateRect(window, &outside, false);
    EXPECT_FALSE(GetUpdateRect(window, nullptr, false));

    // A paint handler that never validates cannot hold the pump for ever.
    SetWindowLongPtrW(window, GWLP_WNDPROC,
        reinterpret_cast<intptr_t>(+[](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; }));
    InvalidateRect(window, nullptr, false);
    EXPECT_EQ(DispatchPending(50), 50u);
    ValidateRect(window, nullptr);
}

// A backend with a wait of its own: a sticky flag like a native event queue.
class FakeSource : public EventSource {
public:
    void Pump() override
    {
        std::vector<WPARAM> keys;
        {
            std::lock_guard<std::mutex> lock(mutex);
            keys.swap(input);
        }
        for (WPARAM key : keys)
            PostMessageW(target, WM_KEYDOWN, key, 0);
    }
    void Wait(int timeoutMs) override
    {
        std::unique_lock<std::mutex> lock(mutex);
        auto ready = [this] { return woken || !input.empty(); };
        if (timeoutMs < 0)
            changed.wait(lock, ready);
        else
            changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready);
        woken = false;
        ++waits;
    }
    void Wake() override
    {
        std::lock_guard<std::mutex> lock(mutex);
        woken = true;
        changed.notify_all();
    }
    void Inject(WPARAM key)
    {
        std::lock_guard<std::mutex> lock(mutex);
        input.push_back(key);
        changed.notify_all();
    }

    HWND target = nullptr;
    int waits = 0;
    std::mutex mutex;
    std::condition_variable changed;
    bool woken = false;
    std::vector<WPARAM> input;
};

// Posts from another thread wake a blocked fetch, with the default wait and with a
// backend's own, which its input wakes as well.
TEST_F(EventTest, PostsFromAnotherThreadAndBackendInputWakeTheBlockedGet)
{
    Thread poster;
    ASSERT_TRUE(poster.Start([this] {
        Sleep(20);
        PostMessageW(window, WM_USER, 9, 0);
    }));
    EXPECT_EQ(Next(), std::make_tuple(WM_USER, window, WPARAM(9)));
    poster.Join();

    FakeSource source;
    source.target = window;
    SetEventSource(&source);
    // The post waits until the key was taken: posted messages come before input, and a
    // busy machine could otherwise let both arrive before the first get.
    std::atomic<bool> gotKey { false };
    ASSERT_TRUE(poster.Start([&] {
        Sleep(10);
        source.Inject(65);
        while (!gotKey)
            Sleep(1);
        Sleep(10);
        PostMessageW(window, WM_USER, 1, 0);
    }));
    EXPECT_EQ(Next(), std::make_tuple(WM_KEYDOWN, window, WPARAM(65)));
    gotKey = true;
    EXPECT_EQ(Next(), std::make_tuple(WM_USER, window, WPARAM(1)));
    poster.Join();
    SetEventSource(nullptr);
    EXPECT_LE(source.waits, 4); // woken by events, not by polling
}

} // namespace
