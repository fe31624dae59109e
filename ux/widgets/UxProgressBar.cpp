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
    switch (Direction) {
    case LeftToRight:
        bar.right = Edge(int64_t(bar.left) + cut(bar.left, bar.right));
        image.right = Edge(int64_t(image.left) + cut(image.left, image.right));
        break;
    case RightToLeft:
        bar.left = Edge(int64_t(bar.right) - cut(bar.left, bar.right));
        image.left = Edge(int64_t(image.right) - cut(image.left, image.right));
        break;
    case TopToBottom:
        bar.bottom = Edge(int64_t(bar.top) + cut(bar.top, bar.bottom));
        image.bottom = Edge(int64_t(image.top) + cut(image.top, image.bottom));
        break;
    case BottomToTop:
        bar.top = Edge(int64_t(bar.bottom) - cut(bar.top, bar.bottom));
        image.top = Edge(int64_t(image.bottom) - cut(image.top, image.bottom));
        break;
    default:
        break;
    }
    BarSkin.SetRect(bar);
    BarSkin.GetImage().SetImageCoord(image);
    Invalidate(); // the part the bar gave up as well
    Label.SetText(std::to_wstring(int32_t(f * 100.0f)) + L"%");
}
