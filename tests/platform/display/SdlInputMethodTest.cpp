#include "platform/display/SdlDisplay.h"
#include "platform/event/Thread.h"
#include "platform/system/Utf8.h"
#include "tests/support/UxPump.h"
#include "ux/core/UxDesktop.h"
#include "ux/core/UxStartup.h"
#include "ux/widgets/UxEdit.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <sstream>
#include <string>
#include <unistd.h>

#include "tests/support/XvfbServer.h" // last: Xlib's macros would clash with the headers above
#include <SDL_syswm.h>

namespace {

// An edit that notes what it holds each time a key or the pointer reaches it.
class NotingEdit : public UxEdit {
public:
    bool OnKeyDown(uintptr_t key, intptr_t data) override
    {
        Note(L"key " + std::to_wstring(key));
        return UxEdit::OnKeyDown(key, data);
    }
    bool OnPointerDown(int32_t x, int32_t y) override
    {
        Note(L"down");
        return UxEdit::OnPointerDown(x, y);
    }
    void Note(const std::wstring& what)
    {
        notes += (notes.empty() ? L"" : L", ") + what + L" " + GetText() + (IsComposing() ? L" composing" : L"");
    }
    std::wstring notes;
};

// The real window under Xvfb with an edit to type into. Events are pushed into SDL's
// queue as SDL itself delivers them with ibus-hangul, so the backend reads them the way it
// reads a desktop's: the X server's key press (which SDL hands over before asking the
// input method), then a key when the input method let it through, and its compositions
// and commits.
class SdlInputMethod : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!XvfbServer::IsInstalled())
            GTEST_SKIP() << "Xvfb is not installed (scripts/setup installs it): the real window is not tried";
        ASSERT_TRUE(server.Start());
        setenv("DISPLAY", server.display.c_str(), 1);
        setenv("QUORIX_DISPLAY", "sdl", 1);
        ASSERT_TRUE(UxInitialize());
        desktop = new UxDesktop;
        ASSERT_TRUE(desktop->Create(L"QuorixImeTest-" + std::to_wstring(getpid()), { 0, 0, 480, 640 }));
        auto* display = dynamic_cast<plat::SdlDisplay*>(plat::GetDisplay());
        ASSERT_NE(display, nullptr);
        windowId = display->GetWindowId();
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        ASSERT_TRUE(SDL_GetWindowWMInfo(SDL_GetWindowFromID(windowId), &info));
        x11 = info.info.x11.display;
        xWindow = info.info.x11.window;
        for (UxEdit* edit : { static_cast<UxEdit*>(&text), &password }) {
            UxTextStyle style;
            style.Font.Height = 16;
            style.Font.FaceName = L"TestFixed";
            ASSERT_TRUE(edit->Setup(style));
            desktop->AddChild(edit);
        }
        // Activation hides the input panel: let it come before an edit asks for the panel.
        for (int i = 0; i < 200 && SDL_GetKeyboardFocus() != SDL_GetWindowFromID(windowId); ++i) {
            UxPumpFor(0);
            plat::Sleep(10);
        }
        UxPumpFor(0);
        UxPumpFor(0);
        text.SetRect({ 20, 100, 460, 132 });
        password.SetRect({ 20, 200, 460, 232 });
        password.SetStyles(UxEdit::Password | UxEdit::SingleLine);
        text.SetFocus(true);
        UxPumpFor(0);
    }
    void TearDown() override
    {
        if (desktop) {
            text.SetFocus(false);
            desktop->RemoveChild(&text);
            desktop->RemoveChild(&password);
            text.Clear();
            password.Clear();
            delete desktop;
            UxFinalize();
        }
        unsetenv("DISPLAY");
        setenv("QUORIX_DISPLAY", "headless", 1);
    }

    // Pushes a recorded sequence and lets the program take it in. Words, in order:
    // "key:NAME" the X server's press of the key with that keysym name ("key:+space" with
    // Shift held), "down:NAME" and "up:NAME" the key as SDL delivers it, "edit:TEXT" a composition
    // ("edit:" an emptied one), "text:TEXT" a commit ("_" stands for a space), "press:X,Y"
    // and "release:X,Y" the left button.
    void Play(const std::string& events)
    {
        std::istringstream words(events);
        for (std::string word; words >> word;) {
            size_t colon = word.find(':');
            std::string kind = word.substr(0, colon), arg = word.substr(colon + 1);
            for (char& c : arg)
                c = c == '_' ? ' ' : c;
            SDL_Event e {};
            if (kind == "key") {
                bool shift = arg[0] == '+';
                XEvent x {};
                x.xkey = XKeyEvent { KeyPress, 0, 1, x11, xWindow, DefaultRootWindow(x11), 0, 0, 0, 0, 0, 0,
                    shift ? ShiftMask : 0u,
                    XKeysymToKeycode(x11, XStringToKeysym(arg.substr(shift ? 1 : 0).c_str())), 1 };
                messages.emplace_back();
                SDL_VERSION(&messages.back().version);
                messages.back().subsystem = SDL_SYSWM_X11;
                messages.back().msg.x11.event = x;
                e.type = SDL_SYSWMEVENT;
                e.syswm.msg = &messages.back();
            } else if (kind == "press" || kind == "release") {
                e.type = kind == "press" ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
                e.button.windowID = windowId;
                e.button.button = SDL_BUTTON_LEFT;
                e.button.state = kind == "press" ? SDL_PRESSED : SDL_RELEASED;
                e.button.x = std::atoi(arg.c_str());
                e.button.y = std::atoi(arg.c_str() + arg.find(',') + 1);
            } else if (kind == "down" || kind == "up") {
                e.type = kind == "down" ? SDL_KEYDOWN : SDL_KEYUP;
                e.key.windowID = windowId;
                e.key.state = kind == "down" ? SDL_PRESSED : SDL_RELEASED;
                e.key.keysym.sym = arg == "BackSpace" ? SDLK_BACKSPACE
                    : arg == "Left"                   ? SDLK_LEFT
                    : arg == "space"                  ? SDLK_SPACE
                    : arg == "Shift_L"                ? SDLK_LSHIFT
                                                      : SDL_Keycode(arg[0]);
            } else {
                e.type = kind == "edit" ? SDL_TEXTEDITING : SDL_TEXTINPUT;
                e.edit.windowID = windowId;
                arg.copy(kind == "edit" ? e.edit.text : e.text.text, SDL_TEXTEDITINGEVENT_TEXT_SIZE - 1);
            }
            ASSERT_EQ(SDL_PushEvent(&e), 1) << word;
        }
        UxPumpFor(0);
    }

    XvfbServer server;
    UxDesktop* desktop = nullptr;
    NotingEdit text;
    UxEdit password;
    uint32_t windowId = 0;
    Display* x11 = nullptr;
    ::Window xWindow = 0;
    std::deque<SDL_SysWMmsg> messages;
};

