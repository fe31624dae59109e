#include "ux/widgets/UxEditGlyph.h"

#include "ux/widgets/UxEditLine.h"

UxEditLine* UxEditGlyph::GetLine() const
{
    return static_cast<UxEditLine*>(GetParent());
}
