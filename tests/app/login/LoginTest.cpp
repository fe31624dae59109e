// The sign-in screens end to end: the form, the saved-login screen, the connecting
// screen and the wireless-cost question, against the local service.
#include "app/shell/MenuAccount.h"
#include "app/shell/MenuSystem.h"
#include "tests/support/AppDriver.h"
#include "tests/support/LoopbackServer.h"
#include "ux/core/UxSipHandler.h"
#include "ux/widgets/UxMessageBox.h"

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>

namespace {

const wchar_t* const kConsent
    = L"무선 네트워크에 접속합니다.\n\n가입하신 요금제에 따라 별도 과금이 될 수 있습니다.";
const wchar_t* const kAgreed = L"AgreedWithWirelessConnection";

AppDriver::Setup WithService(bool service = true, std::string accounts = "")
{
    AppDriver::Setup setup;
    setup.service = service;
    setup.accounts = std::move(accounts);
    return setup;
}

// One driver and the user's moves on the sign-in screens.
struct User {
    explicit User(AppDriver::Setup setup = WithService(), bool agreed = true)
        : driver(std::move(setup))
    {
        if (agreed)
            driver.SetRegistryDword(kAgreed, 1);
    }

    MessengerApp& App() { return driver.App(); }
    LoginCounter& Form() { return App().GetLoginCounter(); }

    void TapBox(UxWindow& box)
    {
        const plat::RECT r = box.GetScreenRect();
        driver.Tap((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    // Taps the box and types into it, Korean through the input panel's composer.
    void TypeInto(UxEdit& edit, const std::wstring& text, bool korean = false)
    {
        TapBox(edit);
        korean ? driver.TypeKorean(text) : driver.Type(text);
    }
    void SubmitForm(const std::wstring& name, const std::wstring& password)
    {
        TypeInto(Form().IdEdit, name);
        TypeInto(Form().PasswordEdit, password);
        driver.Tap(L"Counter/LoginButton");
    }
    // Answers the open question; tick first sets its "do not show again".
    void Answer(bool yes, bool tick = false)
    {
        ASSERT_NE(dynamic_cast<UxMessageBox*>(driver.Popup()), nullptr);
        if (tick)
            driver.Tap(L"MsgBox/CheckBox");
        ASSERT_TRUE(driver.Click(yes ? L"MsgBox/YesButton" : L"MsgBox/NoButton"));
    }
    // Opens the domain menu and taps the row, scrolling the menu to it when needed.
    bool PickDomain(int32_t row)
    {
        if (!driver.Tap(L"Counter/AccountButton"))
            return false;
        auto* menu = dynamic_cast<MenuAccount*>(driver.Popup());
        if (!menu || menu->GetRowCount() != 13)
            return false;
        if (driver.TapRow(&menu->GetList(), row))
            return true;
        const plat::RECT list = menu->GetList().GetScreenRect();
        driver.Drag((list.left + list.right) / 2, list.bottom - 10, (list.left + list.right) / 2,
            list.top + 10, 10, 50);
        // The fling runs out before the row is tapped.
        driver.Advance(3000);
        return driver.TapRow(&menu->GetList(), row);
    }
    std::wstring Alert() { return driver.Popup() ? driver.Text(L"MsgBox/Text") : L""; }
    // The domain box shows the service's own domain and is the list's button: no typing,
    // no Tab stop, so Tab goes from the id to the password.
    void ExpectListedDomain()
    {
        EXPECT_EQ(Form().AccountEdit.GetText(), L"quorix.net");
        EXPECT_EQ(Form().AccountEdit.GetStyles(), UxEdit::ReadOnly | UxEdit::SingleLine);
        EXPECT_FALSE(Form().AccountEdit.IsTabStop());
    }
    // Signed in, out through the system menu and on to the form for another id.
    void SignOutToAnotherId()
    {
        driver.Settle();
        ASSERT_TRUE(driver.FromSystemMenu(MenuSystem::LogOut));
        ASSERT_EQ(driver.Screen(), L"Gate");
        ASSERT_TRUE(driver.Tap(L"Gate/LoginWithOtherIdButton"));
        Answer(true);
        ASSERT_EQ(driver.Screen(), L"Counter");
    }
    bool SignedIn()
    {
        return driver.WaitFor([&] { return driver.Screen() == L"BuddyList"; });
    }

    AppDriver driver;
};

} // namespace

TEST(LoginFormTest, SignsInWithATypedIdLatinOrKorean)
{
    const std::string korean = R"({"domain": "quorix.net", "accounts": [{"id": "한결@quorix.net",
        "password": "hangyeol1234", "name": "김한결", "nick": "한결", "groups": [{"id": "0", "name": "기타"}]}]})";
    const struct {
        const wchar_t* name;
        const wchar_t* password;
        std::string accounts;
        bool enter; // Enter moves from the name to the password and signs in
    } cases[] = {
        { L"minsu", L"minsu1234", "", false },
        { L"한결", L"hangyeol1234", korean, true },
    };
    for (const auto& c : cases) {
        User user(WithService(true, c.accounts));
        ASSERT_TRUE(user.driver.Start());
        if (c.accounts.empty())
            user.driver.Screenshot("form");
        EXPECT_FALSE(user.driver.IsShown(L"MenuBar/SystemMenuButton"));
        user.TypeInto(user.Form().IdEdit, c.name, !c.accounts.empty());
        if (c.enter) {
            user.driver.Key(plat::VK_RETURN);
            EXPECT_TRUE(user.Form().PasswordEdit.IsFocused());
            user.driver.Type(c.password);
            user.driver.Key(plat::VK_RETURN);
        } else {
            user.TypeInto(user.Form().PasswordEdit, c.password);
            user.driver.Tap(L"Counter/LoginButton");
        }
        ASSERT_TRUE(user.SignedIn()) << user.Alert();
        EXPECT_EQ(
            user.driver.ShownScreens(), (std::vector<std::wstring> { L"Default", L"MenuBar", L"BuddyList" }));
        EXPECT_TRUE(user.driver.IsShown(L"MenuBar/SystemMenuButton"));
        // Keys no longer reach the hidden password box.
        EXPECT_FALSE(user.Form().PasswordEdit.IsFocused());
        EXPECT_EQ(user.driver.RegistryString(L"LoginBuddyId"), std::wstring(c.name) + L"@quorix.net");
    }
}

