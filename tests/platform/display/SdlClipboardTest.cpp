// Pasting in the real window from another program that owns the clipboard: one that
// answers (at once, or in parts), and one that never does.
#include "platform/display/SdlDisplay.h"
#include "platform/display/VirtualKeys.h"
#include "platform/event/Thread.h"
#include "platform/system/Utf8.h"
#include "tests/support/DesktopFixture.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempFolder.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <optional>
#include <poll.h>
#include <string>
#include <thread>

#include "tests/support/XvfbServer.h" // last: Xlib's macros would clash with the headers above

#include <X11/Xatom.h>

namespace {

// Another program on the display that takes the clipboard. Unless it answers, it never
// reads its events, as a stopped or hung program would not; answering, it sends its text
// in parts of partSize bytes when the text is longer than that.
class SelectionOwner {
public:
    SelectionOwner(const std::string& display, std::string text, bool answers, size_t partSize = 0)
        : m_display(XOpenDisplay(display.c_str()))
        , m_text(std::move(text))
        , m_partSize(partSize)
    {
        if (!m_display)
            return;
        m_window = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 0, 0, 1, 1, 0, 0, 0);
        m_clipboard = XInternAtom(m_display, "CLIPBOARD", 0);
        m_utf8 = XInternAtom(m_display, "UTF8_STRING", 0);
        m_incr = XInternAtom(m_display, "INCR", 0);
        XSetSelectionOwner(m_display, m_clipboard, m_window, CurrentTime);
        XSync(m_display, 0);
        if (answers)
            m_thread = std::thread([this] { Serve(); });
    }
    ~SelectionOwner()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        if (m_display)
            XCloseDisplay(m_display);
    }

    // Whether this program still owns the clipboard, asked on a connection of its own.
    bool Owns(const std::string& display) const
    {
        ::Display* other = XOpenDisplay(display.c_str());
        if (!other)
            return false;
        const bool owns = XGetSelectionOwner(other, XInternAtom(other, "CLIPBOARD", 0)) == m_window;
        XCloseDisplay(other);
        return owns;
    }
    bool IsOpen() const { return m_display != nullptr; }
    std::atomic<int> requests { 0 };

private:
    void Serve()
    {
        pollfd wait { ConnectionNumber(m_display), POLLIN, 0 };
        while (!m_stop) {
            if (!XPending(m_display)) {
                poll(&wait, 1, 20);
                continue;
            }
            XEvent event;
            XNextEvent(m_display, &event);
            if (event.type == SelectionRequest)
                Answer(event.xselectionrequest);
            else if (event.type == PropertyNotify && event.xproperty.state == PropertyDelete && m_sending
                     && event.xproperty.window == m_to && event.xproperty.atom == m_property)
                SendPart();
        }
    }
    void Answer(const XSelectionRequestEvent& request)
    {
        ++requests;
        XSelectionEvent reply {};
        reply.type = SelectionNotify;
        reply.requestor = request.requestor;
        reply.selection = request.selection;
        reply.target = request.target;
        reply.time = request.time;
        if (request.target == m_utf8) {
            reply.property = request.property;
            if (m_partSize && m_text.size() > m_partSize) {
                // Announced by its length; each deletion of the property asks for a part.
                XSelectInput(m_display, request.requestor, PropertyChangeMask);
                long length = long(m_text.size());
                XChangeProperty(m_display, request.requestor, request.property, m_incr, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&length), 1);
                m_to = request.requestor;
                m_property = request.property;
                m_sent = 0;
                m_sending = true;
            } else {
                XChangeProperty(m_display, request.requestor, request.property, m_utf8, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(m_text.data()), int(m_text.size()));
            }
        }
        XSendEvent(m_display, request.requestor, 0, 0, reinterpret_cast<XEvent*>(&reply));
        XFlush(m_display);
    }
    void SendPart()
    {
        const size_t size = std::min(m_partSize, m_text.size() - m_sent);
        XChangeProperty(m_display, m_to, m_property, m_utf8, 8, PropModeReplace,
            reinterpret_cast<const unsigned char*>(m_text.data() + m_sent), int(size));
        m_sent += size;
        m_sending = size > 0; // the empty part ends it
        XFlush(m_display);
    }

    ::Display* m_display;
    std::string m_text;
    size_t m_partSize;
    ::Window m_window = 0;
    Atom m_clipboard = 0, m_utf8 = 0, m_incr = 0;
    std::thread m_thread;
    std::atomic<bool> m_stop { false };
    ::Window m_to = 0;
    Atom m_property = 0;
    size_t m_sent = 0;
    bool m_sending = false;
};

// A window that pastes on Ctrl+V, noting what came and every character after it.
class PastingPanel : public RecordingWindow {
public:
    using RecordingWindow::RecordingWindow;
    bool OnKeyDown(uintptr_t key, intptr_t) override
    {
        if (key == 'V' && plat::IsKeyHeld(plat::VK_CONTROL))
            plat::GetDisplay()->ReadClipboard([this](const std::wstring& text) { typed += L"[" + text + L"]"; });
        return true;
    }
    bool OnChar(uintptr_t c, intptr_t) override
    {
        typed += wchar_t(c);
        return true;
    }
    std::wstring typed;
};

