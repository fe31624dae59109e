#pragma once

#include "platform/system/InputPanel.h"
#include "ux/graphics/UxImageDesc.h"
#include "ux/graphics/UxSurface.h"
#include "ux/graphics/UxTextStyle.h"
#include "ux/widgets/UxEditCaret.h"
#include "ux/widgets/UxEditDocument.h"
#include "ux/widgets/UxEditHost.h"
#include "ux/widgets/UxEditRefreshTimer.h"
#include "ux/widgets/UxLabel.h"
#include "ux/widgets/UxScrollWindow.h"
#include "ux/widgets/UxTextStyleCache.h"

#include <cstdint>
#include <functional>
#include <string>

class UxEditGlyph;
class UxEditLine;

// The toolkit's text-entry widget: a scrolling window over a document of glyphs
// (characters, line breaks and emoticons) between a begin and an end anchor. It takes
// characters and input-method compositions, keeps a selection with a fading caret, shows
// a guide text while empty and unfocused, opens the input panel when focused and answers
// the selection requests routed to the focused window. With Control held, A selects
// everything, C and X copy and cut the selection and V pastes, through the desktop's
// clipboard; a selection other than a composition shows tinted. The arrows, Home and End
// move the caret (with Shift they stretch the selection); a key typed at the limit is
// refused with a flash of the box, and what a paste left out is told to whoever set an
// overflow handler.
class UxEdit : public UxScrollWindow, public UxEditHost {
public:
    enum KeyboardType : int32_t { Native = 0, Hangeul = 1, English = 2, DoNotChange = 3 };
    enum Styles : int32_t { ReadOnly = 1, NumberOnly = 2, Password = 4, SingleLine = 8 };

    UxEdit();
    // Hides the input panel when focused, then clears.
    ~UxEdit() override;

    bool OnFocusChanged(bool focused) override;
    bool OnVisibleChanged(bool visible) override;
    bool OnRectChanged(const plat::RECT& rect) override;
    bool OnPointerHold(int32_t x, int32_t y) override;
    bool OnKeyDown(uintptr_t key, intptr_t keyData) override;
    bool OnImeComposition(uintptr_t character, intptr_t mode) override;
    bool OnChar(uintptr_t character, intptr_t keyData) override;
    // word1 and word2, when not 0, point at 32-bit words for the start and the end.
    bool OnGetSelection(uintptr_t word1, intptr_t word2) override;
    bool OnSetSelection(uintptr_t start, intptr_t end) override;
    // text1 points at a terminated wide string.
    bool OnReplaceSelection(intptr_t text1, intptr_t text2) override;
    bool OnChildEvent(UxWindow* child, int32_t code) override;
    void OnChildPressEnded(UxWindow* child) override;
    // The page keys scroll at once, as while focused.
    bool OnScrollKey(uintptr_t key) override;
    // A line of the current style.
    int32_t GetScrollLine() override;
    // A visible edit that takes typing.
    bool IsTabStop() const override;
    // A box that takes typing, or a read-only text of several lines whose text the keys
    // select and copy. A read-only line shows a choice made elsewhere (a domain picked
    // from its list): a press on it is no typing and leaves the caret where it was.
    bool TakesKeys() const override;
    // Home and End, unless the edit is read-only: they scroll that one.
    bool TakesCaretKey(uintptr_t key) const override;
    bool PaintBackground(UxDeviceContext* surface, const plat::RECT& rect) override;
    bool PaintContent(UxDeviceContext* surface, const plat::RECT& dest, const plat::RECT& content) override;
    // The scroll window's keys, the text style ("FontSize", "FontEffects", "BackColor",
    // "TextColor"), then "KeyboardType", "Styles", "Aligns", "MaxInput", "Text" and
    // "TextGuide", each when present.
    bool ApplySkin(UxXmlNode* node) override;

    // UxEditHost.
    bool IsPassword() const override { return (m_styles & Password) != 0; }
    int32_t GetAligns() const override { return m_aligns; }
    bool IsSingleLine() const override { return (m_styles & SingleLine) != 0; }
    // A one-line edit's line stands in the middle of its height.
    int32_t GetFirstLineTop(int32_t lineHeight) const override;
    plat::COLORREF GetBackColor() const override;
    void RegisterAnimated(UxEditGlyphImage* glyph) override { m_refresh.Register(glyph); }
    void UnregisterAnimated(UxEditGlyphImage* glyph) override { m_refresh.Unregister(glyph); }