TEST(LoginFormTest, ANewUserClicksAnywhereOnTheBoxesTypesAndSignsIn)
{
    User user;
    ASSERT_TRUE(user.driver.Start());
    LoginCounter& form = user.Form();
    // Near each edge of a box, where a pointer lands as often as in its middle.
    const auto nearEdges = [](const UxWindow& box) {
        const plat::RECT r = box.GetScreenRect();
        const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
        return std::vector<plat::POINT> { { x, r.top + 2 }, { x, r.bottom - 3 }, { r.left + 3, y }, { r.right - 4, y } };
    };
    const struct {
        UxWindow& box;
        UxEdit& edit;
    } boxes[] = { { form.IdSkin, form.IdEdit }, { form.AccountSkin, form.AccountEdit },
        { form.PasswordSkin, form.PasswordEdit } };
    for (size_t edge = 0; edge < 4; ++edge) {
        for (const auto& b : boxes) {
            // The domain box ends in the button that opens the domain menu.
            if (edge == 3 && &b.edit == &form.AccountEdit)
                continue;
            const plat::POINT p = nearEdges(b.box)[edge];
            user.driver.Tap(p.x, p.y);
            user.driver.Settle();
            if (&b.edit == &form.AccountEdit) {
                // A listed domain is chosen, not typed: its menu opens, the caret stays.
                EXPECT_NE(dynamic_cast<MenuAccount*>(user.driver.Popup()), nullptr) << p.x << "," << p.y;
                user.driver.Key(plat::VK_ESCAPE);
                EXPECT_TRUE(form.IdEdit.IsFocused()) << p.x << "," << p.y;
            } else
                EXPECT_TRUE(b.edit.IsFocused()) << p.x << "," << p.y;
            // Nothing moves for a keyboard that is not drawn.
            EXPECT_EQ(form.GetRect().top, 0);
        }
    }

    // The menu bar's keyboard button and the Hangul key still switch the keyboard.
    for (const bool shown : { false, true }) {
        ASSERT_TRUE(user.driver.Tap(L"MenuBar/SipButton"));
        user.driver.Settle();
        EXPECT_EQ(plat::IsInputPanelShown(), shown);
    }
    const bool korean = plat::IsHangulKeyboard();
    user.driver.Key(plat::VK_HANGUL);
    EXPECT_NE(plat::IsHangulKeyboard(), korean);
    user.driver.Key(plat::VK_HANGUL);
    user.driver.Settle();
    EXPECT_EQ(form.GetRect().top, 0);

    const plat::POINT id = nearEdges(form.IdSkin)[0];
    user.driver.Tap(id.x, id.y);
    user.driver.Type(L"minsu");
    const plat::POINT password = nearEdges(form.PasswordSkin)[1];
    user.driver.Tap(password.x, password.y);
    user.driver.Type(L"minsu1234");
    user.driver.Screenshot("typed");
    ASSERT_TRUE(user.driver.Tap(L"Counter/LoginButton"));
    EXPECT_TRUE(user.SignedIn()) << user.Alert();
}

