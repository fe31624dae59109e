#include "ux/core/UxStartup.h"
#include "ux/core/UxAudio.h"
#include "ux/core/UxClock.h"
#include "ux/core/UxConnectionHelper.h"
#include "ux/core/UxDeviceWindow.h"
#include "ux/core/UxNavigationController.h"
#include "ux/core/UxPathResolver.h"
#include "ux/core/UxPopupInstance.h"
#include "ux/core/UxRuntimeClass.h"
#include "ux/core/UxSipHandler.h"
#include "ux/core/UxTimerManager.h"
#include "ux/core/UxTransitionManager.h"
#include "ux/core/UxVibrator.h"
#include "ux/graphics/UxDeviceContextPool.h"
#include "ux/graphics/UxDeviceImagePool.h"
#include "ux/graphics/UxFontPool.h"
#include "ux/graphics/UxPopupBackColor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(UxStartup, InitializeCreatesTheSingletonsAndFinalizeDeletesThem)
{
    auto all = [] {
        return std::vector<const void*> { UxPathResolver::GetInstance(), UxPopupInstance::GetInstance(),
            UxClock::GetInstance(), UxTimerManager::GetInstance(), UxPopupBackColor::GetInstance(),
            UxDeviceContextPool::GetInstance(), UxDeviceWindow::GetInstance(), UxSipHandler::GetInstance(),
            UxDeviceImagePool::GetInstance(), UxFontPool::GetInstance(), UxTransitionManager::GetInstance(),
            UxNavigationController::GetInstance(), UxAudio::GetInstance(), UxVibrator::GetInstance(),
            UxConnectionHelper::GetInstance() };
    };
    ASSERT_TRUE(UxInitialize());
    for (const void* instance : all())
        EXPECT_NE(instance, nullptr);
    UxFinalize();
    EXPECT_EQ(all(), std::vector<const void*>(15, nullptr));
    UxFinalize(); // nothing left to delete
}

std::string g_log;

TEST(UxStartup, GroupsStopAtTheFirstFailureAndShutDownInReverse)
{
    const UxStartupGroup groups[] = {
        { [] { return g_log += 'a', true; }, [] { g_log += 'A'; } },
        { [] { return g_log += 'b', false; }, [] { g_log += 'B'; } },
        { [] { return g_log += 'c', true; }, [] { g_log += 'C'; } },
    };
    EXPECT_FALSE(UxRunStartupGroups(groups, 3));
    EXPECT_EQ(g_log, "ab");
    g_log.clear();
    UxRunShutdownGroups(groups, 3);
    EXPECT_EQ(g_log, "CBA");
    EXPECT_TRUE(UxRunStartupGroups(groups, 1));
}

// A stand-in for the edit document's glyphs.
struct Glyph {
    const UxRuntimeClass* record;
    const UxRuntimeClass* GetRuntimeClass() const { return record; }
};

TEST(UxRuntimeClass, IsKindOfFollowsTheBaseRecords)
{
    using R = UxRuntimeClass;
    for (const R* r : { &R::EditGlyphText, &R::EditGlyphImage, &R::EditGlyphAnchor, &R::EditGlyph }) {
        Glyph g { r };
        EXPECT_TRUE(IsKindOf(&g, &R::EditGlyph));
    }
    Glyph text { &R::EditGlyphText }, root { &R::EditGlyph }, none { nullptr };
    EXPECT_TRUE(IsKindOf(&text, &R::EditGlyphText));
    EXPECT_FALSE(IsKindOf(&text, &R::EditGlyphImage));
    EXPECT_FALSE(IsKindOf(&root, &R::EditGlyphAnchor));
    EXPECT_FALSE(IsKindOf(&none, &R::EditGlyph));
    EXPECT_FALSE(IsKindOf(static_cast<const Glyph*>(nullptr), &R::EditGlyph));
}

} // namespace
