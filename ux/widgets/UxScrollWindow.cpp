#include "ux/widgets/UxScrollWindow.h"

#include "platform/display/VirtualKeys.h"
#include "ux/core/UxDeviceWindow.h"
#include "ux/core/UxRect.h"
#include "ux/core/UxSipHandler.h"
#include "ux/core/UxTimerManager.h"
#include "ux/graphics/UxDeviceContext.h"
#include "ux/markup/UxXmlNode.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <tuple>
#include <utility>

namespace {

// Fills rect (client space) through paint when it meets area.
template <typename Paint> bool PaintPart(const plat::RECT& rect, const plat::RECT& area, Paint paint)
{
    // An empty rectangle means a whole bitmap to the fill: never hand one on.
    plat::RECT part;
    if (!IntersectRect(rect, area, &part) || IsRectEmpty(part))
        return true;
    return paint(part);
}

// How long the wheel rests before the content springs back into its range.
constexpr float kWheelRest = 0.15f;

} // namespace

UxScrollWindow::UxScrollWindow()
{
    m_x.SetOwner(this);
    m_y.SetOwner(this);
    m_xBar.Create(this, &m_x);
    m_yBar.Create(this, &m_y);
}

UxScrollWindow::~UxScrollWindow()
{
    StopWheel();
    m_x.StopTweens();
    m_y.StopTweens();
    m_xBar.StopFade();
    m_yBar.StopFade();
}

bool UxScrollWindow::OnRectChanged(const plat::RECT& rect)
{
    // A skin may give any rectangle: one inside out shows nothing.
    auto span = [](int32_t low, int32_t high) {
        return static_cast<int32_t>(std::clamp<int64_t>(int64_t(high) - low, 0, INT32_MAX));
    };
    m_x.SetViewSize(span(rect.left, rect.right));
    m_y.SetViewSize(span(rect.top, rect.bottom));
    return true;
}

bool UxScrollWindow::OnSize(int32_t, int32_t)
{
    m_lastSurface = nullptr;
    return true;
}

bool UxScrollWindow::OnPointerDown(int32_t x, int32_t y)
{
    m_x.OnPointerDown(x);
    m_y.OnPointerDown(y);
    return UxWindow::OnPointerDown(x, y);
}

bool UxScrollWindow::OnPointerMove(int32_t x, int32_t y)
{
    m_x.OnPointerMove(x);
    m_y.OnPointerMove(y);
    return UxWindow::OnPointerMove(x, y);
}

bool UxScrollWindow::OnPointerUp(int32_t x, int32_t y)
{
    m_x.OnPointerUp(x);
    m_y.OnPointerUp(y);
    FadeRestingIndicators();
    return UxWindow::OnPointerUp(x, y);
}

bool UxScrollWindow::ApplySkin(UxXmlNode* node)
{
    if (!UxWindow::ApplySkin(node))
        return false;
    if (!node)
        return true;
    if (UxXmlNode* x = node->FindChild(L"XIndicator"))
        m_xBar.ApplySkin(x);
    if (UxXmlNode* y = node->FindChild(L"YIndicator"))
        m_yBar.ApplySkin(y);
    return true;
}

void UxScrollWindow::OnDragStart(UxScrollAxis*) { }
void UxScrollWindow::OnScrollStart(UxScrollAxis*) { }
void UxScrollWindow::OnScrollStop(UxScrollAxis*) { }
void UxScrollWindow::OnSettleStart(UxScrollAxis*) { }
void UxScrollWindow::OnSettleStop(UxScrollAxis*) { }
void UxScrollWindow::OnScrolled(UxScrollAxis*) { }

bool UxScrollWindow::PaintBackground(UxDeviceContext* surface, const plat::RECT& rect)
{
    surface->FillRect(0xFFFFFF, rect);
    return true;
}

bool UxScrollWindow::PaintContent(UxDeviceContext* surface, const plat::RECT& dest, const plat::RECT&)
{
    surface->FillRect(0x000000, dest);
    return true;
}

void UxScrollWindow::SetContentSize(int32_t width, int32_t height)
{
    for (auto [bar, axis, size] : { std::tuple { &m_xBar, &m_x, width }, std::tuple { &m_yBar, &m_y, height } }) {
        if (size == axis->GetContentSize())
            continue;
        axis->SetContentSize(size);
        bar->RequestTrackRefresh();
        // A thumb on screen takes its new length at once, not at the fade's next step.
        if (bar->IsEnabled() && bar->IsShowing())
            Invalidate(bar->TrackRect(), false);
    }
}