TEST(LoginFormTest, EmptyEntriesAlertWithoutConnecting)
{
    const struct {
        const wchar_t* name;
        bool freeDomain; // the domain box emptied by the free-entry row
        const wchar_t* password;
        const wchar_t* alert;
    } cases[] = {
        { L"", false, L"minsu1234", L"ID를 입력하세요." },
        { L"minsu", true, L"minsu1234", L"ID를 입력하세요." },
        { L"minsu", false, L"", L"비밀번호를 입력하세요." },
    };
    for (const auto& c : cases) {
        User user(WithService(false), false);
        ASSERT_TRUE(user.driver.Start());
        if (c.freeDomain) {
            ASSERT_TRUE(user.PickDomain(MenuAccount::kFreeEntry));
        }
        user.SubmitForm(c.name, c.password);
        EXPECT_EQ(user.Alert(), c.alert) << c.name << c.freeDomain;
        EXPECT_EQ(user.driver.Screen(), L"Counter");
        EXPECT_EQ(TarvPeer::GetInstance()->GetState(), UxTcpPeer::Idle);
        // Nothing is asked or written before the entries are complete.
        EXPECT_EQ(user.driver.RegistryDword(kAgreed, 99), 99u);
        EXPECT_EQ(user.driver.RegistryString(L"LoginBuddyId", L"none"), L"none");
    }
}

TEST(LoginFormTest, RefusedOrUnreachableSignInsAlertOverAFormReadyForTheNextTry)
{
    for (const bool reachable : { true, false }) {
        User user(WithService(reachable));
        setenv("QUORIX_DISPATCH_HOST", "127.0.0.1", 1);
        if (!reachable)
            setenv("QUORIX_DISPATCH_PORT", std::to_string(ClosedLoopbackPort()).c_str(), 1);
        ASSERT_TRUE(user.driver.Start());
        user.SubmitForm(L"minsu", reachable ? L"minsu0000" : L"minsu1234");
        ASSERT_TRUE(
            user.driver.WaitFor([&] { return user.driver.Popup() && user.driver.Screen() == L"Counter"; }));
        const std::wstring alert = user.Alert();
        // Unreachable: refused at once or a moment later, either way the form is back.
        EXPECT_TRUE(reachable
                ? alert == L"입력하신 비밀번호를 확인하시고, 다시 로그인을 시도해 주세요."
                : alert == L"네트워크를 사용할 수 없습니다." || alert == L"서버에 접속할 수 없습니다.")
            << alert;
        unsetenv("QUORIX_DISPATCH_PORT");
        EXPECT_EQ(
            user.driver.ShownScreens(), (std::vector<std::wstring> { L"Counter", L"MenuBar", L"MsgBox" }));
        EXPECT_EQ(TarvPeer::GetInstance()->GetStage(), TarvPeer::StageDispatch);
        ASSERT_TRUE(user.driver.Click(L"MsgBox/OkButton"));
        // The name stays, the password is to be typed again.
        EXPECT_EQ(user.Form().IdEdit.GetText(), L"minsu");
        EXPECT_TRUE(user.Form().PasswordEdit.IsEmpty());
        user.TypeInto(user.Form().PasswordEdit, L"minsu1234");
        EXPECT_EQ(user.Form().PasswordEdit.GetText(), L"minsu1234");
    }
}

