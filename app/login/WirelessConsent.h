#pragma once

#include "ux/widgets/UxPopup.h"

#include <cstdint>

// The question about the cost of a wireless connection, asked before connecting until
// the user ticks "do not show again". The callback gets 2 for Yes; the box, a
// UxMessageBox, tells there whether its check box is ticked.
bool AskWirelessConsent(UxPopupCallback callback, uintptr_t context);
// Whether the question was answered for good.
bool IsWirelessConsentGiven();
// Whether the answered box's "do not show again" is ticked.
bool IsConsentTicked(UxPopup* answeredBox);
// Keeps the answer: agreed once and for all, or to be asked again next time.
void KeepWirelessConsent(bool forGood);
