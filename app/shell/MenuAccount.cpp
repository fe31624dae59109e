#include "app/shell/MenuAccount.h"

#include "messenger/protocol/login/SavedLogin.h"
#include "platform/display/VirtualKeys.h"
#include "platform/event/MessageQueue.h"
#include "ux/core/UxText.h"
#include "ux/widgets/UxEdit.h"

#include <algorithm>
#include <iterator>

namespace {

const wchar_t* const kDomains[] = { L"quorix.net", L"maeilpost.kr", L"hanbyeolmail.net", L"sorimail.kr",
    L"narumail.com", L"dasolbox.net", L"bomnalmail.co.kr", L"gureumpost.net", L"haetsalmail.kr",
    L"saebitmail.com", L"yeoulpost.net", L"purunmail.kr" };
static_assert(std::size(kDomains) == MenuAccount::kFreeEntry);

} // namespace

AppMenu::Look MenuAccount::s_look;

MenuAccount::MenuAccount()
    : AppMenu(L"MenuAccount", s_look)
{
    for (int32_t i = 0; i <= kFreeEntry; ++i)
        AddItem(GetItemText(i));
}

std::wstring MenuAccount::GetItemText(int32_t index)
{
    return index >= 0 && index < kFreeEntry ? kDomains[index] : L"직접 입력";
}

void MenuAccount::Open(UxEdit& domain)
{
    auto* menu = new MenuAccount;
    if (!menu->IsBuilt()) {
        delete menu;
        return;
    }
    menu->Popup(&OnClosed, reinterpret_cast<uintptr_t>(&domain));
}

void MenuAccount::OnClosed(uintptr_t domain, UxPopup* popup, int32_t result)
{
    auto* menu = dynamic_cast<MenuAccount*>(popup);
    if (result == 1 && menu)
        menu->ApplyChoice(*reinterpret_cast<UxEdit*>(domain));
}

bool MenuAccount::ShowsListedDomain(const UxEdit& domain)
{
    return domain.GetStyles() & UxEdit::ReadOnly;
}

void MenuAccount::ApplyChoice(UxEdit& domain)
{
    const int32_t row = GetSelection();
    if (row >= 0 && row < kFreeEntry) {
        ShowDomain(domain, GetSelectedText());
        return;
    }
    domain.SetStyles(UxEdit::SingleLine);
    domain.SetText(L"");
    domain.SetFocus(true);
    domain.Invalidate();
}

void MenuAccount::ShowDomain(UxEdit& domain, const std::wstring& text)
{
    const std::wstring lower = ToLower(text);
    const auto listed = std::find_if(
        std::begin(kDomains), std::end(kDomains), [&](const wchar_t* item) { return lower == item; });
    // A box that shows a listed domain takes no typing: what it shows is what is sent.
    if (listed != std::end(kDomains)) {
        domain.SetStyles(UxEdit::ReadOnly | UxEdit::SingleLine);
        domain.SetText(*listed);
    } else {
        domain.SetStyles(UxEdit::SingleLine);
        domain.SetText(text);
    }
    domain.Invalidate();
}

bool MenuAccount::TakeAddress(UxEdit& name, UxEdit& domain, std::wstring& id)
{
    const std::wstring typed = name.GetText();
    if (const size_t at = typed.find(L'@'); at != std::wstring::npos) {
        name.SetText(typed.substr(0, at));
        ShowDomain(domain, typed.substr(at + 1));
    }
    id = name.GetText() + L"@" + domain.GetText();
    if (IsOneAddress(id))
        return true;
    id.clear();
    return false;
}

bool MenuAccount::IsOpenKey(uintptr_t key)
{
    return key == plat::VK_F4 || (key == plat::VK_DOWN && plat::IsKeyHeld(plat::VK_MENU));
}