TEST(LoginFormTest, DomainComesFromTheMenuOrIsTypedFreely)
{
    User user;
    ASSERT_TRUE(user.driver.Start());
    UxEdit& domain = user.Form().AccountEdit;
    ASSERT_TRUE(user.PickDomain(3));
    EXPECT_EQ(user.driver.Popup(), nullptr);
    EXPECT_EQ(domain.GetText(), MenuAccount::GetItemText(3));
    EXPECT_EQ(domain.GetStyles(), UxEdit::ReadOnly | UxEdit::SingleLine);
    user.TypeInto(domain, L"x");
    EXPECT_EQ(domain.GetText(), MenuAccount::GetItemText(3));

    // "직접 입력": empty, editable and focused.
    ASSERT_TRUE(user.PickDomain(MenuAccount::kFreeEntry));
    EXPECT_TRUE(domain.IsEmpty());
    EXPECT_TRUE(domain.IsFocused());
    EXPECT_EQ(domain.GetStyles(), UxEdit::SingleLine);
    user.driver.Type(L"mailbox.kr");
    user.driver.Key(plat::VK_RETURN);
    EXPECT_TRUE(user.Form().PasswordEdit.IsFocused());
    user.TypeInto(user.Form().IdEdit, L"dahye");
    user.TypeInto(user.Form().PasswordEdit, L"dahye1234");
    user.driver.Tap(L"Counter/LoginButton");
    ASSERT_TRUE(user.SignedIn()) << user.Alert();
    EXPECT_EQ(Me::GetInstance()->Id, L"dahye@mailbox.kr");
}

TEST(LoginFormTest, KeepBoxDecidesWhatTheNextStartShows)
{
    for (const bool keep : { true, false }) {
        User user;
        ASSERT_TRUE(user.driver.Start());
        // A login kept earlier (the form shows over it when a saved sign-in is refused)
        // is replaced, or forgotten with the box unticked.
        user.driver.SaveLogin(L"minsu@quorix.net", L"earlier");
        if (user.Form().KeepIdPasswordCheckBox.IsChecked() != keep)
            user.driver.Tap(L"Counter/KeepIdPasswordCheckBox");
        user.SubmitForm(L"minsu", L"minsu1234");
        ASSERT_TRUE(user.SignedIn()) << keep;
        EXPECT_EQ(user.driver.RegistryDword(L"LoginKeepIdPassword", 99), keep ? 1u : 0u);
        EXPECT_EQ(LoadLoginPassword(), keep ? MakePasswordDigest(L"minsu@quorix.net", L"minsu1234") : L"");

        ASSERT_TRUE(user.driver.Start());
        if (!keep) {
            // The form comes back filled in, but for the password.
            EXPECT_EQ(user.driver.Screen(), L"Counter");
            EXPECT_EQ(user.Form().IdEdit.GetText(), L"minsu");
            EXPECT_EQ(user.Form().AccountEdit.GetText(), L"quorix.net");
            EXPECT_FALSE(user.Form().KeepIdPasswordCheckBox.IsChecked());
            continue;
        }
        // One tap on the saved-login screen signs in again.
        ASSERT_EQ(user.driver.Screen(), L"Gate");
        EXPECT_EQ(user.driver.Text(L"Gate/IdText"), L"minsu@quorix.net");
        user.driver.Settle();
        user.driver.Screenshot("gate");
        user.driver.Tap(L"Gate/LoginButton");
        EXPECT_TRUE(user.SignedIn());
    }
}

TEST(LoginGateTest, OtherIdAsksThenForgetsTheSavedLogin)
{
    User user(WithService(false));
    user.driver.SaveLogin(L"minsu@quorix.net", L"minsu1234");
    user.driver.SetRegistryDword(L"LoginKeepIdPassword", 0);
    ASSERT_TRUE(user.driver.Start());
    ASSERT_EQ(user.driver.Screen(), L"Gate");

    for (const bool yes : { false, true }) {
        ASSERT_TRUE(user.driver.Tap(L"Gate/LoginWithOtherIdButton"));
        EXPECT_EQ(
            user.Alert(), L"다른 아이디로 로그인 시 기존 정보가 삭제 됩니다.\n\n계속 진행 하시겠습니까?");
        user.Answer(yes);
        if (!yes) {
            EXPECT_EQ(user.driver.Screen(), L"Gate");
            EXPECT_FALSE(LoadLoginPassword().empty());
        }
    }
    EXPECT_EQ(user.driver.Screen(), L"Counter");
    EXPECT_EQ(user.driver.RegistryString(L"LoginBuddyId", L"none"), L"");
    EXPECT_EQ(user.driver.RegistryDword(L"LoginKeepIdPassword"), 1u);
    EXPECT_TRUE(LoadLoginPassword().empty());
    EXPECT_TRUE(user.Form().IdEdit.IsEmpty());
    EXPECT_EQ(user.Form().AccountEdit.GetText(), L"quorix.net");
    EXPECT_TRUE(user.Form().KeepIdPasswordCheckBox.IsChecked());
}

