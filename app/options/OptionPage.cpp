#include "app/options/OptionPage.h"

#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
#include "ux/markup/UxXmlNode.h"

#include <iterator>

namespace {

// Title, first and second help line of each kind.
constexpr const wchar_t* kTexts[][3] = {
    { L"내 상태 설정", L"내 상태를 설정하세요.", L"" },
    { L"대화 방식 설정", L"쿼릭스 친구를 선택했을 때,", L"처음 커뮤니케이션 하는 방법을 설정하세요." },
    { L"보기 방식 설정", L"친구 보기 방식을 설정하세요.", L"" },
    { L"정렬 방식 설정", L"친구 정렬 방식을 설정하세요.", L"" },
    { L"알림 방식 설정", L"알림 방식을 설정하세요.", L"" },
    { L"알림 범위 설정", L"알림 범위를 설정하세요.", L"" },
};

} // namespace

OptionPage::~OptionPage()
{
    RemoveChildren();
}

bool OptionPage::Create()
{
    UxXmlNode* node = CreateFromSkin();
    return node && AddSkinParts(*this, node, { { L"TitleBar", &m_titleBar }, { L"View", &m_view } });
}

void OptionPage::OnWillShow()
{
    const int32_t kind = m_view.GetKind();
    if (kind < 0 || kind >= static_cast<int32_t>(std::size(kTexts)))
        return;
    if (MessengerApp* app = MessengerApp::GetInstance())
        app->GetStatusBarDisclosure().SetTitle(kTexts[kind][0]);
    m_titleBar.SetHelpText1(kTexts[kind][1]);
    m_titleBar.SetHelpText2(kTexts[kind][2]);
}