void UxScrollWindow::InvalidateContent(const plat::RECT& content)
{
    UniteRect(m_changed, content);
    // Where it shows now has to reach the screen; a scroll before the paint shows the
    // whole window anyway.
    plat::RECT shown;
    if (IntersectRect(OffsetRect(content, m_x.GetOffset(), m_y.GetOffset()), GetClientRect(), &shown))
        Invalidate(shown, false);
}

void UxScrollWindow::Reset()
{
    StopWheel();
    m_repaintCounter = 0;
    m_changed = {};
    m_lastX = m_lastY = -1;
    m_lastSurface = nullptr;
    m_x.StopTweens();
    m_y.StopTweens();
    m_xBar.Reset();
    m_yBar.Reset();
}

void UxScrollWindow::RequestRepaint()
{
    int32_t moving = (m_x.IsMoving() ? 1 : 0) + (m_y.IsMoving() ? 1 : 0);
    if (++m_repaintCounter >= moving) {
        m_repaintCounter = 0;
        Invalidate(plat::RECT {}, false);
    }
    FadeRestingIndicators();
}

bool UxScrollWindow::PageTarget(uintptr_t key, int32_t& offset) const
{
    switch (key) {
    case plat::VK_PRIOR:
        offset = m_y.GetOffset() + m_y.GetViewSize();
        return true;
    case plat::VK_NEXT:
        offset = m_y.GetOffset() - m_y.GetViewSize();
        return true;
    case plat::VK_END:
        offset = m_y.GetViewSize() - m_y.GetContentPixels();
        return true;
    case plat::VK_HOME:
        offset = 0;
        return true;
    default:
        return false;
    }
}

bool UxScrollWindow::ScrollPage(uintptr_t key)
{
    int32_t offset = 0;
    if (!PageTarget(key, offset))
        return false;
    m_y.ScrollTo(offset);
    return true;
}

bool UxScrollWindow::ScrollsVertically() const
{
    return m_y.IsDraggable() && m_y.GetContentPixels() > m_y.GetViewSize();
}

int32_t UxScrollWindow::GetScrollLine()
{
    return 20;
}

bool UxScrollWindow::OnScrollKey(uintptr_t key)
{
    if (!ScrollsVertically())
        return UxWindow::OnScrollKey(key);
    return ScrollPage(key);
}

bool UxScrollWindow::OnMouseWheel(int32_t delta, int32_t x, int32_t y)
{
    if (!ScrollsVertically())
        return UxWindow::OnMouseWheel(delta, x, y);
    // A finger on the content holds it.
    if (m_y.IsDragging())
        return true;
    const int64_t view = m_y.GetViewSize();
    const int64_t notch = std::clamp<int64_t>(3 * int64_t(GetScrollLine()), 1, std::max<int64_t>(1, view));
    const int64_t units = int64_t(delta) * notch + m_wheelRemainder;
    m_wheelRemainder = units % plat::WHEEL_DELTA;
    const auto pixels = static_cast<int32_t>(units / plat::WHEEL_DELTA);
    m_y.StopTweens();
    const int32_t target = WheelTarget(m_y.GetOffset(), pixels);
    // A move invalidates the whole window itself.
    if (target != m_y.GetOffset())
        m_y.SetPosition(target);
    if (m_yBar.IsEnabled())
        m_yBar.StartFade(true);
    if (UxTimerManager* timers = UxTimerManager::GetInstance()) {
        if (m_wheelTimer)
            timers->Remove(m_wheelTimer);
        m_wheelTimer = timers->Add(kWheelRest, kWheelRest, OnWheelRest, reinterpret_cast<uintptr_t>(this));
    }
    return true;
}

int32_t UxScrollWindow::WheelTarget(int32_t offset, int32_t pixels)
{
    const int64_t low = std::min<int64_t>(0, int64_t(m_y.GetViewSize()) - m_y.GetContentPixels());
    const int64_t stretch = std::max<int64_t>(0, 2 * int64_t(GetScrollLine()));
    int64_t target = offset;
    const bool past = offset > 0 || offset < low;
    // Into the range at full speed; beyond its edge, and all the way while past it, at half.
    if (past) {
        target += pixels / 2;
    } else {
        target += pixels;
        if (target > 0)
            target /= 2;
        else if (target < low)
            target = low + (target - low) / 2;
    }
    return static_cast<int32_t>(std::clamp<int64_t>(target, low - stretch, stretch));
}

void UxScrollWindow::OnWheelRest(uintptr_t window)
{
    auto* self = reinterpret_cast<UxScrollWindow*>(window);
    self->m_wheelTimer = 0;
    self->m_wheelRemainder = 0;
    self->m_y.Settle();
}