class SdlClipboard : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!XvfbServer::IsInstalled())
            GTEST_SKIP() << "Xvfb is not installed (scripts/setup installs it): the real window is not tried";
        ASSERT_TRUE(server.Start()) << "Xvfb did not start";
        displayName.emplace("DISPLAY", server.display);
        backend.emplace("QUORIX_DISPLAY", "sdl");
        scale.emplace("QUORIX_SCALE", "1");
        cacheHome.emplace("XDG_CACHE_HOME", cache.Native());
        app.emplace();
        ASSERT_TRUE(app->created);
        display = dynamic_cast<plat::SdlDisplay*>(plat::GetDisplay());
        ASSERT_NE(display, nullptr);
        panel.emplace("panel", nullptr, 0x0000FF);
        panel->SetOwnSurface(true);
        panel->SetRect({ 0, 0, 480, 640 });
        app->desktop->AddChild(&*panel);
        app->desktop->Invalidate();
        panel->SetFocus(true);
    }
    void TearDown() override
    {
        if (panel)
            app->desktop->RemoveChild(&*panel);
        panel.reset();
        app.reset();
    }

    plat::DisplayInput& Input() { return display->GetInput(); }
    void Paste()
    {
        Input().Key(true, plat::VK_CONTROL);
        Input().Key(true, 'V');
        Input().Key(false, 'V');
        Input().Key(false, plat::VK_CONTROL);
        app->Flush();
    }
    // Turns of the loop until done, or three seconds.
    bool Until(const std::function<bool()>& done)
    {
        for (int i = 0; i < 300 && !done(); ++i) {
            plat::Sleep(10);
            app->Flush();
        }
        return done();
    }
    // The colour the X server shows in the middle of the window.
    uint32_t Shown()
    {
        int x = 0, y = 0;
        SDL_GetWindowPosition(SDL_GetWindowFromID(display->GetWindowId()), &x, &y);
        XScreenReader shot(server.display);
        plat::Bitmap* picture = shot.IsOpen() ? shot.Take(480, 640, x, y) : nullptr;
        const uint32_t colour = picture ? picture->Row(320)[240] & 0xFFFFFF : 0;
        if (picture)
            plat::DeleteObject(picture);
        return colour;
    }

    XvfbServer server;
    TempFolder cache;
    std::optional<ScopedEnv> displayName, backend, scale, cacheHome;
    std::optional<DesktopFixture> app;
    plat::SdlDisplay* display = nullptr;
    std::optional<PastingPanel> panel;
};

} // namespace

TEST_F(SdlClipboard, AnOwnerThatAnswersPastesThroughTheWindowsOwnConnection)
{
    SelectionOwner owner(server.display, "첫 줄\n둘째 줄", true);
    ASSERT_TRUE(owner.IsOpen());
    Paste();
    Input().Text(L"!");
    app->Flush();
    EXPECT_TRUE(Until([&] { return panel->typed == L"[첫 줄\n둘째 줄]!"; })) << plat::EncodeUtf8(panel->typed);
    EXPECT_FALSE(display->IsReadingClipboard());
    EXPECT_TRUE(owner.Owns(server.display));
}

TEST_F(SdlClipboard, ALongTextComesInPartsAndIsCutAtThePasteLimit)
{
    // 100,000 characters of 3 bytes each, sent 4,096 bytes at a time: what a paste takes
    // ends with whole characters, and the owner is not asked for the rest.
    std::string text;
    for (int i = 0; i < 100000; ++i)
        text += "가";
    SelectionOwner owner(server.display, text, true, 4096);
    std::optional<std::wstring> got;
    display->ReadClipboard([&](const std::wstring& answer) { got = answer; });
    ASSERT_TRUE(Until([&] { return got.has_value(); }));
    EXPECT_EQ(got->size(), plat::X11ClipboardRead::kMaxBytes / 3);
    EXPECT_EQ(got->find_first_not_of(L'가'), std::wstring::npos);

    // A shorter one in parts comes whole.
    SelectionOwner small(server.display, std::string(10000, 'a') + "끝", true, 1000);
    got.reset();
    display->ReadClipboard([&](const std::wstring& answer) { got = answer; });
    ASSERT_TRUE(Until([&] { return got.has_value(); }));
    EXPECT_EQ(got->size(), 10001u);
    EXPECT_TRUE(*got == std::wstring(10000, L'a') + L"끝");
}

TEST_F(SdlClipboard, AnOwnerThatNeverAnswersIsGivenUpOnWhileTheWindowGoesOn)
{
    SelectionOwner owner(server.display, "never", false);
    ASSERT_TRUE(owner.IsOpen());
    ASSERT_TRUE(Until([&] { return Shown() == 0xFF0000; }));
    Input().Text(L"<");
    Paste();
    Input().Text(L"x");
    app->Flush();
    EXPECT_TRUE(display->IsReadingClipboard());

    // Meanwhile the window draws and the keys wait, in order.
    panel->colour = 0x00FF00;
    panel->Invalidate();
    EXPECT_TRUE(Until([&] { return Shown() == 0x00FF00; }));
    EXPECT_TRUE(display->IsReadingClipboard());
    EXPECT_EQ(panel->typed, L"<");

    // Its time over, nothing is pasted, the keys go on, and the clipboard is still its.
    app->manual.Advance(plat::X11ClipboardRead::kPatienceMs);
    app->Flush();
    EXPECT_FALSE(display->IsReadingClipboard());
    EXPECT_EQ(panel->typed, L"<[]x");
    EXPECT_TRUE(owner.Owns(server.display));
}
