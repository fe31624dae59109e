#include "platform/system/HangulComposer.h"

namespace plat {

namespace {

    constexpr wchar_t kFirstConsonant = 0x3131; // ㄱ
    constexpr wchar_t kLastConsonant = 0x314E; // ㅎ
    constexpr wchar_t kFirstVowel = 0x314F; // ㅏ, medial 0; the vowels follow in medial order
    constexpr wchar_t kLastVowel = 0x3163; // ㅣ
    constexpr wchar_t kFirstSyllable = 0xAC00;

    // Per consonant jamo from ㄱ: its initial index (-1: never initial) and final index (0: never final).
    constexpr int kConsonants[30][2] = { { 0, 1 }, { 1, 2 }, { -1, 3 }, { 2, 4 }, { -1, 5 }, { -1, 6 }, { 3, 7 },
        { 4, 0 }, { 5, 8 }, { -1, 9 }, { -1, 10 }, { -1, 11 }, { -1, 12 }, { -1, 13 }, { -1, 14 }, { -1, 15 },
        { 6, 16 }, { 7, 17 }, { 8, 0 }, { -1, 18 }, { 9, 19 }, { 10, 20 }, { 11, 21 }, { 12, 22 }, { 13, 0 },
        { 14, 23 }, { 15, 24 }, { 16, 25 }, { 17, 26 }, { 18, 27 } };

    // Double finals: {first final, added consonant jamo, double final}.
    constexpr struct {
        int first;
        wchar_t added;
        int both;
    } kDoubleFinals[] = { { 1, L'ㅅ', 3 }, { 4, L'ㅈ', 5 }, { 4, L'ㅎ', 6 }, { 8, L'ㄱ', 9 }, { 8, L'ㅁ', 10 },
        { 8, L'ㅂ', 11 }, { 8, L'ㅅ', 12 }, { 8, L'ㅌ', 13 }, { 8, L'ㅍ', 14 }, { 8, L'ㅎ', 15 },
        { 17, L'ㅅ', 18 } };

    // Double vowels as medial indexes: {first, added, both}.
    constexpr int kDoubleVowels[][3] = { { 8, 0, 9 }, { 8, 1, 10 }, { 8, 20, 11 }, { 13, 4, 14 }, { 13, 5, 15 },
        { 13, 20, 16 }, { 18, 20, 19 } };

    // Two-set layout, 'a' to 'z', then the shifted keys that differ.
    constexpr wchar_t kLower[26] = { L'ㅁ', L'ㅠ', L'ㅊ', L'ㅇ', L'ㄷ', L'ㄹ', L'ㅎ', L'ㅗ', L'ㅑ', L'ㅓ', L'ㅏ',
        L'ㅣ', L'ㅡ', L'ㅜ', L'ㅐ', L'ㅔ', L'ㅂ', L'ㄱ', L'ㄴ', L'ㅅ', L'ㅕ', L'ㅍ', L'ㅈ', L'ㅌ', L'ㅛ', L'ㅋ' };
    constexpr struct {
        wchar_t key;
        wchar_t jamo;
    } kShifted[] = { { L'Q', L'ㅃ' }, { L'W', L'ㅉ' }, { L'E', L'ㄸ' }, { L'R', L'ㄲ' }, { L'T', L'ㅆ' },
        { L'O', L'ㅒ' }, { L'P', L'ㅖ' } };

    int InitialOf(wchar_t consonant)
    {
        return kConsonants[consonant - kFirstConsonant][0];
    }

    int FinalOf(wchar_t consonant)
    {
        return kConsonants[consonant - kFirstConsonant][1];
    }

    wchar_t JamoOfInitial(int initial)
    {
        for (int i = 0; i < 30; ++i) {
            if (kConsonants[i][0] == initial)
                return wchar_t(kFirstConsonant + i);
        }
        return 0;
    }