    // Empties the edit and starts it over with the style; false when its font cannot
    // be made.
    bool Setup(const UxTextStyle& style);
    void SetStyles(int32_t styles);
    // Replaces the whole text.
    void SetText(const std::wstring& text);
    // Replaces the selection with text: digits only with NumberOnly, no line breaks
    // with SingleLine, nothing past MaxInput glyphs. A CR LF pair is one line break.
    bool InsertText(const std::wstring& text);
    // 0 only deletes the selection.
    bool InsertChar(wchar_t character);
    // Replaces the selection with an emoticon; false when its picture cannot be loaded
    // or MaxInput is reached.
    bool InsertImage(const UxDrawItem& emoticon);
    // The characters, emoticon codes and "\n" for line breaks; the real characters of a
    // password.
    std::wstring GetText() const;
    bool IsEmpty() const;
    void Clear();
    // With a selection, leaves only the caret where it shows and returns the caret.
    UxEditCaret* CollapseSelection();
    void ScrollToCaret();

    // The clipboard's work. A composition is committed first. A password gives nothing
    // out; a read-only edit copies but takes nothing in. Paste asks for the clipboard's
    // text and, once it has come, inserts it at the caret as typing would (tabs as
    // spaces, line breaks as spaces on one line, no other control characters), so the
    // edit's styles and MaxInput cut it; the parent then hears of a character 0.
    void SelectAll();
    bool CopySelection();
    bool CutSelection();
    bool Paste();
    // The selected characters, emoticon codes and "\n" for line breaks.
    std::wstring GetSelectedText() const;
    // All of the text shows as selected, focused or not, while a menu about all of it
    // is open; the caret and its own selection are left as they are.
    void SetMarked(bool marked);
    bool IsMarked() const { return m_marked; }
    // How strongly a selection tints what it covers, in the text's colour.
    static constexpr uint8_t kSelectionAlpha = 72;

    // The caret keys, each by itself or with Control (by word; Home and End: to the start
    // and the end of the text) and with Shift (stretching the selection): VK_LEFT and
    // VK_RIGHT by a character, VK_HOME and VK_END to the line's start and end, VK_UP and
    // VK_DOWN by a line in an edit of several lines, keeping the column. A composition is
    // committed first. False for other keys, and in a read-only edit.
    bool MoveCaret(uintptr_t key, bool shift, bool control);

    // What a paste left out: the characters that did not fit, and the most the edit takes
    // (MaxInput; without one, the most one paste brings).
    struct Overflow {
        int32_t limit = 0;
        bool perPaste = false;
        size_t leftOut = 0;
    };
    using OverflowHandler = std::function<void(const Overflow&)>;
    // Heard after a paste that did not fit, once what fitted is in.
    void SetOverflowHandler(OverflowHandler handler) { m_overflow = std::move(handler); }
    // The most one paste brings into an edit without a limit of its own.
    static constexpr int32_t kMaxPaste = 1 << 16;

    // A key refused at the limit tints the box in the text's colour, fading out as the
    // caret does; true while it shows.
    bool IsFlashing() const;
    // The refresh timer's turn: true when the edit needs painting for the flash.
    bool StepFlash();
    static constexpr uint32_t kFlashMs = 400;
    static constexpr uint8_t kFlashAlpha = 96;

    // Selection as positions: the begin anchor is 0, so the first caret position is 1.
    void GetSelection(int32_t& start, int32_t& end) const;
    // The selection holds the input method's syllable being composed.
    bool IsComposing() const override { return m_composing; }

