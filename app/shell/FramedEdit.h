#pragma once

#include "app/shell/FilledWindow.h"
#include "ux/widgets/UxEdit.h"
#include "ux/widgets/UxEditFrame.h"

// One edit in its frame on a plain background (a new group's name, the own nick). A
// press anywhere on the frame puts the caret in the edit.
class FramedEdit : public FilledWindow {
public:
    // editName: the skin key of the edit.
    explicit FramedEdit(const wchar_t* editName)
        : m_editName(editName)
    {
    }
    ~FramedEdit() override;

    // The fill, then the frame ("BackSkin") and the edit from the node's children. False
    // when the node is missing or a part fails.
    bool ApplySkin(UxXmlNode* node) override;

    UxEditFrame BackSkin;
    UxEdit Edit;

private:
    const wchar_t* m_editName;
};
