#pragma once

#include "app/buddies/FilledBar.h"
#include "ux/widgets/UxButton.h"

class BuddyRequestInfoView;

// Under a buddy request: accept it into the chosen group, or reject it; either answers
// the service and goes back, without a question.
class BuddyRequestInfoButtonBar : public FilledBar {
public:
    ~BuddyRequestInfoButtonBar() override;

    bool Build(UxXmlNode* node, BuddyRequestInfoView* view);
    bool OnChildEvent(UxWindow* child, int32_t code) override;

    UxButton AcceptButton;
    UxButton RejectButton;

private:
    BuddyRequestInfoView* m_view = nullptr;
};
