#include "ux/core/UxWindow.h"

#include "ux/core/UxDeviceWindow.h"
#include "ux/core/UxPopupInstance.h"
#include "ux/core/UxRect.h"
#include "ux/core/UxText.h"
#include "ux/core/UxTransitionManager.h"
#include "ux/graphics/UxDeviceContext.h"
#include "ux/graphics/UxDeviceContextPool.h"
#include "ux/graphics/UxDeviceImagePool.h"
#include "ux/markup/UxXmlNode.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

uint8_t MixAlpha(uint8_t from, uint8_t to, float e)
{
    float v = (1.0f - e) * from + e * to;
    return static_cast<uint8_t>(std::lround(std::fmax(0.0f, std::fmin(255.0f, v))));
}

int32_t MixValue(int32_t from, int32_t to, float e)
{
    return static_cast<int32_t>((1.0f - e) * static_cast<float>(from) + e * static_cast<float>(to));
}

// The box each hidden window had the focus in when it was hidden, to give back when the
// window shows again. A window going away takes its entries with it, also one that goes
// at the program's end: the table itself never goes.
std::vector<std::pair<const UxWindow*, UxWindow*>>& HiddenFocus()
{
    static auto* entries = new std::vector<std::pair<const UxWindow*, UxWindow*>>;
    return *entries;
}

UxWindow* TakeHiddenFocus(const UxWindow* window)
{
    auto& entries = HiddenFocus();
    auto found = std::find_if(entries.begin(), entries.end(), [&](const auto& e) { return e.first == window; });
    if (found == entries.end())
        return nullptr;
    UxWindow* box = found->second;
    entries.erase(found);
    return box;
}

UxWindow* OpenPopup()
{
    UxPopupInstance* popups = UxPopupInstance::GetInstance();
    return popups ? popups->GetPopup() : nullptr;
}

} // namespace

UxWindow::UxWindow()
    : m_tracker(this)
{
}

UxWindow::~UxWindow()
{
    if (CapturedWindow == this)
        CapturedWindow = nullptr;
    if (FocusedWindow == this)
        FocusedWindow = nullptr;
    if (PreviousFocusedWindow == this)
        PreviousFocusedWindow = nullptr;
    if (FocusBehindPopup == this)
        FocusBehindPopup = nullptr;
    auto& hidden = HiddenFocus();
    hidden.erase(std::remove_if(hidden.begin(), hidden.end(),
                     [this](const auto& e) { return e.first == this || e.second == this; }),
        hidden.end());
    m_alpha.progress.Stop();
    m_rectTween.progress.Stop();
}

bool UxWindow::OnCaptureChanged(bool)
{
    return true;
}
bool UxWindow::OnFocusChanged(bool)
{
    return true;
}
bool UxWindow::OnVisibleChanged(bool)
{
    return true;
}
bool UxWindow::OnRectChanged(const plat::RECT&)
{
    return true;
}
bool UxWindow::OnSize(int32_t, int32_t)
{
    return true;
}
bool UxWindow::OnPaint(UxDeviceContext*, const plat::RECT&)
{
    return true;
}

bool UxWindow::OnPointerDown(int32_t x, int32_t y)
{
    return ReportEvent(EventPointerDown, uintptr_t(x), uintptr_t(y));
}

bool UxWindow::OnPointerMove(int32_t x, int32_t y)
{
    return IsInside(x, y) ? ReportEvent(EventPointerMove, uintptr_t(x), uintptr_t(y)) : true;
}

bool UxWindow::OnPointerUp(int32_t x, int32_t y)
{
    return IsInside(x, y) ? ReportEvent(EventPointerUp, uintptr_t(x), uintptr_t(y)) : true;
}

bool UxWindow::OnPointerHold(int32_t x, int32_t y)
{
    return ReportEvent(EventPointerHold, uintptr_t(x), uintptr_t(y));
}

bool UxWindow::OnPointerClick(int32_t x, int32_t y)
{
    return IsInside(x, y) ? ReportEvent(EventClick, uintptr_t(x), uintptr_t(y)) : true;
}

bool UxWindow::OnKeyDown(uintptr_t key, intptr_t keyData)
{
    return ReportEvent(EventKeyDown, key, uintptr_t(keyData), false);
}

bool UxWindow::OnKeyUp(uintptr_t key, intptr_t keyData)
{
    return ReportEvent(EventKeyUp, key, uintptr_t(keyData), false);
}

bool UxWindow::OnImeComposition(uintptr_t character, intptr_t mode)
{
    return ReportEvent(EventComposition, character, uintptr_t(mode));
}

