#include "platform/display/HeadlessDisplay.h"

namespace plat {

HeadlessDisplay* HeadlessDisplay::Open(HWND window, int width, int height)
{
    auto* display = new HeadlessDisplay(window);
    if (!display->MakeFrame(width, height)) {
        delete display;
        return nullptr;
    }
    return display;
}

void HeadlessDisplay::SetFocused(bool focused)
{
    if (focused == m_focused)
        return;
    m_focused = focused;
    GetInput().Activate(focused);
}

} // namespace plat
