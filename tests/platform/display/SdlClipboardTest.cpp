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

// How another program answers for the clipboard it holds.
struct OwnerAnswer {
    bool answers = true; // else it never reads its events, as a stopped or hung program
    size_t partSize = 0; // a longer text goes in parts of this many bytes
    const char* type = "UTF8_STRING"; // of its answer
    const char* refuses = nullptr; // a target it answers with no property
    bool paced = false; // each part waits for SendNextPart
};

// Another program on the display that takes the clipboard and answers as told.
class SelectionOwner {
public:
    SelectionOwner(const std::string& display, std::string text, bool answers, size_t partSize = 0)
        : SelectionOwner(display, std::move(text), OwnerAnswer { answers, partSize })
    {
    }
    SelectionOwner(const std::string& display, std::string text, const OwnerAnswer& answer)
        : m_display(XOpenDisplay(display.c_str()))
        , m_text(std::move(text))
        , m_answer(answer)
    {
        if (!m_display)
            return;
        m_window = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 0, 0, 1, 1, 0, 0, 0);
        m_clipboard = XInternAtom(m_display, "CLIPBOARD", 0);
        m_type = XInternAtom(m_display, answer.type, 0);
        m_refused = answer.refuses ? XInternAtom(m_display, answer.refuses, 0) : 0;
        m_incr = XInternAtom(m_display, "INCR", 0);
        XSetSelectionOwner(m_display, m_clipboard, m_window, CurrentTime);
        XSync(m_display, 0);
        if (answer.answers)
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
    // A paced owner sends the part the reader asked for.
    void SendNextPart() { ++m_allowed; }
    std::atomic<int> requests { 0 };
    std::atomic<int> partsSent { 0 };
    // Deletions of the property the parts go in: the announcement and each part read.
    std::atomic<int> partsAsked { 0 };

private:
    void Serve()
    {
        pollfd wait { ConnectionNumber(m_display), POLLIN, 0 };
        while (!m_stop) {
            if (m_asked && partsSent < m_allowed) {
                m_asked = false;
                SendPart();
            }
            if (!XPending(m_display)) {
                poll(&wait, 1, 20);
                continue;
            }
            XEvent event;
            XNextEvent(m_display, &event);
            if (event.type == SelectionRequest) {
                Answer(event.xselectionrequest);
            } else if (event.type == PropertyNotify && event.xproperty.state == PropertyDelete && m_sending
                && event.xproperty.window == m_to && event.xproperty.atom == m_property) {
                ++partsAsked;
                if (m_answer.paced)
                    m_asked = true;
                else
                    SendPart();
            }
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
        if (request.target != m_refused) {
            reply.property = request.property;
            if (m_answer.partSize && m_text.size() > m_answer.partSize) {
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
                XChangeProperty(m_display, request.requestor, request.property, m_type, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(m_text.data()), int(m_text.size()));
            }
        }
        XSendEvent(m_display, request.requestor, 0, 0, reinterpret_cast<XEvent*>(&reply));
        XFlush(m_display);
    }
    void SendPart()
    {
        const size_t size = std::min(m_answer.partSize, m_text.size() - m_sent);
        XChangeProperty(m_display, m_to, m_property, m_type, 8, PropModeReplace,
            reinterpret_cast<const unsigned char*>(m_text.data() + m_sent), int(size));
        m_sent += size;
        ++partsSent;
        m_sending = size > 0; // the empty part ends it
        XFlush(m_display);
    }

    ::Display* m_display;
    std::string m_text;
    OwnerAnswer m_answer;
    ::Window m_window = 0;
    Atom m_clipboard = 0, m_type = 0, m_refused = 0, m_incr = 0;
    std::atomic<int> m_allowed { 0 };
    bool m_asked = false; // a paced part is asked for
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

TEST_F(SdlClipboard, AnOwnerTricklingItsAnswerInPartsIsGivenUpOnInAFewSeconds)
{
    // Each part comes within the owner's patience, 1.4 s after the last.
    OwnerAnswer slow;
    slow.partSize = 100;
    slow.paced = true;
    SelectionOwner owner(server.display, std::string(800, 'a'), slow);
    ASSERT_TRUE(owner.IsOpen());
    Input().Text(L"<");
    Paste();
    Input().Text(L"x");
    app->Flush();
    ASSERT_TRUE(Until([&] { return owner.partsAsked == 1; })) << "no answer in parts";
    int parts = 0;
    while (display->IsReadingClipboard() && parts < 8) {
        owner.SendNextPart();
        ++parts;
        ASSERT_TRUE(Until([&] { return owner.partsAsked == parts + 1; })) << "part " << parts << " was not read";
        app->manual.Advance(1400);
        app->Flush();
    }
    // Given up on within the whole read's time, as an owner that does not answer: nothing
    // pasted, the keys after it in their order, the clipboard still the owner's.
    EXPECT_LE(parts, int(plat::X11ClipboardRead::kMostMs / 1400) + 1);
    EXPECT_FALSE(display->IsReadingClipboard());
    EXPECT_EQ(panel->typed, L"<[]x");
    EXPECT_TRUE(owner.Owns(server.display));

    // The next paste is not confused by the parts it still sends.
    SelectionOwner next(server.display, "next", true);
    Paste();
    EXPECT_TRUE(Until([&] { return panel->typed == L"<[]x[next]"; })) << plat::EncodeUtf8(panel->typed);
}

TEST_F(SdlClipboard, AnAnswerIsReadAsItsTypeSays)
{
    const auto paste = [&](const std::string& text, const OwnerAnswer& answer) {
        SelectionOwner owner(server.display, text, answer);
        std::optional<std::wstring> got;
        display->ReadClipboard([&](const std::wstring& pasted) { got = pasted; });
        EXPECT_TRUE(Until([&] { return got.has_value(); }));
        return std::make_pair(got.value_or(L"(none)"), owner.requests.load());
    };
    const std::string latin1 = "caf\xe9 na\xefve";
    OwnerAnswer answer;
    answer.type = "STRING";
    EXPECT_EQ(paste(latin1, answer), std::make_pair(std::wstring(L"café naïve"), 1));
    answer.partSize = 4; // in parts
    EXPECT_EQ(paste(latin1, answer), std::make_pair(std::wstring(L"café naïve"), 1));
    // UTF8_STRING refused: asked again for STRING.
    answer = {};
    answer.type = "STRING";
    answer.refuses = "UTF8_STRING";
    EXPECT_EQ(paste(latin1, answer), std::make_pair(std::wstring(L"café naïve"), 2));
    answer.type = "text/plain;charset=utf-8";
    EXPECT_EQ(paste("한글", answer), std::make_pair(std::wstring(L"한글"), 2));
    // What is not text is not pasted, whatever its bytes.
    answer = {};
    answer.type = "text/html";
    EXPECT_EQ(paste("<b>x</b>", answer), std::make_pair(std::wstring(), 2));
}
