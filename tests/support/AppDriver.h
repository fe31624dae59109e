#pragma once

// Drives the whole program in-process for end-to-end tests: the toolkit and the
// application start as the program starts them, on the headless display and a manual
// clock, against the local service, with a registry of their own (and a program folder
// of their own when the test brings its own skin).
// Tests tap, hold, drag and type, let time pass, wait for the network, read what the
// screen shows and save screenshots.
//
//     AppDriver driver;
//     ASSERT_TRUE(driver.Start());
//     EXPECT_EQ(driver.Screen(), L"Counter");
//     ASSERT_TRUE(driver.SignIn(L"minsu@quorix.net", L"minsu1234"));
//     driver.Tap(L"MenuBar/SystemMenuButton");
//     driver.Screenshot("system-menu");

#include "app/shell/AppMenu.h"
#include "app/shell/EmptyPage.h"
#include "app/shell/MessengerApp.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/Me.h"
#include "messenger/protocol/connection/TarvPeer.h"
#include "messenger/protocol/login/SavedLogin.h"
#include "platform/display/HeadlessDisplay.h"
#include "platform/display/VirtualKeys.h"
#include "platform/event/Clock.h"
#include "platform/event/MessageQueue.h"
#include "platform/system/HangulComposer.h"
#include "platform/system/InputPanel.h"
#include "platform/system/Led.h"
#include "platform/system/Sound.h"
#include "tests/support/LocalService.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/UxPump.h"
#include "ux/core/UxNavigationController.h"
#include "ux/core/UxPath.h"
#include "ux/core/UxPopupInstance.h"
#include "ux/core/UxRegistryKey.h"
#include "ux/core/UxStartup.h"
#include "ux/core/UxTransitionManager.h"
#include "ux/core/UxVibrator.h"
#include "ux/widgets/UxButton.h"
#include "ux/widgets/UxCheckButton.h"
#include "ux/widgets/UxEdit.h"
#include "ux/widgets/UxLabel.h"
#include "ux/widgets/UxListWindow.h"
#include "ux/widgets/UxMessageBox.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

class AppDriver {
public:
    struct Setup {
        // Start the local service and point the program at it.
        bool service = true;
        // The service's accounts (JSON text); empty: the demo accounts.
        std::string accounts;
        // The skin document the program loads; empty: the default skin beside the test
        // program. A given document goes into a program folder of its own.
        std::string skin;
    };

    AppDriver()
        : AppDriver(Setup {})
    {
    }
    explicit AppDriver(Setup setup)
        : m_setup(std::move(setup))
    {
        setenv("QUORIX_DISPLAY", "headless", 0);
        if (m_setup.service) {
            m_service = std::make_unique<LocalService>(
                AccountsFile(m_state, m_setup.accounts), m_state.Native("service.log"));
            m_service->Use();
        }
        if (!m_setup.skin.empty())
            m_state.Write("program/Image/Skin.dat", m_setup.skin);
        plat::ClearSoundHistory();
        plat::SetLedCount(2);
    }
    ~AppDriver() { Stop(); }
    AppDriver(const AppDriver&) = delete;
    AppDriver& operator=(const AppDriver&) = delete;

    // Start and stop ---------------------------------------------------------------

    // Starts the toolkit and the application as the program's entry does. False when
    // the application refused to start (the toolkit is then finalised again).
    // Starting again stops first: a new start on the same registry and program folder.
    bool Start()
    {
        Stop();
        if (UxInitialize()) {
            m_app = new MessengerApp;
            m_app->SetProgramFolder(
                m_setup.skin.empty() ? GetModuleDirectory() : m_state.Designed("program") + L"\\");
            static int counter = 0;
            const std::wstring name
                = L"QuorixDriver" + std::to_wstring(getpid()) + L"_" + std::to_wstring(++counter);
            if (m_app->Create(name, plat::RECT { 0, 0, 480, 640 })) {
                Flush();
                return true;
            }
        }
        Finish();
        return false;
    }

