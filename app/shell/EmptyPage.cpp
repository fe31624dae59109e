#include "app/shell/EmptyPage.h"

#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
#include "ux/core/UxDesktop.h"
#include "ux/core/UxNavigationController.h"
#include "ux/graphics/UxDeviceContext.h"
#include "ux/markup/UxXmlSkinHelper.h"
#include "ux/widgets/UxListWindow.h"

namespace {

constexpr plat::COLORREF kBackground = 0xFFFFFF;

} // namespace

EmptyPage::EmptyPage(std::wstring name, bool belowStatusBar)
    : m_name(std::move(name))
    , m_belowStatusBar(belowStatusBar)
{
}

plat::RECT EmptyPage::GetPageRect()
{
    plat::RECT page { 0, 0, 480, 640 };
    if (UxDesktop* desktop = UxDesktop::GetInstance(); desktop && desktop->GetWidth() > 0)
        page = desktop->GetClientRect();
    if (UxXmlNode* bar = SelectSkinNode(L"StatusBar", L"Default", L"_Rect"))
        page.top = bar->GetRect().bottom;
    if (UxXmlNode* menu = SelectSkinNode(L"MenuBar", L"_Rect"); menu && menu->GetRect().top > page.top)
        page.bottom = menu->GetRect().top;
    return page;
}

bool EmptyPage::Create()
{
    plat::RECT rect = GetPageRect();
    if (!m_belowStatusBar)
        rect.top = 0;
    SetRect(rect);
    return true;
}

UxXmlNode* EmptyPage::CreateFromSkin()
{
    UxXmlNode* node = SelectSection(L"EmptyPage::CreateFromSkin", m_name.c_str());
    return node && EmptyPage::Create() && ApplySkin(node) ? node : nullptr;
}

bool EmptyPage::OnPaint(UxDeviceContext* surface, const plat::RECT& rect)
{
    surface->FillRect(kBackground, rect);
    return true;
}

bool EmptyPage::OnVisibleChanged(bool visible)
{
    MessengerApp* app = MessengerApp::GetInstance();
    if (visible && !m_belowStatusBar && app)
        app->GetMenuBar().HideSystemMenuButton();
    if (!visible)
        UxListWindow::DropKeyRowWithin(*this);
    return UxPanel::OnVisibleChanged(visible);
}

bool EmptyPage::IsDismissed()
{
    UxNavigationController* navigation = UxNavigationController::GetInstance();
    return navigation && navigation->IsDismissing();
}
