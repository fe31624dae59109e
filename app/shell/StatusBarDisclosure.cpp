#include "app/shell/StatusBarDisclosure.h"

#include "app/shell/MessageBoxes.h"
#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
#include "messenger/protocol/buddies/BuddyActions.h"
#include "messenger/protocol/connection/TarvPeer.h"
#include "ux/core/UxNavigationController.h"
#include "ux/core/UxTransitionManager.h"

namespace {

bool TransitionRunning()
{
    UxTransitionManager* transitions = UxTransitionManager::GetInstance();
    return transitions && transitions->IsRunning();
}

} // namespace

void StatusBarDisclosure::BackFrom(const UxWindow& page)
{
    TarvPeer* peer = TarvPeer::GetInstance();
    UxNavigationController* navigation = UxNavigationController::GetInstance();
    if (!peer || peer->IsResetPending() || !navigation || navigation->GetPage() != &page)
        return;
    navigation->Back();
}

bool StatusBarDisclosure::Press(UxButton StatusBarDisclosure::*button)
{
    MessengerApp* app = MessengerApp::GetInstance();
    if (!app)
        return false;
    StatusBarDisclosure& bar = app->GetStatusBarDisclosure();
    return bar.OnChildEvent(&(bar.*button), EventPointerUp);
}

StatusBarDisclosure::~StatusBarDisclosure()
{
    RemoveChildren();
}

bool StatusBarDisclosure::Create()
{
    UxXmlNode* node = SelectSection(L"StatusBarDisclosure::Create", L"StatusBar", L"Disclosure");
    if (!node || !UxPageHeader::ApplySkin(node)
        || !AddSkinParts(*this, node,
            { { L"BackButton", &BackButton }, { L"BuddyAddButton", &BuddyAddButton },
                { L"GroupAddButton", &GroupAddButton } }))
        return false;
    BuddyAddButton.SetVisible(false);
    GroupAddButton.SetVisible(false);
    return true;
}

void StatusBarDisclosure::SetTitle(const std::wstring& text)
{
    Title.SetText(text);
    Title.Invalidate();
}

void StatusBarDisclosure::ShowAddButton(UxButton& button)
{
    HideAddButtons();
    button.SetVisible(true);
}

void StatusBarDisclosure::HideAddButtons()
{
    BuddyAddButton.SetVisible(false);
    GroupAddButton.SetVisible(false);
    Invalidate();
}

void StatusBarDisclosure::OnWillShow()
{
    if (MessengerApp* app = MessengerApp::GetInstance())
        app->UpdateNotifyIcons();
}

bool StatusBarDisclosure::OnChildEvent(UxWindow* child, int32_t code)
{
    if (code != EventPointerUp || TransitionRunning())
        return true;
    if (child == &BackButton) {
        if (UxNavigationController* navigation = UxNavigationController::GetInstance())
            navigation->Back();
    } else if (child == &BuddyAddButton) {
        AddBuddy();
    } else if (child == &GroupAddButton) {
        AddGroup();
    }
    return true;
}

void StatusBarDisclosure::AddBuddy()
{
    MessengerApp* app = MessengerApp::GetInstance();
    if (!app)
        return;
    BuddyAddPage& page = app->GetBuddyAddPage();
    // An id typed whole leaves the name and the domain in their boxes, read below.
    std::wstring id;
    if (!page.TakeAddress(id)) {
        ShowMsgBox(L"친구 아이디를 입력하세요.");
        return;
    }
    if (page.GetMessageText().empty()) {
        ShowMsgBox(L"메시지를 입력하세요.");
        return;
    }
    // Nothing goes out when no group has the chosen name.
    if (AskToAddBuddy(page.GetIdText(), page.GetDomainText(), page.GetGroupName(), page.GetMessageText()))
        BackFrom(page);
}

void StatusBarDisclosure::AddGroup()
{
    MessengerApp* app = MessengerApp::GetInstance();
    if (!app)
        return;
    const GroupAddPage& page = app->GetGroupAddPage();
    if (page.GetGroupName().empty()) {
        ShowMsgBox(L"그룹 이름을 입력하세요.");
        return;
    }
    if (::AddGroup(page.GetGroupName()))
        BackFrom(page);
}
