#include "app/shell/StatusBarDisclosure.h"

#include "app/shell/MessageBoxes.h"
#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
#include "messenger/model/GroupList.h"
#include "ux/core/UxNavigationController.h"
#include "ux/core/UxTransitionManager.h"

namespace {

bool TransitionRunning()
{
    UxTransitionManager* transitions = UxTransitionManager::GetInstance();
    return transitions && transitions->IsRunning();
}

} // namespace

StatusBarDisclosure::~StatusBarDisclosure()
{
    for (UxWindow* part : { static_cast<UxWindow*>(&BackButton), static_cast<UxWindow*>(&TitleLabel),
             static_cast<UxWindow*>(&BuddyAddButton), static_cast<UxWindow*>(&GroupAddButton) })
        RemoveChild(part);
}

bool StatusBarDisclosure::Create()
{
    UxXmlNode* node = SelectSection(L"StatusBarDisclosure::Create", L"StatusBar", L"Disclosure");
    if (!node || !UxPageHeader::ApplySkin(node)
        || !AddSkinParts(*this, node,
            { { L"BackButton", &BackButton }, { L"Title", &TitleLabel }, { L"BuddyAddButton", &BuddyAddButton },
                { L"GroupAddButton", &GroupAddButton } }))
        return false;
    BuddyAddButton.SetVisible(false);
    GroupAddButton.SetVisible(false);
    return true;
}

void StatusBarDisclosure::SetTitle(const std::wstring& text)
{
    TitleLabel.SetText(text);
    TitleLabel.Invalidate();
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
    const BuddyAddPage& page = app->GetBuddyAddPage();
    if (page.GetIdText().empty() || page.GetDomainText().empty()) {
        ShowMsgBox(L"친구 아이디를 입력하세요.");
        return;
    }
    if (page.GetMessageText().empty()) {
        ShowMsgBox(L"메시지를 입력하세요.");
        return;
    }
    GroupList* groups = GroupList::GetInstance();
    if (!groups || !groups->FindByName(page.GetGroupName()))
        return;
    // Buddies: the buddy request (ADSB) goes out here, then back as below.
}

void StatusBarDisclosure::AddGroup()
{
    MessengerApp* app = MessengerApp::GetInstance();
    if (!app)
        return;
    if (app->GetGroupAddPage().GetGroupName().empty()) {
        ShowMsgBox(L"그룹 이름을 입력하세요.");
        return;
    }
    // Buddies: the group request (ADDG) goes out here, then back as below.
}
