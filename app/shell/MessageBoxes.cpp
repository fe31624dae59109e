#include "app/shell/MessageBoxes.h"

#include "ux/markup/UxXmlSkinHelper.h"
#include "ux/widgets/UxMessageBox.h"

namespace {

using Style = UxMessageBox::Style;

constexpr uint32_t kAlert = Style::ShowIcon | Style::ShowText | Style::ShowOk; // 25
constexpr uint32_t kQuestion = Style::ShowIcon | Style::ShowText | Style::ShowYesNo; // 41
constexpr uint32_t kCheckQuestion = kQuestion | Style::ShowCheckBox; // 105
constexpr uint32_t kNotice = Style::ShowIcon | Style::ShowTitle | Style::ShowText | Style::ShowOk; // 27

// A box from the section, or null (freed, traced) when the skin cannot give one.
UxMessageBox* MakeBox(const wchar_t* section, const std::wstring& text)
{
    auto* box = new UxMessageBox;
    if (!box->ApplySkin(SelectSkinNode(section))) {
        UxTrace(L"MessageBoxes, the skin section %s gives no message box.\n", section);
        delete box;
        return nullptr;
    }
    box->Text.SetText(text);
    return box;
}

} // namespace

bool ShowMsgBox(const std::wstring& text)
{
    UxMessageBox* box = MakeBox(L"MsgBox", text);
    return box && box->Show(kAlert, nullptr, 0);
}

bool ShowConfirmBox(const std::wstring& text, UxPopupCallback callback, uintptr_t context)
{
    UxMessageBox* box = MakeBox(L"MsgBox", text);
    return box && box->Show(kQuestion, callback, context);
}

bool ShowConfirmCheckBox(
    const std::wstring& text, const std::wstring& checkText, UxPopupCallback callback, uintptr_t context)
{
    UxMessageBox* box = MakeBox(L"MsgBox", text);
    if (!box)
        return false;
    box->CheckBoxText.SetText(checkText);
    return box->Show(kCheckQuestion, callback, context);
}

bool ShowNotifyBox(const std::wstring& title, const std::wstring& text)
{
    UxMessageBox* box = MakeBox(L"NotifyBox", text);
    if (!box)
        return false;
    box->TitleText.SetText(title);
    return box->Show(kNotice, nullptr, 0);
}
