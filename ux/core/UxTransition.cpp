#include "ux/core/UxTransition.h"

#include "ux/core/UxDeviceWindow.h"
#include "ux/core/UxPanel.h"
#include "ux/core/UxTransitionEffect.h"
#include "ux/core/UxTransitionManager.h"
#include "ux/core/UxWindow.h"
#include "ux/graphics/UxDeviceContextPool.h"

namespace {

UxPanel* AsPanel(UxWindow* window)
{
    return dynamic_cast<UxPanel*>(window);
}

void Hold(UxDeviceContext* surface)
{
    if (UxDeviceContextPool* pool = UxDeviceContextPool::GetInstance())
        pool->Hold(surface);
}

} // namespace

UxTransition::UxTransition(const UxTransitionRequest& request)
    : m_request(request)
{
    m_tween.SetFrom(1.0f);
    m_tween.SetTo(0.0f);
    m_tween.SetSpec(request.Spec);
}

UxTransition::~UxTransition()
{
    m_tween.Stop();
    ReleaseSurfaces();
}

void UxTransition::ReleaseSurfaces()
{
    if (UxDeviceContextPool* pool = UxDeviceContextPool::GetInstance()) {
        if (m_sourceSurface)
            pool->Unhold(m_sourceSurface);
        if (m_targetSurface)
            pool->Unhold(m_targetSurface);
    }
    m_sourceSurface = nullptr;
    m_targetSurface = nullptr;
}

bool UxTransition::Start()
{
    UxWindow* source = m_request.Source;
    UxWindow* target = m_request.Target;
    if (!source || !source->HasOwnSurface()) {
        UxTrace(L"[UX+] UxTransition::Start, Transition source must have own dc.\n");
        return false;
    }
    if (!target || !target->HasOwnSurface()) {
        UxTrace(L"[UX+] UxTransition::Start, Transition target must have own dc.\n");
        return false;
    }
    if (source->GetWidth() != target->GetWidth() || source->GetHeight() != target->GetHeight()) {
        UxTrace(L"[UX+] UxTransition::Start, Transition source and target must be same size.\n");
        return false;
    }
    bool sourceWasVisible = source->IsVisible();
    bool targetWasVisible = target->IsVisible();

    if (UxPanel* panel = AsPanel(source))
        panel->OnWillHide();

    plat::RECT screen = source->GetScreenRect();
    if (UxDeviceWindow* device = UxDeviceWindow::GetInstance()) {
        device->SetRepaintRect(screen);
        device->ResetInvalidRect();
        device->AddInvalidRect(screen);
    }

    // The source as it was last painted.
    m_sourceSurface = source->GetSurface();
    Hold(m_sourceSurface);
    // Hidden before the target is told it shows: the box the source had the caret in is
    // remembered for its return before the target gives the caret to a box of its own.
    source->SetVisible(false);
    if (UxPanel* panel = AsPanel(target))
        panel->OnWillShow();

    // The target painted now, then hidden: only the transition shows it from here on.
    target->SetVisible(true);
    bool painted = target->PaintTree(target->GetScreenRect());
    m_targetSurface = painted ? target->GetSurface() : nullptr;
    Hold(m_targetSurface);
    target->SetVisible(false);

    // Without a tween nothing would ever end the transition: both windows would stay
    // hidden behind a picture that never changes.
    if (!m_sourceSurface || !m_targetSurface || !m_tween.Start(Step, reinterpret_cast<uintptr_t>(this))) {
        ReleaseSurfaces();
        source->SetVisible(sourceWasVisible);
        target->SetVisible(targetWasVisible);
        return false;
    }
    return true;
}

bool UxTransition::Draw(UxDeviceContext& dest)
{
    if (!m_sourceSurface || !m_targetSurface)
        return false;
    plat::RECT screen = m_request.Source->GetScreenRect();
    return UxDrawTransitionEffect(dest, *m_sourceSurface, *m_targetSurface, { screen.left, screen.top },
        m_tween.GetValue(), m_request.Kind, m_request.Parameter);
}

bool UxTransition::ShowsTargetAt(const plat::POINT& point) const
{
    plat::RECT screen = m_request.Source->GetScreenRect();
    return UxTransitionShowsTargetAt({ point.x - screen.left, point.y - screen.top }, screen.right - screen.left,
        screen.bottom - screen.top, m_tween.GetValue(), m_request.Kind, m_request.Parameter);
}

void UxTransition::Step(uintptr_t self)
{
    auto* transition = reinterpret_cast<UxTransition*>(self);
    transition->m_tween.Update();
    transition->m_request.Source->Invalidate(plat::RECT {}, true);
    if (!transition->m_tween.IsRunning())
        transition->Finish();
}

void UxTransition::Finish()
{
    ReleaseSurfaces();
    UxWindow* source = m_request.Source;
    UxWindow* target = m_request.Target;
    if (UxPanel* panel = AsPanel(source))
        panel->OnHidden();
    if (UxPanel* panel = AsPanel(target))
        panel->OnShown();
    target->SetVisible(true);
    if (UxTransitionManager* manager = UxTransitionManager::GetInstance())
        manager->Remove(this); // deletes this
}