    void SetKeyboardType(int32_t type) { m_keyboardType = type; }
    int32_t GetKeyboardType() const { return m_keyboardType; }
    int32_t GetStyles() const { return m_styles; }
    void SetAligns(int32_t aligns) { m_aligns = aligns; }
    void SetMaxInput(int32_t count) { m_maxInput = count; }
    int32_t GetMaxInput() const { return m_maxInput; }
    UxEditCaret& GetCaret() { return m_caret; }
    UxEditDocument& GetDocument() { return m_document; }
    UxEditRefreshTimer& GetRefreshTimer() { return m_refresh; }
    UxLabel& GetTextGuide() { return m_textGuide; }
    UxTextStyleHandle* GetNewStyle() const { return m_newStyle; }
    UxEditGlyph* GetBeginAnchor() const { return m_begin; }
    UxEditGlyph* GetEndAnchor() const { return m_end; }
    // Glyphs between the anchors.
    int32_t GetLength() const { return m_length; }

private:
    // A caret place: in front of a glyph, at the end of the line above it when that line
    // is wrapped there.
    struct Place {
        UxEditGlyph* at = nullptr;
        bool lineEnd = false;
    };
    Place Target(uintptr_t key, bool control, const Place& from);
    // The caret to place; with extend the selection's other side stays.
    void PutCaret(const Place& place, bool extend);
    // The line the caret shows on and its left edge there (document space).
    UxEditLine* CaretLine(int32_t& x) const;
    // Where the column x falls on the line.
    Place InLine(const UxEditLine* line, int32_t x) const;
    UxEditGlyph* WordStartBefore(UxEditGlyph* at) const;
    UxEditGlyph* NextWordStart(UxEditGlyph* at) const;
    // The key typed did not fit.
    void Refuse();
    // The 1 x 1 picture in the text colour that tints selections and the flash.
    bool MakeTint();
    // The clipboard's text has come.
    void PasteText(const std::wstring& clipboard);
    // Replaces the selection; returns the number of glyphs inserted (m_dropped: how many
    // MaxInput kept out).
    int32_t Insert(const std::wstring& text);
    // Deletes the selected glyphs; the selection closes around the gap.
    void DeleteSelection();
    UxEditGlyph* MakeGlyph(wchar_t character);
    void AfterEdit(UxEditGlyph* from, UxEditGlyph* to);
    void Relayout();
    // The content size after a layout; a one-line edit keeps its caret's side in view.
    void TakeDocumentSize();
    void UpdateTextGuide();
    // Underlines the syllable being composed, as desktop input methods do.
    void PaintComposition(UxDeviceContext& surface, const plat::POINT& origin, const plat::RECT& clip);
    // A password is typed in Latin letters whatever mode the desktop's input method is in.
    void DetachInputMethod(bool detach);
    void PlaceTextGuide();
    // Moves the vertical axis to offset, kept inside the content.
    void ScrollYTo(int32_t offset);
    // The page keys' PageTarget at once; false for other keys.
    bool ScrollPageNow(uintptr_t key);
    // What is composed stays where it was typed, and the input method lets it go.
    void CommitComposition();
    // Text of the glyphs after first up to end (both excluded).
    std::wstring TextBetween(const UxEditGlyph* first, const UxEditGlyph* end) const;
    // Tints the glyphs after first up to end (both excluded).
    void PaintSelection(UxDeviceContext& surface, const plat::POINT& origin, const plat::RECT& clip,
        UxEditGlyph* first, UxEditGlyph* end);

    int32_t m_keyboardType = DoNotChange;
    int32_t m_styles = 0;
    int32_t m_aligns = 0;
    UxTextStyleCache m_styleCache;
    UxTextStyleHandle* m_newStyle = nullptr;
    UxEditGlyph* m_begin = nullptr;
    UxEditGlyph* m_end = nullptr;
    UxEditCaret m_caret;
    UxEditDocument m_document;
    int32_t m_documentWidth = 0;
    int32_t m_documentHeight = 0;
    UxEditRefreshTimer m_refresh;
    int32_t m_maxInput = 0;
    UxLabel m_textGuide;
    int32_t m_length = 0;
    int32_t m_layoutWidth = -1; // the view width of the last full layout
    bool m_composing = false;
    bool m_imeDetached = false;
    plat::HIMC m_imeContext = 0; // the window's input method while detached
    UxSurface m_tint; // the selection's colour, made when first drawn
    plat::COLORREF m_tintColour = 0;
    bool m_tintMade = false;
    bool m_marked = false;
    uint64_t m_pasteRead = 0; // the clipboard read under way
    int32_t m_layoutHeight = -1; // the view height of the last full layout
    int32_t m_dropped = 0;
    bool m_flashing = false;
    uint32_t m_flashAt = 0;
    OverflowHandler m_overflow;
};
