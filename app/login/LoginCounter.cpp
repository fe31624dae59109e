#include "app/login/LoginCounter.h"

#include "app/login/WirelessConsent.h"
#include "app/shell/EditLimit.h"
#include "app/shell/MenuAccount.h"
#include "app/shell/MessageBoxes.h"
#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
#include "messenger/model/Me.h"
#include "messenger/protocol/connection/TarvPeer.h"
#include "messenger/protocol/login/SavedLogin.h"
#include "platform/display/VirtualKeys.h"
#include "ux/core/UxConnectionHelper.h"
#include "ux/core/UxPath.h"
#include "ux/core/UxRegistryKey.h"
#include "ux/core/UxSipHandler.h"

namespace {

// The data connection may take this long to come up.
constexpr uint32_t kConnectionTimeoutMs = 60000;
// The form slides out of the input panel's way and back in half a second, easing out.
const UxTransitionSpec kSipShift(0.5f, 19);
// Room left between the password frame and the input panel.
constexpr int32_t kSipMargin = 20;

} // namespace

LoginCounter::LoginCounter()
{
    SetOwnSurface(true);
}

LoginCounter::~LoginCounter()
{
    RemoveChildren();
}

bool LoginCounter::Create()
{
    UxXmlNode* node = SelectSection(L"LoginCounter::Create", L"Login", L"Counter");
    if (!node || !UxWindow::ApplySkin(node))
        return false;
    m_skinRect = GetRect();
    // A part the skin cannot give is left as it is; the form still works.
    AddSkinParts(*this, node,
        { { L"BackSkin", &BackSkin }, { L"CopyrightLabel", &CopyrightLabel }, { L"IdText", &IdText },
            { L"IdSkin", &IdSkin }, { L"IdEdit", &IdEdit }, { L"AccountText", &AccountText },
            { L"AccountSkin", &AccountSkin }, { L"AccountEdit", &AccountEdit },
            { L"AccountButton", &AccountButton }, { L"PasswordText", &PasswordText },
            { L"PasswordSkin", &PasswordSkin }, { L"PasswordEdit", &PasswordEdit },
            { L"LoginAsOfflineCheckBox", &LoginAsOfflineCheckBox }, { L"LoginAsOfflineText", &LoginAsOfflineText },
            { L"KeepIdPasswordCheckBox", &KeepIdPasswordCheckBox }, { L"KeepIdPasswordText", &KeepIdPasswordText },
            { L"LoginButton", &LoginButton } });
    m_passwordSkinRect = PasswordSkin.GetRect();
    IdSkin.SetEdit(&IdEdit);
    AccountSkin.SetEdit(&AccountEdit);
    PasswordSkin.SetEdit(&PasswordEdit);
    SayEditLimit(IdEdit, L"아이디는");
    SayEditLimit(AccountEdit, L"도메인은");
    SayEditLimit(PasswordEdit, L"비밀번호는");
    LoginAsOfflineCheckBox.SetTabStop(true);
    KeepIdPasswordCheckBox.SetTabStop(true);
    return true;
}

void LoginCounter::Show()
{
    if (MessengerApp* app = MessengerApp::GetInstance()) {
        app->GetLoginGate().SetVisible(false);
        app->GetLoginConnecting().SetVisible(false);
    }
    SetVisible(true);
    Invalidate();
}

bool LoginCounter::OnVisibleChanged(bool visible)
{
    if (!visible) {
        // Keys must not reach a box nobody sees.
        if (Contains(FocusedWindow))
            FocusedWindow->SetFocus(false);
        return true;
    }
    if (MessengerApp* app = MessengerApp::GetInstance())
        app->GetMenuBar().HideSystemMenuButton();
    Fill();
    // Typing starts where the form needs it: the id, or the password once the id is known.
    (IdEdit.IsEmpty() ? IdEdit : PasswordEdit).SetFocus(true);
    return true;
}

void LoginCounter::Fill()
{
    std::wstring id;
    bool keep = true;
    UxRegistryKey key;
    if (key.Open(kMessengerRegistryPath)) {
        id = key.GetString(L"LoginBuddyId", L"");
        keep = key.GetDword(L"LoginKeepIdPassword", 0) != 0;
    }
    const size_t at = id.find(L'@');
    IdEdit.SetText(at == std::wstring::npos ? L"" : id.substr(0, at));
    // Whatever was chosen before: the box is what the kept id's domain is.
    MenuAccount::ShowDomain(
        AccountEdit, at == std::wstring::npos ? std::wstring(kDefaultAccountDomain) : id.substr(at + 1));
    PasswordEdit.SetText(L"");
    LoginAsOfflineCheckBox.SetChecked(false);
    KeepIdPasswordCheckBox.SetChecked(keep);
}

