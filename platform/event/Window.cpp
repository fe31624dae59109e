#include "platform/event/Window.h"

#include "platform/event/EventState.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace plat {

using detail::EventState;
using detail::State;
using detail::WindowData;

namespace {

    uintptr_t Key(HWND window)
    {
        return reinterpret_cast<uintptr_t>(window);
    }
    HWND Handle(uintptr_t key)
    {
        return reinterpret_cast<HWND>(key);
    }

    WindowData* Find(EventState& s, HWND window)
    {
        auto it = s.windows.find(Key(window));
        return it == s.windows.end() ? nullptr : &it->second;
    }

    bool IsEmpty(const RECT& r)
    {
        return r.right <= r.left || r.bottom <= r.top;
    }

    RECT ClientRect(const WindowData& w)
    {
        return RECT { 0, 0, w.rect.right - w.rect.left, w.rect.bottom - w.rect.top };
    }

    RECT Intersect(const RECT& a, const RECT& b)
    {
        RECT r { std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom) };
        return IsEmpty(r) ? RECT {} : r;
    }

    bool Covers(const RECT& outer, const RECT& inner)
    {
        return IsEmpty(inner)
            || (outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right
                && outer.bottom >= inner.bottom);
    }

    RECT Unite(const RECT& a, const RECT& b)
    {
        if (IsEmpty(a))
            return b;
        if (IsEmpty(b))
            return a;
        return RECT { std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom) };
    }

    WNDPROC ProcOf(HWND window)
    {
        auto& s = State();
        std::lock_guard<std::mutex> lock(s.mutex);
        WindowData* w = Find(s, window);
        return w ? w->proc : nullptr;
    }

} // namespace

uint16_t RegisterClassW(const WNDCLASSW* windowClass)
{
    if (!windowClass || !windowClass->lpfnWndProc || !windowClass->lpszClassName
        || !*windowClass->lpszClassName)
        return 0;
    auto& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    std::wstring name = windowClass->lpszClassName;
    if (s.classes.count(name))
        return 0;
    WNDCLASSW copy = *windowClass;
    copy.lpszClassName = s.classNames.emplace(name, name).first->second.c_str();
    copy.lpszMenuName = nullptr;
    s.classes.emplace(name, copy);
    static uint16_t lastAtom = 0xC000;
    return lastAtom == 0xFFFF ? 0xFFFF : ++lastAtom;
}

