#include "app/shell/StatusBarChat.h"

#include "app/shell/SkinParts.h"
#include "ux/core/UxNavigationController.h"
#include "ux/core/UxTransitionManager.h"

StatusBarChat::~StatusBarChat()
{
    for (UxWindow* part : { static_cast<UxWindow*>(&BackButton), static_cast<UxWindow*>(&CloseButton),
             static_cast<UxWindow*>(&PageIndicator) })
        RemoveChild(part);
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
    // Chat: the chat page on screen sends its session's CSES (KILL), then back, then
    // the page is marked closed, each only while the session still stands.
}
