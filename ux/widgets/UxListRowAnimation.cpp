#include "ux/widgets/UxListRowAnimation.h"

#include "ux/widgets/UxListWindow.h"

UxListRowAnimation::UxListRowAnimation()
{
    m_tween.SetDuration(0.5f);
}

bool UxListRowAnimation::Start(int32_t mode, int32_t index, bool animate)
{
    if (mode != Insert && mode != Remove && mode != Expand && mode != Collapse)
        return false;
    if (!m_list || !m_list->IsValidRow(index))
        return false;
    m_mode = mode;
    m_index = index;
    m_total = 0;
    if (mode == Expand || mode == Collapse) {
        int32_t end = m_list->GroupEnd(index);
        for (int32_t i = index + 1; i < end; ++i)
            m_total += static_cast<float>(m_list->GetFullHeight(i));
    }
    switch (mode) {
    case Insert:
        m_tween.SetFrom(0);
        m_tween.SetTo(1.0f);
        break;
    case Remove:
        m_tween.SetFrom(1.0f);
        m_tween.SetTo(0);
        break;
    case Expand:
        m_tween.SetFrom(0);
        m_tween.SetTo(m_total);
        break;
    default:
        m_tween.SetFrom(m_total);
        m_tween.SetTo(0);
        break;
    }
    if (!animate) {
        m_tween.Stop();
        Step(m_tween.GetTo());
        return true;
    }
    m_tween.Start(OnStep, reinterpret_cast<uintptr_t>(this));
    return true;
}

void UxListRowAnimation::OnStep(uintptr_t animation)
{
    reinterpret_cast<UxListRowAnimation*>(animation)->Step(-1);
}

void UxListRowAnimation::Finish()
{
    if (!m_tween.IsRunning())
        return;
    m_tween.Stop();
    Step(m_tween.GetTo());
}

void UxListRowAnimation::Step(float value)
{
    if (!m_list || !m_list->IsValidRow(m_index))
        return;
    if (value < 0)
        value = m_tween.Update();
    bool ended = !m_tween.IsRunning();
    std::vector<UxListRow>& rows = m_list->m_rows;
    switch (m_mode) {
    case Insert:
    case Remove: {
        int32_t full = rows[size_t(m_index)].fullHeight;
        m_list->SetShownHeight(m_index, static_cast<int32_t>(static_cast<float>(full) * value));
        if (m_mode == Remove && ended) {
            m_list->EraseRow(m_index);
            m_list->GetYAxis().Settle();
            --m_index;
        }
        break;
    }
    case Expand: {
        // Share the animated height out in order, each row in proportion to its size.
        double r = value;
        double t = m_total;
        int32_t end = m_list->GroupEnd(m_index);
        for (int32_t i = m_index + 1; i < end; ++i) {
            UxListRow& row = rows[size_t(i)];
            if (row.hidden) {
                row.shownHeight = row.fullHeight; // ready for when the filter lets it show
                continue;
            }
            double full = row.fullHeight;
            int32_t shown = static_cast<int32_t>(t != 0 ? full * r / t : r);
            m_list->SetShownHeight(i, shown);
            r -= shown;
            t -= full;
        }
        break;
    }
    case Collapse: {
        double ratio = (m_total == 0 || value == 0) ? value : double(value) / m_total;
        int32_t end = m_list->GroupEnd(m_index);
        for (int32_t i = m_index + 1; i < end; ++i) {
            UxListRow& row = rows[size_t(i)];
            if (row.hidden)
                row.shownHeight = 0;
            else
                m_list->SetShownHeight(i, static_cast<int32_t>(row.fullHeight * ratio));
        }
        if (ended)
            m_list->GetYAxis().Settle();
        break;
    }
    default:
        break;
    }
    m_list->LayoutFrom(m_index + 1);
    m_list->RefreshRows(m_index, -1);
    m_list->GetYIndicator().StartFade(true);
}
