#include "ux/markup/UxXmlNode.h"

#include <cfloat>
#include <cwchar>
#include <cwctype>
#include <limits>

namespace {

bool IsDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

int32_t ClampToInt32(int64_t v)
{
    if (v > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (v < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

// Reads integers as a "%d, %d, ..." format does: white space before each number, a ','
// right after it, then any white space. Stops at the first mismatch; returns the count.
// Numbers are clamped to 32 bits rather than left to overflow.
int ScanInts(const std::wstring& text, int32_t* out, int count)
{
    size_t i = 0;
    for (int n = 0; n < count; ++n) {
        if (n > 0) {
            if (i >= text.size() || text[i] != L',')
                return n;
            ++i;
        }
        while (i < text.size() && std::iswspace(text[i]))
            ++i;
        bool negative = false;
        if (i < text.size() && (text[i] == L'-' || text[i] == L'+'))
            negative = text[i++] == L'-';
        if (i >= text.size() || !IsDigit(text[i]))
            return n;
        int64_t v = 0;
        for (; i < text.size() && IsDigit(text[i]); ++i)
            v = std::min<int64_t>(v * 10 + (text[i] - L'0'), int64_t(1) << 40);
        out[n] = ClampToInt32(negative ? -v : v);
    }
    return count;
}

} // namespace

UxXmlNode::UxXmlNode() = default;

UxXmlNode::~UxXmlNode()
{
    DeleteChildren();
}

void UxXmlNode::DeleteChildren()
{
    for (UxXmlNode* child : m_children)
        delete child;
    m_children.clear();
}

void UxXmlNode::Reset(int32_t kind, const std::wstring& name)
{
    m_kind = kind;
    m_name = name;
    m_attributes.clear();
    DeleteChildren();
}

std::wstring UxXmlNode::GetText() const
{
    return m_children.empty() ? std::wstring() : m_children.front()->m_name;
}

UxXmlNode* UxXmlNode::FindChild(const std::wstring& name) const
{
    for (UxXmlNode* child : m_children) {
        if (child->m_kind == Element && child->m_name == name)
            return child;
    }
    return nullptr;
}

UxXmlNode* UxXmlNode::NewChild(int32_t index)
{
    auto* node = new UxXmlNode;
    if (index < 0 || static_cast<size_t>(index) >= m_children.size())
        m_children.push_back(node);
    else
        m_children.insert(m_children.begin() + index, node);
    return node;
}

void UxXmlNode::AddAttribute(const std::wstring& name, const std::wstring& value)
{
    m_attributes.emplace(name, value);
}

std::wstring UxXmlNode::GetAttribute(const std::wstring& name) const
{
    auto it = m_attributes.find(name);
    return it == m_attributes.end() ? std::wstring() : it->second;
}

int32_t UxXmlNode::GetInt() const
{
    int32_t v = 0;
    ScanInts(GetText(), &v, 1);
    return v;
}

float UxXmlNode::GetFloat() const
{
    std::wstring text = GetText();
    double digits = 0;
    size_t afterDot = 0;
    bool dot = false;
    for (wchar_t c : text) {
        if (c == L'.') {
            dot = true; // the last '.' counts
            afterDot = 0;
        } else if (IsDigit(c)) {
            digits = digits * 10 + (c - L'0');
            ++afterDot;
        } else {
            return 0;
        }
    }
    double v = digits;
    for (size_t i = 0; dot && i < afterDot && v != 0; ++i)
        v /= 10;
    return v > FLT_MAX ? FLT_MAX : static_cast<float>(v);
}

bool UxXmlNode::GetBool() const
{
    return GetText() == L"True";
}

uint32_t UxXmlNode::GetColor() const
{
    std::wstring text = GetText();
    if (text.empty() || text[0] != L'#')
        return 0;
    uint32_t parts[3] = { 0, 0, 0 };
    size_t i = 1;
    for (uint32_t& part : parts) {
        while (i < text.size() && std::iswspace(text[i]))
            ++i;
        size_t n = 0;
        while (n < 2 && i + n < text.size() && std::iswxdigit(static_cast<wint_t>(text[i + n])))
            ++n;
        if (n == 0)
            break;
        part = static_cast<uint32_t>(std::wcstoul(text.substr(i, n).c_str(), nullptr, 16));
        i += n;
    }
    return parts[0] | parts[1] << 8 | parts[2] << 16;
}

plat::POINT UxXmlNode::GetPoint() const
{
    int32_t v[2] = { 0, 0 };
    ScanInts(GetText(), v, 2);
    return plat::POINT { v[0], v[1] };
}

plat::RECT UxXmlNode::GetRect() const
{
    int32_t v[4] = { 0, 0, 0, 0 };
    ScanInts(GetText(), v, 4);
    return plat::RECT { v[0], v[1], ClampToInt32(int64_t(v[0]) + v[2]), ClampToInt32(int64_t(v[1]) + v[3]) };
}
