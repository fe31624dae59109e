#pragma once

#include "app/shell/FramedList.h"
#include "ux/widgets/UxEdit.h"

#include <string>
#include <vector>

class Memo;
class PktInImsg;
class UxPopup;
class UxXmlNode;

// One memo as a framed card, scrolled as a whole: the sender, the receivers and the
// time above the text. The card is the list's only row and grows with the text.
class MemoReadView : public FramedList {
public:
    ~MemoReadView() override;

    // The frame (a fill, no selection bar or line), the card's pieces, captions and text box.
    bool ApplySkin(UxXmlNode* node) override;

    // The memo as the list knows it (sender and time) while its text is on its way.
    void ShowMemo(Memo* memo);
    // The text that arrived for the memo, with its receivers.
    void SetMemo(const PktInImsg& packet);
    // No memo any more (it left MemoList with the session or a box switch); the card
    // stays as it is.
    void Forget() { m_memo = nullptr; }

    // The card is no button, nor a row for the keyboard.
    void OnRowClicked(int32_t, int32_t, int32_t) override { }
    bool HasKeyRows() const override { return false; }
    // On the memo's text: offers to copy all of it.
    bool OnContextMenu(int32_t x, int32_t y) override;
    // A line of the memo's text.
    int32_t GetScrollLine() override { return Content.GetScrollLine(); }

    Memo* GetMemo() const { return m_memo; }
    // The memo's receivers as the text arrived with them (ids).
    const std::vector<std::wstring>& GetReceivers() const { return m_receivers; }
    const std::wstring& GetFromText() const { return m_from.GetText(); }
    const std::wstring& GetToText() const { return m_to.GetText(); }
    const std::wstring& GetDateText() const { return m_date.GetText(); }
    int32_t GetContentHeight() const { return m_contentHeight; }

    UxEdit Content;

protected:
    bool DrawItems(UxListItemPainter& painter, int32_t index, bool selected) override;

private:
    static void OnCopyMenuClosed(uintptr_t context, UxPopup* menu, int32_t result);
    // Sizes the text box to its text (at least its skin height) and puts the card row
    // in anew, scrolled to the top.
    void LayOut(
        const std::wstring& from, const std::wstring& to, const std::wstring& date, const std::wstring& text);
    // Where the card's middle starts: under the header and its bottom piece.
    int32_t BodyTop() const;

    RowImage m_top;
    RowImage m_headerTop;
    RowImage m_headerBottom;
    RowImage m_left;
    RowImage m_right;
    RowImage m_bottom;
    UxTextItem m_fromCaption;
    UxTextItem m_toCaption;
    UxTextItem m_from;
    UxTextItem m_to;
    UxTextItem m_date;

    plat::RECT m_fromCaptionRect {};
    plat::RECT m_toCaptionRect {};
    plat::RECT m_fromRect {};
    plat::RECT m_toRect {};
    plat::RECT m_dateRect {};
    plat::RECT m_contentRect {};

    Memo* m_memo = nullptr;
    std::vector<std::wstring> m_receivers;
    int32_t m_contentHeight = 0;
};