    wchar_t JamoOfFinal(int final)
    {
        for (int i = 0; i < 30; ++i) {
            if (kConsonants[i][1] == final)
                return wchar_t(kFirstConsonant + i);
        }
        return 0;
    }

} // namespace

wchar_t HangulComposer::JamoForKey(wchar_t latin)
{
    for (const auto& s : kShifted) {
        if (s.key == latin)
            return s.jamo;
    }
    if (latin >= L'A' && latin <= L'Z')
        latin = wchar_t(latin - L'A' + L'a');
    if (latin >= L'a' && latin <= L'z')
        return kLower[latin - L'a'];
    return 0;
}

std::wstring HangulComposer::Render(const State& s)
{
    if (s.initial >= 0 && s.medial >= 0)
        return std::wstring(1, wchar_t(kFirstSyllable + (s.initial * 21 + s.medial) * 28 + s.final));
    if (s.initial >= 0)
        return std::wstring(1, JamoOfInitial(s.initial));
    if (s.medial >= 0)
        return std::wstring(1, wchar_t(kFirstVowel + s.medial));
    return {};
}

void HangulComposer::Push(const State& state)
{
    m_state = state;
    m_history.push_back(state);
}

void HangulComposer::Restart(const State& state, Result& result)
{
    result.commit += Render(m_state);
    m_history.clear();
    Push(state);
}

void HangulComposer::Consonant(wchar_t jamo, Result& result)
{
    State s = m_state;
    State fresh { InitialOf(jamo), -1, 0 };
    if (!IsComposing()) {
        Push(fresh);
    } else if (s.initial < 0 || s.medial < 0) {
        Restart(fresh, result); // a lone jamo stays as it is
    } else if (s.final == 0) {
        if (int f = FinalOf(jamo))
            Push({ s.initial, s.medial, f });
        else
            Restart(fresh, result); // ㄸ, ㅃ and ㅉ never close a syllable
    } else {
        for (const auto& d : kDoubleFinals) {
            if (d.first == s.final && d.added == jamo) {
                Push({ s.initial, s.medial, d.both });
                return;
            }
        }
        Restart(fresh, result);
    }
}

void HangulComposer::Vowel(wchar_t jamo, Result& result)
{
    int medial = jamo - kFirstVowel;
    State s = m_state;
    if (!IsComposing()) {
        Push({ -1, medial, 0 });
    } else if (s.medial < 0) {
        Push({ s.initial, medial, 0 });
    } else if (s.final == 0) {
        for (const auto& d : kDoubleVowels) {
            if (d[0] == s.medial && d[1] == medial) {
                Push({ s.initial, d[2], 0 });
                return;
            }
        }
        Restart({ -1, medial, 0 }, result);
    } else {
        // The final consonant (or the second half of a double one) opens the next syllable.
        int kept = 0;
        wchar_t moved = JamoOfFinal(s.final);
        for (const auto& d : kDoubleFinals) {
            if (d.both == s.final) {
                kept = d.first;
                moved = d.added;
            }
        }
        m_state.final = kept;
        Restart({ InitialOf(moved), -1, 0 }, result);
        Push({ InitialOf(moved), medial, 0 });
    }
}

bool HangulComposer::Key(wchar_t latin, Result& result)
{
    wchar_t jamo = JamoForKey(latin);
    if (!jamo)
        return false;
    if (jamo >= kFirstConsonant && jamo <= kLastConsonant)
        Consonant(jamo, result);
    else if (jamo >= kFirstVowel && jamo <= kLastVowel)
        Vowel(jamo, result);
    result.composition = GetComposition();
    return true;
}

bool HangulComposer::Backspace(Result& result)
{
    if (!IsComposing())
        return false;
    m_history.pop_back();
    m_state = m_history.empty() ? State {} : m_history.back();
    result.composition = GetComposition();
    return true;
}

std::wstring HangulComposer::Flush()
{
    std::wstring text = GetComposition();
    m_history.clear();
    m_state = State {};
    return text;
}

} // namespace plat
