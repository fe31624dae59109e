#include "platform/display/X11Clipboard.h"

#include "platform/system/Utf8.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <string>

namespace plat {

namespace {

    // The read SDL's event filter keeps events for: one at a time, on the UI thread.
    const X11ClipboardRead* g_active = nullptr;
    // An owner whose long answer was left unfinished goes on sending a part each time the
    // property is deleted, until it gives up: the next read asks into another property.
    constexpr int kProperties = 8;
    int g_nextProperty = 0;
    ::Window g_window = 0;
    Atom g_property = 0;

    Atom Intern(::Display* display, const char* name)
    {
        return XInternAtom(display, name, False);
    }

    const XEvent* AsX11(const SDL_Event& event)
    {
        if (event.type != SDL_SYSWMEVENT || !event.syswm.msg || event.syswm.msg->subsystem != SDL_SYSWM_X11)
            return nullptr;
        return &event.syswm.msg->msg.x11.event;
    }

    bool IsOurs(const XEvent& x)
    {
        // A refusal names no property; an answer names ours (SDL asks into its own).
        if (x.type == SelectionNotify)
            return x.xselection.requestor == g_window
                && (x.xselection.property == 0 || x.xselection.property == g_property);
        return x.type == PropertyNotify && x.xproperty.window == g_window && x.xproperty.atom == g_property
            && x.xproperty.state == PropertyNewValue;
    }

    // A text cut at the limit may end inside a character: that part is left out.
    void DropCutCharacter(std::string& bytes)
    {
        size_t start = bytes.size();
        while (start > 0 && (static_cast<unsigned char>(bytes[start - 1]) & 0xC0) == 0x80
            && bytes.size() - start < 3)
            --start;
        if (start == 0)
            return;
        const auto lead = static_cast<unsigned char>(bytes[start - 1]);
        const size_t need = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        if (bytes.size() - (start - 1) < need)
            bytes.resize(start - 1);
    }

} // namespace

X11ClipboardRead::~X11ClipboardRead()
{
    Abandon();
}

bool X11ClipboardRead::Begin(SDL_Window* window, uint64_t now)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11
        || !info.info.x11.display)
        return false;
    Abandon();
    ::Display* display = info.info.x11.display;
    m_display = display;
    m_window = info.info.x11.window;
    const std::string property = "QUORIX_PASTE" + std::to_string(g_nextProperty);
    m_property = Intern(display, property.c_str());
    m_bytes.clear();
    m_encoding = Empty;
    if (XGetSelectionOwner(display, Intern(display, "CLIPBOARD")) == 0) {
        m_state = Done; // nothing to paste
        return true;
    }
    // The parts of a long answer are told by changes of the property.
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, m_window, &attributes) && !(attributes.your_event_mask & PropertyChangeMask))
        XSelectInput(display, m_window, attributes.your_event_mask | PropertyChangeMask);
    m_started = now;
    Request(Intern(display, "UTF8_STRING"), now);
    g_active = this;
    g_window = m_window;
    g_property = m_property;
    return true;
}

void X11ClipboardRead::Request(unsigned long target, uint64_t now)
{
    auto* display = static_cast<::Display*>(m_display);
    m_target = target;
    XDeleteProperty(display, m_window, m_property);
    XConvertSelection(display, Intern(display, "CLIPBOARD"), target, m_property, m_window, CurrentTime);
    XFlush(display);
    m_state = Waiting;
    Renew(now);
}

void X11ClipboardRead::Renew(uint64_t now)
{
    m_deadline = std::min(now + kPatienceMs, m_started + kMostMs);
}

