#pragma once

#include "app/shell/AppMenu.h"

#include <memory>
#include <vector>

// The emoticon picker of the chat input bar: one row per emoticon of the skin, its
// picture beside its code.
class MenuEmoticon : public AppMenu {
public:
    MenuEmoticon();
    ~MenuEmoticon() override;
    int32_t GetSelection() { return AppMenu::GetSelection(-1); }

private:
    void DrawRowIcon(UxListItemPainter& painter, int32_t index) override;

    static Look s_look;
    std::vector<std::unique_ptr<UxImageItem>> m_icons;
};
