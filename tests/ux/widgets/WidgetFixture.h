#pragma once

#include "platform/display/Display.h"
#include "platform/event/Clock.h"
#include "platform/event/MessageQueue.h"
#include "platform/system/FileSystem.h"
#include "tests/support/UxPump.h"
#include "ux/core/UxDesktop.h"
#include "ux/core/UxPath.h"
#include "ux/core/UxPathResolver.h"
#include "ux/core/UxRect.h"
#include "ux/core/UxStartup.h"
#include "ux/markup/UxXmlDocument.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

// A window that records the events its children report and can refuse them.
class EventParent : public UxWindow {
public:
    struct Event {
        UxWindow* child;
        int32_t code;
        uintptr_t param1;
    };
    bool OnChildEvent(UxWindow* child, int32_t code) override
    {
        events.push_back({ child, code, UxWindow::EventParam1 });
        return answer;
    }
    void OnChildPressEnded(UxWindow* child) override { pressesEnded.push_back(child); }
    std::vector<int32_t> Codes() const
    {
        std::vector<int32_t> codes;
        for (const Event& e : events)
            codes.push_back(e.code);
        return codes;
    }
    std::vector<Event> events;
    std::vector<UxWindow*> pressesEnded;
    bool answer = true;
};

// The whole toolkit on the headless display and a manual clock, a 480 x 640 desktop, and
// the gallery's test skin folder as the image folder.
class WidgetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Into the in-memory frame unless the test itself chose a display, also where
        // QUORIX_DISPLAY is not set (outside ctest).
        setenv("QUORIX_DISPLAY", "headless", 0);
        ASSERT_TRUE(UxInitialize());
        UxPathResolver::GetInstance()->SetBase(0, plat::DesignedPath(SkinFolder() + "/Image"));
        desktop = new UxDesktop;
        ASSERT_TRUE(desktop->Create(L"QuorixWidgetTest-" + std::to_wstring(getpid()), { 0, 0, 480, 640 }));
        parent.SetRect({ 0, 0, 480, 640 });
        desktop->AddChild(&parent);
        UxPumpFor(0);
    }
    void TearDown() override
    {
        for (auto it = owned.rbegin(); it != owned.rend(); ++it) {
            if (UxWindow* p = (*it)->GetParent())
                p->RemoveChild(*it);
            delete *it;
        }
        desktop->RemoveChild(&parent);
        delete desktop;
        docs.clear();
        UxFinalize();
    }

    static std::string SkinFolder() { return std::string(QUORIX_TEST_SOURCE_DIR) + "/tools/gallery/skin"; }

    // A skin node from markup (the root element's content); the document lives as long
    // as the test.
    UxXmlNode* Node(const std::wstring& content)
    {
        docs.push_back(std::make_unique<UxXmlDocument>());
        EXPECT_TRUE(docs.back()->LoadText(L"<?xml version=\"1.0\"?><Node>" + content + L"</Node>"));
        return docs.back().get();
    }

    // A widget hung under the recording parent, deleted after the test.
    template <typename T> T* Add(const std::wstring& skin)
    {
        auto* w = new T;
        EXPECT_TRUE(w->ApplySkin(Node(skin)));
        parent.AddChild(w);
        owned.push_back(w);
        return w;
    }

    void Tap(int x, int y)
    {
        Input().PointerDown(x, y);
        Input().PointerUp(x, y);
        UxPumpFor(0);
    }
    plat::DisplayInput& Input() { return plat::GetDisplay()->GetInput(); }
    void Repaint()
    {
        desktop->Invalidate(plat::RECT {}, true);
        UxPumpFor(0);
    }
    // Saves the frame under the build folder's screenshots/.
    static void Shot(const std::string& name)
    {
        std::string folder = plat::NativePath(GetModuleDirectory()) + "screenshots";
        std::filesystem::create_directories(folder);
        EXPECT_TRUE(plat::GetDisplay()->SaveFramePng(folder + "/" + name + ".png"));
    }

    plat::ManualClock manual { 5000 };
    UxDesktop* desktop = nullptr;
    EventParent parent;
    std::vector<UxWindow*> owned;
    std::vector<std::unique_ptr<UxXmlDocument>> docs;
};

// The frame's colour at a screen point, 0xRRGGBB.
inline uint32_t At(int x, int y)
{
    return plat::GetDisplay()->GetFrame()->Pixel(x, y) & 0xFFFFFF;
}

// Colour channels of 0xRRGGBB.
inline int Red(uint32_t c) { return int(c >> 16 & 0xFF); }
inline int Green(uint32_t c) { return int(c >> 8 & 0xFF); }
inline int Blue(uint32_t c) { return int(c & 0xFF); }
