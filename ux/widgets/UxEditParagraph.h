#pragma once

#include "ux/widgets/UxEditNode.h"

class UxEditLine;

// Lines up to and including one that ends with a line break (or the end of the text).
// Owns its lines.
class UxEditParagraph : public UxEditNode {
public:
    UxEditParagraph() = default;
    ~UxEditParagraph() override;

    UxEditLine* AppendLine();
    // Deletes line and every line after it.
    void DeleteLinesFrom(UxEditLine* line);
    UxEditLine* GetFirstLine() const { return m_firstLine; }
    UxEditLine* GetLastLine() const { return m_lastLine; }
    UxEditParagraph* GetNextParagraph() const { return static_cast<UxEditParagraph*>(GetNext()); }
    UxEditParagraph* GetPrevParagraph() const { return static_cast<UxEditParagraph*>(GetPrev()); }
    void Shift(int32_t dx, int32_t dy);

private:
    UxEditLine* m_firstLine = nullptr;
    UxEditLine* m_lastLine = nullptr;
};
