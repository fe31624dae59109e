#pragma once

#include "app/buddies/BuddyAddPage.h"
#include "app/buddies/BuddyListPage.h"
#include "app/buddies/BuddyProfilePage.h"
#include "app/buddies/BuddyRequestInfoPage.h"
#include "app/buddies/BuddyRequestListPage.h"
#include "app/buddies/BuddySelectPage.h"
#include "app/buddies/GroupAddPage.h"
#include "app/buddies/GroupSelectPage.h"
#include "app/chat/ChatInfoPage.h"
#include "app/chat/ChatListPage.h"
#include "app/login/LoginConnecting.h"
#include "app/login/LoginCounter.h"
#include "app/login/LoginGate.h"
#include "app/memos/MemoListPage.h"
#include "app/memos/MemoReadPage.h"
#include "app/memos/MemoWritePage.h"
#include "app/options/OptionListPage.h"
#include "app/options/OptionNickPage.h"
#include "app/options/OptionPage.h"
#include "app/options/OptionServiceInfoPage.h"
#include "app/shell/DesktopNotifier.h"
#include "app/shell/MenuBar.h"
#include "app/shell/StatusBarChat.h"
#include "app/shell/StatusBarDefault.h"
#include "app/shell/StatusBarDisclosure.h"
#include "messenger/MessengerScreens.h"
#include "ux/core/UxDesktop.h"

#include <array>
#include <memory>
#include <string>

class BuddyList;
class ChatSessionList;
class EmoticonList;
class GroupList;
class MemoList;
class Options;
class Me;
class PktFactory;
class PktHandlerFactory;
class PktPendingList;
class PktTransactionIdIssuer;
class SelfUpdate;
class TarvPeer;
class TarvPong;
class UxPopup;
class UxXmlSkinHelper;

// The application: the desktop that holds every fixed screen, starts and ends the
// messenger, and is what the protocol code calls for its screens.
class MessengerApp : public UxDesktop, public MessengerScreens {
public:
    // How PushScreen and ReplaceScreen bring a page in.
    enum Animation {
        CoverFromTop = 0,
        CoverFromBottom = 1,
        PushFromLeft = 2,
        PushFromRight = 3,
    };

    MessengerApp();
    ~MessengerApp() override;

    static MessengerApp* GetInstance() { return dynamic_cast<MessengerApp*>(UxDesktop::GetInstance()); }

    bool InitInstance() override;
    void ExitInstance() override;
    void OnActivate(bool active) override;
    // Closing the window throws a memo being written away: it asks first.
    bool OnCloseRequest() override;

    // The folder the skin and sounds are looked up in; the program's
    // own folder unless set before Create.
    void SetProgramFolder(const std::wstring& folder) { m_programFolder = folder; }
    const std::wstring& GetProgramFolder() const { return m_programFolder; }

    // A (status bar, page) entry over the current one, or in its place (the replaced
    // entry's animation is kept, so going back reverses that one). False when the
    // navigation could not change; an animation outside 0-3 is refused.
    bool PushScreen(UxWindow* statusBar, UxWindow* page, int animation);
    bool ReplaceScreen(UxWindow* statusBar, UxWindow* page, int animation);
    // Ends the session on the next turn of the message loop and returns to the
    // saved-login screen; asking again before it ran changes nothing.
    void ResetSession();
    // The user signs out (the system menu's "로그아웃"): a memo being written is asked
    // about first, and kept with the session when the answer is No.
    void SignOut();
    // The unread marks of the tab bars and the menu bar, and the window's title.
    void UpdateNotifyIcons() override;

    // What the protocol code asks of the screens.
    bool ShowMsgBox(const std::wstring& text) override;
    void ResetScreens() override;
    void ShowLoginForm() override;
    void RefreshMyStatus() override;
    bool ReloadBuddyList() override;
    void ShowBuddyList() override;
    void RefreshBuddy(const std::wstring& id) override;
    void PlayAlert(int alert) override;
    void NotifyChatLine(ChatSession& session, const std::wstring& name, const std::wstring& nick,
        const std::wstring& text) override;
    void NotifyMemo(const Memo& memo) override;
    bool ShowNotifyBox(const std::wstring& title, const std::wstring& text) override;
    void ShowMemoInbox() override;
    void RefreshChatPeer(const std::wstring& email) override;
    void RefreshBuddyProfile(const std::wstring& id) override;
    void MoveProfileBuddy(const std::wstring& id, const std::wstring& groupId) override;
    void AskBuddyRequest(
        const std::wstring& id, const std::wstring& email, const std::wstring& message) override;
    std::unique_ptr<ChatView> CreateChatView(ChatSession& session) override;
    void AddChatSession(ChatSession& session) override;
    void UpdateChatSession(ChatSession& session) override;
    void ReloadChatInfo(ChatSession& session) override;
    void InsertNewMemos(int count) override;
    void AppendMemoPage(int count) override;
    Memo* GetShownMemo() override;
    void SetMemo(const PktInImsg& packet) override;
    bool ShowConfirmBox(const std::wstring& text, UxPopupCallback callback, uintptr_t context) override;
    std::unique_ptr<UpgradeView> ShowUpgradeBox() override;