bool X11ClipboardRead::Take(const SDL_Event& event, uint64_t now)
{
    const XEvent* x = AsX11(event);
    if (!x || !IsPending() || g_active != this || !IsOurs(*x))
        return false;
    auto* display = static_cast<::Display*>(m_display);
    if (x->type == SelectionNotify) {
        // The answer to an earlier request (before STRING was asked for) is not this one.
        if (m_state != Waiting || x->xselection.target != m_target)
            return true;
        const Content content = x->xselection.property == 0 ? NotText : ReadProperty();
        if (content == NotText) {
            Refused(now);
        } else if (content == Incremental) {
            // Deleting the announcement asked for the first part.
            m_state = InParts;
            Renew(now);
        } else {
            Finish(); // all of it came at once
        }
        XFlush(display);
        return true;
    }
    if (m_state != InParts)
        return true;
    const Content content = ReadProperty();
    // An empty part ends the answer; past the limit the rest is not asked for.
    if (content == NotText || content == Incremental) {
        m_bytes.clear(); // not a text after all: nothing is pasted
        Finish();
    } else if (content == Empty || m_bytes.size() >= kMaxBytes) {
        Finish();
    } else {
        Renew(now);
    }
    XFlush(display);
    return true;
}

void X11ClipboardRead::Refused(uint64_t now)
{
    auto* display = static_cast<::Display*>(m_display);
    if (m_target == Intern(display, "UTF8_STRING")) {
        Request(XA_STRING, now);
        return;
    }
    m_bytes.clear();
    Finish();
}

X11ClipboardRead::Content X11ClipboardRead::ReadProperty()
{
    auto* display = static_cast<::Display*>(m_display);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const long room = long((kMaxBytes - std::min(m_bytes.size(), kMaxBytes) + 3) / 4);
    const int status = XGetWindowProperty(display, m_window, m_property, 0, std::max(room, 1L), False,
        AnyPropertyType, &type, &format, &count, &after, &data);
    XDeleteProperty(display, m_window, m_property);
    Content content = NotText;
    if (status != Success)
        content = Empty;
    else if (type == Intern(display, "INCR"))
        content = Incremental;
    else if (count == 0 || !data)
        content = Empty; // whatever its type: the end of an answer in parts
    else if (type == Intern(display, "UTF8_STRING") || type == Intern(display, "text/plain;charset=utf-8"))
        content = Utf8;
    else if (type == XA_STRING)
        content = Latin1;
    const bool text = content == Utf8 || content == Latin1;
    // Text comes in bytes, and the parts of one answer are of one type.
    if (text && (format != 8 || (m_encoding != Empty && content != m_encoding)))
        content = NotText;
    if (content == Utf8 || content == Latin1) {
        m_encoding = content;
        m_bytes.append(reinterpret_cast<const char*>(data), std::min<size_t>(count, kMaxBytes - m_bytes.size()));
    }
    if (data)
        XFree(data);
    return content;
}

void X11ClipboardRead::Finish()
{
    if (m_state == InParts && m_bytes.size() >= kMaxBytes)
        g_nextProperty = (g_nextProperty + 1) % kProperties;
    m_state = Done;
    if (g_active == this)
        g_active = nullptr;
}

int X11ClipboardRead::TimeLeft(uint64_t now) const
{
    if (!IsPending())
        return -1;
    return now >= m_deadline ? 0 : int(std::min<uint64_t>(m_deadline - now, kPatienceMs));
}

std::wstring X11ClipboardRead::TakeText()
{
    std::wstring text;
    if (m_encoding == Latin1) {
        // Each byte is the character of its number; a paste holds no more characters
        // than one in UTF-8 may.
        const size_t length = std::min(m_bytes.size(), kMaxBytes / 4);
        for (size_t i = 0; i < length; ++i)
            text += wchar_t(static_cast<unsigned char>(m_bytes[i]));
    } else {
        DropCutCharacter(m_bytes);
        text = DecodeUtf8(m_bytes);
    }
    m_bytes.clear();
    m_state = Idle;
    return text;
}

void X11ClipboardRead::Abandon()
{
    if (IsPending())
        g_nextProperty = (g_nextProperty + 1) % kProperties;
    m_state = Idle;
    m_bytes.clear();
    if (g_active == this)
        g_active = nullptr;
}

bool IsClipboardEvent(const SDL_Event& event)
{
    const XEvent* x = AsX11(event);
    return x && g_active && IsOurs(*x);
}

} // namespace plat
