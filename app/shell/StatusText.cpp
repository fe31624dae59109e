#include "app/shell/StatusText.h"

#include "ux/markup/UxXmlSkinHelper.h"

#include <iterator>

namespace {

constexpr uint32_t kBlocked = 4;
constexpr int32_t kOffline = 6;

plat::RECT StatusIcon(const wchar_t* size, int32_t status, uint32_t flags)
{
    UxXmlNode* node = SelectSkinNode(L"_StatusIconList", size, GetStatusIconName(status, flags));
    // x, y, width, height in the skin; left, top, right, bottom here.
    return UxXmlNode::GetRect(node);
}

} // namespace

std::wstring GetStatusText(int32_t status)
{
    static const wchar_t* const kTexts[]
        = { L"온라인", L"자리 비움", L"회의 중", L"통화 중", L"다른 용무 중", L"오프라인 표시", L"오프라인" };
    if (status < 0 || status >= static_cast<int32_t>(std::size(kTexts)))
        return L"기타";
    return kTexts[status];
}

const wchar_t* GetStatusIconName(int32_t status, uint32_t flags)
{
    if (flags & kBlocked)
        return status == kOffline ? L"BlockedOffline" : L"BlockedOnline";
    switch (status) {
    case 1:
    case 2:
        return L"Away";
    case 3:
    case 4:
        return L"Busy";
    case 5:
    case 6:
        return L"Offline";
    default:
        return L"Online";
    }
}

plat::RECT GetStatusIconBig(int32_t status, uint32_t flags)
{
    return StatusIcon(L"Big", status, flags);
}

plat::RECT GetStatusIconSmall(int32_t status, uint32_t flags)
{
    return StatusIcon(L"Small", status, flags);
}