    // Orderly shut-down, as after the message loop: an open popup closes with result
    // 0, the application ends, then the toolkit.
    void Stop()
    {
        if (!m_app)
            return;
        m_app->Shutdown();
        Finish();
    }

    // The user closes the window (its close button, the desktop's window menu). True
    // when that ended the loop: the program has shut down. False when the window stays
    // open (the program asks first what closing would throw away).
    bool CloseWindow()
    {
        if (!m_app)
            return false;
        Input().Close();
        Flush();
        return StopIfQuit();
    }
    // The program told its loop to end (a closed window, the answer to its question
    // before closing): it shuts down as after the loop, and true. False while it runs on.
    bool StopIfQuit()
    {
        plat::MSG msg;
        if (!m_app || !plat::PeekMessageW(&msg, nullptr, plat::WM_QUIT, plat::WM_QUIT, plat::PM_REMOVE))
            return false;
        Stop();
        return true;
    }

    MessengerApp& App() { return *m_app; }
    LocalService& Service() { return *m_service; }
    // Native path of the folder the program keeps its downloads in.
    std::string DataFolderNative() const { return m_state.Native("data/quorix"); }
    // Native path of the folder the program takes its skin and sounds from.
    std::string ProgramFolderNative() const
    {
        return m_setup.skin.empty() ? plat::NativePath(GetModuleDirectory()) : m_state.Native("program");
    }
    // A scratch folder that lives as long as the driver.
    const TempFolder& State() const { return m_state; }

    // Time -------------------------------------------------------------------------

