#pragma once

#include "ux/core/UxPopupControl.h"
#include "ux/core/UxWindow.h"
#include "ux/graphics/UxBlitInfo.h"
#include "ux/widgets/UxImageWindow.h"

class UxPopup;

// Told once how a popup ended: 0 when a tap outside, a newer popup or shut-down closed it.
using UxPopupCallback = void (*)(uintptr_t context, UxPopup* popup, int32_t result);

// The one modal overlay: hung under the desktop, centred, composed over the dimmed
// screen. It is made with new and owns itself once shown: Close calls back and the
// popup is deleted after the message being handled.
class UxPopup : public UxWindow, public UxPopupControl {
public:
    UxPopup();
    ~UxPopup() override;

    // Lays the three frames out: top and bottom as high as their pictures' ImageCoord,
    // the middle between them.
    bool OnRectChanged(const plat::RECT& rect) override;
    bool OnPaint(UxDeviceContext* surface, const plat::RECT& rect) override;
    // "PresentInfo" ("DrawMethod", "ColorKey", "ConstantAlpha"), then the frames
    // "TSkin", "MSkin" and "BSkin".
    bool ApplySkin(UxXmlNode* node) override;

    // Closes any other open popup (result 0), becomes the open one and takes the focus.
    // One that arrives unasked while the person is typing elsewhere waits a moment
    // before it takes the focus. Opening the popup that is already open changes nothing
    // but the callback.
    bool Popup(UxPopupCallback callback, uintptr_t context);
    // Leaves the screen, gives the focus back to the window that had it before, calls
    // back with result and deletes the popup once the current message is handled; the
    // caller must not touch it after the message. Only the first call counts.
    bool Close(int32_t result) override;
    bool IsWaiting() const override { return m_waitTimer != 0; }
    void StopWaiting() override;
    bool GetCloseOnOutsideTap() const override { return CloseOnOutsideTap != 0; }
    bool IsOpen() const;
    bool IsClosed() const { return m_closed; }

    uint8_t CloseOnOutsideTap = 1;
    UxBlitInfo PresentInfo;
    UxImageWindow TopFrame;
    UxImageWindow MiddleFrame;
    UxImageWindow BottomFrame;

    // How long a popup that arrived while the person was typing leaves the keys where
    // they were going.
    static constexpr float kTypingWait = 1.0f;

private:
    static void WaitOver(uintptr_t popup);
    // Ends the wait before its time; false when the popup was not waiting.
    bool EndWait();
    // Takes the focus, remembering where it was.
    void TakeFocus();
    // Gives the focus back to the window that had it before the popup took it, where that
    // is still shown; else nothing inside the closed popup keeps it.
    void GiveFocusBack();

    UxPopupCallback m_callback = nullptr;
    uintptr_t m_context = 0;
    bool m_closed = false;
    uint32_t m_waitTimer = 0;
};