TEST(LoginConsentTest, AskedUntilTickedAndKeptAfterTheAttempt)
{
    User user(WithService(), false);
    ASSERT_TRUE(user.driver.Start());
    // A first start ever offers to keep the login.
    EXPECT_TRUE(user.Form().KeepIdPasswordCheckBox.IsChecked());
    user.SubmitForm(L"minsu", L"minsu1234");
    EXPECT_EQ(user.Alert(), kConsent);
    EXPECT_EQ(user.driver.Text(L"MsgBox/CheckBoxText"), L"이 창을 다시 보지 않음");
    user.driver.Screenshot("consent");

    // No: nothing connects, nothing is written.
    user.Answer(false);
    EXPECT_EQ(user.driver.Screen(), L"Counter");
    EXPECT_EQ(TarvPeer::GetInstance()->GetState(), UxTcpPeer::Idle);
    EXPECT_EQ(user.driver.RegistryDword(kAgreed, 99), 99u);

    // Yes alone: this once.
    user.driver.Tap(L"Counter/LoginButton");
    user.Answer(true);
    ASSERT_TRUE(user.SignedIn());
    EXPECT_EQ(user.driver.RegistryDword(kAgreed, 99), 0u);

    // Asked again from the saved-login screen; ticked, it is kept.
    ASSERT_TRUE(user.driver.Start());
    ASSERT_EQ(user.driver.Screen(), L"Gate");
    user.driver.Tap(L"Gate/LoginButton");
    EXPECT_EQ(user.Alert(), kConsent);
    user.Answer(true, true);
    ASSERT_TRUE(user.SignedIn());
    EXPECT_EQ(user.driver.RegistryDword(kAgreed, 99), 1u);

    ASSERT_TRUE(user.driver.Start());
    user.driver.Tap(L"Gate/LoginButton");
    EXPECT_EQ(user.driver.Popup(), nullptr);
    EXPECT_TRUE(user.SignedIn());
}

TEST(LoginConnectingTest, CancelOrEscapeGoesBackWhereTheSignInStartedAndClosesTheConnection)
{
    for (const bool fromGate : { false, true }) {
    // From the form the button is tapped; from the saved login Escape is pressed.
        User user;
        if (fromGate)
            user.driver.SaveLogin(L"minsu@quorix.net", L"minsu1234");
        ASSERT_TRUE(user.driver.Start());
        // The main server keeps the sign-in waiting once: before the sign-in is
        // accepted, or after it, when the keep-alive already runs.
        const char* held = fromGate ? "LIN2" : "LSTA";
        user.driver.Service().Post("/rule",
            std::string(R"({"server": "main", "mode": "replace", "data": "", "on": ")") + held + "\"}");
        const auto signIn = [&] {
            if (fromGate)
                user.driver.Tap(L"Gate/LoginButton");
            else
                user.SubmitForm(L"minsu", L"minsu1234");
        };
        if (fromGate)
            user.driver.Tap(L"Gate/LoginAsOfflineCheckBox");
        signIn();
        EXPECT_EQ(user.driver.ShownScreens(), (std::vector<std::wstring> { L"Connecting", L"MenuBar" }));
        ASSERT_TRUE(
            user.driver.WaitFor([&] { return user.driver.ServiceLog().find(held) != std::string::npos; }));
        user.driver.Advance(600);
        EXPECT_GT(user.App().GetLoginConnecting().ProgressLed.GetLitCount(), 0);
        if (!fromGate)
            user.driver.Screenshot("connecting");

        if (fromGate)
            user.driver.Key(plat::VK_ESCAPE);
        else
            ASSERT_TRUE(user.driver.Tap(L"Connecting/CancelButton"));
        EXPECT_EQ(user.driver.ShownScreens(),
            (std::vector<std::wstring> { fromGate ? L"Gate" : L"Counter", L"MenuBar" }));
        // Shown again, the saved-login screen starts online whatever was ticked before.
        EXPECT_FALSE(fromGate && user.driver.IsChecked(L"Gate/LoginAsOfflineCheckBox"));
        EXPECT_FALSE(user.App().GetLoginConnecting().ProgressLed.IsRunning());
        EXPECT_EQ(TarvPeer::GetInstance()->GetStage(), TarvPeer::StageDispatch);
        EXPECT_TRUE(user.driver.WaitFor([&] {
            return user.driver.Service().Get("/state").find("\"connections\": []") != std::string::npos;
        }));
        // Nothing comes back later, neither the keep-alive nor the wait for the answer, to
        // end a session that is gone.
        user.driver.Advance(static_cast<uint64_t>(TarvPeer::kSignInStepSeconds * 1000) + 5000);
        EXPECT_EQ(user.driver.Popup(), nullptr);

        // A new attempt starts over at the dispatch server.
        if (!fromGate)
            user.TypeInto(user.Form().PasswordEdit, L"minsu1234"), user.driver.Tap(L"Counter/LoginButton");
        else
            signIn();
        EXPECT_TRUE(user.SignedIn()) << fromGate;
    }
}