bool UxWindow::OnChar(uintptr_t character, intptr_t keyData)
{
    return ReportEvent(EventChar, character, uintptr_t(keyData), false);
}

bool UxWindow::OnSipShown(const plat::RECT&)
{
    return true;
}
bool UxWindow::OnSipHidden()
{
    return true;
}
bool UxWindow::OnGetSelection(uintptr_t, intptr_t)
{
    return true;
}
bool UxWindow::OnSetSelection(uintptr_t, intptr_t)
{
    return true;
}
bool UxWindow::OnReplaceSelection(intptr_t, intptr_t)
{
    return true;
}
bool UxWindow::OnChildEvent(UxWindow*, int32_t)
{
    return true;
}
void UxWindow::OnChildPressEnded(UxWindow*) { }
bool UxWindow::IsShownInTree() const
{
    for (const UxWindow* w = this; w; w = w->m_parent)
        if (!w->IsVisible())
            return false;
    return true;
}
bool UxWindow::OnMouseWheel(int32_t delta, int32_t x, int32_t y)
{
    return m_parent && m_parent->OnMouseWheel(delta, x, y);
}
bool UxWindow::OnScrollKey(uintptr_t key)
{
    return m_parent && m_parent->OnScrollKey(key);
}
bool UxWindow::OnContextMenu(int32_t x, int32_t y)
{
    return m_parent && m_parent->OnContextMenu(x, y);
}
bool UxWindow::OnGesture(UxWindow*, int32_t)
{
    return true;
}

bool UxWindow::ReportEvent(int32_t code, uintptr_t param1, uintptr_t param2, bool both)
{
    if (!m_parent)
        return true;
    EventParam1 = param1;
    if (both)
        EventParam2 = param2;
    return m_parent->OnChildEvent(this, code);
}

bool UxWindow::IsInside(int32_t x, int32_t y) const
{
    return PointInRect(m_rect, ScreenToParent({ x, y }));
}

// Tree.

void UxWindow::LinkAfter(UxWindow* child, UxWindow* after)
{
    child->m_parent = this;
    child->m_prev = after;
    child->m_next = after ? after->m_next : m_firstChild;
    if (child->m_next)
        child->m_next->m_prev = child;
    else
        m_lastChild = child;
    if (after)
        after->m_next = child;
    else
        m_firstChild = child;
}

bool UxWindow::AddChild(UxWindow* child)
{
    LinkAfter(child, m_lastChild);
    return true;
}

void UxWindow::RemoveChild(UxWindow* child)
{
    if (!child || child->m_parent != this)
        return;
    if (child->m_prev)
        child->m_prev->m_next = child->m_next;
    else
        m_firstChild = child->m_next;
    if (child->m_next)
        child->m_next->m_prev = child->m_prev;
    else
        m_lastChild = child->m_prev;
    child->m_prev = child->m_next = nullptr;
    child->m_parent = nullptr;
}

void UxWindow::RemoveChildren()
{
    while (m_firstChild)
        RemoveChild(m_firstChild);
}

// Visibility and rectangle.

void UxWindow::SetVisible(bool visible)
{
    bool old = m_visible != 0;
    if (m_spec.enabled) {
        if (!m_ownSurface)
            UxTrace(L"[UX+] %s, It needs own dc to animate visibility.\n", L"UxWindow::SetVisible");
        m_visible = 1; // a fade-out stays visible until it ends
        m_alpha.from = m_alpha.current;
        m_alpha.to = visible ? 255 : 0;
        m_alpha.progress.SetFrom(0);
        m_alpha.progress.SetTo(1);
        m_alpha.progress.SetDuration(m_spec.duration);
        m_alpha.progress.SetEasing(m_spec.easing);
        m_alpha.current = m_alpha.from;
        m_alpha.progress.Start(AlphaStep, reinterpret_cast<uintptr_t>(this));
        m_spec.enabled = 0;
    } else {
        m_alpha.progress.Stop();
        m_visible = visible ? 1 : 0;
        m_alpha.from = m_alpha.to = m_alpha.current = visible ? 255 : 0;
        m_alpha.progress.SetDuration(1.0f);
    }
    // Before the window's own hook, which may put the focus somewhere itself.
    if (!visible)
        GiveUpFocus();
    else if (!old)
        TakeBackFocus();
    if (old != visible)
        OnVisibleChanged(visible);
    // A screen going away: once the paint that follows has drawn what is shown
    // instead, the pictures nobody drew are let go.
    if (old && !visible && m_parent && !m_parent->m_parent)
        if (UxDeviceImagePool* images = UxDeviceImagePool::GetInstance())
            images->RequestDrop();
}

