#pragma once

#include "ux/widgets/UxButton.h"
#include "ux/widgets/UxPageHeader.h"
#include "ux/widgets/UxPageIndicator.h"

// The status bar above chat pages: back, close the chat, and one dot per open chat.
class StatusBarChat : public UxPageHeader {
public:
    ~StatusBarChat() override;

    bool Create();
    bool OnChildEvent(UxWindow* child, int32_t code) override;
    // Ends the chat on screen and goes back.
    void CloseChat();

    UxButton BackButton;
    UxButton CloseButton;
    UxPageIndicator PageIndicator;
};
