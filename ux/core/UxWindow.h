#pragma once

#include "platform/event/Message.h"
#include "ux/core/UxAlphaTween.h"
#include "ux/core/UxEasing.h"
#include "ux/core/UxObject.h"
#include "ux/core/UxPointerTracker.h"
#include "ux/core/UxRectTween.h"

#include <cstdint>
#include <string>

class UxDeviceContext;
class UxXmlNode;

// One window of the tree whose root is the desktop. The rectangle is in the parent's
// space; a window paints into its own pooled surface or into that of its nearest
// ancestor with one, and reports its input to its parent's OnChildEvent.
class UxWindow : public UxObject {
public:
    // Codes a window reports to its parent's OnChildEvent.
    enum ChildEvent : int32_t {
        EventPointerDown = 0,
        EventPointerMove = 1,
        EventPointerUp = 2,
        EventPointerHold = 3,
        EventClick = 4,
        EventKeyDown = 5,
        EventKeyUp = 6,
        EventComposition = 7,
        EventChar = 8,
    };

    UxWindow();
    // Clears the capture, focus and former-focus records that name this window and stops
    // its tweens. Owners remove a child before deleting it.
    ~UxWindow() override;

    virtual bool OnCaptureChanged(bool captured);
    virtual bool OnFocusChanged(bool focused);
    virtual bool OnVisibleChanged(bool visible);
    virtual bool OnRectChanged(const plat::RECT& rect);
    virtual bool OnSize(int32_t width, int32_t height);
    // rect is the part to repaint, in the surface's space.
    virtual bool OnPaint(UxDeviceContext* surface, const plat::RECT& rect);
    // Pointer points are in screen space.
    virtual bool OnPointerDown(int32_t x, int32_t y);
    virtual bool OnPointerMove(int32_t x, int32_t y);
    virtual bool OnPointerUp(int32_t x, int32_t y);
    virtual bool OnPointerHold(int32_t x, int32_t y);
    virtual bool OnPointerClick(int32_t x, int32_t y);
    virtual bool OnKeyDown(uintptr_t key, intptr_t keyData);
    virtual bool OnKeyUp(uintptr_t key, intptr_t keyData);
    virtual bool OnImeComposition(uintptr_t character, intptr_t mode);
    virtual bool OnChar(uintptr_t character, intptr_t keyData);
    virtual bool OnSipShown(const plat::RECT& panelRect);
    virtual bool OnSipHidden();
    virtual bool OnGetSelection(uintptr_t word1, intptr_t word2);
    virtual bool OnSetSelection(uintptr_t start, intptr_t end);
    virtual bool OnReplaceSelection(intptr_t text1, intptr_t text2);
    virtual bool OnChildEvent(UxWindow* child, int32_t code);
    // A press on the child has ended, wherever it was let go: after its click when one
    // follows, else at its release (or when a menu took it). What the child's hold showed
    // here ends with it; nothing by default.
    virtual void OnChildPressEnded(UxWindow* child);
    // sender is null when the swipe detector reports; direction 0-7.
    virtual bool OnGesture(UxWindow* sender, int32_t direction);
    // Desktop input, offered to the window under the pointer: the wheel turned by delta
    // (WHEEL_DELTA a notch, positive away from the user), a page key (VK_PRIOR, VK_NEXT,
    // VK_HOME, VK_END) and a request for the window's menu (a right click or a long
    // press). Points are in screen space. A window that does not take one passes it to
    // its parent; false when nobody took it.
    virtual bool OnMouseWheel(int32_t delta, int32_t x, int32_t y);
    virtual bool OnScrollKey(uintptr_t key);
    virtual bool OnContextMenu(int32_t x, int32_t y);
    // Tab and Shift+Tab stop here (an edit box that takes typing).
    virtual bool IsTabStop() const { return false; }
    // The window moves its caret with the key (an edit box's Home and End), so the desktop
    // scrolls nothing with it.
    virtual bool TakesCaretKey(uintptr_t key) const
    {
        (void)key;
        return false;
    }
    // An input method's syllable is open here: the desktop's keys wait for it.
    virtual bool IsComposing() const { return false; }
    // A press here gives it the keys (an edit box). A press on anything else leaves the
    // caret where it was: a button, a check box, a list, a bar, a page.
    virtual bool TakesKeys() const { return false; }

    // Tree.
    bool AddChild(UxWindow* child);
    void RemoveChild(UxWindow* child);
    // Takes every child out: a window whose children are its members does so in its
    // destructor, before they go.
    void RemoveChildren();
    UxWindow* GetParent() const { return m_parent; }
    UxWindow* GetPrevSibling() const { return m_prev; }
    UxWindow* GetNextSibling() const { return m_next; }
    UxWindow* GetFirstChild() const { return m_firstChild; }
    UxWindow* GetLastChild() const { return m_lastChild; }

    // Visibility and rectangle; both animate once when a transition spec is pending.
    void SetVisible(bool visible);
    bool IsVisible() const { return m_visible != 0; }
    // It and every window above it are visible.
    bool IsShownInTree() const;
    uint8_t GetAlpha() const { return m_alpha.current; }
    void SetRect(const plat::RECT& rect);
    void SetPosition(const plat::POINT& point);
    void SetSize(int32_t width, int32_t height);
    const plat::RECT& GetRect() const { return m_rect; }
    int32_t GetWidth() const { return m_rect.right - m_rect.left; }
    int32_t GetHeight() const { return m_rect.bottom - m_rect.top; }
    void SetTransitionSpec(const UxTransitionSpec& spec) { m_spec = spec; }
    const UxTransitionSpec& GetTransitionSpec() const { return m_spec; }
    bool IsAlphaAnimating() const { return m_alpha.progress.IsRunning(); }
    bool IsRectAnimating() const { return m_rectTween.progress.IsRunning(); }