void UxWindow::AlphaStep(uintptr_t window)
{
    auto* self = reinterpret_cast<UxWindow*>(window);
    float e = self->m_alpha.progress.Update();
    self->m_alpha.current = MixAlpha(self->m_alpha.from, self->m_alpha.to, e);
    self->Invalidate(plat::RECT {}, true);
    if (self->m_alpha.to == 0 && !self->m_alpha.progress.IsRunning())
        self->m_visible = 0;
}

void UxWindow::SetRect(const plat::RECT& rect)
{
    plat::RECT old = m_rect;
    if (m_spec.enabled) {
        m_rectTween.from = m_rect;
        m_rectTween.to = rect;
        m_rectTween.current = m_rect;
        m_rectTween.progress.SetFrom(0);
        m_rectTween.progress.SetTo(1);
        m_rectTween.progress.SetDuration(m_spec.duration);
        m_rectTween.progress.SetEasing(m_spec.easing);
        m_rectTween.progress.Start(RectStep, reinterpret_cast<uintptr_t>(this));
        m_spec.enabled = 0;
    } else {
        m_rectTween.progress.Stop();
        m_rect = rect;
        m_rectTween.from = m_rectTween.to = m_rectTween.current = rect;
    }
    if (RectsDiffer(old, rect))
        OnRectChanged(rect);
}

void UxWindow::RectStep(uintptr_t window)
{
    auto* self = reinterpret_cast<UxWindow*>(window);
    UxRectTween& tween = self->m_rectTween;
    float e = tween.progress.Update();
    plat::RECT old = self->m_rect;
    tween.current = { MixValue(tween.from.left, tween.to.left, e), MixValue(tween.from.top, tween.to.top, e),
        MixValue(tween.from.right, tween.to.right, e), MixValue(tween.from.bottom, tween.to.bottom, e) };
    self->m_rect = tween.current;
    plat::RECT dirty = old;
    UnionRect(dirty, self->m_rect);
    self->Invalidate(self->ParentToClient(dirty), true);
}

void UxWindow::SetPosition(const plat::POINT& point)
{
    SetRect({ point.x, point.y, point.x + GetWidth(), point.y + GetHeight() });
}

void UxWindow::SetSize(int32_t width, int32_t height)
{
    SetRect({ m_rect.left, m_rect.top, m_rect.left + width, m_rect.top + height });
}

// Capture and focus.

void UxWindow::SetCapture(bool capture)
{
    if (capture && CapturedWindow == this)
        return;
    if (UxWindow* old = CapturedWindow) {
        CapturedWindow = nullptr;
        old->OnCaptureChanged(false);
    }
    CapturedWindow = capture ? this : nullptr;
    OnCaptureChanged(capture);
}

void UxWindow::SetFocus(bool focus)
{
    if (focus && FocusedWindow == this)
        return;
    // Keys typed while a popup is open belong to it; what asked for them meanwhile has
    // them once it is gone.
    UxWindow* popup = OpenPopup();
    if (focus && popup && popup->Contains(FocusedWindow) && !popup->Contains(this)) {
        FocusBehindPopup = this;
        return;
    }
    PreviousFocusedWindow = FocusedWindow;
    if (UxWindow* old = FocusedWindow) {
        FocusedWindow = nullptr;
        old->OnFocusChanged(false);
    }
    FocusedWindow = focus ? this : nullptr;
    OnFocusChanged(focus);
}

bool UxWindow::Contains(const UxWindow* window) const
{
    for (; window; window = window->m_parent)
        if (window == this)
            return true;
    return false;
}

bool UxWindow::ReportKeyClick()
{
    const plat::RECT r = GetScreenRect();
    return ReportEvent(EventPointerUp, uintptr_t((r.left + r.right) / 2), uintptr_t((r.top + r.bottom) / 2));
}

void UxWindow::GiveUpFocus()
{
    // A page that a transition brings in is hidden while the transition draws it: the
    // box it gave the keys to keeps them, so nothing typed as it arrives is lost.
    if (UxTransitionManager* transitions = UxTransitionManager::GetInstance();
        transitions && transitions->IsArriving(this))
        return;
    TakeHiddenFocus(this);
    UxWindow* box = nullptr;
    if (Contains(FocusedWindow)) {
        box = FocusedWindow;
        FocusedWindow->SetFocus(false);
    } else if (Contains(FocusBehindPopup)) {
        // Under an open popup: the box does not get the keys back when it closes.
        box = FocusBehindPopup;
        FocusBehindPopup = nullptr;
    }
    if (box)
        HiddenFocus().emplace_back(this, box);
}

