// Reading a conversation while lines arrive: a view scrolled back keeps its place and a
// sign at its foot says that lines came below; a line as long as one line of the service
// can be is shown, scrolled through and copied whole.
#include "app/chat/ChatPage.h"
#include "app/shell/MenuCopy.h"
#include "messenger/model/ChatSessionList.h"
#include "messenger/model/EmoticonList.h"
#include "tests/support/AppDriver.h"
#include "tests/support/FrameCheck.h"
#include "ux/core/UxText.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const std::string kJiyeon = "jiyeon@quorix.net";

// What a chat page's conversation shows and where it rests.
class ReadingChecks {
protected:
    ChatTranscript& Transcript() { return page->GetOutput().GetTranscript(); }
    int32_t Offset() { return Transcript().GetYAxis().GetOffset(); }
    int32_t End() { return std::min(0, Transcript().GetYAxis().GetViewSize() - Transcript().GetDocumentHeight()); }
    bool SignShown() { return AppDriver::IsShown(&page->GetOutput().GetNewLinesSign()); }

    ChatPage* page = nullptr;
};

// Signed in as minsu, chatting with jiyeon, the second party.
class ChatReading : public ::testing::Test, public ReadingChecks {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(driver.StartSignedIn());
        ASSERT_TRUE(driver.SignInParty(kJiyeon));
        BuddyListView& list = driver.App().GetBuddyListPage().GetView();
        ASSERT_TRUE(driver.TapRow(&list, AppDriver::BuddyRow(list, L"이지연")));
        driver.Settle();
        page = dynamic_cast<ChatPage*>(driver.Page());
        ASSERT_NE(page, nullptr);
        driver.PartyAccepts(kJiyeon);
        ASSERT_TRUE(driver.WaitFor([&] { return page->GetSession()->Participants.size() == 1; }));
    }

    // jiyeon says the text; true once it shows.
    bool Say(const std::wstring& text)
    {
        driver.Party("say", kJiyeon, R"(, "text": ")" + ToUtf8(text) + "\"");
        return driver.WaitFor([&] { return Transcript().GetText().ends_with(text); });
    }
    // Enough lines for three views of the conversation.
    bool FillSeveralViews()
    {
        for (int i = 1; i < 30; ++i)
            driver.Party("say", kJiyeon, R"(, "text": "지난 이야기 )" + std::to_string(i) + "\"");
        return Say(L"지난 이야기 30") && Transcript().GetDocumentHeight() > 3 * Transcript().GetHeight();
    }
    plat::POINT Middle()
    {
        const plat::RECT r = Transcript().GetScreenRect();
        return { (r.left + r.right) / 2, (r.top + r.bottom) / 2 };
    }
    // Turns the wheel over the conversation and lets it come to rest.
    void Wheel(float notches)
    {
        driver.Wheel(Middle().x, Middle().y, notches);
        driver.Advance(1500);
    }
    std::string UnlikeRepaint()
    {
        return DifferenceFromFullRepaint(driver.App(), [&] { driver.Flush(); });
    }

    AppDriver driver;
};

} // namespace

TEST_F(ChatReading, AViewScrolledBackKeepsItsFirstLineWhileLinesArriveAndTheSignTakesItToTheEnd)
{
    ASSERT_TRUE(FillSeveralViews());
    ASSERT_EQ(Offset(), End());
    EXPECT_FALSE(SignShown());

    // Two notches back, as someone reading does; the indicator fades meanwhile. A tap on
    // the text leaves it where it is.
    Wheel(2.0f);
    const int32_t reading = Offset();
    ASSERT_GT(reading, End() + ChatTranscript::kEndSlack);
    driver.Tap(Middle().x, Middle().y);
    driver.Advance(1500);
    ASSERT_EQ(Offset(), reading);
    const plat::RECT view = Transcript().GetScreenRect();
    // The upper half of the text, where the sign never lies (nor the indicator).
    const plat::RECT upper { view.left, view.top, view.right - 12, (view.top + view.bottom) / 2 };
    const std::vector<uint32_t> shown = AreaColours(upper);
    const std::wstring first = Transcript().GetLineAt(1);
    ASSERT_FALSE(first.empty());

    for (int i = 1; i <= 4; ++i) {
        ASSERT_TRUE(Say(L"새 소식 " + std::to_wstring(i)));
        driver.Advance(300);
        EXPECT_EQ(Offset(), reading) << "line " << i;
        EXPECT_EQ(Transcript().GetLineAt(1), first) << "line " << i;
        EXPECT_EQ(AreaColours(upper), shown) << "line " << i;
        EXPECT_TRUE(SignShown()) << "line " << i;
        EXPECT_EQ(UnlikeRepaint(), "") << "line " << i;
    }
    driver.Screenshot("new-lines-sign");

    // The sign takes the view to the end, where the lines that came show, and goes.
    ASSERT_TRUE(driver.Tap(L"Chat/NewLinesButton"));
    EXPECT_EQ(Offset(), End());
    EXPECT_FALSE(SignShown());
    EXPECT_EQ(Transcript().GetLineAt(Transcript().GetHeight() - 2), L"새 소식 4");
    EXPECT_EQ(UnlikeRepaint(), "");
    driver.Screenshot("new-lines-seen");
}

