#include "app/shell/StatusBarDefault.h"

#include "app/shell/MessageBoxes.h"
#include "app/shell/SkinParts.h"
#include "app/shell/StatusText.h"
#include "messenger/model/Me.h"
#include "ux/core/UxPath.h"
#include "ux/core/UxText.h"

#include <cstdlib>

namespace {

// Where the portal's click-through redirect lives; a deployment may point elsewhere.
constexpr const wchar_t* kPortalUrl = L"http://go.quorix.net";

} // namespace

StatusBarDefault::~StatusBarDefault()
{
    RemoveChildren();
}

bool StatusBarDefault::Create()
{
    UxXmlNode* node = SelectSection(L"StatusBarDefault::Create", L"StatusBar", L"Default");
    return node && UxPageHeader::ApplySkin(node)
        && AddSkinParts(*this, node,
            { { L"StatusIcon", &StatusIcon }, { L"Nick", &Nick }, { L"MailIcon", &MailIcon },
                { L"LumastaIcon", &LumastaIcon } });
}

void StatusBarDefault::UpdateMyInfo()
{
    Me* me = Me::GetInstance();
    if (!me)
        return;
    UxImageDesc icon = StatusIcon.GetImage().GetDesc();
    icon.ImageCoord = GetStatusIconSmall(me->Status, 0);
    if (StatusIcon.GetImage().GetHandle() >= 0)
        StatusIcon.GetImage().Load(icon);
    Nick.SetText(me->Nick);
    StatusIcon.Invalidate();
    Nick.Invalidate();
}

std::wstring StatusBarDefault::GetPortalLink(const wchar_t* code)
{
    std::wstring base = kPortalUrl;
    if (const char* configured = std::getenv("QUORIX_PORTAL_URL"); configured && *configured)
        base = FromUtf8(configured);
    Me* me = Me::GetInstance();
    return base + L"/index.php?code=" + code + L"&t=" + (me ? me->WebTicket : std::wstring());
}

bool StatusBarDefault::OnChildEvent(UxWindow* child, int32_t code)
{
    if (code != EventPointerUp)
        return true;
    if (child == &MailIcon)
        OpenLink(GetPortalLink(L"G115"));
    else if (child == &LumastaIcon)
        OpenLink(GetPortalLink(L"D044"));
    return true;
}

void StatusBarDefault::OpenLink(const std::wstring& link)
{
    // As for the update's package: where the desktop cannot open it, say so and where
    // it lies. Only up to the query: what follows carries the session's ticket, which
    // is no one's to see. The opener answers from the message loop.
    const std::wstring shown = link.substr(0, link.find_first_of(L"?#"));
    ShellOpen(link, [shown](bool opened) {
        if (!opened)
            ShowMsgBox(FormatString(L"웹 페이지를 열 수 없습니다.\n\n%s", shown.c_str()));
    });
}