void UxScrollWindow::StopWheel()
{
    if (m_wheelTimer) {
        if (UxTimerManager* timers = UxTimerManager::GetInstance())
            timers->Remove(m_wheelTimer);
        m_wheelTimer = 0;
    }
    m_wheelRemainder = 0;
}

void UxScrollWindow::FadeRestingIndicators()
{
    if (!m_x.IsMoving() && m_xBar.IsEnabled())
        m_xBar.StartFade(false);
    if (!m_y.IsMoving() && m_yBar.IsEnabled())
        m_yBar.StartFade(false);
}

bool UxScrollWindow::PaintArea(UxDeviceContext* surface, const plat::RECT& area)
{
    plat::RECT client = GetClientRect();
    plat::RECT clipped;
    if (!IntersectRect(area, client, &clipped) || IsRectEmpty(clipped))
        return true;
    int32_t xo = m_x.GetOffset();
    int32_t yo = m_y.GetOffset();
    // The content's place in the window; everything around it is background.
    plat::RECT content { xo, yo, xo + m_x.GetContentPixels(), yo + m_y.GetContentPixels() };
    auto background = [&](const plat::RECT& band) { return PaintBackground(surface, ClientToSurface(band)); };
    if (yo > 0 && !PaintPart({ client.left, client.top, client.right, yo }, clipped, background))
        return false;
    if (m_y.GetGap() > 0 && !PaintPart({ client.left, content.bottom, client.right, client.bottom }, clipped, background))
        return false;
    int32_t top = std::max(client.top, content.top);
    int32_t bottom = std::min(client.bottom, content.bottom);
    if (top < bottom) {
        if (xo > 0 && !PaintPart({ client.left, top, xo, bottom }, clipped, background))
            return false;
        if (m_x.GetGap() > 0 && !PaintPart({ content.right, top, client.right, bottom }, clipped, background))
            return false;
    }
    // Content is drawn only at its natural scale.
    if (m_x.GetScale() != 1.0f || m_y.GetScale() != 1.0f)
        return true;
    return PaintPart(content, clipped, [&](const plat::RECT& part) {
        return PaintContent(surface, ClientToSurface(part), OffsetRect(part, -xo, -yo));
    });
}

bool UxScrollWindow::HoldsLastPicture(UxDeviceContext* surface, plat::RECT& overdrawn) const
{
    overdrawn = {};
    if (!m_lastSurface || surface != m_lastSurface)
        return false;
    plat::POINT at = GetSurfaceOffset();
    if (at.x != m_lastSurfaceOffset.x || at.y != m_lastSurfaceOffset.y)
        return false;
    // Others draw into a shared surface too: a parent filling its background under this
    // window, or another page that had the pooled surface meanwhile.
    plat::RECT written;
    if (!surface->GetWrittenSince(m_lastWrite, written))
        return false;
    plat::RECT client = GetClientRect();
    if (IntersectRect(SurfaceToClient(written), client, &overdrawn) && ContainsRect(overdrawn, client))
        return false;
    return true;
}

plat::RECT UxScrollWindow::ReusePicture(UxDeviceContext* surface, int32_t dx, int32_t dy)
{
    plat::RECT client = GetClientRect();
    if (dx == 0 && dy == 0)
        return client;
    if (std::abs(dx) >= client.right || std::abs(dy) >= client.bottom)
        return {};
    plat::RECT source;
    if (!IntersectRect(client, OffsetRect(client, -dx, -dy), &source))
        return {};
    plat::RECT dest = OffsetRect(source, dx, dy);
    if (!surface->Blit(*surface, ClientToSurface(dest), ClientToSurface(source), plat::SRCCOPY))
        return {};
    return dest;
}

bool UxScrollWindow::PaintIndicators(UxDeviceContext* surface, const plat::RECT& update, plat::RECT (&drawn)[2])
{
    size_t i = 0;
    for (auto [bar, axis] : { std::pair { &m_xBar, &m_x }, std::pair { &m_yBar, &m_y } }) {
        plat::RECT& shown = drawn[i++];
        shown = {};
        // Over content that fits, the thumb would fill the track and tell nothing.
        if (!bar->IsEnabled() || axis->GetContentPixels() <= axis->GetViewSize())
            continue;
        const bool showing = bar->IsShowing();
        plat::RECT thumb;
        if (!IntersectRect(bar->ThumbRect(), update, &thumb) || IsRectEmpty(thumb))
            continue;
        if (!bar->Draw(*surface, ClientToSurface(thumb)))
            return false;
        if (showing)
            shown = thumb;
    }
    return true;
}