TEST_F(ChatReading, AViewAtTheEndFollowsAndReachingTheEndOrSpeakingPutsTheSignAway)
{
    ASSERT_TRUE(FillSeveralViews());
    ASSERT_TRUE(Say(L"끝에서 받은 줄"));
    EXPECT_EQ(Offset(), End());
    EXPECT_FALSE(SignShown());

    // The user's own line, typed where the caret has been since the chat opened, takes
    // the view to the end and the sign away.
    Wheel(2.0f);
    ASSERT_TRUE(Say(L"읽는 동안 온 줄"));
    ASSERT_TRUE(SignShown());
    driver.TypeKorean(L"내가 쓴 줄");
    driver.Key(plat::VK_RETURN);
    EXPECT_TRUE(Transcript().GetText().ends_with(L"님의 말:\n내가 쓴 줄"));
    EXPECT_EQ(Offset(), End());
    EXPECT_FALSE(SignShown());
    EXPECT_TRUE(driver.PartyReceives(kJiyeon, "MESG", "내가 쓴 줄"));

    // Back and down to the end again, with the wheel, Page Down and a drag: each way to
    // the end sees the lines that came. (End moves the input's caret.)
    const plat::RECT view = Transcript().GetScreenRect();
    const plat::POINT p = Middle();
    const std::function<void()> toTheEnd[] = {
        [&] { Wheel(-3.0f); },
        [&] {
            driver.Hover(p.x, p.y);
            driver.Key(plat::VK_NEXT);
            driver.Advance(3000);
        },
        [&] {
            driver.Drag(p.x, view.bottom - 60, p.x, view.top + 10, 10, 16);
            driver.Advance(3000);
        },
    };
    int said = 0;
    for (const auto& scroll : toTheEnd) {
        Wheel(2.0f);
        ASSERT_TRUE(Say(L"또 온 줄 " + std::to_wstring(++said)));
        ASSERT_TRUE(SignShown()) << said;
        scroll();
        EXPECT_EQ(Offset(), End()) << said;
        EXPECT_FALSE(SignShown()) << said;
    }
}

TEST_F(ChatReading, ALineAsLongAsTheServiceSendsIsShownScrolledThroughAndCopiedWhole)
{
    // Words of Hangul, then Latin without a space, as one line of 64 KiB: the longest
    // one line of the service can be.
    const std::string head = "MESG 0 " + kJiyeon + " MSG 0%090%090%09";
    std::wstring line;
    size_t bytes = head.size() + 2; // and the line's end
    for (int word = 0; bytes < 40000; ++word) {
        const std::wstring text = std::wstring(size_t(1 + word % 9), wchar_t(L'가' + word % 300)) + L" ";
        line += text;
        bytes += 3 * text.size(); // each syllable three bytes, the space escaped in three
    }
    for (size_t i = 0; bytes < 64 * 1024; ++i, ++bytes)
        line += wchar_t(L'a' + i % 26);
    std::string word = ToUtf8(line);
    for (size_t at = word.find(' '); at != std::string::npos; at = word.find(' ', at))
        word.replace(at, 1, "%20");
    const std::string inner = head + word + "\r\n";
    ASSERT_EQ(inner.size(), 64u * 1024);
    const std::string frame = "CRP2 0 SS " + ToUtf8(page->GetSession()->SessionId) + " "
        + std::to_string(inner.size()) + "\\r\\n" + head + word + "\\r\\n";
    driver.Service().Post("/raw", R"({"user": "minsu@quorix.net", "data": ")" + frame + "\"}");
    ASSERT_TRUE(driver.WaitFor([&] { return Transcript().GetText().ends_with(line); }));
    EXPECT_NE(Transcript().GetText().find(L"이지연 (지연이) 님의 말:\n" + line), std::wstring::npos);
    EXPECT_EQ(Offset(), End());

    // Copied from where it shows: all of it.
    const plat::POINT p = Middle();
    driver.RightClick(p.x, p.y);
    auto* menu = dynamic_cast<MenuCopy*>(driver.Popup());
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(driver.TapRow(&menu->GetList(), MenuCopy::Copy));
    EXPECT_EQ(driver.Clipboard(), line);

    // Paged back into its middle, the screen is what a full repaint shows.
    driver.Hover(p.x, p.y);
    for (int page = 0; page < 20; ++page) {
        driver.Key(plat::VK_PRIOR);
        driver.Advance(500);
    }
    driver.Advance(3000);
    EXPECT_GT(Offset(), End() + 10 * Transcript().GetHeight());
    EXPECT_EQ(Transcript().GetLineAt(p.y - Transcript().GetScreenRect().top), line);
    EXPECT_EQ(UnlikeRepaint(), "");
    driver.Screenshot("long-line");
}

