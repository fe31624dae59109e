#include "app/shell/StatusBarChat.h"

#include "app/chat/ChatPage.h"
#include "app/shell/SkinParts.h"
#include "messenger/protocol/chat/ChatActions.h"
#include "ux/core/UxNavigationController.h"
#include "ux/core/UxTransitionManager.h"

StatusBarChat::~StatusBarChat()
{
    RemoveChildren();
}

bool StatusBarChat::Create()
{
    UxXmlNode* node = SelectSection(L"StatusBarChat::Create", L"StatusBar", L"Chat");
    return node && UxPageHeader::ApplySkin(node)
        && AddSkinParts(*this, node,
            { { L"BackButton", &BackButton }, { L"CloseButton", &CloseButton },
                { L"PageIndicator", &PageIndicator } });
}

bool StatusBarChat::OnChildEvent(UxWindow* child, int32_t code)
{
    UxTransitionManager* transitions = UxTransitionManager::GetInstance();
    if (code != EventPointerUp || (transitions && transitions->IsRunning()))
        return true;
    if (child == &BackButton) {
        if (UxNavigationController* navigation = UxNavigationController::GetInstance())
            navigation->Back();
    } else if (child == &CloseButton) {
        CloseChat();
    }
    return true;
}

void StatusBarChat::CloseChat()
{
    UxNavigationController* navigation = UxNavigationController::GetInstance();
    auto* page = navigation ? dynamic_cast<ChatPage*>(navigation->GetPage()) : nullptr;
    if (!page || !page->GetSession())
        return;
    LeaveChat(*page->GetSession());
    // Marked first: a back without a transition hides the page at once.
    page->SetClosing(true);
    if (!navigation->Back())
        page->SetClosing(false);
}
