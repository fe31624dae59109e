#pragma once

#include "ux/core/UxNavigationItem.h"
#include "ux/core/UxSingleton.h"

#include <vector>

class UxWindow;

// The stack of (status bar, page) pairs the screen shows, the top one visible. Each
// change either happens at once, with the page hooks in a fixed order, or runs as a
// transition when the arriving item carries an enabled spec.
class UxNavigationController : public UxSingleton<UxNavigationController> {
public:
    // Shows the entry's windows over the current ones. False when a transition could not
    // start (the entry stays on the stack).
    bool Push(const UxNavigationEntry& entry);
    // Overwrites the top entry (keep: only its windows, so a later Back animates as the
    // entry first pushed did) and shows the new windows. On an empty stack it pushes.
    bool Replace(const UxNavigationEntry& entry, bool keep);
    // Returns to the entry below the top, running the top's transitions backwards.
    // False, with nothing changed, when there is no entry below.
    bool Back();
    // Back, with the page left told that the person gave its work up: IsDismissing holds
    // while its leave hooks run, so a chooser applies nothing.
    bool Dismiss();
    bool IsDismissing() const { return m_dismissing; }
    // Exchanges the top entry's page at once. False on an empty stack.
    bool SetPage(UxWindow* page);
    // Forgets every entry; nothing is hidden.
    void Clear();

    bool IsEmpty() const { return m_stack.empty(); }
    // Some entry of the stack, shown or below, has this page.
    bool Holds(const UxWindow* page) const;
    size_t GetDepth() const { return m_stack.size(); }
    // The top entry; only while not empty.
    const UxNavigationEntry& Top() const { return m_stack.back(); }
    UxWindow* GetStatusBar() const { return m_statusBar; }
    UxWindow* GetPage() const { return m_page; }

private:
    bool SwitchForward(UxWindow* from, const UxNavigationItem& item);
    // The status bar, then the page, from the current windows to the entry's; then the
    // current windows are the top entry's.
    bool SwitchForwardTo(const UxNavigationEntry& entry);
    bool SwitchBack(const UxNavigationItem& top, UxWindow* below);
    void TakeTopWindows();

    std::vector<UxNavigationEntry> m_stack;
    UxWindow* m_statusBar = nullptr;
    UxWindow* m_page = nullptr;
    bool m_dismissing = false;
};
