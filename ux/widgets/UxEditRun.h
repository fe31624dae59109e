#pragma once

#include "ux/widgets/UxEditNode.h"

#include <string>

class UxTextStyleHandle;

// Neighbouring characters of one style on one line, drawn with one text call.
class UxEditRun : public UxEditNode {
public:
    explicit UxEditRun(UxTextStyleHandle* style)
        : m_style(style)
    {
    }

    // The text on its own background, clipped to the run and to clip.
    bool Draw(UxDeviceContext& dc, const plat::POINT& origin, const plat::RECT& clip) override;

    UxTextStyleHandle* GetStyle() const { return m_style; }
    const std::wstring& GetText() const { return m_text; }
    void Append(wchar_t c) { m_text += c; }

private:
    UxTextStyleHandle* m_style;
    std::wstring m_text;
};
