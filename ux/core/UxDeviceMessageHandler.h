#pragma once

#include "platform/event/Message.h"
#include "ux/core/UxSingleton.h"

#include <cstddef>

// The device window's message table: sixteen messages, searched in order, each handed
// to the desktop's root, the timers or the paint handler.
class UxDeviceMessageHandler : public UxSingleton<UxDeviceMessageHandler> {
public:
    using Handler = bool (*)(plat::WPARAM wParam, plat::LPARAM lParam);
    struct Entry {
        plat::UINT message;
        Handler handler;
    };

    // True when the message is in the table and its handler handled it.
    bool Handle(plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam);

    static const Entry* GetTable();
    static size_t GetTableSize();

    // What the window procedure returns for a handled message; 0 before each dispatch.
    static inline plat::LRESULT Result = 0;

    static bool OnPaint(plat::WPARAM wParam, plat::LPARAM lParam);
};
