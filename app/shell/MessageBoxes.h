#pragma once

#include <cstdint>
#include <string>

class UxWindow;

// The close callback of a question box: result 2 for Yes, 3 for No, 0 when a newer
// popup or shut-down closed it. The box is still readable inside the call.
using MsgBoxCallback = void (*)(uintptr_t context, UxWindow* box, int32_t result);

// The application's alerts, questions and notices, each built from its skin section
// ("MsgBox" or "NotifyBox") and shown over the dimmed screen. False when the box could
// not be built (nothing is shown then).
bool ShowMsgBox(const std::wstring& text);
bool ShowConfirmBox(const std::wstring& text, MsgBoxCallback callback, uintptr_t context);
bool ShowConfirmCheckBox(
    const std::wstring& text, const std::wstring& checkText, MsgBoxCallback callback, uintptr_t context);
bool ShowNotifyBox(const std::wstring& title, const std::wstring& text);