HWND CreateMessageWindow(const wchar_t* className, WNDPROC procedure, intptr_t userData)
{
    WNDCLASSW windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.lpszClassName = className;
    RegisterClassW(&windowClass); // 0 when an earlier call registered it already
    HWND window
        = CreateWindowExW(0, className, className, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    if (window && userData)
        SetWindowLongPtrW(window, GWLP_USERDATA, userData);
    return window;
}

bool UnregisterClassW(const wchar_t* className)
{
    if (!className)
        return false;
    auto& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    std::wstring name = className;
    for (const auto& [key, w] : s.windows) {
        if (w.className == name)
            return false; // still in use
    }
    s.classNames.erase(name);
    return s.classes.erase(name) > 0;
}

HWND CreateWindowExW(uint32_t, const wchar_t* className, const wchar_t* title, uint32_t style, int32_t x,
    int32_t y, int32_t width, int32_t height, HWND parent, void*, void*, void* createParam)
{
    if (!className)
        return nullptr;
    auto& s = State();
    HWND handle = nullptr;
    WNDPROC proc = nullptr;
    CREATESTRUCTW create;
    {
        std::lock_guard<std::mutex> lock(s.mutex);
        auto cls = s.classes.find(className);
        if (cls == s.classes.end())
            return nullptr;
        if (parent && !Find(s, parent))
            return nullptr;
        WindowData w;
        w.className = className;
        w.title = title ? title : L"";
        w.proc = cls->second.lpfnWndProc;
        w.parent = Key(parent);
        const RECT& d = s.defaultRect;
        if (x == CW_USEDEFAULT) {
            x = d.left;
            y = d.top;
        }
        if (width == CW_USEDEFAULT) {
            width = d.right - d.left;
            height = d.bottom - d.top;
        }
        width = std::max(width, 0);
        height = std::max(height, 0);
        w.rect = RECT { x, y, x + width, y + height };
        uintptr_t key = ++s.lastHandle;
        auto it = s.windows.emplace(key, std::move(w)).first;
        handle = Handle(key);
        proc = it->second.proc;
        create = CREATESTRUCTW { createParam, parent, x, y, width, height, style, it->second.title.c_str(),
            it->second.className.c_str() };
    }
    if (proc(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        DestroyWindow(handle);
        return nullptr;
    }
    return IsWindow(handle) ? handle : nullptr;
}

bool DestroyWindow(HWND window)
{
    auto& s = State();
    WNDPROC proc = nullptr;
    {
        std::lock_guard<std::mutex> lock(s.mutex);
        WindowData* w = Find(s, window);
        if (!w || w->destroying)
            return false;
        w->destroying = true;
        proc = w->proc;
    }
    proc(window, WM_DESTROY, 0, 0);
    std::vector<HWND> children;
    {
        std::lock_guard<std::mutex> lock(s.mutex);
        s.windows.erase(Key(window));
        std::erase_if(s.queue, [&](const detail::QueuedMessage& m) { return m.msg.hwnd == window; });
        for (const auto& [key, w] : s.windows) {
            if (w.parent == Key(window))
                children.push_back(Handle(key));
        }
    }
    for (HWND child : children)
        DestroyWindow(child);
    return true;
}

bool IsWindow(HWND window)
{
    auto& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    return Find(s, window) != nullptr;
}

HWND FindWindowW(const wchar_t* className, const wchar_t* title)
{
    auto& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    for (const auto& [key, w] : s.windows) {
        if ((!className || w.className == className) && (!title || w.title == title) && !w.destroying)
            return Handle(key);
    }
    return nullptr;
}

bool SetWindowTextW(HWND window, const wchar_t* text)
{
    auto& s = State();
    WindowTitleObserver observer;
    {
        std::lock_guard<std::mutex> lock(s.mutex);
        WindowData* w = Find(s, window);
        if (!w)
            return false;
        w->title = text ? text : L"";
        observer = s.titleObserver;
    }
    if (observer)
        observer(window, text ? text : L"");
    return true;
}

int32_t GetWindowTextW(HWND window, wchar_t* text, int32_t count)
{
    if (!text || count <= 0)
        return 0;
    auto& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    WindowData* w = Find(s, window);
    const size_t copied = w ? std::min(w->title.size(), static_cast<size_t>(count - 1)) : 0;
    if (w)
        w->title.copy(text, copied);
    text[copied] = 0;
    return static_cast<int32_t>(copied);
}

void SetWindowTitleObserver(WindowTitleObserver observer)
{
    auto& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.titleObserver = observer;
}

HWND GetParent(HWND window)
{
    auto& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    WindowData* w = Find(s, window);
    return w ? Handle(w->parent) : nullptr;
}

intptr_t GetWindowLongPtrW(HWND window, int32_t index)
{
    auto& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    WindowData* w = Find(s, window);
    if (!w)
        return 0;
    if (index == GWLP_USERDATA)
        return w->userData;
    if (index == GWLP_WNDPROC)
        return reinterpret_cast<intptr_t>(w->proc);
    return 0;
}

intptr_t SetWindowLongPtrW(HWND window, int32_t index, intptr_t value)
{
    auto& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    WindowData* w = Find(s, window);
    if (!w)
        return 0;
    if (index == GWLP_USERDATA)
        return std::exchange(w->userData, value);
    if (index == GWLP_WNDPROC && value) {
        WNDPROC old = w->proc;
        w->proc = reinterpret_cast<WNDPROC>(value);
        return reinterpret_cast<intptr_t>(old);
    }
    return 0;
}

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC proc = ProcOf(window);
    return proc ? proc(window, message, wParam, lParam) : 0;
}

LRESULT DefWindowProcW(HWND window, UINT message, WPARAM, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        ValidateRect(window, nullptr);
        return 0;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_RBUTTONUP: {
        // A window that does not take the right button itself is asked for its menu.
        RECT at;
        if (!GetWindowRect(window, &at))
            return 0;
        const int32_t x = static_cast<int16_t>(LOWORD(static_cast<uintptr_t>(lParam))) + at.left;
        const int32_t y = static_cast<int16_t>(HIWORD(static_cast<uintptr_t>(lParam))) + at.top;
        SendMessageW(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window),
            MAKELPARAM(static_cast<uint16_t>(x), static_cast<uint16_t>(y)));
        return 0;
    }
    default:
        return 0;
    }
}