TEST(LoginConnectingTest, AStepTheServerLeavesUnansweredEndsTheSignInWithAnAlertWithinItsBound)
{
    const uint64_t bound = static_cast<uint64_t>(TarvPeer::kSignInStepSeconds * 1000);
    const struct {
        const char* server;
        const char* command;
    } steps[] = { { "dispatch", "REQS" }, { "main", "LIN2" } };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.command);
        User user;
        ASSERT_TRUE(user.driver.Start());
        user.driver.Service().Post("/rule",
            std::string(R"({"server": ")") + step.server + R"(", "mode": "replace", "data": "", "on": ")"
                + step.command + "\"}");
        user.SubmitForm(L"minsu", L"minsu1234");
        ASSERT_TRUE(user.driver.WaitFor(
            [&] { return user.driver.ServiceLogLines(std::string("< ") + step.command + " ") > 0; }));
        // The answer is awaited until the bound, from the request on.
        user.driver.Advance(bound - 100);
        EXPECT_EQ(user.driver.Screen(), L"Connecting");
        EXPECT_EQ(user.driver.Popup(), nullptr);
        user.driver.Advance(200);
        EXPECT_EQ(user.Alert(), L"서버의 응답이 없습니다. 잠시 후 다시 시도해 주세요.");
        EXPECT_EQ(
            user.driver.ShownScreens(), (std::vector<std::wstring> { L"Counter", L"MenuBar", L"MsgBox" }));
        if (std::string(step.command) == "LIN2")
            user.driver.Screenshot("no-answer");
        EXPECT_EQ(TarvPeer::GetInstance()->GetStage(), TarvPeer::StageDispatch);
        EXPECT_TRUE(user.driver.WaitFor([&] {
            return user.driver.Service().Get("/state").find("\"connections\": []") != std::string::npos;
        }));
        ASSERT_TRUE(user.driver.Click(L"MsgBox/OkButton"));
        EXPECT_EQ(user.Form().IdEdit.GetText(), L"minsu");

        // The next try is answered; signed in, nothing is waited for any more.
        user.TypeInto(user.Form().PasswordEdit, L"minsu1234");
        user.driver.Key(plat::VK_RETURN);
        ASSERT_TRUE(user.SignedIn()) << user.Alert();
        EXPECT_FALSE(TarvPeer::GetInstance()->IsAwaitingSignInStep());
    }
}

TEST(LoginConnectingTest, ARefusedVersionCheckEndsTheSignInWithItsAlertInKorean)
{
    User user;
    ASSERT_TRUE(user.driver.Start());
    // The version check is the first request of the run.
    user.driver.Service().Post(
        "/rule", R"({"server": "dispatch", "mode": "replace", "data": "600 1\r\n", "on": "PVER"})");
    user.SubmitForm(L"minsu", L"minsu1234");
    ASSERT_TRUE(user.driver.WaitFor([&] { return user.driver.Popup() != nullptr; }));
    EXPECT_EQ(user.Alert(), L"더 이상 지원하지 않는 버전입니다. 새 버전으로 업그레이드해 주세요.");
    user.driver.Flush();
    EXPECT_EQ(user.driver.ShownScreens(), (std::vector<std::wstring> { L"Counter", L"MenuBar", L"MsgBox" }));
    EXPECT_FALSE(TarvPeer::GetInstance()->IsAwaitingSignInStep());
}

