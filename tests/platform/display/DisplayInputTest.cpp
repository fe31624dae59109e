// What the backends' input becomes, read from the messages the window receives: a
// touchpad's small wheel steps, and keys beyond A-Z that the desktop's input method
// composes with.
#include "platform/display/DisplayInput.h"
#include "platform/display/VirtualKeys.h"
#include "platform/event/MessageQueue.h"
#include "platform/event/Window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace plat;

namespace {

// What the window was told: the text committed, the composition still open and the
// wheel's travel.
struct Received {
    std::wstring typed;
    std::wstring composing;
    std::vector<int32_t> wheel;
};
Received g_received;

LRESULT Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Received& r = g_received;
    switch (message) {
    case WM_CHAR:
        if (wParam >= 0x20)
            r.typed += wchar_t(wParam);
        break;
    case WM_IME_COMPOSITION:
        if (lParam & GCS_RESULTSTR) {
            r.typed += wchar_t(wParam);
            r.composing.clear();
        } else {
            r.composing = (lParam & GCS_COMPSTR) ? std::wstring(1, wchar_t(wParam)) : L"";
        }
        break;
    case WM_IME_ENDCOMPOSITION:
        r.composing.clear();
        break;
    case WM_MOUSEWHEEL:
        r.wheel.push_back(GET_WHEEL_DELTA_WPARAM(wParam));
        break;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return 0;
}

class DisplayInputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_received = {};
        window = CreateMessageWindow(L"DisplayInputTest", &Record);
        ASSERT_NE(window, nullptr);
        input = std::make_unique<DisplayInput>(window);
    }
    void TearDown() override
    {
        input.reset();
        DestroyWindow(window);
    }

    // One turn of the backend: the keyboard's presses as words ("key:;" a key press with
    // its text, then "edit:TEXT" the input method's composition, "text:TEXT" its commit),
    // everything it had, then the messages delivered.
    void Turn(const std::wstring& words)
    {
        size_t at = 0;
        while (at < words.size()) {
            size_t end = words.find(L' ', at);
            if (end == std::wstring::npos)
                end = words.size();
            const std::wstring word = words.substr(at, end - at);
            const std::wstring arg = word.substr(word.find(L':') + 1);
            if (word.rfind(L"key:", 0) == 0)
                input->KeyPressed(KeyOf(arg), arg, false, false);
            else if (word.rfind(L"edit:", 0) == 0)
                input->Composition(arg);
            else
                input->Text(arg);
            at = end + 1;
        }
        input->EndOfInput();
        DispatchPending();
    }
    // As the keyboard reports it: letters and digits by their own code, punctuation by none.
    static uint32_t KeyOf(const std::wstring& text)
    {
        const wchar_t c = text.empty() ? 0 : text[0];
        if (c >= L'a' && c <= L'z')
            return uint32_t(c - L'a' + L'A');
        if (c >= L'0' && c <= L'9')
            return uint32_t(c);
        return 0;
    }

    HWND window = nullptr;
    std::unique_ptr<DisplayInput> input;
};

} // namespace

TEST_F(DisplayInputTest, TouchpadStepsBelowOneUnitAddUpUntilTheyScroll)
{
    // A quarter of a unit a step: every fourth step scrolls by one, nothing is lost.
    const float quarter = 0.25f / float(WHEEL_DELTA);
    for (int i = 0; i < 3; ++i)
        input->Wheel(10, 10, quarter);
    DispatchPending();
    EXPECT_TRUE(g_received.wheel.empty());
    input->Wheel(10, 10, quarter);
    DispatchPending();
    EXPECT_EQ(g_received.wheel, (std::vector<int32_t> { 1 }));

    // Steps of 0.4 units, then a notch and a half back: what was left over counts.
    g_received.wheel.clear();
    for (int i = 0; i < 10; ++i)
        input->Wheel(10, 10, 0.4f / float(WHEEL_DELTA));
    input->Wheel(10, 10, -1.5f);
    DispatchPending();
    int32_t away = 0;
    for (size_t i = 0; i + 1 < g_received.wheel.size(); ++i)
        away += g_received.wheel[i];
    EXPECT_EQ(away, 4);
    EXPECT_EQ(g_received.wheel.back(), -180);
}

TEST_F(DisplayInputTest, KeysBeyondAToZThatTheInputMethodComposesWithAreNotTypedAgain)
{
    struct Case {
        const char* name;
        const wchar_t* before; // turns of their own, one word pair each
        const wchar_t* turn;
        std::wstring typed;
        std::wstring composing;
    } cases[] = {
        // Three-set layouts: ";" and the digits are jamo.
        { "punctuation", L"", L"key:; edit:ㅂ", L"", L"ㅂ" },
        { "digit after a syllable", L"key:d edit:ㅇ|key:k edit:아", L"key:1 edit: text:아 edit:ㅎ", L"아", L"ㅎ" },
        { "punctuation read with a letter", L"key:d edit:ㅇ|key:k edit:아", L"key:; key:k edit: text:아 edit:ㅂ edit:바",
            L"아", L"바" },
        // The same answers but for the letter's own: the key only ended the syllable
        // (a two-set layout), so it is typed here.
        { "punctuation handed back", L"key:d edit:ㅇ|key:k edit:아", L"key:; key:q edit: text:아 edit:ㅂ", L"아;",
            L"ㅂ" },
        // Committed with the syllable by the input method itself: once.
        { "committed with the syllable", L"key:d edit:ㅇ|key:y edit:요", L"key:. edit: text:요.", L"요.", L"" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::wstring before = c.before;
        for (size_t at = 0; at < before.size();) {
            size_t end = before.find(L'|', at);
            if (end == std::wstring::npos)
                end = before.size();
            Turn(before.substr(at, end - at));
            at = end + 1;
        }
        Turn(c.turn);
        EXPECT_EQ(g_received.typed, c.typed);
        EXPECT_EQ(g_received.composing, c.composing);
        // Nothing stays composed for the next case.
        Turn(L"edit:");
        g_received = {};
    }
}