namespace {

// A chat page over lists filled here, without a service.
class ChatReadingOffline : public ::testing::Test, public ReadingChecks {
protected:
    ChatReadingOffline()
        : driver(AppDriver::Setup { .service = false, .accounts = {}, .skin = {} })
    {
    }
    void SetUp() override
    {
        ASSERT_TRUE(driver.Start());
        ChatSession* session = ChatSessionList::GetInstance()->NewSession();
        ASSERT_NE(session, nullptr);
        page = dynamic_cast<ChatPage*>(session->GetPage());
        ASSERT_NE(page, nullptr);
    }

    AppDriver driver;
};

} // namespace

// "At the end" is up to kEndSlack pixels short of it, or past it.
TEST_F(ChatReadingOffline, TheEndReachesAFewPixelsShortOfTheLastLine)
{
    ChatOutput& output = page->GetOutput();
    for (int i = 0; i < 40; ++i)
        output.AddLine(L"줄 " + std::to_wstring(i), ChatOutput::LinePeer);
    UxScrollAxis& y = Transcript().GetYAxis();
    ASSERT_EQ(Offset(), End());
    const struct {
        int32_t fromEnd; // pixels short of the end (negative: past it)
        bool follows;
    } cases[] = { { 0, true }, { ChatTranscript::kEndSlack, true }, { -6, true },
        { ChatTranscript::kEndSlack + 1, false }, { 200, false } };
    for (const auto& c : cases) {
        y.SetPosition(End() + c.fromEnd);
        const int32_t before = Offset();
        output.AddLine(L"다음 줄", ChatOutput::LinePeer);
        EXPECT_EQ(Offset(), c.follows ? End() : before) << c.fromEnd;
        EXPECT_EQ(Transcript().HasUnseen(), !c.follows) << c.fromEnd;
        EXPECT_EQ(page->GetOutput().GetNewLinesSign().IsVisible(), !c.follows) << c.fromEnd;
        // Moved to the end by any means, the lines count as seen.
        y.SetPosition(End());
        EXPECT_FALSE(Transcript().HasUnseen()) << c.fromEnd;
    }
}

// Text appended piece by piece (emoticons, a code that is none, words wrapped at their
// spaces, a long word broken inside, a tall picture carried over with its word) lies
// exactly as the same text laid out at once.
TEST_F(ChatReadingOffline, LinesLaidOutAsTheyArriveLieAsWhenLaidOutAgain)
{
    ChatOutput& output = page->GetOutput();
    const std::wstring lines[] = {
        L"짧은 줄",
        L"그림 /미소/ 사이에 /없는코드/ 낱말들이 /웃음//미소/ 이어지고 " + std::wstring(70, L'긴') + L" 끝",
        L"a/b/c/d/e/f/g/h/i/j/k/l/m/n/o/p/q/r/s/t/u/v/w/x/y/z/" + std::wstring(300, L'x'),
        std::wstring(3000, L'나') + L" /미소/",
        L"",
    };
    // A picture in a word carried over to the next row, in a face whose characters are 8
    // pixels wide: the two rows are as tall as each part is alone.
    const auto carried = [&] {
        UxTextStyle style;
        style.Font.FaceName = L"TestFixed";
        style.Font.Height = 16;
        ChatTranscript& transcript = Transcript();
        ASSERT_TRUE(transcript.SetStyle(style));
        const UxDrawItem picture = EmoticonList::GetInstance()->FindImage(L"/미소/");
        const std::wstring first = std::wstring(size_t(transcript.GetWidth() / 8 - 8), L'a') + L" ";
        const auto grows = [&](const std::function<void()>& insert) {
            const int32_t before = transcript.GetDocumentHeight();
            insert();
            return transcript.GetDocumentHeight() - before;
        };
        const int32_t alone = grows([&] { transcript.InsertText(L"\n" + first); });
        const int32_t word = grows([&] {
            transcript.InsertText(L"\nb");
            transcript.InsertImage(picture);
            transcript.InsertText(L"cccccc");
        });
        const int32_t both = grows([&] {
            transcript.InsertText(L"\n" + first + L"b");
            transcript.InsertImage(picture);
            transcript.InsertText(L"cccccc");
        });
        EXPECT_GT(word, alone);
        EXPECT_EQ(both, alone + word);
        transcript.InsertText(L" dd");
    };
    for (const std::wstring& line : lines) {
        if (line.empty())
            carried();
        else
            output.AddLine(line, ChatOutput::LinePeer);
        const std::vector<uint32_t> rows = Transcript().GetLastRowStarts();
        const int32_t height = Transcript().GetDocumentHeight();
        ASSERT_GT(rows.size(), line.size() > 20 || line.empty() ? 1u : 0u);
        // Another width lays everything out anew; back at this one it is as before.
        const plat::RECT rect = Transcript().GetRect();
        Transcript().SetRect({ rect.left, rect.top, rect.right - 100, rect.bottom });
        if (rows.size() > 1) {
            EXPECT_GT(Transcript().GetDocumentHeight(), height);
        }
        Transcript().SetRect(rect);
        EXPECT_EQ(Transcript().GetLastRowStarts(), rows) << ToUtf8(line.substr(0, 20));
        EXPECT_EQ(Transcript().GetDocumentHeight(), height) << ToUtf8(line.substr(0, 20));
    }
}
