#pragma once

#include "ux/core/UxSingleton.h"
#include "ux/core/UxWindow.h"
#include "ux/graphics/UxScreenBuffer.h"

#include <string>

// The root of the window tree and the application's base: it creates the device window,
// runs the message loop and routes input into the tree.
class UxDesktop : public UxSingleton<UxDesktop>, public UxWindow {
public:
    UxDesktop() = default;

    // Start-up and shut-down hooks of the application.
    virtual bool InitInstance() { return true; }
    virtual void ExitInstance() { }
    // The device window got or lost the desktop's focus (WM_ACTIVATE).
    virtual void OnActivate(bool) { }
    // The window is asked to close (its close button, the desktop's window menu): false
    // keeps it open, for the application to ask first what closing would throw away.
    virtual bool OnCloseRequest() { return true; }

    bool Create(const std::wstring& name, const plat::RECT& rect);
    // The message loop, then Shutdown; false when the loop could not run.
    bool Run();
    // What follows the loop: an open popup is closed with result 0, then ExitInstance.
    void Shutdown();
    bool OnSize(int32_t width, int32_t height) override;

    UxScreenBuffer& GetScreenBuffer() { return m_screenBuffer; }

    // Input from the device window's message table.
    bool RootPointerDown(int32_t x, int32_t y);
    bool RootPointerMove(int32_t x, int32_t y);
    bool RootPointerUp(int32_t x, int32_t y);
    bool RootKeyDown(plat::WPARAM key, plat::LPARAM keyData);
    bool RootKeyUp(plat::WPARAM key, plat::LPARAM keyData);
    bool RootImeComposition(plat::WPARAM character, plat::LPARAM mode);
    bool RootChar(plat::WPARAM character, plat::LPARAM keyData);
    bool RootGetSelection(plat::WPARAM word1, plat::LPARAM word2);
    bool RootSetSelection(plat::WPARAM start, plat::LPARAM end);
    bool RootReplaceSelection(plat::LPARAM text1, plat::LPARAM text2);
    // The wheel and the menu request, to the window under the point (screen space).
    bool RootMouseWheel(int32_t delta, int32_t x, int32_t y);
    bool RootContextMenu(int32_t x, int32_t y);

    // The window a press at the point would reach (screen space): inside an open popup
    // only, the top-most visible one, skipping windows that take no presses; null when
    // none.
    UxWindow* WindowAt(int32_t x, int32_t y);
    // A key was typed into the focused window less than a second ago and no press came
    // since, while what runs now is not the handling of a key: something appearing now
    // arrives unasked under the person's typing.
    bool IsTypingElsewhere() const;
    // Tab's move to the next edit box in reading order (Shift+Tab: the one before),
    // going on from the focused window (or from the one focused before a popup that has
    // closed since) within its page, round at the ends; false when the page has none.
    bool MoveTabFocus(bool backwards);

protected:
    // A key the desktop answers before the focused window: Escape and Enter answer the
    // open popup, Tab moves the focus, the page keys scroll what lies under the pointer.
    // Not asked while Control or Alt is held or a syllable is being composed. True when
    // taken; the character the key also types is then dropped.
    virtual bool OnDesktopKey(uintptr_t key, bool repeat);
    // The same for a key pressed with Control or Alt held (not while a syllable is being
    // composed): true when the desktop took it as a command of its own.
    virtual bool OnDesktopCommand(uintptr_t, bool) { return false; }
    // The pointer was pressed somewhere in the window, before the press is routed.
    virtual void OnPointerPress() { }

private:
    void NoteTyping();

    UxScreenBuffer m_screenBuffer;
    uintptr_t m_droppedChar = 0; // the character of the key OnDesktopKey took
    uint32_t m_typedAt = 0; // clock time of the last key typed into the focused window
    bool m_typed = false; // ... and no press came after it
    int m_keyDepth = 0; // keys being handled now
};
