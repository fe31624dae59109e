#pragma once

#include "messenger/UpgradeView.h"
#include "ux/widgets/UxMessageBox.h"
#include "ux/widgets/UxProgressBar.h"

#include <cstdint>
#include <memory>

// The update download's box: icon, title and line over a progress bar, and no button,
// so the user cannot close it. Built from the skin section "UpgradeBox" and its node
// "ProgressBar".
class UpgradeBox : public UxMessageBox {
public:
    UpgradeBox();
    ~UpgradeBox() override;

    // A new box, shown over the dimmed screen. The view it returns holds the box: its
    // reports reach the box while the box is open, and the box closes when the view
    // goes. Null when the skin gives no box.
    static std::unique_ptr<UpgradeView> Show();

    // done of total bytes: the bar shows their fraction (nothing while the total is not
    // known) and the screen is drawn at once. True: the download goes on.
    bool OnProgress(int32_t done, int32_t total);

    UxProgressBar ProgressBar;

private:
    bool m_skinLoaded = false;
};