TEST(LoginFormTest, MovesOutOfTheInputPanelsWayOnlyWhenItWouldCoverThePassword)
{
    // The password frame ends at 406 on the default skin. Last, the desktop's own panel,
    // which draws no keyboard and so takes no room.
    const struct {
        int panelTop; // 0: the panel as the desktop has it
        int formTop;
    } cases[] = { { 406, 0 }, { 400, -26 }, { 300, -126 }, { 0, 0 } };
    for (const auto& c : cases) {
        plat::ResetInputPanel();
        if (c.panelTop)
            plat::SetInputPanelRect({ 0, c.panelTop, 480, 640 });
        User user(WithService(false));
        ASSERT_TRUE(user.driver.Start());
        user.TapBox(user.Form().PasswordEdit);
        user.driver.Settle();
        EXPECT_EQ(user.Form().GetRect().top, c.formTop) << c.panelTop;
        // The keyboard button of the menu bar puts the panel away: the form comes back.
        user.driver.Tap(L"MenuBar/SipButton");
        user.driver.Settle();
        EXPECT_EQ(user.Form().GetRect().top, 0) << c.panelTop;
    }
    plat::ResetInputPanel();
}

// Signed in with a typed domain, then out and on to another id: the form shows the
// service's domain and the box is the list's button again, so the next user's id, Tab
// and password land where they show, and only the id goes out or is kept.
TEST(LoginFormTest, AfterAFreeEntrySignInTheNextUsersPasswordStaysInItsBox)
{
    User user;
    ASSERT_TRUE(user.driver.Start());
    LoginCounter& form = user.Form();
    ASSERT_TRUE(user.PickDomain(MenuAccount::kFreeEntry));
    user.driver.Type(L"mailbox.kr");
    user.SubmitForm(L"dahye", L"dahye1234");
    ASSERT_TRUE(user.SignedIn()) << user.Alert();
    ASSERT_NO_FATAL_FAILURE(user.SignOutToAnotherId());
    user.ExpectListedDomain();

    user.driver.Type(L"minsu");
    user.driver.Key(plat::VK_TAB);
    user.driver.Type(L"minsu1234");
    EXPECT_EQ(form.AccountEdit.GetText(), L"quorix.net");
    EXPECT_EQ(form.PasswordEdit.GetText(), L"minsu1234");
    // Tab's stops from there: the two check boxes, then round to the id and the password.
    for (UxWindow* stop : std::initializer_list<UxWindow*> {
             &form.LoginAsOfflineCheckBox, &form.KeepIdPasswordCheckBox, &form.IdEdit, &form.PasswordEdit }) {
        user.driver.Key(plat::VK_TAB);
        EXPECT_TRUE(stop->IsFocused()) << AppDriver::NameOf(stop);
    }
    user.driver.Key(plat::VK_RETURN);
    ASSERT_TRUE(user.SignedIn()) << user.Alert();
    EXPECT_EQ(Me::GetInstance()->Id, L"minsu@quorix.net");
    EXPECT_EQ(user.driver.RegistryString(L"LoginBuddyId"), L"minsu@quorix.net");
    EXPECT_EQ(user.driver.ServiceLogLines("< REQS ", " minsu@quorix.net"), 1u);
    EXPECT_EQ(user.driver.ServiceLogLines("< LIN2 ", " minsu@quorix.net "), 1u);
    EXPECT_EQ(user.driver.ServiceLog().find("minsu1234"), std::string::npos);
    EXPECT_EQ(user.driver.RegistryFile().find("minsu1234"), std::string::npos);
}

