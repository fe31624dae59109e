#include "app/shell/MessengerApp.h"

#include "app/chat/ChatPage.h"
#include "app/shell/Alert.h"
#include "app/shell/MessageBoxes.h"
#include "app/update/UpgradeBox.h"
#include "messenger/ChatView.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/ChatSessionList.h"
#include "messenger/model/EmoticonList.h"
#include "messenger/model/GroupList.h"
#include "messenger/model/Me.h"
#include "messenger/model/MemoList.h"
#include "messenger/model/Options.h"
#include "messenger/protocol/codec/PktFactory.h"
#include "messenger/protocol/codec/PktOutEmpty.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"
#include "messenger/protocol/codec/PktTransactionIdIssuer.h"
#include "messenger/protocol/connection/PktPendingList.h"
#include "messenger/protocol/connection/TarvPeer.h"
#include "messenger/protocol/connection/TarvPong.h"
#include "messenger/protocol/login/SavedLogin.h"
#include "messenger/protocol/update/SelfUpdate.h"
#include "messenger/protocol/update/UpdateDownload.h"
#include "platform/display/VirtualKeys.h"
#include "platform/event/MessageQueue.h"
#include "platform/system/FileSystem.h"
#include "ux/core/UxClock.h"
#include "ux/core/UxDeviceWindow.h"
#include "ux/core/UxFile.h"
#include "ux/core/UxNavigationController.h"
#include "ux/core/UxPath.h"
#include "ux/core/UxPathResolver.h"
#include "ux/core/UxPopupInstance.h"
#include "ux/core/UxRegistryKey.h"
#include "ux/core/UxTransitionManager.h"
#include "ux/markup/UxXmlSkinHelper.h"
#include "ux/widgets/UxEdit.h"
#include "ux/widgets/UxListWindow.h"
#include "ux/widgets/UxMessageBox.h"

#include <new>

namespace {

// A page slides in over half a second, decelerating (cubic out).
constexpr float kPageSeconds = 0.5f;
constexpr int32_t kPageEasing = 7;

// The page item's transition for each animation code: kind (0 push, 1 cover) and
// direction.
constexpr struct {
    int32_t kind;
    int32_t parameter;
} kAnimations[] = { { 1, 2 }, { 1, 3 }, { 0, 0 }, { 0, 1 } };

uint32_t ClockNow()
{
    UxClock* clock = UxClock::GetInstance();
    return clock ? clock->GetElapsed() : 0;
}

template <typename T> void CreateOwned(T*& owner)
{
    owner = new (std::nothrow) T;
}

} // namespace

MessengerApp::MessengerApp()
    : m_programFolder(GetModuleDirectory())
{
}

MessengerApp::~MessengerApp()
{
    if (MessengerScreens::GetCurrent() == this)
        MessengerScreens::SetCurrent(nullptr);
    // The screens are members: take them out of the tree before they go.
    RemoveChildren();
    DeleteSingletons();
}

bool MessengerApp::InitInstance()
{
    // The root draws straight into the screen buffer.
    SetOwnSurface(false);
    if (UxDeviceWindow* device = UxDeviceWindow::GetInstance())
        m_notifier.Attach(device->GetHandle());
    SetUpResourcePaths();
    CreateSingletons();
    if (!LoadSkin() || !RegisterScreens())
        return false;
    MessengerScreens::SetCurrent(this);
    ShowStartScreen();
    RemoveUpdateLeftovers();
    return true;
}

void MessengerApp::ExitInstance()
{
    if (MessengerScreens::GetCurrent() == this)
        MessengerScreens::SetCurrent(nullptr);
    m_notifier.Detach();
    DeleteSingletons();
}

