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
    // Opening the popup that is already open changes nothing but the callback.
    bool Popup(UxPopupCallback callback, uintptr_t context);
    // Leaves the screen, calls back with result and deletes the popup once the current
    // message is handled; the caller must not touch it after the message. Only the
    // first call counts.
    bool Close(int32_t result) override;
    bool GetCloseOnOutsideTap() const override { return CloseOnOutsideTap != 0; }
    bool IsOpen() const;
    bool IsClosed() const { return m_closed; }

    uint8_t CloseOnOutsideTap = 1;
    UxBlitInfo PresentInfo;
    UxImageWindow TopFrame;
    UxImageWindow MiddleFrame;
    UxImageWindow BottomFrame;

private:
    UxPopupCallback m_callback = nullptr;
    uintptr_t m_context = 0;
    bool m_closed = false;
};