// ibus-hangul, two-set, typing 안녕하세요 (d k s s u d g k t p d y) after Shift+Space. It
// commits a syllable when the next jamo cannot join it.
const char* const kTyped = "key:Shift_L down:Shift_L key:+space edit: up:Shift_L "
                           "key:d edit:ㅇ key:k edit:아 key:s edit:안 key:s edit: text:안 edit:ㄴ "
                           "key:u edit:녀 key:d edit:녕 key:g edit: text:녕 edit:ㅎ key:k edit:하 "
                           "key:t edit:핫 key:p edit: text:하 edit:세 key:d edit:셍 key:y edit: text:세 edit:요";

// Then three Backspaces, "d y space d k s" and two Left, as SDL delivers them with the
// engine's event forwarding on (as it ships) and off. On, a key the engine does not use
// is taken and handed back through a signal this SDL ignores; off, it comes through
// before the commit it caused. Keys that SDL reads together (typed faster than a turn of
// the loop) come first, and the engine's answers to all of them after.
struct Mode {
    const char* name;
    const char* backspaces;
    const char* space;
    const char* left;
};
const Mode kModes[] = {
    { "forwarding", "key:BackSpace edit:ㅇ key:BackSpace edit: key:BackSpace edit:",
        "key:d edit:ㅇ key:y edit:요 key:space edit: text:요 edit: edit: key:d edit:ㅇ key:k edit:아 key:s edit:안",
        "key:Left edit: text:안 edit: edit: key:Left edit: edit:" },
    { "no forwarding", "key:BackSpace edit:ㅇ key:BackSpace edit: key:BackSpace down:BackSpace edit:",
        "key:d edit:ㅇ key:y edit:요 key:space down:space text:_ edit: text:요 edit: edit: "
        "key:d edit:ㅇ key:k edit:아 key:s edit:안",
        "key:Left down:Left edit: text:안 edit: edit: key:Left down:Left edit: edit:" },
    { "forwarding, keys read together", "key:BackSpace key:BackSpace key:BackSpace edit:ㅇ edit: edit:",
        "key:d key:y key:space key:d key:k key:s edit:ㅇ edit:요 edit: text:요 edit: edit: edit:ㅇ edit:아 edit:안",
        "key:Left key:Left edit: text:안 edit: edit: edit: edit:" },
    // Forwarding on, with an SDL that takes the handed-back key: it ends the composition
    // and then delivers the key itself, which acts once.
    { "forwarding, handed back", "key:BackSpace edit:ㅇ key:BackSpace edit: key:BackSpace edit: down:BackSpace",
        "key:d edit:ㅇ key:y edit:요 key:space edit: text:요 edit: down:space text:_ "
        "key:d edit:ㅇ key:k edit:아 key:s edit:안",
        "key:Left edit: text:안 edit: down:Left key:Left edit: edit: down:Left" },
    { "no forwarding, keys read together",
        "key:BackSpace key:BackSpace key:BackSpace down:BackSpace edit:ㅇ edit: edit:",
        "key:d key:y key:space down:space text:_ key:d key:k key:s "
        "edit:ㅇ edit:요 edit: text:요 edit: edit: edit:ㅇ edit:아 edit:안",
        "key:Left down:Left key:Left down:Left edit: text:안 edit: edit: edit: edit:" },
};