void UxWindow::TakeBackFocus()
{
    UxWindow* box = TakeHiddenFocus(this);
    if (!box || !Contains(box) || !box->IsShownInTree() || box->GetPointerTracker().IsDisabled())
        return;
    UxWindow* popup = OpenPopup();
    if (FocusedWindow && FocusedWindow->IsShownInTree() && !(popup && popup->Contains(FocusedWindow)))
        return;
    // Under an open popup this only marks the box for when the popup closes.
    box->SetFocus(true);
}

void UxWindow::Invalidate(const plat::RECT& rect, bool accumulate)
{
    plat::RECT client = IsRectEmpty(rect) ? GetClientRect() : rect;
    if (UxDeviceWindow* device = UxDeviceWindow::GetInstance())
        device->Invalidate(ClientToScreen(client), accumulate);
}

// Spaces.

plat::RECT UxWindow::GetScreenRect() const
{
    plat::RECT r = m_rect;
    for (const UxWindow* w = m_parent; w; w = w->m_parent)
        r = OffsetRect(r, w->m_rect.left, w->m_rect.top);
    return r;
}

plat::POINT UxWindow::ClientToScreen(const plat::POINT& point) const
{
    plat::RECT s = GetScreenRect();
    return { point.x + s.left, point.y + s.top };
}

plat::POINT UxWindow::ScreenToClient(const plat::POINT& point) const
{
    plat::RECT s = GetScreenRect();
    return { point.x - s.left, point.y - s.top };
}

plat::RECT UxWindow::ClientToScreen(const plat::RECT& rect) const
{
    plat::RECT s = GetScreenRect();
    return OffsetRect(rect, s.left, s.top);
}

plat::RECT UxWindow::ScreenToClient(const plat::RECT& rect) const
{
    plat::RECT s = GetScreenRect();
    return OffsetRect(rect, -s.left, -s.top);
}

plat::POINT UxWindow::ScreenToParent(const plat::POINT& point) const
{
    if (!m_parent)
        return point;
    return m_parent->ScreenToClient(point);
}

plat::RECT UxWindow::ParentToClient(const plat::RECT& rect) const
{
    return OffsetRect(rect, -m_rect.left, -m_rect.top);
}

const UxWindow* UxWindow::SurfaceOwner() const
{
    const UxWindow* w = this;
    while (!w->m_ownSurface && w->m_parent)
        w = w->m_parent;
    return w;
}

plat::POINT UxWindow::GetSurfaceOffset() const
{
    plat::POINT offset;
    for (const UxWindow* w = this; !w->m_ownSurface && w->m_parent; w = w->m_parent) {
        offset.x += w->m_rect.left;
        offset.y += w->m_rect.top;
    }
    return offset;
}

plat::RECT UxWindow::ClientToSurface(const plat::RECT& rect) const
{
    plat::POINT o = GetSurfaceOffset();
    return OffsetRect(rect, o.x, o.y);
}

plat::RECT UxWindow::SurfaceToClient(const plat::RECT& rect) const
{
    plat::POINT o = GetSurfaceOffset();
    return OffsetRect(rect, -o.x, -o.y);
}

plat::RECT UxWindow::ScreenToSurface(const plat::RECT& rect) const
{
    return ClientToSurface(ScreenToClient(rect));
}

// Surfaces and painting.

UxDeviceContext* UxWindow::AcquireSurface()
{
    UxDeviceContextPool* pool = UxDeviceContextPool::GetInstance();
    if (!pool)
        return nullptr;
    // A surface from before the pool was emptied is gone: do not offer it back.
    UxDeviceContext* preferred = m_surfaceGeneration == pool->GetGeneration() ? m_surface : nullptr;
    m_surface = pool->Load(UxDeviceContextInfo { GetWidth(), GetHeight() }, preferred);
    m_surfaceGeneration = pool->GetGeneration();
    if (m_surface) {
        UxBlitInfo& blit = m_surface->GetBlitInfo();
        blit.Clear();
        blit.DestRect = GetScreenRect();
        blit.SourceRect = GetClientRect();
        if (m_alpha.current < 255) {
            blit.Method = UxBlitInfo::AlphaBlend;
            blit.Value = m_alpha.current;
        }
    }
    return m_surface;
}

UxDeviceContext* UxWindow::GetSurface()
{
    if (!m_ownSurface && m_parent)
        return const_cast<UxWindow*>(SurfaceOwner())->GetSurface();
    UxDeviceContextPool* pool = UxDeviceContextPool::GetInstance();
    if (m_surface && (!pool || m_surfaceGeneration == pool->GetGeneration()))
        return m_surface;
    return AcquireSurface();
}

