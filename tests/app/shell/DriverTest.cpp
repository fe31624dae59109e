// What the end-to-end tests rely on in the driver itself.
#include "tests/support/AppDriver.h"
#include "ux/markup/UxXmlSkinHelper.h"

#include <gtest/gtest.h>

TEST(DriverTest, TypesKoreanAndLatinThroughTheInputPanelKeyboard)
{
    AppDriver::Setup setup;
    setup.service = false;
    AppDriver driver(setup);
    ASSERT_TRUE(driver.Start());
    UxEdit edit;
    ASSERT_TRUE(edit.ApplySkin(SelectSkinNode(L"MsgBox", L"Text")));
    edit.SetStyles(0);
    driver.App().GetLoginCounter().AddChild(&edit);
    edit.SetFocus(true);

    driver.TypeKorean(L"닭이 달기 괜찮아요 ok 김ㅋ");
    EXPECT_EQ(edit.GetText(), L"닭이 달기 괜찮아요 ok 김ㅋ");
    EXPECT_FALSE(plat::IsHangulKeyboard());
    EXPECT_EQ(AppDriver::HangulKeys(L'뷁'), L"qnpfr");
    EXPECT_EQ(AppDriver::HangulKeys(L'a'), L"");
    driver.App().GetLoginCounter().RemoveChild(&edit);
}
