#pragma once

#include "ux/widgets/UxPopup.h"

#include <cstdint>
#include <string>

// The application's alerts, questions and notices, each built from its skin section
// ("MsgBox" or "NotifyBox") and shown over the dimmed screen. The question boxes call
// back with 2 for Yes, 3 for No, 0 when a newer popup or shut-down closed them; the box
// (a UxMessageBox) can still be read inside the call. False when the box could not be
// built from the skin: nothing is shown then.
bool ShowMsgBox(const std::wstring& text);
bool ShowConfirmBox(const std::wstring& text, UxPopupCallback callback, uintptr_t context);
bool ShowConfirmCheckBox(
    const std::wstring& text, const std::wstring& checkText, UxPopupCallback callback, uintptr_t context);
bool ShowNotifyBox(const std::wstring& title, const std::wstring& text);
