#include "messenger/model/Options.h"

#include "ux/core/UxRegistryKey.h"

#include <iterator>

namespace {

const wchar_t* const kApplicationKey = L"Software\\Ulvanox\\MobileMessenger";

std::wstring TextAt(const wchar_t* const* texts, size_t count, int32_t value)
{
    return value >= 0 && static_cast<size_t>(value) < count ? texts[value] : L"";
}

} // namespace

Options::Options()
{
    Load();
}

Options::~Options()
{
    Save();
}

bool Options::Load()
{
    UxRegistryKey key;
    if (!key.Open(kApplicationKey))
        return true;
    int32_t* fields[] = { &m_chatType, &m_viewType, &m_sortType, &m_notifyType, &m_notifyScopes };
    const wchar_t* names[]
        = { kChatTypeName, kViewTypeName, kSortTypeName, kNotifyTypeName, kNotifyScopesName };
    for (size_t i = 0; i < std::size(fields); ++i)
        *fields[i] = static_cast<int32_t>(key.GetDword(names[i], static_cast<uint32_t>(*fields[i])));
    return true;
}

bool Options::Save() const
{
    UxRegistryKey key;
    if (!key.Create(kApplicationKey))
        return false;
    const int32_t values[] = { m_chatType, m_viewType, m_sortType, m_notifyType, m_notifyScopes };
    const wchar_t* names[]
        = { kChatTypeName, kViewTypeName, kSortTypeName, kNotifyTypeName, kNotifyScopesName };
    bool ok = true;
    for (size_t i = 0; i < std::size(values); ++i)
        ok = key.SetDword(names[i], static_cast<uint32_t>(values[i])) && ok;
    return ok;
}

bool Options::Change(int32_t& field, const wchar_t* name, int32_t value)
{
    field = value;
    UxRegistryKey key;
    return key.Create(kApplicationKey) && key.SetDword(name, static_cast<uint32_t>(value));
}

std::wstring Options::GetChatTypeText(int32_t value)
{
    static const wchar_t* const texts[] = { L"대화하기", L"쪽지쓰기" };
    return TextAt(texts, std::size(texts), value);
}

std::wstring Options::GetViewTypeText(int32_t value)
{
    static const wchar_t* const texts[]
        = { L"이름 보기", L"대화명 보기", L"이름+ID 보기", L"이름+대화명 보기" };
    return TextAt(texts, std::size(texts), value);
}

std::wstring Options::GetSortTypeText(int32_t value)
{
    static const wchar_t* const texts[] = { L"전체 보기", L"접속자만 보기" };
    return TextAt(texts, std::size(texts), value);
}

std::wstring Options::GetNotifyTypeText(int32_t value)
{
    static const wchar_t* const texts[] = { L"사용 안 함", L"소리 사용", L"진동 사용", L"소리+진동 사용" };
    return TextAt(texts, std::size(texts), value);
}

std::wstring Options::GetNotifyScopesText(int32_t bits)
{
    static const struct {
        int32_t bit;
        const wchar_t* text;
    } scopes[] = { { ScopeLogin, L"로그인" }, { ScopeChat, L"대화" }, { ScopeMemo, L"쪽지" } };
    std::wstring text;
    for (const auto& scope : scopes) {
        if (!(bits & scope.bit))
            continue;
        if (!text.empty())
            text += L"+";
        text += scope.text;
    }
    return text.empty() ? L"사용 안 함" : text + L" 알림";
}
