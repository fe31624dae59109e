#include "platform/display/Display.h"

#include "platform/display/HeadlessDisplay.h"
#include "platform/display/SdlDisplay.h"
#include "platform/event/MessageQueue.h"
#include "platform/event/Window.h"
#include "platform/system/InputPanel.h"
#include "platform/system/Trace.h"

#include <cstdlib>
#include <cstring>
#include <mutex>

namespace plat {

namespace {

    std::mutex g_mutex; // guards g_display against RequestRaise from other threads
    Display* g_display = nullptr;
    HWND g_capture = nullptr;

    void TextInputHandler(bool on)
    {
        if (Display* display = GetDisplay())
            display->RequestTextInput(on);
    }

    void CompositionCancelHandler()
    {
        if (Display* display = GetDisplay())
            display->GetInput().CancelComposition();
    }

    void TitleHandler(HWND window, const wchar_t* title)
    {
        if (Display* display = GetDisplay(); display && display->GetWindow() == window)
            display->SetTitle(title);
    }

} // namespace

Display::Display(HWND window)
    : m_window(window)
    , m_input(window)
{
}

Display::~Display()
{
    m_readers.clear();
    HoldUserInput(false);
    if (m_clipboardWindow)
        DestroyWindow(m_clipboardWindow);
    SetScreenBitmap(nullptr);
    DeleteObject(m_frame);
}

uint64_t Display::ReadClipboard(ClipboardReader done)
{
    const uint64_t id = ++m_lastRead;
    m_readers.emplace_back(id, std::move(done));
    if (m_readers.size() > 1)
        return id; // it hears what the read under way brings
    if (!m_clipboardWindow)
        m_clipboardWindow
            = CreateMessageWindow(L"QuorixClipboardRead", &ClipboardWindowProc, reinterpret_cast<intptr_t>(this));
    if (m_clipboardWindow && BeginClipboardRead()) {
        HoldUserInput(true);
        return id;
    }
    m_clipboardAnswer = GetClipboard();
    DeliverClipboardRead();
    return 0;
}

void Display::CancelClipboardRead(uint64_t id)
{
    std::erase_if(m_readers, [id](const auto& reader) { return reader.first == id; });
    if (m_readers.empty())
        HoldUserInput(false);
}

void Display::FinishClipboardRead(const std::wstring& text)
{
    m_clipboardAnswer = text;
    // Delivered as a message: the keys held meanwhile come after it, and the readers do
    // not run inside the backend's event handling.
    if (!m_clipboardWindow || !PostMessageW(m_clipboardWindow, WM_USER, 0, 0))
        DeliverClipboardRead();
}

LRESULT Display::ClipboardWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* display = reinterpret_cast<Display*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message != WM_USER || !display)
        return DefWindowProcW(window, message, wParam, lParam);
    display->DeliverClipboardRead();
    return 0;
}

void Display::DeliverClipboardRead()
{
    HoldUserInput(false);
    const std::wstring text = std::move(m_clipboardAnswer);
    m_clipboardAnswer.clear();
    // A reader may start the next read.
    std::vector<std::pair<uint64_t, ClipboardReader>> readers;
    readers.swap(m_readers);
    for (auto& reader : readers)
        reader.second(text);
}



bool Display::MakeFrame(int width, int height)
{
    Bitmap* frame = Bitmap::Create(width, height, false);
    if (!frame)
        return false;
    SetScreenBitmap(frame);
    DeleteObject(m_frame);
    m_frame = frame;
    return true;
}

bool Display::Resize(int width, int height)
{
    if (width <= 0 || height <= 0 || (m_frame && width == m_frame->Width() && height == m_frame->Height()))
        return false;
    if (!MakeFrame(width, height))
        return false;
    RECT r;
    GetWindowRect(m_window, &r);
    MoveWindow(m_window, r.left, r.top, width, height, true); // sends WM_SIZE
    InvalidateRect(m_window, nullptr, false);
    return true;
}

bool Display::SaveFramePng(const std::string& path) const
{
    // The screen shows colours only: whatever blending left in the alpha bytes is no
    // transparency.
    return m_frame && WritePng(m_frame, path, true);
}

void Display::RequestTextInput(bool on)
{
    m_textInput = on;
    m_input.SetRawKeys(on && m_imeDetached);
    SetTextInput(on && !m_imeDetached);
}

