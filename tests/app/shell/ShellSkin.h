#pragma once

#include <string>

// A small skin with the shared sections the shell reads, for tests that need a skin
// of known values.
inline std::string ShellSkin(const std::string& extra = "")
{
    return "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Skin>"
           "<StatusBar><Default><_Rect>0, 0, 480, 40</_Rect></Default>"
           "<Disclosure><_Rect>0, 0, 480, 40</_Rect></Disclosure><Chat><_Rect>0, 0, 480, 40</_Rect></Chat></StatusBar>"
           "<MenuBar><_Rect>0, 590, 480, 50</_Rect></MenuBar>"
           "<_StatusIconList>"
           "<Big><Online>0, 0, 32, 32</Online><Away>32, 0, 32, 32</Away><Busy>64, 0, 32, 32</Busy>"
           "<Offline>96, 0, 32, 32</Offline><BlockedOnline>128, 0, 32, 32</BlockedOnline>"
           "<BlockedOffline>160, 0, 32, 32</BlockedOffline></Big>"
           "<Small><Online>0, 40, 16, 16</Online><Away>16, 40, 16, 16</Away><Busy>32, 40, 16, 16</Busy>"
           "<Offline>48, 40, 16, 16</Offline><BlockedOnline>64, 40, 16, 16</BlockedOnline>"
           "<BlockedOffline>80, 40, 16, 16</BlockedOffline></Small>"
           "</_StatusIconList>"
        + extra + "</Skin>";
}

#include "platform/event/Message.h"

#include <array>

// A rectangle's left, top, right and bottom, comparable in expectations.
inline std::array<int32_t, 4> Edges(const plat::RECT& r)
{
    return { r.left, r.top, r.right, r.bottom };
}
