#include "platform/system/HangulComposer.h"

#include <gtest/gtest.h>

namespace {

// Types keys ('<' is Backspace) and returns everything committed, then "|" and what is
// still being composed.
std::wstring Type(plat::HangulComposer& composer, const std::wstring& keys)
{
    std::wstring committed;
    for (wchar_t k : keys) {
        plat::HangulComposer::Result r;
        bool taken = k == L'<' ? composer.Backspace(r) : composer.Key(k, r);
        if (!taken) {
            committed += composer.Flush();
            if (k != L'<')
                committed += k;
            continue;
        }
        committed += r.commit;
        EXPECT_EQ(r.composition, composer.GetComposition());
    }
    return committed + L"|" + composer.GetComposition();
}

TEST(HangulComposer, TwoSetLayoutComposesSyllables)
{
    struct Case {
        const wchar_t* keys;
        const wchar_t* result;
    } cases[] = {
        { L"dkssudgktpdy", L"안녕하세|요" },
        { L"gksrmf", L"한|글" }, // the final moves on when a vowel follows
        { L"dlfrdj", L"읽|어" }, // a double final splits
        { L"ekfr", L"|닭" },
        { L"rhkdlf", L"과|일" }, // double vowels
        { L"dmlwk", L"의|자" },
        { L"Rkcl", L"까|치" }, // shifted keys
        { L"ERkR", L"ㄸ|깎" }, // ㄸ never closes a syllable; ㄲ may
        { L"rr", L"ㄱ|ㄱ" },
        { L"hk", L"|ㅘ" },
        { L"gks gks", L"한 |한" }, // other characters commit first
        { L"qhtrj", L"봇|거" }, // ㅅ+ㄱ is no double final: ㄱ starts the next syllable
        { L"dlfr<", L"|일" }, // Backspace removes the last jamo
        { L"rhk<<", L"|ㄱ" },
        { L"gks<<<", L"|" },
        { L"gksrm<<", L"한|" },
        { L"<x", L"|ㅌ" }, // nothing to remove: the key passes on
    };
    for (const Case& c : cases) {
        plat::HangulComposer composer;
        EXPECT_EQ(Type(composer, c.keys), c.result) << c.keys;
    }
}

TEST(HangulComposer, FlushEndsTheComposition)
{
    plat::HangulComposer composer;
    Type(composer, L"dkr");
    EXPECT_TRUE(composer.IsComposing());
    EXPECT_EQ(composer.Flush(), L"악");
    EXPECT_FALSE(composer.IsComposing());
    EXPECT_EQ(composer.Flush(), L"");
    plat::HangulComposer::Result r;
    EXPECT_FALSE(composer.Backspace(r));
    EXPECT_FALSE(composer.Key(L'1', r));
}

} // namespace
