#include "ux/markup/UxXmlSkinHelper.h"
#include "ux/markup/UxSkinWords.h"

#include <gtest/gtest.h>

namespace {

const wchar_t* kSkin = LR"(<?xml version="1.0" encoding="utf-8"?>
<Skin>
  <BuddyAdd>
    <Title>0, 0, 240, 26</Title>
    <Back>#102030</Back>
    <Height>44</Height>
    <List>
      <Row><Line>#FFFFFF</Line></Row>
      <YIndicator><Enabled>False</Enabled><Thick>5</Thick></YIndicator>
    </List>
  </BuddyAdd>
</Skin>)";

class UxSkinTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(skin->LoadText(kSkin)); }
    void TearDown() override { delete skin; }
    UxXmlSkinHelper* skin = new UxXmlSkinHelper;
};

TEST_F(UxSkinTest, ValuesAreFoundThroughTheSelectedSection)
{
    UxXmlNode* section = SelectSkinNode(L"BuddyAdd");
    ASSERT_NE(section, nullptr);
    EXPECT_EQ(GetCurrentSkinNode(), section);
    EXPECT_EQ(GetSkinRect(L"Title").bottom, 26);
    EXPECT_EQ(GetSkinColor(L"Back"), 0x302010u);
    EXPECT_EQ(GetSkinInt(L"Height"), 44);
    EXPECT_EQ(GetSkinColor(L"List", L"Row", L"Line"), 0xFFFFFFu);
    EXPECT_EQ(GetSkinColor(L"", L"List", L"", L"Row"), 0u); // empty names are skipped: List/Row has no value
    EXPECT_EQ(FindSkinNode(L"", L"List", L"", L"Row"), FindSkinNode(L"List", L"Row"));

    // Deeper selection moves the section.
    EXPECT_EQ(SelectSkinNode(L"BuddyAdd", L"List"), section->FindChild(L"List"));
    EXPECT_NE(FindSkinNode(L"Row"), nullptr);
}

TEST_F(UxSkinTest, MissingPathsGiveNullAndZeroValues)
{
    SelectSkinNode(L"BuddyAdd");
    EXPECT_EQ(FindSkinNode(L"Nope", L"Title"), nullptr);
    EXPECT_EQ(GetSkinInt(L"Nope"), 0);
    EXPECT_EQ(GetSkinRect(L"List", L"Nope").right, 0);

    EXPECT_EQ(SelectSkinNode(L"Nope", L"BuddyAdd"), nullptr);
    EXPECT_EQ(GetCurrentSkinNode(), nullptr);
    EXPECT_EQ(FindSkinNode(L"Title"), nullptr);
    EXPECT_EQ(GetSkinColor(L"Back"), 0u);

    // The section must not outlive the document it points into.
    SelectSkinNode(L"BuddyAdd");
    delete skin;
    skin = nullptr;
    EXPECT_EQ(GetCurrentSkinNode(), nullptr);
    EXPECT_EQ(SelectSkinNode(L"BuddyAdd"), nullptr);
    EXPECT_EQ(GetSkinInt(L"Height"), 0);
}

TEST_F(UxSkinTest, ScrollIndicatorKeepsWhatTheSkinLeavesOut)
{
    UxScrollIndicatorSettings settings;
    LoadScrollIndicator(settings, SelectSkinNode(L"BuddyAdd", L"List", L"YIndicator"));
    EXPECT_EQ(settings.enabled, 0);
    EXPECT_EQ(settings.thick, 5);
    EXPECT_EQ(settings.margin, 2);
    LoadScrollIndicator(settings, nullptr);
    EXPECT_EQ(settings.thick, 5);
}

TEST(UxSkinWords, BitSetsCombineWordsFoundAnywhere)
{
    EXPECT_EQ(ParseFontEffects(L"Bold|Underline"), 5u);
    EXPECT_EQ(ParseFontEffects(L"StrikeOut Italic"), 10u);
    EXPECT_EQ(ParseFontEffects(L"bold"), 0u);
    EXPECT_EQ(ParseEditStyles(L"SingleLine,Password,ReadOnly,NumberOnly"), 15u);
    EXPECT_EQ(ParseAligns(L"HCenter,VCenter"), 34u);
    EXPECT_EQ(ParseAligns(L"Right Bottom"), 51u);
    EXPECT_EQ(ParseAligns(L"Top Bottom"), 48u);
    EXPECT_EQ(ParseAligns(L"Top VCenter"), 48u);
}

TEST(UxSkinWords, EnumerationsMatchWholeWords)
{
    EXPECT_EQ(ParseDrawMethod(L"AlphaBlendPerPixel"), 3);
    EXPECT_EQ(ParseDrawMethod(L"AlphaBlend"), 2);
    EXPECT_EQ(ParseKeyboardType(L"Hangeul"), 1);
    EXPECT_EQ(ParseDirection(L"BottomToTop"), 3);
    EXPECT_EQ(ParseAnimationMode(L"TwoWay"), 1);
    EXPECT_EQ(ParseDrawMethod(L"bitblt"), 4);
    EXPECT_EQ(ParseAnimationMode(L""), 2);
    EXPECT_EQ(ParseDirection(L" LeftToRight"), 4);
}

} // namespace