    LoginCounter& GetLoginCounter() { return m_loginCounter; }
    LoginGate& GetLoginGate() { return m_loginGate; }
    LoginConnecting& GetLoginConnecting() { return m_loginConnecting; }
    StatusBarDefault& GetStatusBarDefault() { return m_statusBarDefault; }
    StatusBarDisclosure& GetStatusBarDisclosure() { return m_statusBarDisclosure; }
    StatusBarChat& GetStatusBarChat() { return m_statusBarChat; }
    MenuBar& GetMenuBar() { return m_menuBar; }
    BuddyListPage& GetBuddyListPage() { return m_buddyListPage; }
    BuddyProfilePage& GetBuddyProfilePage() { return m_buddyProfilePage; }
    BuddyAddPage& GetBuddyAddPage() { return m_buddyAddPage; }
    BuddySelectPage& GetBuddySelectPage() { return m_buddySelectPage; }
    BuddyRequestListPage& GetBuddyRequestListPage() { return m_buddyRequestListPage; }
    BuddyRequestInfoPage& GetBuddyRequestInfoPage() { return m_buddyRequestInfoPage; }
    GroupAddPage& GetGroupAddPage() { return m_groupAddPage; }
    GroupSelectPage& GetGroupSelectPage() { return m_groupSelectPage; }
    ChatListPage& GetChatListPage() { return m_chatListPage; }
    ChatInfoPage& GetChatInfoPage() { return m_chatInfoPage; }
    MemoListPage& GetMemoListPage() { return m_memoListPage; }
    MemoReadPage& GetMemoReadPage() { return m_memoReadPage; }
    MemoWritePage& GetMemoWritePage() { return m_memoWritePage; }
    OptionListPage& GetOptionListPage() { return m_optionListPage; }
    OptionPage& GetOptionPage() { return m_optionPage; }
    OptionNickPage& GetOptionNickPage() { return m_optionNickPage; }
    OptionServiceInfoPage& GetOptionServiceInfoPage() { return m_optionServiceInfoPage; }
    DesktopNotifier& GetNotifier() { return m_notifier; }

protected:
    // Beside the desktop's keys: Escape leaves the page without applying anything where
    // the status bar has a back button, Enter opens the keyboard's row or sends a one-line
    // form, Up and Down move the keyboard's row in the page's list.
    bool OnDesktopKey(uintptr_t key, bool repeat) override;
    // Alt+Left is the back button; Control+Tab and Control+Shift+Tab go round the chats.
    bool OnDesktopCommand(uintptr_t key, bool repeat) override;
    // The keyboard's row goes once the mouse is used.
    void OnPointerPress() override;

private:
    // Every member screen in registration order.
    std::array<UxWindow*, 24> Screens();
    void SetUpResourcePaths();
    void CreateSingletons();
    void DeleteSingletons();
    bool LoadSkin();
    bool RegisterScreens();
    void ShowStartScreen();
    void RemoveUpdateLeftovers();
    bool Navigate(UxWindow* statusBar, UxWindow* page, int animation, bool replace);
    // The back button the status bar shows, null when it shows none.
    UxButton* ShownBackButton();
    // The page on top, when it is a page and shows.
    UxPanel* ShownPage();
    static void OnBuddyRequestAnswered(uintptr_t context, UxPopup* box, int32_t result);
    // "LOUT" while the connection stands, then the session ends.
    void SignOutNow();
    static void OnSignOutAnswered(uintptr_t context, UxPopup* box, int32_t result);
    static void OnQuitAnswered(uintptr_t context, UxPopup* box, int32_t result);

    // Screens, in the order they are built.
    LoginCounter m_loginCounter;
    LoginGate m_loginGate;
    LoginConnecting m_loginConnecting;
    StatusBarDefault m_statusBarDefault;
    StatusBarDisclosure m_statusBarDisclosure;
    StatusBarChat m_statusBarChat;
    MenuBar m_menuBar;
    BuddyListPage m_buddyListPage;
    BuddyProfilePage m_buddyProfilePage;
    BuddyAddPage m_buddyAddPage;
    BuddySelectPage m_buddySelectPage;
    BuddyRequestListPage m_buddyRequestListPage;
    BuddyRequestInfoPage m_buddyRequestInfoPage;
    GroupAddPage m_groupAddPage;
    GroupSelectPage m_groupSelectPage;
    ChatListPage m_chatListPage;
    ChatInfoPage m_chatInfoPage;
    MemoListPage m_memoListPage;
    MemoReadPage m_memoReadPage;
    MemoWritePage m_memoWritePage;
    OptionListPage m_optionListPage;
    OptionPage m_optionPage;
    OptionNickPage m_optionNickPage;
    OptionServiceInfoPage m_optionServiceInfoPage;
    // Word of new lines and memos while the window is in the background.
    DesktopNotifier m_notifier;

    std::wstring m_programFolder;
    // The buddy the open buddy-request question is about.
    std::wstring m_askedBuddyId;
    // The question before quitting is open: asking to close again changes nothing.
    bool m_askingToQuit = false;

    // The messenger's singletons, owned from start-up to shut-down.
    Me* m_me = nullptr;
    GroupList* m_groups = nullptr;
    BuddyList* m_buddies = nullptr;
    ChatSessionList* m_chats = nullptr;
    MemoList* m_memos = nullptr;
    Options* m_options = nullptr;
    EmoticonList* m_emoticons = nullptr;
    PktTransactionIdIssuer* m_issuer = nullptr;
    PktFactory* m_packets = nullptr;
    PktHandlerFactory* m_handlers = nullptr;
    PktPendingList* m_pending = nullptr;
    TarvPeer* m_peer = nullptr;
    TarvPong* m_pong = nullptr;
    UxXmlSkinHelper* m_skin = nullptr;
    SelfUpdate* m_update = nullptr;
};
