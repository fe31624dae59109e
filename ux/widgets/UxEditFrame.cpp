#include "ux/widgets/UxEditFrame.h"

#include "ux/widgets/UxEdit.h"

bool UxEditFrame::OnPointerDown(int32_t x, int32_t y)
{
    // A hidden edit (a screen that shows a reason instead of its input) takes no keys.
    if (m_edit && m_edit->IsVisible() && m_edit->TakesKeys())
        m_edit->SetFocus(true);
    return UxImageWindow::OnPointerDown(x, y);
}
