#include "app/shell/Alert.h"

#include "messenger/model/Options.h"
#include "ux/core/UxAudio.h"
#include "ux/core/UxVibrator.h"

#include <iterator>

namespace {

constexpr float kVibrateSeconds = 0.1f;
constexpr int kDefaultNotifyType = 3;
constexpr int kDefaultNotifyScopes = 7;

constexpr struct {
    const wchar_t* sound;
    int scope; // 0: always
} kEvents[] = {
    { L"login.wav", 0 },
    { L"buddy_login.wav", 1 },
    { L"recv_chat.wav", 2 },
    { L"recv_memo.wav", 4 },
};

} // namespace

AlertAction ChooseAlert(int event, int notifyType, int notifyScopes)
{
    if (event < 0 || event >= static_cast<int>(std::size(kEvents)))
        return {};
    const int scope = kEvents[event].scope;
    if (scope && !(notifyScopes & scope))
        return {};
    AlertAction action;
    if (notifyType == 1 || notifyType == 3)
        action.sound = kEvents[event].sound;
    action.vibrate = notifyType == 2 || notifyType == 3;
    return action;
}

AlertAction CurrentAlert(int event)
{
    int type = kDefaultNotifyType;
    int scopes = kDefaultNotifyScopes;
    if (Options* options = Options::GetInstance()) {
        type = options->GetNotifyType();
        scopes = options->GetNotifyScopes();
    }
    return ChooseAlert(event, type, scopes);
}

void PlayAlert(int event)
{
    const AlertAction action = CurrentAlert(event);
    if (!action.sound.empty())
        if (UxAudio* audio = UxAudio::GetInstance())
            audio->Play(action.sound);
    if (action.vibrate)
        if (UxVibrator* vibrator = UxVibrator::GetInstance())
            vibrator->Start(kVibrateSeconds);
}
