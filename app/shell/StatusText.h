#pragma once

#include "platform/event/Message.h"

#include <cstdint>
#include <string>

// The words and icons every screen shows for a presence status (0 online ... 6
// offline). The icons are source rectangles in the skin's status icon image
// ("_StatusIconList", "Big" or "Small"); a buddy whose flags hold 4 is blocked.
std::wstring GetStatusText(int32_t status);
plat::RECT GetStatusIconBig(int32_t status, uint32_t flags);
plat::RECT GetStatusIconSmall(int32_t status, uint32_t flags);

// The child of "Big" or "Small" that holds the status's icon.
const wchar_t* GetStatusIconName(int32_t status, uint32_t flags);