bool LoginCounter::OnSipShown(const plat::RECT& panelRect)
{
    const int32_t limit = panelRect.top - GetTitleBarHeight();
    if (PasswordSkin.GetScreenRect().bottom <= limit)
        return true;
    const int32_t overlap = m_passwordSkinRect.bottom - limit;
    SetTransitionSpec(kSipShift);
    SetPosition({ 0, -kSipMargin - overlap });
    return true;
}

bool LoginCounter::OnSipHidden()
{
    SetTransitionSpec(kSipShift);
    SetRect(m_skinRect);
    return true;
}

bool LoginCounter::OnChildEvent(UxWindow* child, int32_t code)
{
    if (code == EventPointerUp) {
        if (child == &AccountButton || IsDomainChoice(child))
            MenuAccount::Open(AccountEdit);
        else if (child == &LoginButton)
            Login();
    } else if (code == EventKeyDown && MenuAccount::IsOpenKey(EventParam1)) {
        if (child == &IdEdit || child == &AccountEdit)
            MenuAccount::Open(AccountEdit);
    } else if (code == EventKeyDown && EventParam1 == plat::VK_RETURN) {
        if (child == &IdEdit || child == &AccountEdit)
            PasswordEdit.SetFocus(true);
        else if (child == &PasswordEdit || child == &LoginAsOfflineCheckBox || child == &KeepIdPasswordCheckBox)
            Login();
    }
    return true;
}

bool LoginCounter::IsDomainChoice(const UxWindow* window) const
{
    return MenuAccount::ShowsListedDomain(AccountEdit) && (window == &AccountSkin || AccountEdit.Contains(window));
}

void LoginCounter::Login()
{
    std::wstring id;
    if (!MenuAccount::TakeAddress(IdEdit, AccountEdit, id)) {
        ShowMsgBox(L"ID를 입력하세요.");
        return;
    }
    if (PasswordEdit.IsEmpty()) {
        ShowMsgBox(L"비밀번호를 입력하세요.");
        return;
    }
    if (UxSipHandler* sip = UxSipHandler::GetInstance())
        sip->RequestHide();
    if (!IsWirelessConsentGiven()) {
        AskWirelessConsent(&OnConsentAnswered, reinterpret_cast<uintptr_t>(this));
        return;
    }
    SaveLoginSettings();
}

void LoginCounter::OnConsentAnswered(uintptr_t context, UxPopup* box, int32_t result)
{
    if (result != 2)
        return;
    const bool forGood = IsConsentTicked(box);
    reinterpret_cast<LoginCounter*>(context)->SaveLoginSettings();
    // Kept whatever became of the attempt: unticked, the question comes again.
    KeepWirelessConsent(forGood);
}

bool LoginCounter::SaveLoginSettings()
{
    // Taken as typed, but for an id typed whole, which is split first.
    std::wstring id;
    if (!MenuAccount::TakeAddress(IdEdit, AccountEdit, id))
        return false;
    const std::wstring digest = MakePasswordDigest(id, PasswordEdit.GetText());
    if (!ConnectToDispatchServer(this, id, digest, LoginAsOfflineCheckBox.IsChecked()))
        return false;
    UxRegistryKey key;
    if (!key.Create(kMessengerRegistryPath))
        return true;
    // The id is kept either way, so the form comes back filled in; only the password
    // depends on the keep box.
    const bool keep = KeepIdPasswordCheckBox.IsChecked();
    key.SetString(L"LoginBuddyId", id);
    key.SetDword(L"LoginKeepIdPassword", keep ? 1 : 0);
    key.Close();
    if (keep)
        SaveLoginPassword(digest);
    else
        ClearLoginPassword();
    return true;
}

bool LoginCounter::ConnectToDispatchServer(
    UxWindow* caller, const std::wstring& id, const std::wstring& digest, bool offline)
{
    // Only a whole address goes out (a saved one may be left from before it was checked).
    if (!IsOneAddress(id)) {
        ShowMsgBox(L"ID를 입력하세요.");
        return false;
    }
    if (Me* me = Me::GetInstance()) {
        me->Id = id;
        me->PasswordDigest = digest;
        me->LoginOffline = offline;
    }
    UxConnectionHelper* connection = UxConnectionHelper::GetInstance();
    // Not tested: the connect attempt decides.
    if (connection)
        connection->Establish(kConnectionTimeoutMs);
    TarvPeer* peer = TarvPeer::GetInstance();
    if (!peer || !peer->ConnectDispatch()) {
        ShowMsgBox(L"네트워크를 사용할 수 없습니다.");
        return false;
    }
    // The platform keeps the data connection up.
    if (connection)
        connection->Release();
    if (caller) {
        caller->SetVisible(false);
        caller->Invalidate();
    }
    if (MessengerApp* app = MessengerApp::GetInstance())
        app->GetLoginConnecting().Show(caller);
    return true;
}
