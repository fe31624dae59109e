// The sign-in screens end to end: the form, the saved-login screen, the connecting
// screen and the wireless-cost question, against the local service.
#include "app/shell/MenuAccount.h"
#include "tests/support/AppDriver.h"
#include "ux/widgets/UxMessageBox.h"
#include "ux/core/UxSipHandler.h"

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>

namespace {

const wchar_t* const kConsent = L"무선 네트워크에 접속합니다.\n\n가입하신 요금제에 따라 별도 과금이 될 수 있습니다.";

class LoginTest : public ::testing::Test {
protected:
    explicit LoginTest(AppDriver::Setup setup = {})
        : driver(std::move(setup))
    {
    }

    MessengerApp& App() { return driver.App(); }
    LoginCounter& Form() { return App().GetLoginCounter(); }

    // Taps the box and types into it, Korean through the input panel's composer.
    void TypeInto(UxEdit& edit, const std::wstring& text, bool korean = false)
    {
        const plat::RECT r = edit.GetScreenRect();
        driver.Tap((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        korean ? driver.TypeKorean(text) : driver.Type(text);
    }
    // Fills the form and taps its button.
    void SubmitForm(const std::wstring& name, const std::wstring& password)
    {
        TypeInto(Form().IdEdit, name);
        TypeInto(Form().PasswordEdit, password);
        driver.Tap(L"Counter/LoginButton");
    }
    // Answers the open question; tick sets its "do not show again".
    void Answer(bool yes, bool tick = false)
    {
        auto* box = dynamic_cast<UxMessageBox*>(driver.Popup());
        ASSERT_NE(box, nullptr);
        if (tick)
            driver.Tap(L"MsgBox/CheckBox");
        ASSERT_TRUE(driver.Click(yes ? L"MsgBox/YesButton" : L"MsgBox/NoButton"));
    }
    bool SignedIn()
    {
        return driver.WaitFor([&] { return driver.Screen() == L"BuddyList"; });
    }
    std::wstring Alert() { return driver.Popup() ? driver.Text(L"MsgBox/Text") : L""; }

    AppDriver driver;
};

} // namespace

TEST_F(LoginTest, Look)
{
    ASSERT_TRUE(driver.Start());
    driver.Settle();
    driver.Screenshot("form");
    TypeInto(Form().IdEdit, L"minsu");
    TypeInto(Form().PasswordEdit, L"minsu1234");
    driver.Settle();
    driver.Screenshot("form-typed");
    driver.Tap(L"Counter/LoginButton");
    driver.Settle();
    driver.Screenshot("consent");
    Answer(true, true);
    driver.Screenshot("connecting");
    ASSERT_TRUE(SignedIn());
    driver.Screenshot("buddylist");
    ASSERT_TRUE(driver.Restart());
    driver.Settle();
    driver.Screenshot("gate");
}
