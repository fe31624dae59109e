#include "ux/core/UxDesktop.h"

#include "platform/display/Display.h"
#include "platform/display/VirtualKeys.h"
#include "platform/event/MessageQueue.h"
#include "ux/core/UxClock.h"
#include "ux/core/UxDeviceWindow.h"
#include "ux/core/UxNavigationController.h"
#include "ux/core/UxPanel.h"
#include "ux/core/UxPopupControl.h"
#include "ux/core/UxPopupInstance.h"
#include "ux/core/UxRect.h"
#include "ux/core/UxTransitionManager.h"
#include "ux/graphics/UxDeviceContextPool.h"

#include <algorithm>
#include <vector>

namespace {

UxWindow* OpenPopup()
{
    UxPopupInstance* popups = UxPopupInstance::GetInstance();
    return popups ? popups->GetPopup() : nullptr;
}

// The deepest window at the point that would take a press, last child first.
UxWindow* DeepestAt(UxWindow* window, const plat::POINT& point)
{
    if (!window->IsVisible() || window->GetPointerTracker().IsDisabled()
        || !PointInRect(window->GetRect(), window->ScreenToParent(point)))
        return nullptr;
    for (UxWindow* child = window->GetLastChild(); child; child = child->GetPrevSibling()) {
        if (UxWindow* hit = DeepestAt(child, point))
            return hit;
    }
    return window;
}

void CollectTabStops(UxWindow* window, std::vector<UxWindow*>& stops)
{
    if (!window->IsVisible())
        return;
    if (window->IsTabStop())
        stops.push_back(window);
    for (UxWindow* child = window->GetFirstChild(); child; child = child->GetNextSibling())
        CollectTabStops(child, stops);
}

// The running transitions, while no popup or captured window takes the pointer first.
UxTransitionManager* TransitionsUnderPointer()
{
    if (OpenPopup() || UxWindow::CapturedWindow)
        return nullptr;
    return UxTransitionManager::GetInstance();
}

// The character a key also types, which goes with it when the desktop takes the key.
uintptr_t CharacterOf(uintptr_t key)
{
    return key == plat::VK_TAB || key == plat::VK_RETURN || key == plat::VK_ESCAPE ? key : 0;
}

// Typing less than this long ago means a popup appearing now was not asked for.
constexpr uint32_t kTypingMs = 1000;

uint32_t Now()
{
    UxClock* clock = UxClock::GetInstance();
    return clock ? clock->GetElapsed() : 0;
}

// Counts a key as being handled while it is: what it opens, it asked for.
class KeyInHand {
public:
    explicit KeyInHand(int& depth)
        : m_depth(depth)
    {
        ++m_depth;
    }
    ~KeyInHand() { --m_depth; }
    KeyInHand(const KeyInHand&) = delete;
    KeyInHand& operator=(const KeyInHand&) = delete;

private:
    int& m_depth;
};

} // namespace

bool UxDesktop::Create(const std::wstring& name, const plat::RECT& rect)
{
    UxDeviceWindow* device = UxDeviceWindow::GetInstance();
    if (!device || !device->Create(name, rect))
        return false;
    SetOwnSurface(true);
    SetRect(rect);
    if (!InitInstance())
        return false;
    return device->Show();
}

bool UxDesktop::Run()
{
    if (!RunMessageLoop())
        return false;
    Shutdown();
    return true;
}

void UxDesktop::Shutdown()
{
    if (UxPopupInstance* popups = UxPopupInstance::GetInstance()) {
        if (auto* control = dynamic_cast<UxPopupControl*>(popups->GetPopup()))
            control->Close(0);
    }
    ExitInstance();
}

bool UxDesktop::OnSize(int32_t width, int32_t height)
{
    if (GetWidth() != width || GetHeight() != height) {
        if (UxDeviceContextPool* pool = UxDeviceContextPool::GetInstance())
            pool->UnloadAll();
        SetSize(width, height);
    }
    return true;
}

bool UxDesktop::RootPointerDown(int32_t x, int32_t y)
{
    OnPointerPress();
    // Pointing, the person has turned from their typing; a press on the screen shows
    // they have seen the popup.
    m_typed = false;
    if (auto* popup = dynamic_cast<UxPopupControl*>(OpenPopup()); popup && popup->IsWaiting())
        popup->StopWaiting();
    // A press on a part of a transition that looks still waits for it to end.
    if (UxTransitionManager* transitions = TransitionsUnderPointer(); transitions && transitions->HoldPress(x, y))
        return true;
    return GetPointerTracker().OnTrackerDown(x, y);
}

