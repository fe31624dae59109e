#pragma once

// The input panel's own Korean keyboard: Latin keys in the standard two-set layout are
// composed into Hangul syllables. Each key gives the text to commit and the syllable
// still being composed, which the caller hands on as a desktop input method would.

#include <cstdint>
#include <string>
#include <vector>

namespace plat {

class HangulComposer {
public:
    struct Result {
        std::wstring commit; // finished text, in front of the composition
        std::wstring composition; // the syllable being composed; empty when none
    };

    // A Latin letter of the layout; false (nothing changes) for any other character,
    // which the caller sends after committing what is composed.
    bool Key(wchar_t latin, Result& result);
    // Removes the last jamo typed; false when nothing is being composed.
    bool Backspace(Result& result);
    // Ends the composition; returns the syllable to commit (empty when none).
    std::wstring Flush();

    bool IsComposing() const { return !m_history.empty(); }
    std::wstring GetComposition() const { return Render(m_state); }

    // The compatibility jamo a key gives (0 for keys outside the layout).
    static wchar_t JamoForKey(wchar_t latin);

private:
    // Indexes into the tables of initials, medials and finals; -1 / 0 = none.
    struct State {
        int initial = -1;
        int medial = -1;
        int final = 0;
    };

    static std::wstring Render(const State& state);
    void Push(const State& state);
    void Consonant(wchar_t jamo, Result& result);
    void Vowel(wchar_t jamo, Result& result);
    // Commits the current syllable and starts a new one at state.
    void Restart(const State& state, Result& result);

    State m_state;
    // Every state of the syllable so far, so Backspace can step back one jamo.
    std::vector<State> m_history;
};

} // namespace plat
