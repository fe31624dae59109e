#pragma once

#include "app/shell/FilledWindow.h"
#include "ux/widgets/UxButton.h"
#include "ux/widgets/UxPopup.h"

class BuddyProfileView;

// Under the profile: block or unblock the buddy (the label follows its flags at every
// repaint), and delete it; each after a question.
class BuddyProfileButtonBar : public FilledWindow {
public:
    // The bar acts on the buddy the view shows.
    explicit BuddyProfileButtonBar(BuddyProfileView& view)
        : m_view(view)
    {
    }
    ~BuddyProfileButtonBar() override;

    // The bar's keys, then the buttons from the children of their names.
    bool ApplySkin(UxXmlNode* node) override;
    bool OnPaint(UxDeviceContext* surface, const plat::RECT& rect) override;
    bool OnChildEvent(UxWindow* child, int32_t code) override;

    // "친구 차단" while the buddy may see this user (the allow list), else "차단 해제".
    void UpdateBlockLabel();

    UxButton BlockButton;
    UxButton DeleteButton;

private:
    static void OnBlockAnswered(uintptr_t context, UxPopup* box, int32_t result);
    static void OnDeleteAnswered(uintptr_t context, UxPopup* box, int32_t result);

    BuddyProfileView& m_view;
    // What Yes does to the buddy asked about: block, or let it see this user again.
    bool m_blocking = false;
    std::wstring m_askedId;
};
