#include "app/login/WirelessConsent.h"

#include "app/shell/MessageBoxes.h"
#include "messenger/protocol/login/SavedLogin.h"
#include "ux/core/UxRegistry.h"
#include "ux/widgets/UxMessageBox.h"

namespace {

constexpr const wchar_t* kAgreed = L"AgreedWithWirelessConnection";

} // namespace

bool AskWirelessConsent(UxPopupCallback callback, uintptr_t context)
{
    return ShowConfirmCheckBox(L"무선 네트워크에 접속합니다.\n\n가입하신 요금제에 따라 별도 과금이 될 수 있습니다.",
        L"이 창을 다시 보지 않음", callback, context);
}

bool IsWirelessConsentGiven()
{
    return RegReadDword(kMessengerRegistryPath, kAgreed, 0) != 0;
}

bool IsConsentTicked(UxPopup* answeredBox)
{
    auto* box = dynamic_cast<UxMessageBox*>(answeredBox);
    return box && box->CheckBox.IsChecked();
}

void KeepWirelessConsent(bool forGood)
{
    RegWriteDword(kMessengerRegistryPath, kAgreed, forGood ? 1 : 0);
}
