#pragma once

// The desktop's clipboard (the X selection CLIPBOARD, as UTF-8) read on the window's own
// X connection without waiting for its owner: the request goes out, and the answer is
// taken from the events SDL hands over, in parts where the owner sends a long text so.
// The loop goes on meanwhile; an owner that does not answer is given up on, and nothing
// here ever takes or clears the selection. Xlib stays inside the .cpp.

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
    // What came, once done ("" when the owner refused or sent nothing usable); the read
    // is over.
    std::wstring TakeText();
    // The owner's answer, should it still come, is ignored.
    void Abandon();

private:
    enum State { Idle, Waiting, InParts, Done };

    // Appends what the property holds and deletes it (which asks for the next part);
    // false when it held nothing or something other than text.
    bool ReadProperty(bool& incremental);
    void Finish();

    State m_state = Idle;
    void* m_display = nullptr; // SDL's connection
    unsigned long m_window = 0;
    unsigned long m_property = 0; // where the owner puts its answer
    uint64_t m_deadline = 0;
    std::string m_bytes;
};

// SDL's event filter keeps the X events a pending read waits for.
bool IsClipboardEvent(const SDL_Event& event);

} // namespace plat
