#include "app/login/LoginGate.h"

#include "app/login/WirelessConsent.h"
#include "app/shell/MessageBoxes.h"
#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
#include "messenger/protocol/login/SavedLogin.h"
#include "platform/display/VirtualKeys.h"
#include "ux/core/UxRegistry.h"
#include "ux/core/UxRegistryKey.h"
#include "ux/graphics/UxDeviceContextPool.h"

namespace {

// Off-screen surfaces of the screens left behind are not needed while signed out.
void ReleaseSurfaces()
{
    if (UxDeviceContextPool* pool = UxDeviceContextPool::GetInstance())
        pool->UnloadAll();
}

} // namespace

LoginGate::LoginGate()
{
    SetOwnSurface(true);
}

LoginGate::~LoginGate()
{
    RemoveChildren();
}

bool LoginGate::Create()
{
    UxXmlNode* node = SelectSection(L"LoginGate::Create", L"Login", L"Gate");
    if (!node || !UxWindow::ApplySkin(node))
        return false;
    AddSkinParts(*this, node,
        { { L"BackSkin", &BackSkin }, { L"CopyrightLabel", &CopyrightLabel }, { L"IdText", &IdText },
            { L"LoginAsOfflineCheckBox", &LoginAsOfflineCheckBox }, { L"LoginAsOfflineText", &LoginAsOfflineText },
            { L"LoginButton", &LoginButton }, { L"LoginWithOtherIdButton", &LoginWithOtherIdButton } });
    // Tab goes to the offline box and the two buttons, which Space or Enter clicks.
    LoginAsOfflineCheckBox.SetTabStop(true);
    LoginButton.SetTabStop(true);
    LoginWithOtherIdButton.SetTabStop(true);
    return true;
}

void LoginGate::Show()
{
    if (MessengerApp* app = MessengerApp::GetInstance()) {
        app->GetLoginCounter().SetVisible(false);
        app->GetLoginConnecting().SetVisible(false);
    }
    SetVisible(true);
    Invalidate();
}

bool LoginGate::OnVisibleChanged(bool visible)
{
    ReleaseSurfaces();
    if (!visible)
        return true;
    // The screen takes the keys: Enter signs in, Tab goes to the offline box.
    SetFocus(true);
    IdText.SetText(RegReadString(kMessengerRegistryPath, L"LoginBuddyId", L""));
    LoginAsOfflineCheckBox.SetChecked(false);
    if (MessengerApp* app = MessengerApp::GetInstance())
        app->GetMenuBar().HideSystemMenuButton();
    return true;
}

bool LoginGate::OnChildEvent(UxWindow* child, int32_t code)
{
    if (code == EventKeyDown && child == &LoginAsOfflineCheckBox)
        return OnKeyDown(EventParam1, intptr_t(EventParam2));
    if (code != EventPointerUp)
        return true;
    if (child == &LoginButton)
        Login();
    else if (child == &LoginWithOtherIdButton)
        AskOtherId();
    return true;
}

bool LoginGate::OnKeyDown(uintptr_t key, intptr_t keyData)
{
    // A held Enter that began elsewhere signs nobody in.
    if (key != plat::VK_RETURN || (uintptr_t(keyData) & 0x40000000u))
        return UxWindow::OnKeyDown(key, keyData);
    Login();
    return true;
}

void LoginGate::Login()
{
    UxRegistryKey key;
    if (!key.Open(kMessengerRegistryPath))
        return;
    const std::wstring id = key.GetString(L"LoginBuddyId", L"");
    const std::wstring digest = LoadLoginPassword();
    MessengerApp* app = MessengerApp::GetInstance();
    if (digest.empty()) {
        if (app)
            app->GetLoginCounter().Show();
        return;
    }
    if (key.GetDword(L"AgreedWithWirelessConnection", 0) == 0) {
        AskWirelessConsent(&OnConsentAnswered, reinterpret_cast<uintptr_t>(this));
        return;
    }
    LoginCounter::ConnectToDispatchServer(this, id, digest, LoginAsOfflineCheckBox.IsChecked());
}

void LoginGate::OnConsentAnswered(uintptr_t context, UxPopup* box, int32_t result)
{
    if (result != 2)
        return;
    auto* gate = reinterpret_cast<LoginGate*>(context);
    const bool forGood = IsConsentTicked(box);
    UxRegistryKey key;
    if (key.Open(kMessengerRegistryPath)) {
        const std::wstring id = key.GetString(L"LoginBuddyId", L"");
        key.Close();
        LoginCounter::ConnectToDispatchServer(gate, id, LoadLoginPassword(), gate->LoginAsOfflineCheckBox.IsChecked());
    }
    KeepWirelessConsent(forGood);
}

void LoginGate::AskOtherId()
{
    ShowConfirmBox(L"다른 아이디로 로그인 시 기존 정보가 삭제 됩니다.\n\n계속 진행 하시겠습니까?", &OnOtherIdAnswered,
        reinterpret_cast<uintptr_t>(this));
}

void LoginGate::OnOtherIdAnswered(uintptr_t, UxPopup*, int32_t result)
{
    if (result != 2)
        return;
    UxRegistryKey key;
    if (key.Create(kMessengerRegistryPath)) {
        // The value stays, empty: the form then shows an empty name and the keep box ticked.
        key.SetString(L"LoginBuddyId", L"");
        key.SetDword(L"LoginKeepIdPassword", 1);
        key.Close();
        ClearLoginPassword();
    }
    if (MessengerApp* app = MessengerApp::GetInstance())
        app->GetLoginCounter().Show();
}
