#pragma once

// The desktop's clipboard (the X selection CLIPBOARD) read on the window's own X
// connection without waiting for its owner: the request goes out, and the answer is
// taken from the events SDL hands over, in parts where the owner sends a long text so.
// The text is asked for as UTF-8, and as Latin-1 (STRING) from an owner that refuses
// that; the answer is read as its type says. The loop goes on meanwhile; an owner that
// does not answer, or takes too long over it, is given up on, and nothing here ever takes
// or clears the selection. Xlib stays inside the .cpp.

#include <cstddef>
#include <cstdint>
#include <string>

struct SDL_Window;
union SDL_Event;

namespace plat {

class X11ClipboardRead {
public:
    // How long the owner may take to answer, or between two parts of a long answer.
    static constexpr uint64_t kPatienceMs = 1500;
    // How long the whole read may take, however often the owner sends a part.
    static constexpr uint64_t kMostMs = 3000;
    // No paste holds more: 65,536 characters of at most 4 bytes each.
    static constexpr size_t kMaxBytes = size_t(4) << 16;

    X11ClipboardRead() = default;
    ~X11ClipboardRead();
    X11ClipboardRead(const X11ClipboardRead&) = delete;
    X11ClipboardRead& operator=(const X11ClipboardRead&) = delete;

    // Asks the clipboard's owner for its text. False when the window is not on X11; true
    // and done at once when nobody owns the clipboard. now is the clock's milliseconds.
    bool Begin(SDL_Window* window, uint64_t now);
    // An event SDL handed over; true when it belonged to this read (which may be done).
    bool Take(const SDL_Event& event, uint64_t now);
    bool IsPending() const { return m_state == Waiting || m_state == InParts; }
    bool IsDone() const { return m_state == Done; }
    // Milliseconds until the owner is given up on, 0 once that time has come; -1 while
    // nothing is pending.
    int TimeLeft(uint64_t now) const;
    // What came, once done ("" when the owner refused or sent nothing usable, or no
    // text); the read is over.
    std::wstring TakeText();
    // The owner's answer, should it still come, is ignored.
    void Abandon();

private:
    enum State { Idle, Waiting, InParts, Done };
    // What a property held: the text's encoding, the announcement of an answer in
    // parts, nothing, or something that is not text.
    enum Content { Utf8, Latin1, Incremental, Empty, NotText };

    // Asks the owner for the text as target (an atom).
    void Request(unsigned long target, uint64_t now);
    // Appends what the property holds and deletes it (which asks for the next part).
    Content ReadProperty();
    // The owner refused the target: STRING is asked for after UTF8_STRING, else nothing
    // comes.
    void Refused(uint64_t now);
    // The owner has time until now + kPatienceMs, within the whole read's time.
    void Renew(uint64_t now);
    void Finish();

    State m_state = Idle;
    void* m_display = nullptr; // SDL's connection
    unsigned long m_window = 0;
    unsigned long m_property = 0; // where the owner puts its answer
    unsigned long m_target = 0; // what was asked for
    Content m_encoding = Empty; // of what came so far
    uint64_t m_started = 0;
    uint64_t m_deadline = 0;
    std::string m_bytes;
};

// SDL's event filter keeps the X events a pending read waits for.
bool IsClipboardEvent(const SDL_Event& event);

} // namespace plat
