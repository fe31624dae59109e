// The buddy list on screen, signed in to the local service, with other demo accounts
// acting as the second party.
#include "app/buddies/BuddyListPage.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/GroupList.h"
#include "messenger/model/Options.h"
#include "tests/support/AppDriver.h"

#include <gtest/gtest.h>

namespace {

class BuddyListScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(driver.Start());
        ASSERT_TRUE(driver.SignIn(L"minsu@quorix.net", L"minsu1234"));
        driver.Settle();
    }

    BuddyListView& View() { return driver.App().GetBuddyListPage().GetView(); }
    // Each row as the screen shows its texts: "name (online/total)" for groups, the
    // buddy's two texts otherwise.
    std::vector<std::wstring> Rows()
    {
        std::vector<std::wstring> rows;
        for (int32_t i = 0; i < View().GetRowCount(); ++i) {
            if (View().GetRow(i).hidden)
                continue;
            if (const Group* group = View().GetGroup(i))
                rows.push_back(BuddyListView::GroupTitle(*group));
            else if (const Buddy* buddy = View().GetBuddy(i))
                rows.push_back(L"  " + buddy->Name);
        }
        return rows;
    }
    std::string Party(const std::string& action, const std::string& user, const std::string& fields = "")
    {
        return driver.Service().Post("/party/" + action, R"({"user": ")" + user + "\"" + fields + "}");
    }

    AppDriver driver;
};

} // namespace

TEST_F(BuddyListScreenTest, ShowsTheGroupsAndBuddiesAfterSignIn)
{
    EXPECT_EQ(driver.Screen(), L"BuddyList");
    for (auto& r : Rows())
        ADD_FAILURE() << std::string(r.begin(), r.end());
    driver.Screenshot("grouped");
}