TEST_F(SdlInputMethod, KoreanKeepsTheOrderTypedAndLosesNoKey)
{
    for (const Mode& mode : kModes) {
        SCOPED_TRACE(mode.name);
        text.SetText(L"");
        Play(kTyped);
        EXPECT_EQ(text.GetText(), L"안녕하세요");
        EXPECT_TRUE(text.IsComposing());
        Play(mode.backspaces);
        EXPECT_EQ(text.GetText(), L"안녕하");
        Play(mode.space);
        EXPECT_EQ(text.GetText(), L"안녕하요 안");
        Play(mode.left);
        EXPECT_EQ(text.GetText(), L"안녕하요 안");
        EXPECT_FALSE(text.IsComposing());
    }
}

TEST_F(SdlInputMethod, KeysReadWithASyllableActAfterItAndOnlyOnce)
{
    const plat::RECT box = text.GetScreenRect();
    const std::string at = std::to_string(box.left + 4) + "," + std::to_string((box.top + box.bottom) / 2);
    const std::string tap = "press:" + at + " release:" + at;
    struct Case {
        const char* name;
        const char* before; // typed first, each key in a turn of its own
        std::string events; // then in one turn
        std::wstring shown;
        std::wstring notes; // what the edit held when keys and the pointer reached it
    } cases[] = {
        // A letter that ends the syllable, and an arrow or a tap read with it: the syllable
        // is in before the key or the tap acts.
        { "arrow, forwarding", "key:d edit:ㅇ key:k edit:아", "key:s key:Left edit:안 edit: text:안 edit:", L"안",
            L"key 37 안" },
        { "arrow, no forwarding", "key:d edit:ㅇ key:k edit:아",
            "key:s key:Left down:Left edit:안 edit: text:안 edit:", L"안", L"key 37 안" },
        { "arrow after the syllable's end", "key:d edit:ㅇ key:k edit:아 key:s edit:안",
            "key:s key:Left edit: text:안 edit:ㄴ edit: text:ㄴ edit:", L"안ㄴ", L"key 37 안ㄴ" },
        { "tap", "key:d edit:ㅇ key:k edit:아", "key:s " + tap + " edit:안 text:안", L"안", L"down 안" },
        { "tap after the syllable's end", "key:d edit:ㅇ key:k edit:아 key:s edit:안",
            "key:s " + tap + " edit: text:안 edit:ㄴ text:ㄴ", L"안ㄴ", L"down 안ㄴ" },
        // Keys outside A-Z that a layout composes with (three-set: ";" and digits are jamo)
        // are not typed as well.
        { "punctuation composing", "", "key:semicolon edit:ㅂ", L"ㅂ", L"" },
        { "digit composing after a syllable", "key:d edit:ㅇ key:k edit:아", "key:1 edit: text:아 edit:ㅎ", L"아ㅎ", L"" },
        { "punctuation composing, read together", "key:d edit:ㅇ key:k edit:아",
            "key:semicolon key:k edit: text:아 edit:ㅂ edit:바", L"아바", L"" },
        // The same answers but for the letter's own: the two-set layout handed the key back.
        { "punctuation handed back, read together", "key:d edit:ㅇ key:k edit:아",
            "key:semicolon key:q edit: text:아 edit:ㅂ", L"아;ㅂ", L"" },
        // A key the input method commits along with the syllable is typed once.
        { "committed with the syllable", "key:d edit:ㅇ key:y edit:요", "key:period edit: text:요.", L"요.", L"" },
        { "committed with the syllable, read together", "key:d edit:ㅇ key:y edit:요",
            "key:period key:d edit: text:요. edit:ㅇ", L"요.ㅇ", L"" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        text.SetText(L"");
        text.SetFocus(true);
        std::istringstream before(c.before);
        for (std::string key, answer; before >> key >> answer;)
            Play(key + " " + answer);
        text.notes.clear();
        Play(c.events);
        EXPECT_EQ(text.GetText(), c.shown);
        EXPECT_EQ(text.notes, c.notes);
        // Nothing stays composed for the next case.
        Play("edit:");
    }
}

TEST_F(SdlInputMethod, AComposingInputMethodIsTheDesktopsWhateverItsSettingsSaid)
{
    plat::SetDesktopInputMethod(false);
    Play("key:d edit:");
    EXPECT_FALSE(plat::HasDesktopInputMethod());
    Play("key:d edit:ㅇ key:k edit:아");
    EXPECT_TRUE(plat::HasDesktopInputMethod());
    EXPECT_EQ(text.GetText(), L"아");
}

TEST(SdlDesktopSettings, NameTheInputMethodSdlAttaches)
{
    using plat::SdlDisplay;
    EXPECT_FALSE(SdlDisplay::NamesInputMethod(nullptr, nullptr, nullptr));
    EXPECT_TRUE(SdlDisplay::NamesInputMethod(nullptr, "@im=ibus", nullptr));
    EXPECT_TRUE(SdlDisplay::NamesInputMethod(nullptr, "@foo=bar @im=fcitx", nullptr));
    EXPECT_TRUE(SdlDisplay::NamesInputMethod("ibus", nullptr, nullptr));
    EXPECT_TRUE(SdlDisplay::NamesInputMethod(nullptr, nullptr, "unix:path=/tmp/ibus"));
    for (const char* none : { "@im=none", "@im=", "", "@foo=ibus" })
        EXPECT_FALSE(SdlDisplay::NamesInputMethod(nullptr, none, nullptr)) << none;
    EXPECT_FALSE(SdlDisplay::NamesInputMethod("none", "@im=none", ""));
}

TEST_F(SdlInputMethod, PasswordTakesLatinKeysAndTheInputMethodComesBack)
{
    EXPECT_TRUE(SDL_IsTextInputActive());
    password.SetFocus(true);
    UxPumpFor(0);
    // Detached, the input method sees no key: SDL delivers each one, without text.
    EXPECT_FALSE(SDL_IsTextInputActive());
    Play("key:d down:d key:Shift_L down:Shift_L key:+k down:k key:+1 down:1 up:Shift_L key:period down:.");
    EXPECT_EQ(password.GetText(), L"dK!.");

    text.SetFocus(true);
    UxPumpFor(0);
    EXPECT_TRUE(SDL_IsTextInputActive());
    Play("key:d edit:ㅇ key:k edit:아");
    EXPECT_EQ(text.GetText(), L"아");
    EXPECT_EQ(password.GetText(), L"dK!.");
}

} // namespace