bool MessengerApp::OnDesktopKey(uintptr_t key, bool repeat)
{
    if (UxDesktop::OnDesktopKey(key, repeat))
        return true;
    // What lies under a popup takes no keys.
    if (UxPopupInstance::GetInstance()->GetPopup())
        return false;
    // F10 and the menu key open the menu of the bar's ≡, where it shows (signed in).
    if ((key == plat::VK_F10 || key == plat::VK_APPS) && !repeat && m_menuBar.SystemMenuButton.IsShownInTree()) {
        m_menuBar.OpenSystemMenu();
        return true;
    }
    // Waiting for a sign-in, Escape is the screen's Cancel.
    if (key == plat::VK_ESCAPE && !repeat && m_loginConnecting.IsShownInTree()) {
        m_loginConnecting.Cancel();
        return true;
    }
    UxPanel* page = ShownPage();
    if (!page)
        return false;
    auto* list = dynamic_cast<UxListWindow*>(page->GetKeyView());
    switch (key) {
    case plat::VK_ESCAPE:
        if (repeat)
            return false;
        if (page->OnEscape())
            return true;
        if (!ShownBackButton())
            return false;
        // Leaving by Escape gives the page's work up: a chooser applies nothing.
        if (!UxTransitionManager::GetInstance()->IsRunning())
            UxNavigationController::GetInstance()->Dismiss();
        return true;
    case plat::VK_RETURN:
        if (repeat)
            return false;
        return (list && list->ClickKeyRow()) || page->OnEnter();
    case plat::VK_UP:
    case plat::VK_DOWN: {
        // A box of several lines keeps its arrows; from a one-line box (a search) they
        // go to the list, and typing goes on in the box.
        auto* edit = dynamic_cast<UxEdit*>(FocusedWindow);
        if (!list || !list->IsShownInTree() || (edit && !(edit->GetStyles() & UxEdit::SingleLine)))
            return false;
        return list->MoveKeyRow(key == plat::VK_UP ? -1 : 1);
    }
    default:
        return false;
    }
}

bool MessengerApp::OnDesktopCommand(uintptr_t key, bool repeat)
{
    const bool alt = plat::IsKeyHeld(plat::VK_MENU), control = plat::IsKeyHeld(plat::VK_CONTROL);
    if (repeat || UxPopupInstance::GetInstance()->GetPopup() || !ShownPage())
        return false;
    if (alt && !control && key == plat::VK_LEFT) {
        // The back button itself, as a tap on it: a chooser applies its choice.
        UxButton* back = ShownBackButton();
        if (back)
            back->GetParent()->OnChildEvent(back, EventPointerUp);
        return back != nullptr;
    }
    if (control && !alt && key == plat::VK_TAB)
        return ChatPage::ShowNextChat(plat::IsKeyHeld(plat::VK_SHIFT));
    return false;
}

void MessengerApp::OnPointerPress()
{
    UxListWindow::DropKeyRow();
}

UxButton* MessengerApp::ShownBackButton()
{
    UxNavigationController* navigation = UxNavigationController::GetInstance();
    UxWindow* bar = navigation ? navigation->GetStatusBar() : nullptr;
    UxButton* back = nullptr;
    if (bar == &m_statusBarDisclosure)
        back = &m_statusBarDisclosure.BackButton;
    else if (bar == &m_statusBarChat)
        back = &m_statusBarChat.BackButton;
    return back && back->IsShownInTree() ? back : nullptr;
}

UxPanel* MessengerApp::ShownPage()
{
    UxNavigationController* navigation = UxNavigationController::GetInstance();
    auto* page = navigation ? dynamic_cast<UxPanel*>(navigation->GetPage()) : nullptr;
    return page && page->IsShownInTree() ? page : nullptr;
}

void MessengerApp::OnActivate(bool active)
{
    m_notifier.OnActivate(active);
}

bool MessengerApp::OnCloseRequest()
{
    if (!m_askingToQuit)
        m_askingToQuit = m_memoWritePage.AskBeforeDiscarding(&OnQuitAnswered, reinterpret_cast<uintptr_t>(this));
    return !m_askingToQuit;
}

void MessengerApp::OnQuitAnswered(uintptr_t context, UxPopup*, int32_t result)
{
    auto* app = reinterpret_cast<MessengerApp*>(context);
    app->m_askingToQuit = false;
    if (result == UxMessageBox::ResultYes)
        plat::PostQuitMessage(0);
}

void MessengerApp::SetUpResourcePaths()
{
    UxPathResolver* resolver = UxPathResolver::GetInstance();
    if (!resolver)
        return;
    std::wstring folder = m_programFolder;
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/')
        folder += L'\\';
    resolver->SetBase(0, folder + L"Image\\");
    resolver->SetBase(1, folder + L"Sound\\");
    resolver->SetBase(2, folder);
    // Downloads are kept apart from the program, which may not be writable.
    resolver->SetBase(3, plat::GetDataFolder());
}

void MessengerApp::CreateSingletons()
{
    CreateOwned(m_me);
    CreateOwned(m_groups);
    CreateOwned(m_buddies);
    CreateOwned(m_chats);
    CreateOwned(m_memos);
    // Reads its registry values at once.
    CreateOwned(m_options);
    CreateOwned(m_emoticons);
    CreateOwned(m_issuer);
    CreateOwned(m_packets);
    CreateOwned(m_handlers);
    CreateOwned(m_pending);
    if (m_pending)
        m_pending->SetClock(&ClockNow);
    CreateOwned(m_peer);
    CreateOwned(m_pong);
    CreateOwned(m_skin);
    CreateOwned(m_update);
}