bool ShowWindow(HWND window, int32_t command)
{
    auto& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    WindowData* w = Find(s, window);
    if (!w)
        return false;
    bool was = w->visible;
    w->visible = command != SW_HIDE;
    if (w->visible && !was)
        w->update = ClientRect(*w);
    s.queueChanged.notify_all();
    return was;
}

bool IsWindowVisible(HWND window)
{
    auto& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    WindowData* w = Find(s, window);
    return w && w->visible;
}

bool UpdateWindow(HWND window)
{
    RECT r;
    if (!IsWindow(window))
        return false;
    if (GetUpdateRect(window, &r, false))
        SendMessageW(window, WM_PAINT, 0, 0);
    return true;
}

namespace {

// Copies one rectangle of a live window out under the state lock.
template <typename Pick> bool CopyRect(HWND window, RECT* rect, Pick pick)
{
    auto& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    WindowData* w = Find(s, window);
    if (!w || !rect)
        return false;
    *rect = pick(*w);
    return true;
}

} // namespace

bool GetClientRect(HWND window, RECT* rect)
{
    return CopyRect(window, rect, [](const WindowData& w) { return ClientRect(w); });
}

bool GetWindowRect(HWND window, RECT* rect)
{
    return CopyRect(window, rect, [](const WindowData& w) { return w.rect; });
}

bool MoveWindow(HWND window, int32_t x, int32_t y, int32_t width, int32_t height, bool repaint)
{
    auto& s = State();
    bool resized = false;
    width = std::max(width, 0);
    height = std::max(height, 0);
    {
        std::lock_guard<std::mutex> lock(s.mutex);
        WindowData* w = Find(s, window);
        if (!w)
            return false;
        RECT old = ClientRect(*w);
        w->rect = RECT { x, y, x + width, y + height };
        resized = old.right != width || old.bottom != height;
        w->update = Intersect(w->update, ClientRect(*w));
        if (repaint)
            w->update = ClientRect(*w);
        s.queueChanged.notify_all();
    }
    if (resized)
        SendMessageW(
            window, WM_SIZE, 0, MAKELPARAM(static_cast<uint16_t>(width), static_cast<uint16_t>(height)));
    return true;
}

void SetDefaultWindowRect(const RECT& rect)
{
    auto& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.defaultRect = rect;
}

bool InvalidateRect(HWND window, const RECT* rect, bool)
{
    auto& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    WindowData* w = Find(s, window);
    if (!w)
        return false;
    RECT client = ClientRect(*w);
    RECT add = rect ? Intersect(*rect, client) : client;
    if (IsEmpty(add))
        return true;
    w->update = Unite(w->update, add);
    if (s.uiWaiting) {
        s.queueChanged.notify_all();
        if (s.source)
            s.source->Wake();
    }
    return true;
}

bool ValidateRect(HWND window, const RECT* rect)
{
    auto& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    WindowData* w = Find(s, window);
    if (!w)
        return false;
    if (!rect || Covers(*rect, w->update))
        w->update = RECT {};
    return true;
}

bool GetUpdateRect(HWND window, RECT* rect, bool)
{
    auto& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    WindowData* w = Find(s, window);
    RECT r = w ? w->update : RECT {};
    if (rect)
        *rect = r;
    return !IsEmpty(r);
}

} // namespace plat
