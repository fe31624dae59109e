#include "messenger/protocol/chat/PktChatText.h"
#include "messenger/protocol/codec/PktFailure.h"
#include "messenger/protocol/codec/PktInEmpty.h"
#include "messenger/protocol/codec/PktKeywords.h"
#include "messenger/protocol/memos/MemoAnswer.h"
#include "tests/support/RecordingScreens.h"
#include "tests/support/TraceCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
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

TEST(PktFailure, EveryCodeOfBothTablesReadsInKoreanWhileTheLogKeepsItsName)
{
    // Korean for a person: Hangul, and no Latin word but the name of OTP.
    const auto korean = [](std::wstring text) {
        for (size_t at; (at = text.find(L"OTP")) != std::wstring::npos;)
            text.erase(at, 3);
        const bool hangul
            = std::any_of(text.begin(), text.end(), [](wchar_t c) { return c >= 0xAC00 && c <= 0xD7A3; });
        return hangul && std::none_of(text.begin(), text.end(), [](wchar_t c) {
            return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
        });
    };
    const std::wstring general = L"알 수 없는 오류가 발생했습니다.\n\n오류 코드: ";
    const struct {
        std::vector<int32_t> codes;
        std::wstring (*name)(int32_t);
        std::wstring (*text)(int32_t);
    } tables[] = {
        { { 100, 101, 200, 201, 202, 203, 270, 280, 300, 301, 302, 303, 304, 305, 306, 307, 308, 309, 321,
              322, 395, 396, 397, 400, 401, 411, 412, 413, 414, 418, 420, 421, 422, 423, 480, 490, 500, 600,
              601, 997, 998, 999 },
            [](int32_t code) { return GetFailureCodeName(code); },
            [](int32_t code) { return GetFailureCodeText(code); } },
        { { 100, 201, 202, 300, 490, 500 }, GetMemoFailureName, GetMemoFailureText },
    };
    for (const auto& table : tables) {
        for (const int32_t code : table.codes) {
            const std::wstring text = table.text(code);
            EXPECT_TRUE(korean(text)) << code;
            EXPECT_NE(text.rfind(general, 0), 0u) << code << ": a text of its own";
            EXPECT_NE(table.name(code), L"Unknown Error") << code;
        }
        // Outside the table: the general text with the number.
        EXPECT_EQ(table.name(123), L"Unknown Error");
        EXPECT_EQ(table.text(123), general + L"123");
    }
    // The service's own Korean messages stand as they are, as names and as texts.
    const std::wstring checkId = L"입력하신 아이디를 확인하시고, 다시 로그인을 시도해 주세요.";
    for (const int32_t code : { 300, 998 })
        EXPECT_EQ(std::make_pair(GetFailureCodeName(code), GetFailureCodeText(code)),
            std::make_pair(checkId, checkId));
    EXPECT_EQ(GetFailureCodeText(301), L"입력하신 비밀번호를 확인하시고, 다시 로그인을 시도해 주세요.");
    EXPECT_EQ(GetFailureCodeText(395), L"아직 OTP 인증은 지원하지 않습니다.");

    // The alert shows the text; the log keeps the name and the code.
    TraceCapture trace;
    PktInEmpty reply(L"ADSB", 7);
    reply.SetResult(304);
    EXPECT_FALSE(ShowFailure(reply)) << "no screens attached: nothing shown";
    RecordingScreens screens;
    EXPECT_TRUE(ShowFailure(reply));
    reply.SetResult(100000); // a text with "%" would be a format bug; codes never are
    ShowFailure(reply);
    EXPECT_EQ(screens.calls,
        (std::vector<std::wstring> {
            L"ShowMsgBox: 존재하지 않는 아이디입니다.", L"ShowMsgBox: " + general + L"100000" }));
    EXPECT_TRUE(trace.Contains(L"ADSB refused: FailureCodeInvalidTargetId (304)"));
    EXPECT_TRUE(trace.Contains(L"ADSB refused: Unknown Error (100000)"));
}