// The reverse of creation; every step is safe when its owner is null.
void MessengerApp::DeleteSingletons()
{
    // Ends a download under way before anything it reports to goes.
    SafeDelete(m_update);
    SafeDelete(m_skin);
    SafeDelete(m_pong);
    SafeDelete(m_peer);
    SafeDelete(m_pending);
    SafeDelete(m_issuer);
    SafeDelete(m_packets);
    SafeDelete(m_handlers);
    SafeDelete(m_emoticons);
    // Saves its values.
    SafeDelete(m_options);
    SafeDelete(m_memos);
    SafeDelete(m_chats);
    SafeDelete(m_buddies);
    SafeDelete(m_groups);
    SafeDelete(m_me);
}

bool MessengerApp::LoadSkin()
{
    return m_skin && m_skin->LoadFile(L"Image\\Skin.dat");
}

std::array<UxWindow*, 24> MessengerApp::Screens()
{
    // Child order is painting order: later windows lie on top.
    return { &m_loginCounter, &m_loginConnecting, &m_loginGate, &m_statusBarDefault, &m_statusBarDisclosure,
        &m_statusBarChat, &m_menuBar, &m_buddyListPage, &m_buddyProfilePage, &m_buddyAddPage,
        &m_buddySelectPage, &m_buddyRequestListPage, &m_buddyRequestInfoPage, &m_groupAddPage,
        &m_groupSelectPage, &m_chatListPage, &m_chatInfoPage, &m_memoListPage, &m_memoReadPage,
        &m_memoWritePage, &m_optionListPage, &m_optionPage, &m_optionNickPage, &m_optionServiceInfoPage };
}

bool MessengerApp::RegisterScreens()
{
    for (UxWindow* window : Screens()) {
        AddChild(window);
        if (window != &m_menuBar)
            window->SetVisible(false);
    }
    return m_loginCounter.Create() && m_loginConnecting.Create() && m_loginGate.Create()
        && m_statusBarDefault.Create() && m_statusBarDisclosure.Create() && m_statusBarChat.Create()
        && m_menuBar.Create() && m_buddyListPage.Create() && m_buddyProfilePage.Create()
        && m_buddyAddPage.Create() && m_buddySelectPage.Create() && m_buddyRequestListPage.Create()
        && m_buddyRequestInfoPage.Create() && m_groupAddPage.Create() && m_groupSelectPage.Create()
        && m_chatListPage.Create() && m_chatInfoPage.Create() && m_memoListPage.Create()
        && m_memoReadPage.Create() && m_memoWritePage.Create() && m_optionListPage.Create()
        && m_optionPage.Create() && m_optionNickPage.Create() && m_optionServiceInfoPage.Create();
}

void MessengerApp::ShowStartScreen()
{
    UxRegistryKey key;
    if (key.Open(kMessengerRegistryPath) && !key.GetString(L"LoginBuddyId", L"").empty()
        && !LoadLoginPassword().empty()) {
        m_loginGate.Show();
        return;
    }
    m_loginCounter.Show();
}

void MessengerApp::RemoveUpdateLeftovers()
{
    UxPathResolver* resolver = UxPathResolver::GetInstance();
    if (!resolver)
        return;
    for (const wchar_t* name : { L"_Quorix.inf", L"_Quorix.cab" }) {
        const std::wstring path = resolver->Resolve(3, name);
        RemoveFile(path);
        // What a download cut off by a crash left under its temporary name.
        RemoveFile(UpdateDownload::TemporaryPath(path));
    }
}

bool MessengerApp::Navigate(UxWindow* statusBar, UxWindow* page, int animation, bool replace)
{
    UxNavigationController* navigation = UxNavigationController::GetInstance();
    if (!navigation || animation < 0 || animation > PushFromRight)
        return false;
    // The status bar changes at once; the page slides.
    const UxNavigationEntry entry(UxNavigationItem(statusBar),
        UxNavigationItem(page, kAnimations[animation].kind, kAnimations[animation].parameter,
            UxTransitionSpec(kPageSeconds, kPageEasing)));
    return replace ? navigation->Replace(entry, true) : navigation->Push(entry);
}

