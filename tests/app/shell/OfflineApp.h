#pragma once

// The whole program through the test driver, without the local service.

#include "tests/support/AppDriver.h"

#include <gtest/gtest.h>

#include <string>

inline AppDriver::Setup Offline(const std::string& skin = "")
{
    AppDriver::Setup setup;
    setup.service = false;
    setup.skin = skin;
    return setup;
}

// Started and settled on the buddy list.
class OfflineAppTest : public ::testing::Test {
public:
    void SetUp() override
    {
        ASSERT_TRUE(driver.Start());
        // As a sign-in leaves it: the form hidden, and its boxes without the caret.
        App().GetLoginCounter().SetVisible(false);
        App().ShowBuddyList();
        driver.Settle();
    }

    MessengerApp& App() { return driver.App(); }

    AppDriver driver { Offline() };
};
