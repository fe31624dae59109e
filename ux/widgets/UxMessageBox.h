#pragma once

#include "ux/widgets/UxButton.h"
#include "ux/widgets/UxCheckButton.h"
#include "ux/widgets/UxEdit.h"
#include "ux/widgets/UxImageWindow.h"
#include "ux/widgets/UxLabel.h"
#include "ux/widgets/UxPopup.h"

// The one dialog: icon, title, line, a read-only text that scrolls, an optional check box
// and Ok or Yes and No. The style bits choose the parts; the button pressed is the
// result (Ok 1, Yes 2, No 3). A tap outside does not close it.
class UxMessageBox : public UxPopup {
public:
    enum Style : uint32_t {
        ShowIcon = 1,
        ShowTitle = 2,
        ShowLine = 4,
        ShowText = 8,
        ShowOk = 16,
        ShowYesNo = 32,
        ShowCheckBox = 64,
    };
    enum Result : int32_t { ResultOk = 1, ResultYes = 2, ResultNo = 3 };

    UxMessageBox();
    ~UxMessageBox() override;

    bool OnChildEvent(UxWindow* child, int32_t code) override;
    // Escape answers No, or Ok where that is the only button; Enter answers Ok or Yes. A
    // box without buttons takes neither.
    int32_t GetEscapeResult() const override;
    int32_t GetEnterResult() const override;
    // The popup's keys, then "Icon", "TitleText", "Line", "Text" (whose "_Rect" and
    // "_RectForCheckBox" are the text's two places), "CheckBox", "CheckBoxText",
    // "OkButton", "YesButton" and "NoButton", each when present. No node at all is a
    // failure.
    bool ApplySkin(UxXmlNode* node) override;

    // Shows the parts whose bits are set and hides the others; the text moves to its
    // place beside the check box when that shows.
    void SetStyle(uint32_t style);
    // SetStyle, then Popup. A box that is not shown, because its skin failed to load or
    // there is no desktop, is deleted here: the caller never frees a box it handed over.
    bool Show(uint32_t style, UxPopupCallback callback, uintptr_t context);

    UxImageWindow Icon;
    UxLabel TitleText;
    UxImageWindow Line;
    UxEdit Text;
    UxCheckButton CheckBox;
    UxLabel CheckBoxText;
    UxButton OkButton;
    UxButton YesButton;
    UxButton NoButton;

private:
    plat::RECT m_textRect;
    plat::RECT m_textRectWithCheckBox;
    bool m_skinFailed = false;
};
