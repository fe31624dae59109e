#include "app/shell/KeyStop.h"

bool KeyStop::OnFocusChanged(bool focused)
{
    if (UxWindow* parent = GetParent())
        parent->Invalidate();
    return UxWindow::OnFocusChanged(focused);
}