    // Lets ms of manual time pass, running timers, tweens and transitions as they fall
    // due, and draws what changed.
    void Advance(uint64_t ms)
    {
        UxPumpFor(ms);
        Flush();
    }
    // Lets running transitions and animations finish.
    void Settle() { Advance(1000); }
    // Handles what arrives (the network, other threads) until done holds or the real
    // time runs out; the manual clock stands still meanwhile.
    bool WaitFor(const std::function<bool()>& done, int realMs = 15000)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(realMs);
        for (;;) {
            Flush();
            if (done())
                return true;
            if (std::chrono::steady_clock::now() >= deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    // Delivers what is queued, paints included.
    void Flush()
    {
        plat::DispatchPending(100000, [] {
            if (UxClock* clock = UxClock::GetInstance())
                clock->Update();
        });
    }

    // Input ------------------------------------------------------------------------

    plat::HeadlessDisplay* Display() { return static_cast<plat::HeadlessDisplay*>(plat::GetDisplay()); }
    plat::DisplayInput& Input() { return Display()->GetInput(); }

    void Tap(int x, int y)
    {
        Input().PointerDown(x, y);
        Flush();
        Input().PointerUp(x, y);
        Flush();
    }
    // Taps the middle of the named window; false when no such window is shown.
    bool Tap(const std::wstring& path)
    {
        const plat::POINT p = Centre(path);
        if (p.x < 0)
            return false;
        Tap(p.x, p.y);
        return true;
    }
    // A tap and the moment after it, when a click is reported (message-box buttons and
    // list rows act on the click).
    bool Click(const std::wstring& path)
    {
        if (!Tap(path))
            return false;
        Advance(200);
        return true;
    }
    // Taps the arrow of the shown buddy-list row with that name and lets the profile come
    // up; false when no such row is shown or the profile does not open.
    bool OpenProfileFromList(const std::wstring& name)
    {
        BuddyListView& list = m_app->GetBuddyListPage().GetView();
        const int32_t row = BuddyRow(list, name);
        if (row < 0 || list.GetRow(row).hidden)
            return false;
        const plat::RECT r = list.ClientToScreen(list.GetRowRect(row));
        Tap(r.left + list.GetDisclosureRect().left + 4, (r.top + r.bottom) / 2);
        Advance(200);
        Settle();
        return Screen() == L"BuddyProfile";
    }
    // Presses, lets ms of manual time pass and lets go.
    void Hold(int x, int y, uint64_t ms = 1000)
    {
        Input().PointerDown(x, y);
        Flush();
        Advance(ms);
        Input().PointerUp(x, y);
        Flush();
    }
    // Presses at the first point, moves in steps of stepMs manual time and lets go at
    // the last.
    void Drag(int x0, int y0, int x1, int y1, int steps = 10, uint64_t stepMs = 16)
    {
        Input().PointerDown(x0, y0);
        Flush();
        for (int i = 1; i <= steps; ++i) {
            Advance(stepMs);
            Input().PointerMove(x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps);
            Flush();
        }
        Input().PointerUp(x1, y1);
        Flush();
    }
    // Characters as the keyboard commits them.
    void Type(const std::wstring& text)
    {
        Input().Text(text);
        Flush();
    }
    // Text typed on the input panel's keyboard: Hangul on its Korean two-set layout,
    // whose composer builds each syllable jamo by jamo (ㅎ, 하, 한), everything else in
    // its Latin mode; the panel's mode button switches between them. Ends with all text
    // committed and the keyboard in the mode it had.
    void TypeKorean(const std::wstring& text)
    {
        const bool wasKorean = plat::IsHangulKeyboard();
        for (wchar_t c : text) {
            const std::wstring keys = HangulKeys(c);
            if (keys.empty() == plat::IsHangulKeyboard())
                Key(plat::VK_HANGUL);
            Type(keys.empty() ? std::wstring(1, c) : keys);
        }
        // The mode button commits the syllable being composed.
        if (plat::IsHangulKeyboard())
            Key(plat::VK_HANGUL);
        if (plat::IsHangulKeyboard() != wasKorean)
            Key(plat::VK_HANGUL);
    }
    // A key pressed and released (VK_RETURN, VK_BACK ...).
    void Key(uint32_t virtualKey)
    {
        Input().Key(true, virtualKey);
        Input().Key(false, virtualKey);
        Flush();
    }
    // Down (or Up) until the keyboard's row of the list (a page's, an open menu's) is the
    // row; false when it never gets there.
    bool KeyToRow(UxListWindow& list, int32_t row, uint32_t key = plat::VK_DOWN)
    {
        for (int i = 0; i < 80 && list.GetKeyRow() != row; ++i)
            Key(key);
        return list.GetKeyRow() == row;
    }
    // A key pressed while another is held: Chord(plat::VK_CONTROL, 'V') pastes.
    void Chord(uint32_t held, uint32_t virtualKey)
    {
        Input().Key(true, held);
        Key(virtualKey);
        Input().Key(false, held);
        Flush();
    }
    // The wheel turned by notches over the point (positive away from the user); a
    // touchpad turns parts of a notch.
    void Wheel(int x, int y, float notches)
    {
        Input().Wheel(x, y, notches);
        Flush();
    }
    // The pointer comes to rest over the point, no button held.
    void Hover(int x, int y)
    {
        Input().PointerMove(x, y);
        Flush();
    }
    void RightClick(int x, int y)
    {
        Input().RightDown(x, y);
        Flush();
        Input().RightUp(x, y);
        Flush();
    }
    // The desktop's clipboard (the headless display keeps its own).
    std::wstring Clipboard() const { return plat::GetClipboardText(); }
    void SetClipboard(const std::wstring& text) const { plat::SetClipboardText(text); }

    // Reading the screen ----------------------------------------------------------

    // A window's name: the skin node it was built from, or the section of a page that
    // is not built yet.
    static std::wstring NameOf(const UxWindow* window)
    {
        if (!window)
            return L"";
        if (!window->GetSkinName().empty())
            return window->GetSkinName();
        if (auto* page = dynamic_cast<const EmptyPage*>(window))
            return page->GetName();
        return L"";
    }
    // The window is there, and it and all its ancestors are visible.
    static bool IsShown(const UxWindow* window)
    {
        if (!window)
            return false;
        for (; window; window = window->GetParent())
            if (!window->IsVisible())
                return false;
        return true;
    }
    // The window named by path ("MsgBox/OkButton": an OkButton inside a MsgBox; the
    // names need not be direct children), shown ones first; null when there is none.
    UxWindow* Find(const std::wstring& path)
    {
        std::vector<std::wstring> names;
        for (size_t start = 0;;) {
            const size_t slash = path.find(L'/', start);
            names.push_back(path.substr(start, slash - start));
            if (slash == std::wstring::npos)
                break;
            start = slash + 1;
        }
        UxWindow* hidden = nullptr;
        UxWindow* shown = nullptr;
        Walk(m_app, [&](UxWindow* window) {
            if (shown || NameOf(window) != names.back()
                || !Matches(window->GetParent(), names, names.size() - 1))
                return;
            if (IsShown(window))
                shown = window;
            else if (!hidden)
                hidden = window;
        });
        return shown ? shown : hidden;
    }
    bool IsShown(const std::wstring& path) { return IsShown(Find(path)); }

    // What fills the screen: the navigation's page, else the login window shown.
    std::wstring Screen()
    {
        if (UxWindow* page = Page())
            return NameOf(page);
        for (UxWindow* login : { static_cast<UxWindow*>(&m_app->GetLoginConnecting()),
                 static_cast<UxWindow*>(&m_app->GetLoginGate()),
                 static_cast<UxWindow*>(&m_app->GetLoginCounter()) })
            if (login->IsVisible())
                return NameOf(login);
        return L"";
    }
    UxWindow* Page() const { return UxNavigationController::GetInstance()->GetPage(); }
    UxWindow* StatusBar() const { return UxNavigationController::GetInstance()->GetStatusBar(); }
    size_t Depth() const { return UxNavigationController::GetInstance()->GetDepth(); }
    bool IsTransitionRunning() const { return UxTransitionManager::GetInstance()->IsRunning(); }
    // The names of the shown screens, bars and popups (the desktop's children), in
    // painting order.
    std::vector<std::wstring> ShownScreens()
    {
        std::vector<std::wstring> names;
        for (UxWindow* child = m_app->GetFirstChild(); child; child = child->GetNextSibling())
            if (child->IsVisible())
                names.push_back(NameOf(child));
        return names;
    }
    // The text a label or an edit box shows; "" for other windows.
    std::wstring Text(const std::wstring& path)
    {
        UxWindow* window = Find(path);
        if (auto* label = dynamic_cast<UxLabel*>(window))
            return label->GetText();
        auto* edit = dynamic_cast<UxEdit*>(window);
        return edit ? edit->GetText() : L"";
    }
    // A check button's state; false for anything else.
    bool IsChecked(const std::wstring& path)
    {
        auto* check = dynamic_cast<UxCheckButton*>(Find(path));
        return check && check->IsChecked();
    }
    // The first row of a list of buddies (the buddy list, the picker) that holds the buddy
    // with that name, hidden or not; -1 when none does.
    static int32_t BuddyRow(const BuddyListView& list, const std::wstring& name)
    {
        for (int32_t i = 0; i < list.GetRowCount(); ++i)
            if (const Buddy* buddy = list.GetBuddy(i); buddy && buddy->Name == name)
                return i;
        return -1;
    }
    // Taps the middle of the row (scrolled into view by the caller); false when the row
    // is not on screen.
    bool TapRow(UxListWindow* list, int32_t index)
    {
        if (!list || !list->IsValidRow(index) || !IsShown(list))
            return false;
        const plat::RECT row = list->ClientToScreen(list->GetRowRect(index));
        const plat::RECT shown = list->GetScreenRect();
        const int y = (std::max(row.top, shown.top) + std::min(row.bottom, shown.bottom)) / 2;
        if (y < shown.top || y >= shown.bottom)
            return false;
        Tap((row.left + row.right) / 2, y);
        // A list reports the click a moment after the release.
        Advance(200);
        return true;
    }
    // Back a page with the back button of the status bar shown (the chat's or the
    // disclosure bar's), and the slide over; false when there was none to tap.
    bool Back()
    {
        const bool tapped
            = Tap(StatusBar() == &m_app->GetStatusBarChat() ? L"Chat/BackButton" : L"Disclosure/BackButton");
        Settle();
        return tapped;
    }
    // Opens the menu bar's system menu and taps its row (MenuSystem::AddBuddy ...), then
    // lets the page come; false when the menu did not open or the row was not shown.
    bool FromSystemMenu(int32_t row)
    {
        if (!Tap(L"MenuBar/SystemMenuButton"))
            return false;
        auto* menu = dynamic_cast<AppMenu*>(Popup());
        if (!menu || !TapRow(&menu->GetList(), row))
            return false;
        Settle();
        return true;
    }
    // Taps a row near the end of the open menu: its list is dragged to the end first and
    // let come to rest. False when no menu is open or the row is not shown then.
    bool TapMenuRowAtEnd(int32_t row)
    {
        auto* menu = dynamic_cast<AppMenu*>(Popup());
        if (!menu)
            return false;
        const plat::RECT shown = menu->GetList().GetScreenRect();
        Drag(240, shown.bottom - 10, 240, shown.top + 10, 10, 50);
        Advance(3000);
        return TapRow(&menu->GetList(), row);
    }
    // Answers the open message box with a button ("YesButton", "NoButton", "OkButton")
    // and lets the screens settle; what the box said, "" when no box took the answer.
    std::wstring Answer(const std::wstring& button)
    {
        const std::wstring text = dynamic_cast<UxMessageBox*>(Popup()) ? PopupText() : L"";
        if (!Click(L"MsgBox/" + button))
            return L"";
        Settle();
        return text;
    }
    // The open popup (message box or menu), null when none.
    UxWindow* Popup() const { return UxPopupInstance::GetInstance()->GetPopup(); }
    // What the open popup says: a message box's text, a menu's rows one per line; ""
    // when none is open.
    std::wstring PopupText() const
    {
        if (auto* box = dynamic_cast<UxMessageBox*>(Popup()))
            return box->Text.GetText();
        std::wstring rows;
        if (auto* menu = dynamic_cast<AppMenu*>(Popup()))
            for (int32_t i = 0; i < menu->GetRowCount(); ++i)
                rows += (i ? L"\n" : L"") + menu->GetRowText(i);
        return rows;
    }

    // The sound files played since the driver was made, oldest first (file names).
    std::vector<std::wstring> Sounds() const
    {
        std::vector<std::wstring> names;
        for (const plat::SoundPlayback& played : plat::GetSoundHistory())
            names.push_back(played.path.substr(played.path.find_last_of(L"\\/") + 1));
        return names;
    }
    bool IsVibrating() const { return UxVibrator::GetInstance()->IsOn(); }
    // Values under the program's registry key.
    std::wstring RegistryString(const std::wstring& name, const std::wstring& otherwise = L"") const
    {
        UxRegistryKey key;
        return key.Open(kMessengerRegistryPath) ? key.GetString(name, otherwise) : otherwise;
    }
    uint32_t RegistryDword(const std::wstring& name, uint32_t otherwise = 0) const
    {
        UxRegistryKey key;
        return key.Open(kMessengerRegistryPath) ? key.GetDword(name, otherwise) : otherwise;
    }
    void SetRegistryString(const std::wstring& name, const std::wstring& value) const
    {
        UxRegistryKey key;
        key.Create(kMessengerRegistryPath) && key.SetString(name, value);
    }
    void SetRegistryDword(const std::wstring& name, uint32_t value) const
    {
        UxRegistryKey key;
        key.Create(kMessengerRegistryPath) && key.SetDword(name, value);
    }
    // The settings file as it lies on disk.
    std::string RegistryFile() const
    {
        std::ifstream file(m_registry.Path());
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }
    // What a kept login leaves for the next start.
    void SaveLogin(const std::wstring& id, const std::wstring& password) const
    {
        SetRegistryString(L"LoginBuddyId", id);
        SaveLoginPassword(MakePasswordDigest(id, password));
    }

    plat::COLORREF Pixel(int x, int y) const
    {
        return plat::GetDisplay()->GetFrame()->Pixel(x, y) & 0xFFFFFF;
    }
    // Saves the frame as <build>/screenshots/<Suite>.<Test>/<name>.png; the path, or ""
    // when it could not be written.
    std::string Screenshot(const std::string& name)
    {
        Flush();
        std::string folder = plat::NativePath(GetModuleDirectory()) + "/screenshots";
        if (const auto* test = ::testing::UnitTest::GetInstance()->current_test_info())
            folder += "/" + std::string(test->test_suite_name()) + "." + test->name();
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        const std::string path = folder + "/" + name + ".png";
        return plat::GetDisplay()->SaveFramePng(path) ? path : "";
    }

    // Network ----------------------------------------------------------------------

    // Signs in as the login form does once its checks pass (the model gets the id, the
    // password digest and the offline choice, the connecting screen comes up, the
    // connection starts), without typing into the form. True once the buddy list is
    // up; false when the sign-in ended on the form or the saved-login screen.
    bool SignIn(const std::wstring& id, const std::wstring& password, bool offline = false)
    {
        if (!BeginSignIn(id, password, offline))
            return false;
        WaitFor([&] {
            return Page() == &m_app->GetBuddyListPage() || m_app->GetLoginGate().IsVisible()
                || m_app->GetLoginCounter().IsVisible();
        });
        return Page() == &m_app->GetBuddyListPage();
    }
    // Starts and signs in as minsu, a demo account, with the buddy list settled; false
    // when either failed.
    bool StartSignedIn()
    {
        if (!Start() || !SignIn(L"minsu@quorix.net", L"minsu1234"))
            return false;
        Settle();
        return true;
    }
    // The same sign-in, left running: false when it could not begin.
    bool BeginSignIn(const std::wstring& id, const std::wstring& password, bool offline = false)
    {
        Me* me = Me::GetInstance();
        TarvPeer* peer = TarvPeer::GetInstance();
        if (!me || !peer)
            return false;
        me->Id = id;
        me->PasswordDigest = MakePasswordDigest(id, password);
        me->LoginOffline = offline;
        m_app->GetLoginCounter().SetVisible(false);
        m_app->GetLoginGate().SetVisible(false);
        m_app->GetLoginConnecting().SetVisible(true);
        if (!peer->ConnectDispatch())
            peer->OnConnectFailed(0);
        return true;
    }
    // The service's record of every frame, as text: a line a frame, "<" where the
    // service received it, ">" where it sent it.
    std::string ServiceLog() const { return m_state.Read("service.log"); }
    // How many lines of the service's log hold both texts.
    size_t ServiceLogLines(const std::string& text, const std::string& also = "") const
    {
        std::istringstream log(ServiceLog());
        size_t count = 0;
        for (std::string line; std::getline(log, line);)
            count += line.find(text) != std::string::npos && line.find(also) != std::string::npos;
        return count;
    }

    // The second party ------------------------------------------------------------

    // Another account acts, and what it was sent of one command (LocalService).
    std::string Party(const std::string& action, const std::string& user, const std::string& fields = "")
    {
        return m_service->Party(action, user, fields);
    }
    std::string PartyReceived(const std::string& user, const std::string& command)
    {
        return m_service->Received(user, command);
    }
    // Waits until the party was sent the text in such a command.
    bool PartyReceives(const std::string& user, const std::string& command, const std::string& text)
    {
        return WaitFor([&] { return PartyReceived(user, command).find(text) != std::string::npos; });
    }
    // The party takes the newest invitation once it has come; its chat's session id, ""
    // when none came.
    std::string PartyAccepts(const std::string& user)
    {
        std::string answer;
        WaitFor([&] { return (answer = Party("accept", user)).find("\"sid\"") != std::string::npos; });
        const size_t at = answer.find("\"sid\": \"");
        return at == std::string::npos ? "" : answer.substr(at + 8, answer.find('"', at + 8) - at - 8);
    }
    // Signs the account in as the second party; true once the buddy list has it online.
    bool SignInParty(const std::string& user)
    {
        Party("sign-in", user);
        const std::wstring id(user.begin(), user.end());
        return WaitFor([&] {
            const Buddy* buddy = BuddyList::GetInstance() ? BuddyList::GetInstance()->Find(id) : nullptr;
            return buddy && buddy->Status == BuddyStatusOnline;
        });
    }

private:
    // The two-set keys that type a Hangul syllable or jamo; "" for other characters.
    static std::wstring HangulKeys(wchar_t c)
    {
        static const wchar_t* const kMedials[] = { L"k", L"o", L"i", L"O", L"j", L"p", L"u", L"P", L"h",
            L"hk", L"ho", L"hl", L"y", L"n", L"nj", L"np", L"nl", L"b", L"m", L"ml", L"l" };
        static const wchar_t* const kFinals[]
            = { L"", L"r", L"R", L"rt", L"s", L"sw", L"sg", L"e", L"f", L"fr", L"fa", L"fq", L"ft", L"fx",
                  L"fv", L"fg", L"a", L"q", L"qt", L"t", L"T", L"d", L"w", L"c", L"z", L"x", L"v", L"g" };
        if (c >= 0xAC00 && c <= 0xD7A3) {
            const int index = c - 0xAC00;
            return L"rRseEfaqQtTdwWczxvg"[index / (21 * 28)] + std::wstring(kMedials[(index / 28) % 21])
                + kFinals[index % 28];
        }
        // A lone jamo: the key the composer maps to it.
        for (wchar_t key : std::wstring(L"abcdefghijklmnopqrstuvwxyzQWERTOP"))
            if (plat::HangulComposer::JamoForKey(key) == c)
                return std::wstring(1, key);
        return L"";
    }

    void Finish()
    {
        delete m_app;
        m_app = nullptr;
        UxFinalize();
        Flush();
    }

    plat::POINT Centre(const std::wstring& path)
    {
        UxWindow* window = Find(path);
        if (!IsShown(window))
            return { -1, -1 };
        const plat::RECT r = window->GetScreenRect();
        return { (r.left + r.right) / 2, (r.top + r.bottom) / 2 };
    }

    static bool Matches(UxWindow* ancestor, const std::vector<std::wstring>& names, size_t count)
    {
        for (; count > 0 && ancestor; ancestor = ancestor->GetParent())
            if (NameOf(ancestor) == names[count - 1])
                --count;
        return count == 0;
    }

    template <typename Visit> static void Walk(UxWindow* window, const Visit& visit)
    {
        if (!window)
            return;
        visit(window);
        for (UxWindow* child = window->GetFirstChild(); child; child = child->GetNextSibling())
            Walk(child, visit);
    }

    Setup m_setup;
    TempFolder m_state;
    TempRegistry m_registry;
    plat::ManualClock m_clock { 5000 };
    std::unique_ptr<LocalService> m_service;
    // Downloads of its own, apart from tests running beside it.
    ScopedEnv m_dataHome { "XDG_DATA_HOME", m_state.Native("data") };
    MessengerApp* m_app = nullptr;
};
