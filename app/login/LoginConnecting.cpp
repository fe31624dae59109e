#include "app/login/LoginConnecting.h"

#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
#include "messenger/protocol/connection/TarvPeer.h"
#include "ux/graphics/UxDeviceContextPool.h"

LoginConnecting::LoginConnecting()
{
    SetOwnSurface(true);
}

LoginConnecting::~LoginConnecting()
{
    RemoveChildren();
}

bool LoginConnecting::Create()
{
    UxXmlNode* node = SelectSection(L"LoginConnecting::Create", L"Login", L"Connecting");
    if (!node || !UxWindow::ApplySkin(node))
        return false;
    m_skinRect = GetRect();
    AddSkinParts(*this, node,
        { { L"BackSkin", &BackSkin }, { L"CopyrightLabel", &CopyrightLabel }, { L"ProgressText", &ProgressText },
            { L"ProgressLed", &ProgressLed }, { L"CancelButton", &CancelButton } });
    // The lights run only while the screen is up.
    ProgressLed.SetVisible(IsVisible());
    return true;
}

void LoginConnecting::Show(UxWindow* from)
{
    m_origin = from;
    SetVisible(true);
    Invalidate();
}

bool LoginConnecting::OnVisibleChanged(bool visible)
{
    if (UxDeviceContextPool* pool = UxDeviceContextPool::GetInstance())
        pool->UnloadAll();
    ProgressLed.SetVisible(visible);
    if (!visible)
        m_origin = nullptr;
    return true;
}

bool LoginConnecting::OnSipHidden()
{
    SetTransitionSpec(UxTransitionSpec(0.5f, 19));
    SetRect(m_skinRect);
    return true;
}

bool LoginConnecting::OnChildEvent(UxWindow* child, int32_t code)
{
    if (code == EventPointerUp && child == &CancelButton)
        Cancel();
    return true;
}

void LoginConnecting::Cancel()
{
    // A sign-in that got as far as the keep-alive must not leave it beating against a
    // closed connection, nor a step's wait to end it later.
    if (TarvPeer* peer = TarvPeer::GetInstance())
        peer->AbandonSignIn();
    UxWindow* origin = m_origin;
    SetVisible(false);
    if (MessengerApp* app = MessengerApp::GetInstance()) {
        if (origin == &app->GetLoginCounter())
            app->GetLoginCounter().Show();
        else
            app->GetLoginGate().Show();
    }
    Invalidate();
}
