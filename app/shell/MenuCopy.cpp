#include "app/shell/MenuCopy.h"

#include "platform/display/Display.h"
#include "ux/core/UxDesktop.h"
#include "ux/core/UxRect.h"

#include <algorithm>
#include <utility>

AppMenu::Look MenuCopy::s_look;

MenuCopy::MenuCopy(std::wstring text)
    : AppMenu(L"MenuCopy", s_look)
    , m_text(std::move(text))
{
    AddItem(L"복사");
}

bool MenuCopy::Open(const std::wstring& text, const plat::RECT& line, UxPopupCallback then, uintptr_t context)
{
    if (text.empty())
        return false;
    auto* menu = new MenuCopy(text);
    menu->m_then = then;
    if (!menu->IsBuilt() || !menu->Popup(&OnClosed, context)) {
        delete menu;
        return false;
    }
    menu->PlaceBeside(line);
    return true;
}

void MenuCopy::PlaceBeside(const plat::RECT& line)
{
    UxDesktop* desktop = UxDesktop::GetInstance();
    if (!desktop || IsRectEmpty(line))
        return;
    const int32_t room = desktop->GetHeight();
    const int32_t height = GetHeight();
    int32_t top;
    if (line.bottom + height <= room)
        top = line.bottom;
    else if (line.top - height >= 0)
        top = line.top - height;
    else // no side has room enough: the side with more, as far as it goes
        top = room - line.bottom >= line.top ? room - height : 0;
    SetPosition({ GetRect().left, std::clamp(top, 0, std::max(0, room - height)) });
    desktop->Invalidate(plat::RECT {}, true);
}

void MenuCopy::OnClosed(uintptr_t context, UxPopup* popup, int32_t result)
{
    auto* menu = dynamic_cast<MenuCopy*>(popup);
    if (!menu)
        return;
    if (result == 1 && menu->GetSelection(None) == Copy)
        plat::SetClipboardText(menu->m_text);
    if (menu->m_then)
        menu->m_then(context, popup, result);
}