bool MessengerApp::PushScreen(UxWindow* statusBar, UxWindow* page, int animation)
{
    return Navigate(statusBar, page, animation, false);
}

bool MessengerApp::ReplaceScreen(UxWindow* statusBar, UxWindow* page, int animation)
{
    return Navigate(statusBar, page, animation, true);
}

void MessengerApp::ResetSession()
{
    if (TarvPeer* peer = TarvPeer::GetInstance())
        peer->RequestReset();
    else
        ResetScreens();
}

void MessengerApp::SignOut()
{
    if (!m_memoWritePage.AskBeforeDiscarding(&OnSignOutAnswered, reinterpret_cast<uintptr_t>(this)))
        SignOutNow();
}

void MessengerApp::OnSignOutAnswered(uintptr_t context, UxPopup*, int32_t result)
{
    auto* app = reinterpret_cast<MessengerApp*>(context);
    // Still writing: the session was not ended meanwhile (by the service) without us.
    if (result == UxMessageBox::ResultYes && app->m_memoWritePage.IsWriting())
        app->SignOutNow();
}

void MessengerApp::SignOutNow()
{
    if (TarvPeer* peer = TarvPeer::GetInstance();
        peer && peer->GetStage() == TarvPeer::StageMain && !peer->IsResetPending()) {
        PktOutEmpty signOut(L"LOUT");
        peer->Send(signOut);
    }
    ResetSession();
}

void MessengerApp::UpdateNotifyIcons()
{
    for (MainPage* page : { static_cast<MainPage*>(&m_buddyListPage), static_cast<MainPage*>(&m_chatListPage),
             static_cast<MainPage*>(&m_memoListPage), static_cast<MainPage*>(&m_optionListPage) })
        page->GetTabBar().UpdateNotifyIcons();
    m_menuBar.UpdateNotifyImages();
    m_notifier.UpdateTitle();
}

bool MessengerApp::ShowMsgBox(const std::wstring& text)
{
    return ::ShowMsgBox(text);
}

void MessengerApp::ResetScreens()
{
    if (UxTransitionManager* transitions = UxTransitionManager::GetInstance())
        transitions->RemoveAll();
    if (UxNavigationController* navigation = UxNavigationController::GetInstance()) {
        if (UxWindow* bar = navigation->GetStatusBar())
            bar->SetVisible(false);
        if (UxWindow* page = navigation->GetPage())
            page->SetVisible(false);
        navigation->Clear();
    }
    // A sign-in that never got through goes back to the login window it was started
    // from, so a failed first attempt leaves the form to try again.
    UxWindow* back = m_loginConnecting.IsVisible() && m_loginConnecting.GetOrigin() == &m_loginCounter
        ? static_cast<UxWindow*>(&m_loginCounter)
        : &m_loginGate;
    // Every other screen goes: also the connecting screen of a sign-in that failed,
    // the form it was started from, and a page below the top whose transition ended
    // after a later one began.
    for (UxWindow* window : Screens())
        if (window != &m_menuBar)
            window->SetVisible(false);
    back->SetVisible(true);
    // Memos: no row, and no memo the read page could still name.
    m_memoListPage.GetView().ClearRows();
    m_memoReadPage.GetView().Forget();
    // Chat: no row, no participants view, and the sessions and their pages go before
    // the unread marks are counted.
    m_chatListPage.GetView().Clear();
    m_chatInfoPage.GetView().Forget(m_chatInfoPage.GetView().GetSession());
    if (m_chats)
        m_chats->Clear();
    // Buddy list: the search text and the list view cleared; no filter outlives them.
    m_buddyListPage.ClearSearchWord();
    m_buddyListPage.GetView().SetFilter(L"");
    m_buddyListPage.GetView().Clear();
    // Buddy screens: nothing shown or chosen outlives the session.
    m_buddyProfilePage.ClearSession();
    m_buddyRequestInfoPage.ClearSession();
    m_buddySelectPage.ClearSession();
    m_groupSelectPage.ClearSession();
    // Forms: nothing typed in this session waits for the next, which may be someone
    // else's. The login form's id is the saved login's, not the session's.
    m_buddyAddPage.Clear();
    m_groupAddPage.SetGroupName(L"");
    m_memoWritePage.GetView().Forget();
    m_optionNickPage.Forget();
    m_statusBarDisclosure.HideAddButtons();
    m_statusBarChat.PageIndicator.RemoveAllPages();
    m_menuBar.UpdateNotifyImages();
    // The desktop shows nothing of a session that has ended.
    m_notifier.CloseAll();
}