void Display::DetachInputMethod(bool detached)
{
    m_imeDetached = detached;
    RequestTextInput(m_textInput);
}

Display* OpenDisplay(HWND window, const std::wstring& title)
{
    CloseDisplay();
    RECT client;
    if (!GetClientRect(window, &client))
        return nullptr;
    const char* chosen = std::getenv("QUORIX_DISPLAY");
    std::string name = chosen && *chosen ? chosen : "sdl";
    Display* display = nullptr;
    if (name == "headless")
        display = HeadlessDisplay::Open(window, client.right, client.bottom);
    else if (name == "sdl")
        display = SdlDisplay::Open(window, title, client.right, client.bottom);
    else
        OutputDebugStringW(L"[UX+] OpenDisplay, QUORIX_DISPLAY names no display (sdl or headless).\n");
    if (!display)
        return nullptr;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        g_display = display;
    }
    SetTextInputHandler(TextInputHandler);
    SetCompositionCancelHandler(CompositionCancelHandler);
    SetWindowTitleObserver(TitleHandler);
    display->RequestTextInput(IsInputPanelShown());
    return display;
}

void CloseDisplay()
{
    Display* display;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        display = g_display;
        g_display = nullptr;
    }
    if (!display)
        return;
    SetTextInputHandler(nullptr);
    SetCompositionCancelHandler(nullptr);
    SetWindowTitleObserver(nullptr);
    g_capture = nullptr;
    delete display;
}

Display* GetDisplay()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_display;
}

void RequestRaise()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    if (g_display)
        g_display->RequestRaise();
}

HDC BeginPaint(HWND window, PAINTSTRUCT* paint)
{
    if (!paint || !IsWindow(window))
        return nullptr;
    *paint = PAINTSTRUCT {};
    GetUpdateRect(window, &paint->rcPaint, false);
    ValidateRect(window, nullptr);
    paint->hdc = GetDC(nullptr);
    // Only the invalid region may change: surfaces hold older pixels elsewhere.
    SetClipRect(paint->hdc, &paint->rcPaint);
    return paint->hdc;
}

bool EndPaint(HWND window, const PAINTSTRUCT* paint)
{
    if (!paint)
        return false;
    if (paint->hdc)
        ReleaseDC(nullptr, paint->hdc);
    Display* display = GetDisplay();
    if (display && display->GetWindow() == window && paint->rcPaint.right > paint->rcPaint.left
        && paint->rcPaint.bottom > paint->rcPaint.top)
        display->Present(paint->rcPaint);
    return true;
}

bool SetForegroundWindow(HWND)
{
    RequestRaise();
    return true;
}

HWND GetForegroundWindow()
{
    Display* display = GetDisplay();
    return display && display->HasFocus() ? display->GetWindow() : nullptr;
}

bool FlashWindow(HWND window, bool)
{
    Display* display = GetDisplay();
    if (!display || display->GetWindow() != window)
        return false;
    display->Flash();
    return false;
}

HWND SetCapture(HWND window)
{
    HWND old = g_capture;
    g_capture = window;
    if (Display* display = GetDisplay())
        display->SetMouseCapture(true);
    return old;
}

bool ReleaseCapture()
{
    g_capture = nullptr;
    if (Display* display = GetDisplay())
        display->SetMouseCapture(false);
    return true;
}

HWND GetCapture()
{
    return g_capture;
}

bool SetClipboardText(const std::wstring& text)
{
    Display* display = GetDisplay();
    return display && display->SetClipboard(text);
}

std::wstring GetClipboardText()
{
    Display* display = GetDisplay();
    return display ? display->GetClipboard() : std::wstring();
}

bool GetCursorPos(POINT* point)
{
    Display* display = GetDisplay();
    RECT window;
    if (!point || !display || !GetWindowRect(display->GetWindow(), &window))
        return false;
    const POINT cursor = display->GetInput().GetCursor();
    *point = { cursor.x + window.left, cursor.y + window.top };
    return true;
}

HIMC ImmAssociateContext(HWND window, HIMC context)
{
    Display* display = GetDisplay();
    if (!display || display->GetWindow() != window)
        return 0;
    HIMC old = display->IsInputMethodDetached() ? 0 : 1; // the window's one context
    display->DetachInputMethod(context == 0);
    return old;
}

} // namespace plat
