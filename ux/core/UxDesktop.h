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

private:
    UxScreenBuffer m_screenBuffer;
};