// A listed domain typed freely, then the form again after a refused sign-in, or after a
// forced sign-out and a saved login that holds no password: the kept id's domain is
// listed, so the box is the list's button, whatever was chosen before.
TEST(LoginFormTest, EveryWayBackToTheFormShowsTheDomainBoxAsWhatItIs)
{
    for (const bool refused : { true, false }) {
        User user;
        ASSERT_TRUE(user.driver.Start());
        ASSERT_TRUE(user.PickDomain(MenuAccount::kFreeEntry));
        user.driver.Type(L"quorix.net");
        user.SubmitForm(L"minsu", refused ? L"minsu0000" : L"minsu1234");
        if (refused) {
            ASSERT_TRUE(
                user.driver.WaitFor([&] { return user.driver.Popup() && user.driver.Screen() == L"Counter"; }));
            ASSERT_TRUE(user.driver.Click(L"MsgBox/OkButton"));
        } else {
            ASSERT_TRUE(user.SignedIn()) << user.Alert();
            user.driver.Service().Control("/kill", "minsu@quorix.net");
            ASSERT_TRUE(user.driver.WaitFor([&] { return user.driver.Screen() == L"Gate"; }));
            ASSERT_TRUE(user.driver.Click(L"MsgBox/OkButton"));
            // Nothing kept but the id: the saved login leads to the form.
            ASSERT_TRUE(user.driver.Tap(L"Gate/LoginButton"));
        }
        ASSERT_EQ(user.driver.Screen(), L"Counter") << refused;
        user.ExpectListedDomain();
        EXPECT_TRUE(user.Form().PasswordEdit.IsFocused()) << refused;
        user.driver.Chord(plat::VK_SHIFT, plat::VK_TAB);
        EXPECT_TRUE(user.Form().IdEdit.IsFocused()) << refused;
    }
}

// An id typed whole is the id: its domain goes to the domain box, as the list's own
// when it is listed (in any case), else as free entry. An id with an "@" too many goes
// out from neither the form nor a saved login.
TEST(LoginFormTest, AFullAddressInTheIdBoxIsTheWholeId)
{
    User user;
    ASSERT_TRUE(user.driver.Start());
    LoginCounter& form = user.Form();
    user.SubmitForm(L"dahye@mailbox.kr@quorix.net", L"dahye1234");
    EXPECT_EQ(user.Alert(), L"ID를 입력하세요.");
    ASSERT_TRUE(user.driver.Click(L"MsgBox/OkButton"));
    EXPECT_EQ(TarvPeer::GetInstance()->GetState(), UxTcpPeer::Idle);
    EXPECT_EQ(user.driver.RegistryString(L"LoginBuddyId", L"none"), L"none");

    user.TapBox(form.IdEdit);
    user.driver.Chord(plat::VK_CONTROL, 'A');
    user.driver.Type(L"dahye@mailbox.kr");
    user.TapBox(form.PasswordEdit);
    user.driver.Chord(plat::VK_CONTROL, 'A');
    user.driver.Type(L"dahye1234");
    user.driver.Key(plat::VK_RETURN);
    ASSERT_TRUE(user.SignedIn()) << user.Alert();
    EXPECT_EQ(Me::GetInstance()->Id, L"dahye@mailbox.kr");
    EXPECT_EQ(form.IdEdit.GetText(), L"dahye");
    EXPECT_EQ(form.AccountEdit.GetText(), L"mailbox.kr");
    EXPECT_EQ(form.AccountEdit.GetStyles(), UxEdit::SingleLine);

    ASSERT_NO_FATAL_FAILURE(user.SignOutToAnotherId());
    user.driver.Type(L"minsu@Quorix.NET");
    user.driver.Key(plat::VK_TAB);
    user.driver.Type(L"minsu1234");
    user.driver.Key(plat::VK_RETURN);
    ASSERT_TRUE(user.SignedIn()) << user.Alert();
    EXPECT_EQ(Me::GetInstance()->Id, L"minsu@quorix.net");
    user.ExpectListedDomain();

    // Kept by a version that took such ids.
    user.driver.SaveLogin(L"dahye@mailbox.kr@quorix.net", L"dahye1234");
    ASSERT_TRUE(user.driver.Start());
    ASSERT_EQ(user.driver.Screen(), L"Gate");
    ASSERT_TRUE(user.driver.Tap(L"Gate/LoginButton"));
    EXPECT_EQ(user.Alert(), L"ID를 입력하세요.");
    EXPECT_EQ(TarvPeer::GetInstance()->GetState(), UxTcpPeer::Idle);
    EXPECT_EQ(user.driver.ServiceLogLines("< REQS ", " dahye@mailbox.kr"), 1u);
    EXPECT_EQ(user.driver.ServiceLog().find("mailbox.kr@"), std::string::npos);
}
