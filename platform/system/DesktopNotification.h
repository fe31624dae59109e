#pragma once

// Notifications on the desktop: the freedesktop notification service
// (org.freedesktop.Notifications) on the session bus, through GLib's D-Bus library.
//
// Nothing of it exists until the first notification: then GIO is loaded and a worker
// thread connects to the bus and afterwards sleeps in poll, waking only for the bus.
// The UI thread never waits on the bus, but briefly at the end: a notification is handed
// over and shown later, or not at all when there is no bus or no service (traced). Without a session bus
// address ($DBUS_SESSION_BUS_ADDRESS, else $XDG_RUNTIME_DIR/bus) nothing is tried; no bus
// is ever launched.

#include "platform/event/Message.h"

#include <cstdint>
#include <string>

namespace plat {

struct DesktopNotification {
    std::wstring summary; // plain text
    std::wstring body; // plain text; escaped where the service reads tags
    // Names it for the click: the same id again (for the same window and message)
    // replaces the notification still shown.
    uint32_t id = 0;
    // A click on the notification (its default action) posts message to window, with
    // the id as wParam.
    HWND window = nullptr;
    UINT message = 0;
};

// UI thread. False when it cannot be tried: no session bus address, GIO missing, or too
// many notifications still on their way.
bool ShowDesktopNotification(const DesktopNotification& notification);
// UI thread. Closes the notification shown under this id for this window and message,
// once any shown before it was answered; nothing when none is. False when nothing can
// be showing: none was handed over since the start, or the bus has gone since.
bool CloseDesktopNotification(HWND window, UINT message, uint32_t id);
// The same for every notification shown for this window and message.
bool CloseDesktopNotifications(HWND window, UINT message);
// UI thread, at shut-down: what was handed over before (the closes of what is still
// shown) gets a few hundred milliseconds at most to be answered, then the worker stops
// and no click is posted any more. Nothing waits while the worker is still connecting
// or has nothing on its way. A later notification starts afresh.
void EndDesktopNotifications();

} // namespace plat
