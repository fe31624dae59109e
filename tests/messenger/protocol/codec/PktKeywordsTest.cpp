#include "messenger/protocol/chat/PktChatText.h"
#include "messenger/protocol/codec/PktFailure.h"
#include "messenger/protocol/codec/PktInEmpty.h"
#include "messenger/protocol/codec/PktKeywords.h"
#include "tests/support/RecordingScreens.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

struct Vocabulary {
    const char* name;
    std::vector<std::wstring> words; // value i is words[i]
    int32_t (*parse)(const std::wstring&);
    std::wstring (*toText)(int32_t);
};

const Vocabulary kVocabularies[] = {
    { "update flag", { L"Y", L"N", L"F" }, ParseUpdateFlag, nullptr },
    { "account kind", { L"N", L"C" }, ParseAccountKind, nullptr },
    { "list kind", { L"FL", L"AL", L"BL", L"RL" }, ParseListKind, ListKindToText },
    { "buddy status", { L"O", L"A", L"M", L"P", L"B", L"X", L"F" }, ParseBuddyStatus, BuddyStatusToText },
    { "buddy request", { L"REQST", L"ACCPT", L"REJCT" }, ParseBuddyRequest, BuddyRequestToText },
    { "envelope kind", { L"DP", L"SS" }, ParseEnvelopeKind, EnvelopeKindToText },
    { "client flag", { L"1", L"2" }, nullptr, ClientFlagToText },
    { "session command", { L"LIST", L"INFO", L"KILL", L"CONN" }, ParseSessionCommand, SessionCommandToText },
    { "message kind", { L"TYPING", L"MSG", L"AWAYMSG" }, ParseMessageKind, MessageKindToText },
    { "digit", { L"0", L"1", L"2" }, ParseDigit, DigitToText },
    { "content type", { L"text", L"html", L"rtf", L"flsh" }, ParseContentType, ContentTypeToText },
    { "memo command", { L"MEMOLST2", L"MEMOCNT2", L"MEMOGET2", L"MEMOREL1", L"MEMODEL1", L"MEMOSPM1" },
        ParseMemoCommand, MemoCommandToText },
    { "memo box", { L"R", L"S", L"A" }, ParseMemoBox, MemoBoxToText },
    { "memo kind", { L"NW", L"FW", L"RE", L"AL" }, ParseMemoKind, MemoKindToText },
    { "authentication kind", { L"MD5", L"OTP" }, nullptr, AuthenticationKindToText },
    { "delivery kind", { L"U", L"A", L"N" }, nullptr, DeliveryKindToText },
    { "text encoding", { L"ANSI", L"UTF8" }, nullptr, TextEncodingToText },
    { "client mode", { L"P", L"C" }, nullptr, ClientModeToText },
    { "memo list type", { L"1", L"3" }, nullptr, MemoListTypeToText },
};

} // namespace

TEST(PktKeywords, EveryVocabularyParsesAndPrintsIncludingUnknownWords)
{
    for (const Vocabulary& v : kVocabularies) {
        SCOPED_TRACE(v.name);
        auto last = static_cast<int32_t>(v.words.size());
        for (int32_t i = 0; i < last; ++i) {
            std::wstring lower = v.words[i];
            for (auto& c : lower)
                c = static_cast<wchar_t>(towlower(c));
            if (v.parse) {
                EXPECT_EQ(v.parse(v.words[i]), i);
                EXPECT_EQ(v.parse(lower), lower == v.words[i] ? i : last) << "parsing is case-sensitive";
            }
            if (v.toText) {
                EXPECT_EQ(v.toText(i), v.words[i]);
            }
        }
        if (v.parse) {
            EXPECT_EQ(v.parse(L""), last);
            EXPECT_EQ(v.parse(L"ZZ"), last);
        }
        if (v.toText) {
            EXPECT_EQ(v.toText(last), L"Unknown");
            EXPECT_EQ(v.toText(-1), L"Unknown");
        }
    }
}

TEST(PktKeywords, FlagStringsIncludingShortOnes)
{
    EXPECT_EQ(ParseFlagString(L"1010"), 5);
    EXPECT_EQ(ParseFlagString(L"0001"), 8);
    EXPECT_EQ(ParseFlagString(L"11111"), 15); // a fifth character is not a flag
    EXPECT_EQ(ParseFlagString(L"01"), 2);
    EXPECT_EQ(ParseFlagString(L""), 0);
}

TEST(PktChatText, FontStylesAndRecordsRoundTrip)
{
    EXPECT_EQ(ParseFontStyle(L"SB"), 9);
    EXPECT_EQ(FontStyleToString(9), L"BS");
    EXPECT_EQ(FontStyleToString(0), L"");
    EXPECT_EQ(ParseFontStyle(L"0"), 0);

    EXPECT_EQ(BuildChatText(L"", 255, 0, L"hi"), L"0\t255\t0\thi");

    std::wstring record = BuildChatText(L"굴림", 16711680, 6, L"a\tb 100% 끝");
    std::wstring font, text;
    uint32_t colour = 0;
    int32_t style = 0;
    EXPECT_TRUE(ParseChatText(record, font, colour, style, text));
    EXPECT_EQ(std::tie(font, colour, style, text), std::make_tuple(L"굴림", 16711680u, 6, L"a\tb 100% 끝"));
    // A short record gives defined values.
    EXPECT_TRUE(ParseChatText(L"0", font, colour, style, text));
    EXPECT_EQ(std::tie(font, colour, style, text), std::make_tuple(L"0", 0u, 0, L""));
}

TEST(PktFailure, NamesAndAlerts)
{
    EXPECT_EQ(GetFailureCodeName(998), GetFailureCodeName(300));
    EXPECT_EQ(GetFailureCodeName(300), L"입력하신 아이디를 확인하시고, 다시 로그인을 시도해 주세요.");
    EXPECT_EQ(GetFailureCodeName(123), L"Unknown Error");
    EXPECT_EQ(GetFailureCodeName(-1), L"Unknown Error");

    PktInEmpty reply(L"AUTH", 7);
    reply.SetResult(301);
    EXPECT_FALSE(ShowFailure(reply)) << "no screens attached: nothing shown";
    RecordingScreens screens;
    reply.SetResult(395);
    EXPECT_TRUE(ShowFailure(reply));
    reply.SetResult(100000); // a text with "%" would be a format bug; codes never are
    ShowFailure(reply);
    ASSERT_EQ(screens.calls.size(), 2u);
    EXPECT_EQ(screens.calls[0], L"ShowMsgBox: 아직 OTP 인증은 지원하지 않습니다.");
    EXPECT_EQ(screens.calls[1], L"ShowMsgBox: Unknown Error");
}
