#include "app/memos/MemoListTitleBar.h"

#include "app/shell/MenuMemoBox.h"
#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
#include "messenger/model/MemoList.h"

MemoListTitleBar::~MemoListTitleBar()
{
    RemoveChildren();
}

bool MemoListTitleBar::ApplySkin(UxXmlNode* node)
{
    return node && UxWindow::ApplySkin(node)
        && AddSkinParts(*this, node,
            { { L"BackSkin", &BackSkin }, { L"BoxText", &BoxText }, { L"BoxButton", &BoxButton },
                { L"WriteButton", &WriteButton } });
}

void MemoListTitleBar::ShowBox(int32_t box)
{
    if (box == MemoList::BoxInbox)
        BoxText.SetText(L"받은 쪽지함");
    else if (box == MemoList::BoxSent)
        BoxText.SetText(L"보낸 쪽지함");
    BoxText.Invalidate();
}

bool MemoListTitleBar::OnChildEvent(UxWindow* child, int32_t code)
{
    MessengerApp* app = MessengerApp::GetInstance();
    if (code != EventPointerUp || !app)
        return true;
    if (child == &BoxButton) {
        auto* menu = new MenuMemoBox;
        if (!menu->IsBuilt()) {
            delete menu;
            return true;
        }
        menu->Popup(&OnBoxChosen, reinterpret_cast<uintptr_t>(this));
    } else if (child == &WriteButton) {
        app->GetMemoWritePage().GetView().Clear();
        app->PushScreen(
            &app->GetStatusBarDisclosure(), &app->GetMemoWritePage(), MessengerApp::CoverFromBottom);
    }
    return true;
}

void MemoListTitleBar::OnBoxChosen(uintptr_t, UxPopup* popup, int32_t result)
{
    auto* menu = dynamic_cast<MenuMemoBox*>(popup);
    MessengerApp* app = MessengerApp::GetInstance();
    if (result != 1 || !menu || !app)
        return;
    const int32_t box = menu->GetSelection();
    if (box == MenuMemoBox::Inbox || box == MenuMemoBox::SentBox)
        app->GetMemoListPage().GetView().SwitchBox(box);
}
