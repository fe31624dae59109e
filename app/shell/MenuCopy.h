#pragma once

#include "app/shell/AppMenu.h"

#include <string>

// What a long press (a right click with the mouse) on a conversation line or a memo's
// text offers: "복사" puts that text on the desktop's clipboard.
class MenuCopy : public AppMenu {
public:
    enum Row { Copy = 0, None = 1 };

    explicit MenuCopy(std::wstring text);

    // Opens the menu for text beside line (screen space), the place of what it copies,
    // which it does not cover: below it where the window has room, else above. False
    // when the skin gives none or there is no text. then, when given, is called with
    // context once the menu has closed (and copied), however it closed.
    static bool Open(const std::wstring& text, const plat::RECT& line, UxPopupCallback then = nullptr,
        uintptr_t context = 0);
    const std::wstring& GetText() const { return m_text; }

private:
    static void OnClosed(uintptr_t context, UxPopup* popup, int32_t result);
    void PlaceBeside(const plat::RECT& line);

    // The menu keeps its own copy: the line may be gone by the time a row is tapped.
    std::wstring m_text;
    UxPopupCallback m_then = nullptr;
    static Look s_look;
};