bool UxWindow::PropagateSize(int32_t width, int32_t height)
{
    if (!OnSize(width, height))
        return false;
    if (m_firstChild && !m_firstChild->PropagateSize(GetWidth(), GetHeight()))
        return false;
    if (m_next && !m_next->PropagateSize(width, height))
        return false;
    return true;
}

bool UxWindow::PaintTree(const plat::RECT& repaint)
{
    if (m_prev && !m_prev->PaintTree(repaint))
        return false;
    if (!m_visible)
        return true;
    plat::RECT overlap;
    if (!IntersectRect(GetScreenRect(), repaint, &overlap))
        return true;

    bool underMenu = false;
    if (UxPopupInstance* popups = UxPopupInstance::GetInstance()) {
        UxWindow* list = popups->GetMenuList();
        underMenu = list && list != this && ContainsRect(list->GetScreenRect(), overlap);
    }
    // A root without a surface of its own draws straight into the screen: it has
    // nothing of its own to paint, and takes a surface (under all others) only for
    // children that draw without one.
    if (m_ownSurface || m_parent || HasChildWithoutSurface()) {
        // Own surfaces are taken even under a menu, so that children have somewhere to draw.
        UxDeviceContext* surface = m_ownSurface || !m_parent ? AcquireSurface() : GetSurface();
        if (!surface)
            return false;
        // What a child paints over anyway is not drawn first: it would cost the time and
        // spoil the picture the child keeps in the surface from its last paint.
        if (!underMenu && !IsCoveredByChild(overlap) && !OnPaint(surface, ScreenToSurface(overlap)))
            return false;
    }
    if (m_lastChild && !m_lastChild->PaintTree(repaint))
        return false;
    return true;
}

bool UxWindow::HasChildWithoutSurface() const
{
    for (const UxWindow* child = m_firstChild; child; child = child->m_next) {
        if (child->m_visible && !child->m_ownSurface)
            return true;
    }
    return false;
}

bool UxWindow::IsCoveredByChild(const plat::RECT& area) const
{
    for (const UxWindow* child = m_firstChild; child; child = child->m_next) {
        if (child->m_opaque && child->m_visible && !child->m_ownSurface
            && ContainsRect(child->GetScreenRect(), area))
            return true;
    }
    return false;
}

bool UxWindow::DrawTo(UxDeviceContext* surface, const plat::RECT& clip, const plat::POINT& origin)
{
    UxWindow* parent = m_parent;
    UxWindow* before = m_prev;
    plat::RECT rect = m_rect;
    uint8_t own = m_ownSurface;
    UxDeviceContext* held = m_surface;
    uint32_t generation = m_surfaceGeneration;
    if (parent)
        parent->RemoveChild(this);

    UxWindow root;
    root.m_ownSurface = 1;
    root.m_surface = surface;
    if (UxDeviceContextPool* pool = UxDeviceContextPool::GetInstance())
        root.m_surfaceGeneration = pool->GetGeneration();
    root.AddChild(this);
    m_ownSurface = 0;
    m_rect = OffsetRect(clip, -origin.x, -origin.y);

    bool painted = OnPaint(surface, clip);

    // Put everything back, whether the paint worked or not: the temporary root is about
    // to go, and the window keeps its place among its siblings.
    root.RemoveChild(this);
    root.m_surface = nullptr;
    if (parent) {
        if (!before)
            parent->LinkAfter(this, nullptr);
        else
            parent->LinkAfter(this, before->m_parent == parent ? before : parent->m_lastChild);
    }
    m_rect = rect;
    m_ownSurface = own;
    m_surface = held;
    m_surfaceGeneration = generation;
    return painted;
}

bool UxWindow::ApplySkin(UxXmlNode* node)
{
    if (!node)
        return true;
    m_skinName = node->GetName();
    if (UxXmlNode* visible = node->FindChild(L"_Visible"))
        SetVisible(visible->GetBool());
    // Coordinates far beyond any screen would overflow when windows are placed on
    // their parents: the skin's are kept within reach.
    static constexpr int32_t kReach = 1 << 16;
    auto clamp = [](int32_t v) { return std::clamp(v, -kReach, kReach); };
    if (UxXmlNode* rect = node->FindChild(L"_Rect")) {
        plat::RECT r = rect->GetRect();
        SetRect({ clamp(r.left), clamp(r.top), clamp(r.right), clamp(r.bottom) });
    }
    if (UxXmlNode* size = node->FindChild(L"_Size")) {
        plat::POINT p = size->GetPoint();
        SetSize(clamp(p.x), clamp(p.y));
    }
    return true;
}
