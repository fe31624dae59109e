#include "ux/widgets/UxLedAnimation.h"

#include "ux/core/UxTimerManager.h"
#include "ux/markup/UxSkinWords.h"
#include "ux/markup/UxXmlNode.h"
#include "ux/widgets/UxCheckButton.h"

#include <algorithm>
#include <climits>

namespace {

// A skin may ask for anything; a busy indicator with more LEDs than this is a typo.
constexpr int32_t kMaxLeds = 64;

} // namespace

UxLedAnimation::~UxLedAnimation()
{
    Stop();
    for (UxCheckButton* led : m_leds) {
        RemoveChild(led);
        delete led;
    }
}

bool UxLedAnimation::OnVisibleChanged(bool visible)
{
    if (visible)
        Start();
    else
        Stop();
    return true;
}

bool UxLedAnimation::CreateLeds(int32_t count)
{
    for (int32_t i = 0; i < count && m_leds.size() < size_t(kMaxLeds); ++i) {
        auto* led = new UxCheckButton;
        AddChild(led);
        m_leds.push_back(led);
    }
    return true;
}

bool UxLedAnimation::ApplySkin(UxXmlNode* node)
{
    if (!UxWindow::ApplySkin(node))
        return false;
    if (!node)
        return true;
    if (UxXmlNode* n = node->FindChild(L"NumLeds"))
        CreateLeds(n->GetInt());
    if (UxXmlNode* n = node->FindChild(L"Animation"))
        Animation = ParseAnimationMode(n->GetText());
    if (UxXmlNode* n = node->FindChild(L"Interval"))
        Interval = n->GetFloat();
    if (UxXmlNode* n = node->FindChild(L"AutoStartEnabled"))
        AutoStart = n->GetBool() ? 1 : 0;
    for (UxCheckButton* led : m_leds) {
        if (!led->ApplySkin(node))
            return false;
    }
    if (UxXmlNode* n = node->FindChild(L"LedSize")) {
        plat::POINT size = n->GetPoint();
        LayoutLeds(size.x, size.y);
    }
    return true;
}

void UxLedAnimation::LayoutLeds(int32_t w, int32_t h)
{
    // Sizes come from the skin: work wide and keep every edge an int.
    auto edge = [](int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
    int64_t n = int64_t(m_leds.size());
    int64_t margin = (int64_t(GetHeight()) - h) / 2;
    int64_t step = n > 1 ? w + (int64_t(GetWidth()) - 2 * margin - n * w) / (n - 1) : 0;
    for (int64_t i = 0; i < n; ++i) {
        int64_t left = margin + step * i;
        m_leds[size_t(i)]->SetRect({ edge(left), edge(margin), edge(left + w), edge(margin + h) });
    }
}

void UxLedAnimation::Start()
{
    Stop();
    Light(0);
    m_counter = 0;
    // Without LEDs there is nothing to step (and no period to divide by).
    UxTimerManager* timers = UxTimerManager::GetInstance();
    if (m_leds.empty() || !timers)
        return;
    m_timer = timers->Add(0, Interval / float(m_leds.size()), StepTimer, reinterpret_cast<uintptr_t>(this));
}

void UxLedAnimation::Stop()
{
    if (!m_timer)
        return;
    if (UxTimerManager* timers = UxTimerManager::GetInstance())
        timers->Remove(m_timer);
    m_timer = 0;
}

void UxLedAnimation::StepTimer(uintptr_t self)
{
    reinterpret_cast<UxLedAnimation*>(self)->Step();
}

void UxLedAnimation::Step()
{
    int32_t n = int32_t(m_leds.size());
    ++m_counter;
    if (Animation == OneWay) {
        if (m_counter > n)
            m_counter = 0;
        Light(m_counter);
    } else if (Animation == TwoWay) {
        if (m_counter > 2 * n)
            m_counter = 1;
        Light(m_counter < n ? m_counter : 2 * n - m_counter);
    }
}

void UxLedAnimation::Light(int32_t count)
{
    for (size_t i = 0; i < m_leds.size(); ++i) {
        bool on = int32_t(i) < count;
        if (m_leds[i]->IsChecked() != on)
            m_leds[i]->SetChecked(on);
    }
}

int32_t UxLedAnimation::GetLitCount() const
{
    int32_t lit = 0;
    for (UxCheckButton* led : m_leds)
        lit += led->IsChecked() ? 1 : 0;
    return lit;
}
