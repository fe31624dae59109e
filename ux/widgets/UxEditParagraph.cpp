#include "ux/widgets/UxEditParagraph.h"

#include "ux/widgets/UxEditLine.h"

UxEditParagraph::~UxEditParagraph()
{
    UxEditNode::DeleteRange(m_firstLine);
}

UxEditLine* UxEditParagraph::AppendLine()
{
    auto* line = new UxEditLine;
    line->SetParent(this);
    UxEditNode::Link(m_lastLine, line);
    if (!m_firstLine)
        m_firstLine = line;
    m_lastLine = line;
    return line;
}

void UxEditParagraph::DeleteLinesFrom(UxEditLine* line)
{
    if (!line)
        return;
    UxEditLine* before = line->GetPrevLine();
    UxEditNode::DeleteRange(line);
    m_lastLine = before;
    if (!before)
        m_firstLine = nullptr;
}

void UxEditParagraph::Shift(int32_t dx, int32_t dy)
{
    Offset(dx, dy);
    for (UxEditLine* l = m_firstLine; l; l = l->GetNextLine())
        l->Shift(dx, dy);
}
