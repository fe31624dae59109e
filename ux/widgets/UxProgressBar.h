#pragma once

#include "ux/core/UxWindow.h"
#include "ux/widgets/UxImageWindow.h"
#include "ux/widgets/UxLabel.h"

// A bar picture cut to the progress in one of four directions, over a back picture,
// with the percentage as text.
class UxProgressBar : public UxWindow {
public:
    enum : int32_t { LeftToRight = 0, RightToLeft = 1, TopToBottom = 2, BottomToTop = 3 };

    UxProgressBar();
    ~UxProgressBar() override;

    // "Direction", "BackSkin", "BarSkin" (whose "_Rect" and "ImageCoord" are the full
    // bar) and "Label".
    bool ApplySkin(UxXmlNode* node) override;
    // Clamps Progress to 0..1 (nothing known counts as 0), cuts the bar and its picture
    // to it and writes the percentage.
    void Update();

    int32_t Direction = LeftToRight;
    float Progress = 0;
    UxImageWindow BackSkin;
    UxImageWindow BarSkin;
    UxLabel Label;

private:
    plat::RECT m_fullBar;
    plat::RECT m_fullImage;
};