bool UxScrollWindow::OnPaint(UxDeviceContext* surface, const plat::RECT& rect)
{
    if (!surface)
        return false;
    plat::RECT update = SurfaceToClient(rect);
    plat::RECT client = GetClientRect();
    int32_t mode = m_paintMode;
    // A panel that takes room moves windows as it comes and goes: all is painted anew
    // meanwhile. One that takes none (no keyboard is drawn) moves nothing.
    UxSipHandler* sip = UxSipHandler::GetInstance();
    if (sip && sip->GetState() != UxSipHandler::Hidden && sip->TakesRoom())
        mode = PaintFull;

    plat::RECT overdrawn;
    bool holds = HoldsLastPicture(surface, overdrawn);
    int32_t dx = m_x.GetOffset() - m_lastX;
    int32_t dy = m_y.GetOffset() - m_lastY;
    bool keep = false; // the whole window's area holds this paint's picture afterwards
    plat::RECT thumbs[2];
    if (mode == PaintFull) {
        if (!PaintArea(surface, update))
            return false;
        // What lay outside the update is still good only when nothing moved or drew there.
        plat::RECT outside = overdrawn;
        keep = ContainsRect(update, client)
            || (holds && dx == 0 && dy == 0 && (IsRectEmpty(outside) || ContainsRect(update, outside)));
        // The indicators lie over content: their tracks are always redrawn whole.
        for (UxScrollBar* bar : { &m_xBar, &m_yBar }) {
            if (bar->IsEnabled() && !PaintArea(surface, bar->TrackRect()))
                return false;
        }
        if (!PaintIndicators(surface, keep ? client : update, thumbs))
            return false;
    } else if (mode == PaintIncremental) {
        plat::RECT valid = holds ? ReusePicture(surface, dx, dy) : plat::RECT {};
        // The strips the moved picture does not cover (all of it when nothing was kept).
        plat::RECT strips[2];
        if (IsRectEmpty(valid)) {
            strips[0] = client;
        } else {
            if (valid.top > client.top)
                strips[0] = { client.left, client.top, client.right, valid.top };
            else if (valid.bottom < client.bottom)
                strips[0] = { client.left, valid.bottom, client.right, client.bottom };
            if (valid.left > client.left)
                strips[1] = { client.left, valid.top, valid.left, valid.bottom };
            else if (valid.right < client.right)
                strips[1] = { valid.right, valid.top, client.right, valid.bottom };
        }
        for (const plat::RECT& strip : strips) {
            if (!IsRectEmpty(strip) && !PaintArea(surface, strip))
                return false;
        }
        if (!IsRectEmpty(valid)) {
            // What others drew over the old picture travelled with it.
            if (!IsRectEmpty(overdrawn) && !PaintArea(surface, OffsetRect(overdrawn, dx, dy)))
                return false;
            // What changed in the content, where the offsets put it now; the strips are
            // new already.
            plat::RECT changed;
            if (IntersectRect(OffsetRect(m_changed, m_x.GetOffset(), m_y.GetOffset()), valid, &changed)
                && !PaintArea(surface, changed))
                return false;
            // What others marked dirty, where it was and where the scroll took it.
            UxDeviceWindow* device = UxDeviceWindow::GetInstance();
            if (device && !IsRectEmpty(device->GetInvalidRect())) {
                plat::RECT dirty = ScreenToClient(device->GetInvalidRect());
                const size_t places = dx || dy ? 2 : 1; // without a scroll both are one
                const plat::RECT moved[2] = { dirty, OffsetRect(dirty, dx, dy) };
                for (size_t i = 0; i < places; ++i) {
                    plat::RECT part;
                    if (IntersectRect(moved[i], update, &part) && !PaintArea(surface, part))
                        return false;
                }
            }
            // The thumbs the old picture showed travelled with it: the content under
            // where they went is drawn again, so that none leaves a trail.
            for (const plat::RECT& thumb : m_lastThumbs) {
                if (!IsRectEmpty(thumb) && !PaintArea(surface, OffsetRect(thumb, dx, dy)))
                    return false;
            }
        }
        if (!PaintIndicators(surface, client, thumbs))
            return false;
        keep = true;
    } else {
        return true;
    }
    // Painted now: either anew where it lay in the update, or with everything else.
    m_changed = {};

    if (keep) {
        m_lastSurface = surface;
        m_lastSurfaceOffset = GetSurfaceOffset();
        m_lastX = m_x.GetOffset();
        m_lastY = m_y.GetOffset();
        m_lastWrite = UxDeviceContext::GetWriteSerial();
        m_lastThumbs[0] = thumbs[0];
        m_lastThumbs[1] = thumbs[1];
    } else {
        m_lastSurface = nullptr;
    }
    return true;
}
