#include "app/shell/MenuCopy.h"

#include "platform/display/Display.h"

#include <utility>

AppMenu::Look MenuCopy::s_look;

MenuCopy::MenuCopy(std::wstring text)
    : AppMenu(L"MenuCopy", s_look)
    , m_text(std::move(text))
{
    AddItem(L"복사");
}

bool MenuCopy::Open(const std::wstring& text, UxPopupCallback then, uintptr_t context)
{
    if (text.empty())
        return false;
    auto* menu = new MenuCopy(text);
    menu->m_then = then;
    if (!menu->IsBuilt() || !menu->Popup(&OnClosed, context)) {
        delete menu;
        return false;
    }
    return true;
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