void MessengerApp::ShowLoginForm()
{
    m_loginCounter.Show();
}

void MessengerApp::RefreshMyStatus()
{
    m_statusBarDefault.UpdateMyInfo();
}

bool MessengerApp::ReloadBuddyList()
{
    m_buddyRequestListPage.Refresh();
    return m_buddyListPage.GetView().Reload();
}

void MessengerApp::ShowBuddyList()
{
    m_loginConnecting.SetVisible(false);
    if (UxNavigationController* navigation = UxNavigationController::GetInstance())
        navigation->Push(
            UxNavigationEntry(UxNavigationItem(&m_statusBarDefault), UxNavigationItem(&m_buddyListPage)));
}

void MessengerApp::RefreshBuddy(const std::wstring& id)
{
    if (const Buddy* buddy = m_buddies ? m_buddies->FindById(id) : nullptr)
        m_buddyListPage.GetView().UpdateBuddy(*buddy);
    m_buddyRequestListPage.Refresh();
}

void MessengerApp::PlayAlert(int alert)
{
    ::PlayAlert(alert);
}

void MessengerApp::NotifyChatLine(
    ChatSession& session, const std::wstring& name, const std::wstring& nick, const std::wstring& text)
{
    m_notifier.ChatLine(session, name, nick, text);
}

void MessengerApp::NotifyMemo(const Memo& memo)
{
    m_notifier.NewMemo(memo);
}

bool MessengerApp::ShowNotifyBox(const std::wstring& title, const std::wstring& text)
{
    return ::ShowNotifyBox(title, text);
}

void MessengerApp::ShowMemoInbox()
{
    m_memoListPage.GetView().SwitchBox(MemoList::BoxInbox);
}

void MessengerApp::InsertNewMemos(int count)
{
    m_memoListPage.GetView().InsertNewMemos(count);
}

void MessengerApp::AppendMemoPage(int count)
{
    m_memoListPage.GetView().AppendPage(count);
}

Memo* MessengerApp::GetShownMemo()
{
    return m_memoReadPage.GetShownMemo();
}

void MessengerApp::SetMemo(const PktInImsg& packet)
{
    m_memoReadPage.GetView().SetMemo(packet);
}

void MessengerApp::RefreshChatPeer(const std::wstring& email)
{
    ChatPage::RefreshPeer(email);
}

void MessengerApp::RefreshBuddyProfile(const std::wstring& id)
{
    m_buddyProfilePage.Refresh(id);
}

void MessengerApp::MoveProfileBuddy(const std::wstring& id, const std::wstring& groupId)
{
    m_buddyProfilePage.MoveBuddy(id, groupId);
}

void MessengerApp::AskBuddyRequest(
    const std::wstring& id, const std::wstring& email, const std::wstring& message)
{
    if (!::ShowConfirmBox(
            FormatString(L"%s 님이 친구 요청을 하였습니다.\n\n%s\n\n지금 바로 확인하시겠습니까?",
                email.c_str(), message.c_str()),
            &OnBuddyRequestAnswered, reinterpret_cast<uintptr_t>(this)))
        return;
    m_askedBuddyId = id;
}

void MessengerApp::OnBuddyRequestAnswered(uintptr_t context, UxPopup*, int32_t result)
{
    auto* app = reinterpret_cast<MessengerApp*>(context);
    GroupList* groups = GroupList::GetInstance();
    if (result != 2 || !groups || !groups->Find(L"0"))
        return;
    app->m_buddyRequestInfoPage.OpenAsked(app->m_askedBuddyId);
}

bool MessengerApp::ShowConfirmBox(const std::wstring& text, UxPopupCallback callback, uintptr_t context)
{
    return ::ShowConfirmBox(text, callback, context);
}

std::unique_ptr<UpgradeView> MessengerApp::ShowUpgradeBox()
{
    return UpgradeBox::Show();
}

std::unique_ptr<ChatView> MessengerApp::CreateChatView(ChatSession& session)
{
    return ChatPage::Make(session);
}

void MessengerApp::AddChatSession(ChatSession& session)
{
    m_statusBarChat.PageIndicator.AddPage();
    m_chatListPage.GetView().AddSession(session);
}

void MessengerApp::UpdateChatSession(ChatSession& session)
{
    m_chatListPage.GetView().UpdateSession(session);
}

void MessengerApp::ReloadChatInfo(ChatSession& session)
{
    m_chatInfoPage.GetView().ReloadIfShowing(session);
}
