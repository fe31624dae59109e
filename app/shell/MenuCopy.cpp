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

bool MenuCopy::Open(const std::wstring& text)
{
    if (text.empty())
        return false;
    auto* menu = new MenuCopy(text);
    if (!menu->IsBuilt() || !menu->Popup(&OnClosed, 0)) {
        delete menu;
        return false;
    }
    return true;
}

void MenuCopy::OnClosed(uintptr_t, UxPopup* popup, int32_t result)
{
    auto* menu = dynamic_cast<MenuCopy*>(popup);
    if (result == 1 && menu && menu->GetSelection(None) == Copy)
        plat::SetClipboardText(menu->m_text);
}