bool UxDesktop::RootPointerMove(int32_t x, int32_t y)
{
    if (UxTransitionManager* transitions = UxTransitionManager::GetInstance();
        transitions && transitions->HoldMove(x, y, GetPointerTracker().GetSlop()))
        return true;
    return GetPointerTracker().OnTrackerMove(x, y);
}

bool UxDesktop::RootPointerUp(int32_t x, int32_t y)
{
    if (UxTransitionManager* transitions = UxTransitionManager::GetInstance();
        transitions && transitions->HoldRelease(x, y))
        return true;
    return GetPointerTracker().OnTrackerUp(x, y);
}

bool UxDesktop::IsTypingElsewhere() const
{
    return m_keyDepth == 0 && m_typed && UxClock::Since(m_typedAt, Now()) < kTypingMs;
}

void UxDesktop::NoteTyping()
{
    m_typedAt = Now();
    m_typed = true;
}

bool UxDesktop::RootKeyDown(plat::WPARAM key, plat::LPARAM keyData)
{
    KeyInHand inHand(m_keyDepth);
    m_droppedChar = 0;
    const bool repeat = (uintptr_t(keyData) & 0x40000000u) != 0;
    // With Control or Alt a key is a command of the focused window; while a syllable is
    // composed, keys belong to the input method.
    const bool command = plat::IsKeyHeld(plat::VK_CONTROL) || plat::IsKeyHeld(plat::VK_MENU);
    const bool composing = FocusedWindow && FocusedWindow->IsComposing();
    // A popup that is still waiting lets Enter and Escape go where the person typed.
    auto* popup = dynamic_cast<UxPopupControl*>(OpenPopup());
    const bool passing = popup && popup->IsWaiting() && (key == plat::VK_RETURN || key == plat::VK_ESCAPE);
    if (!composing && !passing && (command ? OnDesktopCommand(key, repeat) : OnDesktopKey(key, repeat))) {
        m_droppedChar = CharacterOf(key);
        return true;
    }
    // Passing by, Escape still closes nothing: its character would empty a selection.
    if (passing && key == plat::VK_ESCAPE)
        m_droppedChar = key;
    // Only keys for the focused window are typing: one that answered a popup is not.
    NoteTyping();
    return FocusedWindow && FocusedWindow->OnKeyDown(key, keyData);
}

bool UxDesktop::OnDesktopKey(uintptr_t key, bool repeat)
{
    auto* popup = dynamic_cast<UxPopupControl*>(OpenPopup());
    switch (key) {
    case plat::VK_ESCAPE:
    case plat::VK_RETURN: {
        if (!popup)
            return false;
        const int32_t result = key == plat::VK_ESCAPE ? popup->GetEscapeResult() : popup->GetEnterResult();
        // A key held down since before the popup opened does not answer it.
        if (result >= 0 && !repeat)
            popup->Close(result);
        else if (result < 0 && key == plat::VK_RETURN && !repeat && popup->OnPopupKey(key))
            return true;
        // Escape never reaches what lies under a popup.
        return result >= 0 || key == plat::VK_ESCAPE;
    }
    case plat::VK_UP:
    case plat::VK_DOWN:
        return popup && popup->OnPopupKey(key);
    case plat::VK_TAB:
        return MoveTabFocus(plat::IsKeyHeld(plat::VK_SHIFT));
    case plat::VK_PRIOR:
    case plat::VK_NEXT:
    case plat::VK_HOME:
    case plat::VK_END: {
        if (FocusedWindow && FocusedWindow->TakesCaretKey(key))
            return false;
        plat::POINT cursor;
        UxDeviceWindow* device = UxDeviceWindow::GetInstance();
        if (plat::GetCursorPos(&cursor) && device && device->FromScreen(cursor)) {
            UxWindow* under = WindowAt(cursor.x, cursor.y);
            if (under && under->OnScrollKey(key))
                return true;
        }
        // Over nothing that scrolls: the page's main list or conversation.
        UxNavigationController* navigation = UxNavigationController::GetInstance();
        auto* page = !popup && navigation ? dynamic_cast<UxPanel*>(navigation->GetPage()) : nullptr;
        UxWindow* view = page && page->IsShownInTree() ? page->GetKeyView() : nullptr;
        return view && view->OnScrollKey(key);
    }
    default:
        return false;
    }
}

UxWindow* UxDesktop::WindowAt(int32_t x, int32_t y)
{
    UxWindow* popup = OpenPopup();
    return DeepestAt(popup ? popup : this, plat::POINT { x, y });
}

