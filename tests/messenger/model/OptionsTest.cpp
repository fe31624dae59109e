#include "messenger/model/Options.h"
#include "messenger/model/EmoticonList.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/TraceCapture.h"
#include "ux/core/UxRegistryKey.h"
#include "ux/markup/UxXmlSkinHelper.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

namespace {

const wchar_t* kKey = L"Software\\Ulvanox\\MobileMessenger";

auto Values(const Options& o)
{
    return std::make_tuple(
        o.GetChatType(), o.GetViewType(), o.GetSortType(), o.GetNotifyType(), o.GetNotifyScopes());
}

} // namespace

TEST(Options, TextsOfEveryValue)
{
    const struct {
        std::wstring (*text)(int32_t);
        int32_t value;
        std::wstring expected;
    } cases[] = {
        { Options::GetChatTypeText, 1, L"쪽지쓰기" },
        { Options::GetViewTypeText, 7, L"" },
        { Options::GetNotifyTypeText, -1, L"" },
        { Options::GetNotifyScopesText, 5, L"로그인+쪽지 알림" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text(c.value), c.expected) << c.value;
}

TEST(Options, PresetsThenWhateverTheRegistryHolds)
{
    TempRegistry registry;
    {
        Options fresh;
        EXPECT_EQ(Values(fresh), std::make_tuple(0, 3, 0, 3, 7));
    }
    // A registry that holds only some values (one change saved, say) fills only those.
    registry.Restart();
    UxRegistryKey key;
    ASSERT_TRUE(key.Create(kKey));
    key.SetDword(Options::kSortTypeName, 1);
    key.Close();
    Options partial;
    EXPECT_EQ(Values(partial), std::make_tuple(0, 3, 1, 3, 7));
}

TEST(Options, ChangesSurviveARestartAndAKill)
{
    TempRegistry registry;
    {
        Options options;
        EXPECT_TRUE(options.SetViewType(1));
        EXPECT_TRUE(options.SetNotifyScopes(5));
    }
    registry.Restart();
    {
        Options options;
        EXPECT_EQ(Values(options), std::make_tuple(0, 1, 0, 3, 5));
    }

    // A change made just before the process is killed is already in the registry.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        Options* options = new Options;
        options->SetChatType(1);
        raise(SIGKILL);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    registry.Restart();
    Options options;
    EXPECT_EQ(Values(options), std::make_tuple(1, 1, 0, 3, 5));
}

TEST(EmoticonList, EntriesAreTheSectionsElementsInOrder)
{
    TraceCapture quiet;
    UxXmlSkinHelper skin;
    ASSERT_TRUE(skin.LoadText(LR"(<?xml version="1.0"?>
<Skin>
  <Other><X>1</X></Other>
  <_EmoticonList>
    <RGB>
      <Smile><Text>/웃음/</Text><File>emo.png</File><ImageCoord>0, 0, 20, 20</ImageCoord></Smile>
      <!-- comments are no entries -->
      <Cry><Text>/울음/</Text><File>emo.png</File><ImageCoord>20, 0, 20, 20</ImageCoord></Cry>
    </RGB>
  </_EmoticonList>
</Skin>)"));
    EmoticonList emoticons;
    EXPECT_EQ(emoticons.GetCount(), 2u);
    const UxDrawItem cry = emoticons.GetImage(1);
    EXPECT_EQ(std::tie(cry.Text, cry.Desc.Image.FileName, cry.Desc.ImageCoord.left),
        std::make_tuple(L"/울음/", L"emo.png", 20));
    EXPECT_EQ(emoticons.FindImage(L"/웃음/").Desc.ImageCoord.left, 0);
    for (const UxDrawItem& none :
        { emoticons.GetImage(2), emoticons.FindImage(L"/웃음"), emoticons.FindImage(L"") })
        EXPECT_TRUE(none.Text.empty() && none.Desc.Image.FileName.empty());

    ASSERT_TRUE(skin.LoadText(L"<?xml version=\"1.0\"?><Skin/>"));
    EXPECT_EQ(emoticons.GetCount(), 0u);
    EXPECT_TRUE(emoticons.FindImage(L"/웃음/").Text.empty());
}