    void SetCapture(bool capture);
    // While the open popup has the focus, a window outside it asking for the focus is
    // only remembered: it gets the focus when the popup closes. A window that is hidden
    // gives the focus up when it holds it (keys never reach a box out of sight) and,
    // shown again, gives it back to the box inside that had it.
    void SetFocus(bool focus);
    // It is this window or lies inside it.
    bool Contains(const UxWindow* window) const;
    bool IsCaptured() const { return CapturedWindow == this; }
    bool IsFocused() const { return FocusedWindow == this; }

    // An empty rect means the whole window; client space.
    void Invalidate(const plat::RECT& rect = plat::RECT {}, bool accumulate = true);

    bool HasOwnSurface() const { return m_ownSurface != 0; }
    void SetOwnSurface(bool own) { m_ownSurface = own ? 1 : 0; }
    // The window's paint covers every pixel of its rectangle, so a parent need not draw
    // where the window lies.
    bool IsOpaque() const { return m_opaque != 0; }
    void SetOpaque(bool opaque) { m_opaque = opaque ? 1 : 0; }
    // The surface this window draws into, acquired first when none is held.
    UxDeviceContext* GetSurface();

    bool PropagateSize(int32_t width, int32_t height);
    // Paints this subtree (previous siblings first) where it meets repaint (screen space).
    bool PaintTree(const plat::RECT& repaint);
    // Paints this window alone into surface: clip is the part of surface to draw, origin
    // the window's top-left in it. The window is always put back where it was.
    bool DrawTo(UxDeviceContext* surface, const plat::RECT& clip, const plat::POINT& origin);
    // "_Visible", "_Rect" and "_Size" of node, each when present; the node's name
    // becomes the window's skin name.
    virtual bool ApplySkin(UxXmlNode* node);
    // The name of the skin node the window was last built from ("" when none), by which
    // tests and traces find a window.
    const std::wstring& GetSkinName() const { return m_skinName; }

    // Space conversions.
    plat::RECT GetScreenRect() const;
    plat::RECT GetClientRect() const { return { 0, 0, GetWidth(), GetHeight() }; }
    plat::POINT ScreenToClient(const plat::POINT& point) const;
    plat::POINT ClientToScreen(const plat::POINT& point) const;
    plat::RECT ClientToScreen(const plat::RECT& rect) const;
    plat::RECT ScreenToClient(const plat::RECT& rect) const;
    plat::POINT ScreenToParent(const plat::POINT& point) const;
    plat::RECT ParentToClient(const plat::RECT& rect) const;
    // Offset of the client origin inside the surface the window draws into.
    plat::POINT GetSurfaceOffset() const;
    plat::RECT ClientToSurface(const plat::RECT& rect) const;
    plat::RECT SurfaceToClient(const plat::RECT& rect) const;
    plat::RECT ScreenToSurface(const plat::RECT& rect) const;

    UxPointerTracker& GetPointerTracker() { return m_tracker; }
    const UxPointerTracker& GetPointerTracker() const { return m_tracker; }

    static inline UxWindow* CapturedWindow = nullptr;
    static inline UxWindow* FocusedWindow = nullptr;
    static inline UxWindow* PreviousFocusedWindow = nullptr;
    // The window that had the focus when the open popup took it, which gets it back when
    // the popup closes.
    static inline UxWindow* FocusBehindPopup = nullptr;
    static inline uintptr_t EventParam1 = 0;
    static inline uintptr_t EventParam2 = 0;

protected:
    // Stores the arguments and calls the parent's OnChildEvent; true without a parent.
    bool ReportEvent(int32_t code, uintptr_t param1, uintptr_t param2, bool both = true);
    // A key pressed a button: told to the parent as a release in its middle.
    bool ReportKeyClick();
    // The point (screen space) lies in the rectangle, seen from the parent.
    bool IsInside(int32_t x, int32_t y) const;

private:
    static void AlphaStep(uintptr_t window);
    // Hidden: the focus inside goes, remembered for when the window shows again.
    void GiveUpFocus();
    // Shown again: the box that had the focus when the window was hidden takes it back,
    // unless another window in view has it meanwhile.
    void TakeBackFocus();
    static void RectStep(uintptr_t window);
    // The nearest ancestor-or-self with a surface of its own (the root when none).
    const UxWindow* SurfaceOwner() const;
    // A visible opaque child drawing into this window's surface covers all of area
    // (screen space).
    bool IsCoveredByChild(const plat::RECT& area) const;
    // A visible child draws into this window's surface.
    bool HasChildWithoutSurface() const;
    // Takes this paint's pooled surface and describes how it lands on the screen.
    UxDeviceContext* AcquireSurface();
    void LinkAfter(UxWindow* child, UxWindow* after);

    UxWindow* m_parent = nullptr;
    UxWindow* m_prev = nullptr;
    UxWindow* m_next = nullptr;
    UxWindow* m_firstChild = nullptr;
    UxWindow* m_lastChild = nullptr;
    uint8_t m_ownSurface = 0;
    uint8_t m_opaque = 0;
    UxDeviceContext* m_surface = nullptr;
    uint32_t m_surfaceGeneration = 0; // the pool generation m_surface belongs to
    uint8_t m_visible = 1;
    UxAlphaTween m_alpha;
    plat::RECT m_rect;
    UxRectTween m_rectTween;
    UxTransitionSpec m_spec;
    UxPointerTracker m_tracker;
    std::wstring m_skinName;
};
