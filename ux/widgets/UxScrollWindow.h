#pragma once

#include "ux/core/UxWindow.h"
#include "ux/widgets/UxScrollAxis.h"
#include "ux/widgets/UxScrollBar.h"

#include <cstdint>

// The kinetic scrolling container: content larger than the window follows a drag, flings
// on after release, stretches at half speed past an edge and springs back. Child windows
// move with the offset; self-drawn content comes from PaintContent. A scroll step
// reuses the picture already in the surface and paints only the uncovered strips. The
// desktop's wheel and page keys scroll it vertically when its content is longer than it.
class UxScrollWindow : public UxWindow {
public:
    enum PaintMode : int32_t { PaintIncremental = 0, PaintFull = 1 };

    UxScrollWindow();
    ~UxScrollWindow() override;

    bool OnRectChanged(const plat::RECT& rect) override;
    bool OnSize(int32_t width, int32_t height) override;
    bool OnPaint(UxDeviceContext* surface, const plat::RECT& rect) override;
    bool OnPointerDown(int32_t x, int32_t y) override;
    bool OnPointerMove(int32_t x, int32_t y) override;
    bool OnPointerUp(int32_t x, int32_t y) override;
    // UxWindow's keys, then "XIndicator" and "YIndicator".
    bool ApplySkin(UxXmlNode* node) override;
    // Three lines a notch (at most a view), at half speed past an edge as for a drag;
    // once the wheel rests the content springs back and the indicator fades. A window
    // whose content fits passes the wheel on.
    bool OnMouseWheel(int32_t delta, int32_t x, int32_t y) override;
    // ScrollPage when the content is longer than the window, else passed on.
    bool OnScrollKey(uintptr_t key) override;

    // Hooks; empty here.
    virtual void OnDragStart(UxScrollAxis* axis);
    // A fling or an animated ScrollTo has begun.
    virtual void OnScrollStart(UxScrollAxis* axis);
    virtual void OnScrollStop(UxScrollAxis* axis);
    virtual void OnSettleStart(UxScrollAxis* axis);
    virtual void OnSettleStop(UxScrollAxis* axis);
    // The axis's offset changed, by whatever moved it.
    virtual void OnScrolled(UxScrollAxis* axis);
    // rect in the surface's space. White here.
    virtual bool PaintBackground(UxDeviceContext* surface, const plat::RECT& rect);
    // dest in the surface's space; content the same area in content pixels. Black here.
    virtual bool PaintContent(UxDeviceContext* surface, const plat::RECT& dest, const plat::RECT& content);

    // Content size in content units, per axis.
    void SetContentSize(int32_t width, int32_t height);
    // Content that changed (content pixels): the next paint draws it anew wherever a
    // scroll has taken it by then.
    void InvalidateContent(const plat::RECT& content);
    // Forgets the remembered picture and stops every animation.
    void Reset();
    // One step of an axis changed the picture: the window is invalidated once per step
    // of all moving axes, and the indicators of resting axes fade.
    void RequestRepaint();
    // Where a page key takes the vertical axis: Page Up and Page Down a view on, Home and
    // End to the ends; false for other keys.
    bool PageTarget(uintptr_t key, int32_t& offset) const;
    // PageTarget's offset as an animated ScrollTo; false for other keys.
    bool ScrollPage(uintptr_t key);
    // The vertical axis may move and the content is longer than the window.
    bool ScrollsVertically() const;
    // The height of one line of content, in pixels: a wheel notch scrolls three.
    virtual int32_t GetScrollLine();

    void SetPaintMode(int32_t mode) { m_paintMode = mode; }
    int32_t GetPaintMode() const { return m_paintMode; }
    UxScrollAxis& GetXAxis() { return m_x; }
    UxScrollAxis& GetYAxis() { return m_y; }
    const UxScrollAxis& GetXAxis() const { return m_x; }
    const UxScrollAxis& GetYAxis() const { return m_y; }
    UxScrollBar& GetXIndicator() { return m_xBar; }
    UxScrollBar& GetYIndicator() { return m_yBar; }

private:
    // Background bands and content for one area of the window (client space).
    bool PaintArea(UxDeviceContext* surface, const plat::RECT& area);
    // Moves the previous picture by the change of offset; the part still valid.
    plat::RECT ReusePicture(UxDeviceContext* surface, int32_t dx, int32_t dy);
    // surface still holds what the previous paint left there, except overdrawn (client
    // space), where others have drawn since.
    bool HoldsLastPicture(UxDeviceContext* surface, plat::RECT& overdrawn) const;
    // Draws the showing thumbs over the content inside update; drawn receives each bar's
    // thumb as drawn (empty when it was not).
    bool PaintIndicators(UxDeviceContext* surface, const plat::RECT& update, plat::RECT (&drawn)[2]);
    void FadeRestingIndicators();
    // The wheel's offset for a turn of pixels from offset: past an edge at half speed,
    // and never further out than a few lines.
    int32_t WheelTarget(int32_t offset, int32_t pixels);
    static void OnWheelRest(uintptr_t window);
    void StopWheel();

    int32_t m_paintMode = PaintIncremental;
    UxScrollAxis m_x;
    UxScrollAxis m_y;
    UxScrollBar m_xBar;
    UxScrollBar m_yBar;
    int32_t m_repaintCounter = 0;
    int32_t m_lastX = -1;
    int32_t m_lastY = -1;
    UxDeviceContext* m_lastSurface = nullptr;
    // Where the window sat in that surface: a moved window finds nothing to reuse.
    plat::POINT m_lastSurfaceOffset;
    uint64_t m_lastWrite = 0; // the drawing call that ended that paint
    // The thumbs that picture shows (client space, x bar then y bar; empty: not drawn).
    plat::RECT m_lastThumbs[2];
    plat::RECT m_changed; // content pixels to paint anew, whatever moved since
    uint32_t m_wheelTimer = 0; // ends the wheel's turn: the spring-back follows
    int64_t m_wheelRemainder = 0; // a touchpad's turns below one pixel, kept for the next
};