bool UxDesktop::MoveTabFocus(bool backwards)
{
    // Tab goes on from the focused window, or from the one focused before a popup that
    // has closed since.
    UxWindow* from = FocusedWindow && FocusedWindow != this ? FocusedWindow : PreviousFocusedWindow;
    UxWindow* page = from && from->IsShownInTree() ? from : nullptr;
    while (page && page->GetParent() != this)
        page = page->GetParent();
    if (!page)
        from = nullptr;

    // A popup still waiting has not taken the keys: Tab goes on among the boxes behind
    // it, like Enter and Escape, and what the person types follows the caret there.
    UxWindow* popup = OpenPopup();
    if (auto* control = dynamic_cast<UxPopupControl*>(popup); control && control->IsWaiting())
        popup = nullptr;
    std::vector<UxWindow*> stops;
    if (popup) {
        CollectTabStops(popup, stops);
    } else {
        // The page of that window, else the top-most page that has an edit box.
        if (page)
            CollectTabStops(page, stops);
        for (UxWindow* child = GetLastChild(); child && stops.empty(); child = child->GetPrevSibling())
            CollectTabStops(child, stops);
    }
    if (stops.empty())
        return false;
    auto before = [](const plat::RECT& a, const plat::RECT& b) {
        return a.top != b.top ? a.top < b.top : a.left < b.left;
    };
    std::stable_sort(stops.begin(), stops.end(),
        [&](UxWindow* a, UxWindow* b) { return before(a->GetScreenRect(), b->GetScreenRect()); });
    UxWindow* next = backwards ? stops.back() : stops.front();
    if (from && (!popup || page == popup)) {
        const plat::RECT at = from->GetScreenRect();
        if (backwards) {
            for (UxWindow* stop : stops)
                if (before(stop->GetScreenRect(), at))
                    next = stop;
        } else {
            auto it = std::find_if(
                stops.begin(), stops.end(), [&](UxWindow* stop) { return before(at, stop->GetScreenRect()); });
            if (it != stops.end())
                next = *it;
        }
    }
    next->SetFocus(true);
    return true;
}

bool UxDesktop::RootMouseWheel(int32_t delta, int32_t x, int32_t y)
{
    // A drag in progress owns the pointer.
    if (CapturedWindow)
        return false;
    UxWindow* under = WindowAt(x, y);
    return under && under->OnMouseWheel(delta, x, y);
}

bool UxDesktop::RootContextMenu(int32_t x, int32_t y)
{
    if (CapturedWindow)
        return false;
    UxWindow* popup = OpenPopup();
    if (popup && !PointInRect(popup->GetRect(), popup->ScreenToParent({ x, y }))) {
        // Like a press outside it.
        auto* control = dynamic_cast<UxPopupControl*>(popup);
        if (control && control->GetCloseOnOutsideTap())
            control->Close(0);
        return true;
    }
    UxWindow* under = WindowAt(x, y);
    return under && under->OnContextMenu(x, y);
}

bool UxDesktop::RootKeyUp(plat::WPARAM key, plat::LPARAM keyData)
{
    return FocusedWindow && FocusedWindow->OnKeyUp(key, keyData);
}

bool UxDesktop::RootImeComposition(plat::WPARAM character, plat::LPARAM mode)
{
    KeyInHand inHand(m_keyDepth);
    NoteTyping();
    return FocusedWindow && FocusedWindow->OnImeComposition(character, mode);
}

bool UxDesktop::RootChar(plat::WPARAM character, plat::LPARAM keyData)
{
    KeyInHand inHand(m_keyDepth);
    const uintptr_t dropped = m_droppedChar;
    m_droppedChar = 0;
    if (dropped && character == dropped)
        return true;
    NoteTyping();
    return FocusedWindow && FocusedWindow->OnChar(character, keyData);
}

bool UxDesktop::RootGetSelection(plat::WPARAM word1, plat::LPARAM word2)
{
    return FocusedWindow ? FocusedWindow->OnGetSelection(word1, word2) : true;
}

bool UxDesktop::RootSetSelection(plat::WPARAM start, plat::LPARAM end)
{
    return FocusedWindow ? FocusedWindow->OnSetSelection(start, end) : true;
}

bool UxDesktop::RootReplaceSelection(plat::LPARAM text1, plat::LPARAM text2)
{
    return FocusedWindow ? FocusedWindow->OnReplaceSelection(text1, text2) : true;
}
