#include "ux/core/UxStartup.h"
#include "tests/support/TraceCapture.h"
#include "ux/core/UxClock.h"
#include "ux/core/UxPathResolver.h"
#include "ux/core/UxPopupInstance.h"
#include "ux/core/UxRuntimeClass.h"
#include "ux/core/UxTimerManager.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(UxStartup, InitializeCreatesTheSingletonsAndFinalizeDeletesThem)
{
    TraceCapture trace;
    ASSERT_TRUE(UxInitialize());
    ASSERT_NE(UxPathResolver::GetInstance(), nullptr);
    ASSERT_NE(UxPopupInstance::GetInstance(), nullptr);
    ASSERT_NE(UxClock::GetInstance(), nullptr);
    ASSERT_NE(UxTimerManager::GetInstance(), nullptr);
    EXPECT_EQ(UxPopupInstance::GetInstance()->GetPopup(), nullptr);
    EXPECT_EQ(UxPopupInstance::GetInstance()->GetMenuList(), nullptr);
    UxFinalize();
    EXPECT_EQ(UxPathResolver::GetInstance(), nullptr);
    EXPECT_EQ(UxPopupInstance::GetInstance(), nullptr);
    EXPECT_EQ(UxTimerManager::GetInstance(), nullptr);
    EXPECT_EQ(UxClock::GetInstance(), nullptr);
    UxFinalize(); // nothing left to delete
    EXPECT_TRUE(trace.lines.empty());
}

std::string g_log;

template <char Name, bool Ok> bool Up()
{
    g_log += Name;
    return Ok;
}

template <char Name> void Down()
{
    g_log += static_cast<char>(Name - 'a' + 'A');
}

TEST(UxStartup, GroupsStopAtTheFirstFailureAndShutDownInReverse)
{
    const UxStartupGroup groups[] = {
        { Up<'a', true>, Down<'a'> },
        { Up<'b', false>, Down<'b'> },
        { Up<'c', true>, Down<'c'> },
    };
    g_log.clear();
    EXPECT_FALSE(UxRunStartupGroups(groups, 3));
    EXPECT_EQ(g_log, "ab");
    g_log.clear();
    UxRunShutdownGroups(groups, 3);
    EXPECT_EQ(g_log, "CBA");
    EXPECT_TRUE(UxRunStartupGroups(groups, 1));
}

// Stand-ins for the edit document's glyphs.
struct Glyph {
    explicit Glyph(const UxRuntimeClass* record)
        : record(record)
    {
    }
    virtual ~Glyph() = default;
    virtual const UxRuntimeClass* GetRuntimeClass() const { return record; }
    const UxRuntimeClass* record;
};

TEST(UxRuntimeClass, IsKindOfFollowsTheBaseRecords)
{
    Glyph text(&UxRuntimeClass::EditGlyphText);
    Glyph image(&UxRuntimeClass::EditGlyphImage);
    Glyph anchor(&UxRuntimeClass::EditGlyphAnchor);
    Glyph root(&UxRuntimeClass::EditGlyph);
    for (const Glyph* g : { &text, &image, &anchor, &root })
        EXPECT_TRUE(IsKindOf(g, &UxRuntimeClass::EditGlyph));
    EXPECT_TRUE(IsKindOf(&text, &UxRuntimeClass::EditGlyphText));
    EXPECT_FALSE(IsKindOf(&text, &UxRuntimeClass::EditGlyphImage));
    EXPECT_FALSE(IsKindOf(&root, &UxRuntimeClass::EditGlyphAnchor));
    EXPECT_FALSE(IsKindOf(static_cast<const Glyph*>(nullptr), &UxRuntimeClass::EditGlyph));
    EXPECT_EQ(std::wstring(UxRuntimeClass::EditGlyphImage.GetClassName()), L"UxEditGlyphImage");
    EXPECT_EQ(UxRuntimeClass::EditGlyph.GetBase(), nullptr);
}

} // namespace
