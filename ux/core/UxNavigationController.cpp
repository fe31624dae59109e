#include "ux/core/UxNavigationController.h"

#include "ux/core/UxPanel.h"
#include "ux/core/UxTransitionManager.h"
#include "ux/core/UxWindow.h"

#include <algorithm>

namespace {

void Hide(UxWindow* window)
{
    window->SetVisible(false);
    if (auto* panel = dynamic_cast<UxPanel*>(window)) {
        panel->OnWillHide();
        panel->OnHidden();
    }
}

void Show(UxWindow* window)
{
    window->SetVisible(true);
    if (auto* panel = dynamic_cast<UxPanel*>(window)) {
        panel->OnWillShow();
        panel->OnShown();
    }
}

// A transition needs a picture on both sides; without one the change happens at once.
bool Animates(const UxTransitionRequest& request)
{
    return request.Spec.enabled && request.Source && request.Target;
}

bool StartTransition(const UxTransitionRequest& request)
{
    UxTransitionManager* manager = UxTransitionManager::GetInstance();
    return manager && manager->Add(request);
}

} // namespace

bool UxNavigationController::Holds(const UxWindow* page) const
{
    return std::any_of(m_stack.begin(), m_stack.end(),
        [page](const UxNavigationEntry& entry) { return entry.Items[UxNavigationEntry::Page].Window == page; });
}

bool UxNavigationController::SwitchForward(UxWindow* from, const UxNavigationItem& item)
{
    UxTransitionRequest request { from, item.Window, item.Kind, item.Parameter, item.Spec };
    if (Animates(request))
        return StartTransition(request);
    if (from)
        Hide(from);
    if (item.Window) {
        Show(item.Window);
        item.Window->Invalidate(plat::RECT {}, true);
    }
    return true;
}

bool UxNavigationController::SwitchBack(const UxNavigationItem& top, UxWindow* below)
{
    UxTransitionRequest request { below, top.Window, top.Kind, top.Parameter, top.Spec };
    UxTransitionRequest back = request.Reverse();
    if (Animates(back))
        return StartTransition(back);
    if (top.Window)
        Hide(top.Window);
    if (below)
        Show(below);
    // The area the top window covered is repainted.
    if (top.Window)
        top.Window->Invalidate(plat::RECT {}, true);
    else if (below)
        below->Invalidate(plat::RECT {}, true);
    return true;
}

bool UxNavigationController::SwitchForwardTo(const UxNavigationEntry& entry)
{
    if (!SwitchForward(m_statusBar, entry.Items[UxNavigationEntry::StatusBar]))
        return false;
    if (!SwitchForward(m_page, entry.Items[UxNavigationEntry::Page]))
        return false;
    TakeTopWindows();
    return true;
}

void UxNavigationController::TakeTopWindows()
{
    m_statusBar = m_stack.back().Items[UxNavigationEntry::StatusBar].Window;
    m_page = m_stack.back().Items[UxNavigationEntry::Page].Window;
}

bool UxNavigationController::Push(const UxNavigationEntry& entry)
{
    m_stack.push_back(entry);
    return SwitchForwardTo(entry);
}

bool UxNavigationController::Replace(const UxNavigationEntry& entry, bool keep)
{
    if (m_stack.empty())
        return Push(entry);
    UxNavigationEntry& top = m_stack.back();
    if (keep) {
        top.Items[UxNavigationEntry::StatusBar].Window = entry.Items[UxNavigationEntry::StatusBar].Window;
        top.Items[UxNavigationEntry::Page].Window = entry.Items[UxNavigationEntry::Page].Window;
    } else {
        top = entry;
    }
    return SwitchForwardTo(entry);
}

bool UxNavigationController::Back()
{
    if (m_stack.size() < 2)
        return false;
    const UxNavigationEntry& top = m_stack[m_stack.size() - 1];
    const UxNavigationEntry& below = m_stack[m_stack.size() - 2];
    if (!SwitchBack(
            top.Items[UxNavigationEntry::StatusBar], below.Items[UxNavigationEntry::StatusBar].Window))
        return false;
    if (!SwitchBack(top.Items[UxNavigationEntry::Page], below.Items[UxNavigationEntry::Page].Window))
        return false;
    m_stack.pop_back();
    TakeTopWindows();
    return true;
}

bool UxNavigationController::Dismiss()
{
    m_dismissing = true;
    const bool back = Back();
    m_dismissing = false;
    return back;
}

bool UxNavigationController::SetPage(UxWindow* page)
{
    if (m_stack.empty())
        return false;
    UxNavigationItem& item = m_stack.back().Items[UxNavigationEntry::Page];
    if (item.Window == page)
        return true;
    if (item.Window)
        Hide(item.Window);
    item.Window = page;
    if (page) {
        Show(page);
        page->Invalidate(plat::RECT {}, true);
    }
    m_page = page;
    return true;
}

void UxNavigationController::Clear()
{
    m_stack.clear();
    m_statusBar = nullptr;
    m_page = nullptr;
}
