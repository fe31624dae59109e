#include "app/shell/EditLimit.h"

#include "app/shell/MessageBoxes.h"

#include <algorithm>

namespace {

// 65536 as "65,536".
std::wstring Grouped(size_t number)
{
    std::wstring digits = std::to_wstring(number);
    for (size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, 1, L',');
    return digits;
}

} // namespace

std::wstring EditLimitText(const std::wstring& subject, const UxEdit::Overflow& overflow)
{
    const std::wstring limit = Grouped(size_t(std::max(0, overflow.limit)));
    std::wstring text = overflow.perPaste ? subject + L" 한 번에 " + limit + L"자까지 붙여넣을 수 있습니다."
                                          : subject + L" " + limit + L"자까지 입력할 수 있습니다.";
    return text + L"\n붙여넣은 글 중 " + Grouped(overflow.leftOut) + L"자는 들어가지 않았습니다.";
}

void SayEditLimit(UxEdit& edit, const std::wstring& subject)
{
    edit.SetOverflowHandler(
        [subject](const UxEdit::Overflow& overflow) { ShowMsgBox(EditLimitText(subject, overflow)); });
}
