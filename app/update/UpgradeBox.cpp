#include "app/update/UpgradeBox.h"

#include "platform/event/Window.h"
#include "ux/core/UxDeviceWindow.h"
#include "ux/markup/UxXmlNode.h"
#include "ux/markup/UxXmlSkinHelper.h"

namespace {

// Icon, title and line; no text and no buttons.
constexpr uint32_t kStyle = UxMessageBox::ShowIcon | UxMessageBox::ShowTitle | UxMessageBox::ShowLine;

// The download's hold on its box, let go when a newer popup or shut-down closes it.
class UpgradeBoxView : public UpgradeView {
public:
    explicit UpgradeBoxView(UpgradeBox* box)
        : m_box(box)
    {
    }
    ~UpgradeBoxView() override
    {
        if (m_box)
            m_box->Close(0);
    }

    void OnProgress(int32_t done, int32_t total) override
    {
        if (m_box)
            m_box->OnProgress(done, total);
    }

    static void OnClosed(uintptr_t context, UxPopup*, int32_t)
    {
        reinterpret_cast<UpgradeBoxView*>(context)->m_box = nullptr;
    }

private:
    UpgradeBox* m_box;
};

} // namespace

UpgradeBox::UpgradeBox()
{
    UxXmlNode* section = SelectSkinNode(L"UpgradeBox");
    AddChild(&ProgressBar);
    UxXmlNode* bar = section ? section->FindChild(L"ProgressBar") : nullptr;
    m_skinLoaded = UxMessageBox::ApplySkin(section) && bar && ProgressBar.ApplySkin(bar);
    ProgressBar.Update();
}

UpgradeBox::~UpgradeBox()
{
    RemoveChild(&ProgressBar);
}

std::unique_ptr<UpgradeView> UpgradeBox::Show()
{
    auto* box = new UpgradeBox;
    if (!box->m_skinLoaded) {
        delete box;
        return nullptr;
    }
    auto view = std::make_unique<UpgradeBoxView>(box);
    // Show deletes a box it could not show.
    if (!box->UxMessageBox::Show(kStyle, &UpgradeBoxView::OnClosed, reinterpret_cast<uintptr_t>(view.get()))) {
        view->OnClosed(reinterpret_cast<uintptr_t>(view.get()), nullptr, 0);
        return nullptr;
    }
    return view;
}

bool UpgradeBox::OnProgress(int32_t done, int32_t total)
{
    ProgressBar.Progress = total > 0 ? static_cast<float>(done) / static_cast<float>(total) : 0.0f;
    ProgressBar.Update();
    if (UxDeviceWindow* device = UxDeviceWindow::GetInstance())
        plat::UpdateWindow(device->GetHandle());
    return true;
}
