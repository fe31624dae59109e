#include "ux/widgets/UxPageIndicator.h"

#include "ux/widgets/UxCheckButton.h"

#include <algorithm>
#include <climits>

namespace {

void CopyNode(const UxXmlNode& from, UxXmlNode& to)
{
    switch (from.GetKind()) {
    case UxXmlNode::ProcessingInstruction:
        to.SetProcessingInstruction(from.GetName());
        break;
    case UxXmlNode::CData:
        to.SetCData(from.GetName());
        break;
    case UxXmlNode::Comment:
        to.SetComment(from.GetName());
        break;
    case UxXmlNode::Text:
        to.SetText(from.GetName());
        break;
    default:
        to.SetElement(from.GetName());
        break;
    }
    for (size_t i = 0; i < from.GetChildCount(); ++i)
        CopyNode(*from.GetChild(i), *to.NewChild(-1));
}

} // namespace

UxPageIndicator::UxPageIndicator()
{
    AddChild(&Prev);
    AddChild(&Next);
    Prev.SetVisible(false);
    Next.SetVisible(false);
}

UxPageIndicator::~UxPageIndicator()
{
    RemoveAllPages();
    RemoveChild(&Prev);
    RemoveChild(&Next);
}

bool UxPageIndicator::ApplySkin(UxXmlNode* node)
{
    if (!UxWindow::ApplySkin(node))
        return false;
    if (!node)
        return true;
    if (UxXmlNode* n = node->FindChild(L"NumPages"))
        DotsPerGroup = n->GetInt();
    if (UxXmlNode* n = node->FindChild(L"PageSize"))
        DotSize = n->GetPoint();
    if (UxXmlNode* n = node->FindChild(L"PageSpacing"))
        DotSpacing = n->GetInt();
    if (UxXmlNode* n = node->FindChild(L"Page"))
        CopyNode(*n, m_dotLook);
    if (UxXmlNode* n = node->FindChild(L"Prev"); n && !Prev.ApplySkin(n))
        return false;
    if (UxXmlNode* n = node->FindChild(L"Next"); n && !Next.ApplySkin(n))
        return false;
    return true;
}

bool UxPageIndicator::AddPage()
{
    auto* dot = new UxCheckButton;
    if (!dot->ApplySkin(&m_dotLook)) {
        delete dot;
        return false;
    }
    dot->Enabled = 0; // dots show the page, they do not choose it
    AddChild(dot);
    m_dots.push_back(dot);
    Layout();
    return true;
}

bool UxPageIndicator::RemovePage()
{
    if (m_dots.empty())
        return false;
    UxCheckButton* dot = m_dots.front();
    m_dots.erase(m_dots.begin());
    RemoveChild(dot);
    delete dot;
    Layout();
    return true;
}

void UxPageIndicator::RemoveAllPages()
{
    for (UxCheckButton* dot : m_dots) {
        RemoveChild(dot);
        delete dot;
    }
    m_dots.clear();
}

void UxPageIndicator::SetCurrentPage(int32_t index)
{
    m_current = index;
    Layout();
}

plat::RECT UxPageIndicator::Slot(int32_t i, int32_t n) const
{
    // Sizes come from the skin: work wide and keep every edge an int.
    auto edge = [](int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
    int64_t w = DotSize.x, h = DotSize.y, s = DotSpacing;
    int64_t margin = std::max<int64_t>(0, (int64_t(GetWidth()) - (n - 1) * s - n * w) / 2);
    int64_t left = margin + i * (w + s);
    int64_t top = (int64_t(GetHeight()) - h) / 2;
    return { edge(left), edge(top), edge(left + w), edge(top + h) };
}

void UxPageIndicator::Layout()
{
    if (m_dots.empty())
        return;
    for (UxCheckButton* dot : m_dots)
        dot->SetVisible(false);
    const int32_t pages = int32_t(m_dots.size());
    // A skin without a group size shows no dots rather than dividing by it.
    if (DotsPerGroup < 1) {
        Prev.SetVisible(false);
        Next.SetVisible(false);
        Invalidate();
        return;
    }
    // The group arithmetic needs a page that exists.
    m_current = std::clamp(m_current, 0, pages - 1);
    // More dots per group than a skin could mean still leaves room for the two arrows.
    const int32_t n = std::min(DotsPerGroup, 1 << 16);
    const int32_t group = m_current / n, position = m_current % n, lastGroup = (pages - 1) / n;
    const int32_t shown = group == lastGroup ? pages - n * group : n;
    for (int32_t i = 0; i < shown; ++i) {
        UxCheckButton* dot = m_dots[size_t(i)];
        dot->SetVisible(true);
        dot->SetRect(Slot(i, shown));
        dot->SetChecked(i == position);
    }
    Prev.SetVisible(group > 0);
    Prev.SetRect(Slot(0, n + 2));
    Next.SetVisible(group < lastGroup);
    Next.SetRect(Slot(n + 1, n + 2));
    Invalidate();
}
