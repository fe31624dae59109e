#pragma once

#include <cstdint>

// The update download's progress box as the download sees it. The screens make it
// (MessengerScreens::ShowUpgradeBox) and the download owns it; the box may be gone
// already (a newer popup closed it), and then reports change nothing.
class UpgradeView {
public:
    virtual ~UpgradeView() = default;

    // done of total bytes have arrived; a total of 0 is not known yet.
    virtual void OnProgress(int32_t done, int32_t total) = 0;
};
