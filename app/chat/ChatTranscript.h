#pragma once

#include "ux/graphics/UxImageDesc.h"
#include "ux/graphics/UxImageItem.h"
#include "ux/graphics/UxTextStyle.h"
#include "ux/widgets/UxScrollWindow.h"
#include "ux/widgets/UxTextStyleCache.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The read-only text of a conversation. A chat keeps every line for as long as it is
// open, so the text is kept once, as UTF-16 in one buffer, with a few bytes a paragraph:
// where it starts, where it lies and its style. Rows are laid out when a paragraph is
// drawn or measured, never kept, and only the last paragraph is measured again when text
// is appended. Emoticons are shared pictures, referred to from the text by a mark.
class ChatTranscript : public UxScrollWindow {
public:
    ChatTranscript();
    ~ChatTranscript() override;

    // The scroll window's keys, then the text style ("FontSize", "FontEffects",
    // "BackColor", "TextColor") that text takes until SetStyle.
    bool ApplySkin(UxXmlNode* node) override;
    bool OnRectChanged(const plat::RECT& rect) override;
    bool PaintBackground(UxDeviceContext* surface, const plat::RECT& rect) override;
    bool PaintContent(UxDeviceContext* surface, const plat::RECT& dest, const plat::RECT& content) override;

    // The style of the text inserted from now on; false (style unchanged) when its font
    // cannot be made.
    bool SetStyle(const UxTextStyle& style);
    // Appends text; "\n" starts a new paragraph.
    void InsertText(const std::wstring& text);
    // Appends an emoticon; false when its picture cannot be loaded.
    bool InsertImage(const UxDrawItem& emoticon);

    bool IsEmpty() const { return m_paragraphs.empty(); }
    // The text with "\n" between paragraphs and emoticons as their codes.
    std::wstring GetText() const;
    // The line (paragraph) at y in the window's space, emoticons as their codes; ""
    // where there is none.
    std::wstring GetLineAt(int32_t y) const;
    // Marks that line in the conversation's selection colour while a menu about it is
    // open, and returns the part of it shown, in the window's space (empty when there
    // is no line at y). Only one line is marked at a time.
    plat::RECT MarkLineAt(int32_t y);
    void Unmark();
    bool IsMarked() const { return m_marked < m_paragraphs.size(); }
    // A line of the text's style.
    int32_t GetScrollLine() override;
    // The text colour the character at index of the text GetText returns is drawn in;
    // -1 when there is none.
    int64_t GetColorAt(size_t index) const;
    // Brings the last line into view.
    void ScrollToEnd();
    int32_t GetDocumentHeight() const { return m_height; }
    // The different emoticon pictures the text shows.
    size_t GetPictureCount() const { return m_pictures.size(); }
    // Where the rows of the last paragraph start (character indexes), as laid out.
    std::vector<uint32_t> GetLastRowStarts() const;
    // Bytes the text and its paragraphs hold, for the memory benchmark.
    size_t GetStoredBytes() const;

private:
    struct Row {
        uint32_t start; // index of the row's first character in the paragraph
        int32_t height;
    };
    struct Paragraph {
        uint32_t start = 0; // its first unit in m_text
        int32_t top = 0;
        uint16_t style = 0; // of the first character, in m_styleTable
        uint16_t restyled = 0; // 1 when m_runs holds later changes of style
    };
    // A change of style inside a paragraph, which is rare.
    struct StyleRun {
        uint32_t paragraph;
        uint32_t start; // character index in the paragraph
        uint16_t style;
    };
    // One paragraph as it is drawn: its characters (emoticons as marks), the style of
    // each and its rows.
    struct Laid {
        std::wstring text;
        std::vector<UxTextStyleHandle*> styles;
        std::vector<Row> rows;
        int32_t height = 0;
    };
    struct Picture {
        std::wstring code;
        std::unique_ptr<UxImageItem> item;
        int32_t width = 0;
        int32_t height = 0;
    };

    void Append(char32_t c);
    // The characters of paragraph i, emoticons as marks.
    std::wstring TextOf(size_t i) const;
    // The same with emoticons as their codes.
    std::wstring ShownText(size_t i) const;
    void Lay(size_t i, Laid& laid) const;
    int32_t HeightOf(size_t i) const;
    // The paragraph that reaches content y (the first whose bottom lies below it), or
    // the count when none does.
    size_t ParagraphAt(int32_t y) const;
    // The paragraph under y in the window's space, or the count.
    size_t LineAt(int32_t y) const;
    // The marked paragraph's band in content space.
    plat::RECT MarkedBand() const;
    // Lays out the paragraphs from index first on; the text changed from content y from
    // down.
    void Changed(size_t first, int32_t from);
    int32_t LayoutWidth() const;
    uint16_t StyleIndex(UxTextStyleHandle* style);
    const Picture* PictureOf(wchar_t c) const;
    void DrawRow(UxDeviceContext& dc, const Laid& laid, size_t r, int32_t top, const plat::POINT& origin,
        const plat::RECT& clip);

    UxTextStyleCache m_styles;
    UxTextStyleHandle* m_style = nullptr;
    std::vector<UxTextStyleHandle*> m_styleTable;
    std::u16string m_text;
    std::vector<Paragraph> m_paragraphs;
    std::vector<StyleRun> m_runs;
    size_t m_lastLength = 0; // characters in the last paragraph
    std::vector<Picture> m_pictures;
    int32_t m_height = 0;
    // Where the last row starts (the end when there is none), as last laid out.
    int32_t m_lastRowTop = 0;
    int32_t m_layoutWidth = -1;
    size_t m_marked = SIZE_MAX; // the marked paragraph, none when past the end
    plat::COLORREF m_markColor = 0;
};
