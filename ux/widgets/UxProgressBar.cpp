#include "ux/widgets/UxProgressBar.h"

#include "ux/markup/UxSkinWords.h"
#include "ux/markup/UxXmlNode.h"

#include <algorithm>
#include <climits>
#include <string>

namespace {

// Skin rectangles may hold anything; a cut edge stays an int.
int32_t Edge(int64_t v)
{
    return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

} // namespace

UxProgressBar::UxProgressBar()
{
    AddChild(&BackSkin);
    AddChild(&BarSkin);
    AddChild(&Label);
}

UxProgressBar::~UxProgressBar()
{
    RemoveChild(&BackSkin);
    RemoveChild(&BarSkin);
    RemoveChild(&Label);
}

bool UxProgressBar::ApplySkin(UxXmlNode* node)
{
    if (!UxWindow::ApplySkin(node))
        return false;
    if (!node)
        return true;
    if (UxXmlNode* n = node->FindChild(L"Direction"))
        Direction = ParseDirection(n->GetText());
    if (UxXmlNode* n = node->FindChild(L"BackSkin"); n && !BackSkin.ApplySkin(n))
        return false;
    if (UxXmlNode* n = node->FindChild(L"BarSkin")) {
        if (!BarSkin.ApplySkin(n))
            return false;
        m_fullBar = BarSkin.GetRect();
        // Without an ImageCoord the item took the whole picture.
        m_fullImage = BarSkin.GetImage().GetDesc().ImageCoord;
    }
    if (UxXmlNode* n = node->FindChild(L"Label"); n && !Label.ApplySkin(n))
        return false;
    return true;
}

void UxProgressBar::Update()
{
    // A fraction of nothing (0 / 0) is no progress yet.
    float f = Progress >= 0.0f ? (Progress > 1.0f ? 1.0f : Progress) : 0.0f;
    Progress = f;
    plat::RECT bar = m_fullBar, image = m_fullImage;
    auto cut = [f](int32_t from, int32_t to) { return int32_t(double(int64_t(to) - from) * f); };
    // The bar and its part of the picture shrink alike, from the end the direction names.
    auto shrink = [&](plat::RECT& r) {
        switch (Direction) {
        case LeftToRight:
            r.right = Edge(int64_t(r.left) + cut(r.left, r.right));
            break;
        case RightToLeft:
            r.left = Edge(int64_t(r.right) - cut(r.left, r.right));
            break;
        case TopToBottom:
            r.bottom = Edge(int64_t(r.top) + cut(r.top, r.bottom));
            break;
        case BottomToTop:
            r.top = Edge(int64_t(r.bottom) - cut(r.top, r.bottom));
            break;
        default:
            break;
        }
    };
    shrink(bar);
    shrink(image);
    BarSkin.SetRect(bar);
    BarSkin.GetImage().SetImageCoord(image);
    Invalidate(); // the part the bar gave up as well
    Label.SetText(std::to_wstring(int32_t(f * 100.0f)) + L"%");
}
