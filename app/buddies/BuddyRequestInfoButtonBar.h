#pragma once

#include "app/shell/FilledWindow.h"
#include "ux/widgets/UxButton.h"

class BuddyRequestInfoView;

// Under a buddy request: accept it into the chosen group, or reject it; either answers
// the service and goes back, without a question.
class BuddyRequestInfoButtonBar : public FilledWindow {
public:
    // The bar answers the request the view shows.
    explicit BuddyRequestInfoButtonBar(BuddyRequestInfoView& view)
        : m_view(view)
    {
    }
    ~BuddyRequestInfoButtonBar() override;

    // The bar's keys, then the buttons from the children of their names.
    bool ApplySkin(UxXmlNode* node) override;
    bool OnChildEvent(UxWindow* child, int32_t code) override;

    UxButton AcceptButton;
    UxButton RejectButton;

private:
    BuddyRequestInfoView& m_view;
};
