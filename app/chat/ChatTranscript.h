#pragma once

#include "ux/graphics/UxImageDesc.h"
#include "ux/graphics/UxImageItem.h"
#include "ux/graphics/UxTextStyle.h"
#include "ux/widgets/UxScrollWindow.h"
#include "ux/widgets/UxTextStyleCache.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The read-only text of a conversation. A chat keeps every line for as long as it is
// open, so the text is kept once, as UTF-16 in one buffer, with a few bytes a paragraph:
// where it starts, where it lies and its style. The rows of the last paragraph are kept
// and grow with what is appended, character by character, so that a line costs its
// length once however it arrives; other paragraphs are laid out when drawn or measured,
// and the few long ones drawn last keep their rows. Emoticons are shared pictures,
// referred to from the text by a mark.
//
// The view follows the end while it is at the end (within kEndSlack pixels); scrolled
// away, it stays where it is as text arrives, and the text counts as unseen until the
// view is at the end again.
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
    // Reaching the end by any scroll sees what arrived.
    void OnScrolled(UxScrollAxis* axis) override;

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
    // Brings the last line into view at once; what arrived counts as seen.
    void ScrollToEnd();
    // The end of the text shows: it fits the view, or lies at most kEndSlack pixels
    // below it (or above, pulled past the end).
    bool IsAtEnd() const;
    static constexpr int32_t kEndSlack = 4;
    // Text arrived while the view was away from the end, and the view has not been at
    // the end since.
    bool HasUnseen() const { return m_unseen; }
    // Told whenever HasUnseen changes.
    void SetUnseenListener(std::function<void(bool)> listener) { m_unseenListener = std::move(listener); }
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
        uint32_t unit; // and of its first UTF-16 unit
        int32_t top; // below the paragraph's top
        int32_t height;
    };
    // Rows of one paragraph, broken after their last space as the edit box's lines do;
    // a word wider than the field breaks between its characters. A space stays at the
    // end of the row it ends, even past the edge. Fed one character at a time, so that
    // appending to the last paragraph goes on where it stopped.
    struct Flow {
        std::vector<Row> rows;
        uint32_t chars = 0; // characters taken
        uint32_t units = 0; // their UTF-16 units
        int32_t x = 0; // where the next character goes in the last row
        uint32_t afterSpace = 0; // where the last row could break, 0: nowhere yet
        uint32_t afterSpaceUnit = 0;
        int32_t xAfterSpace = 0;
        int32_t rowMax = 0; // the tallest character of the last row
        int32_t maxAtSpace = 0; // ... up to afterSpace
        int32_t tailMax = 0; // ... from afterSpace on

        void Clear() { *this = Flow {}; }
        void Take(int32_t width, int32_t w, int32_t h, bool space, uint32_t units);
        // Below the paragraph's top: 0 without characters.
        int32_t Height() const { return rows.empty() ? 0 : rows.back().top + rows.back().height; }
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
    // Where the text of a paragraph changes style, walked from its start to its end.
    class StyleWalk {
    public:
        StyleWalk(const ChatTranscript& transcript, size_t paragraph);
        // The style of character c; each c no smaller than the one asked before.
        UxTextStyleHandle* At(uint32_t c);

    private:
        const ChatTranscript& m_transcript;
        std::vector<ChatTranscript::StyleRun>::const_iterator m_run, m_end;
        UxTextStyleHandle* m_style;
    };
    // The rows of a long paragraph drawn lately.
    struct Kept {
        size_t paragraph = SIZE_MAX;
        uint64_t used = 0;
        Flow flow;
    };
    struct Picture {
        std::wstring code;
        std::unique_ptr<UxImageItem> item;
        int32_t width = 0;
        int32_t height = 0;
    };

    // Appends one character in the style of that index to the text and to the last
    // paragraph's rows.
    void Append(char32_t c, uint16_t style);
    // Whether appended text keeps the view at the end: it is there, and no finger holds
    // or flings it.
    bool Follows() const;
    // Text was appended; it changed the content from y from down.
    void Grown(int32_t from, bool follow);
    // Where the last paragraph's last row starts (content y).
    int32_t LastRowTop() const;
    // Everything laid out anew, for another width.
    void Relayout();
    void SetUnseen(bool unseen);
    // The characters of paragraph i (of its UTF-16 units from unit on, count of them),
    // emoticons as marks.
    std::wstring TextOf(size_t i) const;
    std::wstring TextOf(size_t i, uint32_t unit, uint32_t count) const;
    // The same with emoticons as their codes.
    std::wstring ShownText(size_t i) const;
    // The size of character c in style.
    plat::SIZE Measure(wchar_t c, UxTextStyleHandle* style) const;
    void Lay(size_t i, Flow& flow) const;
    // The rows of paragraph i: the last one's own, a long one's kept, else laid into
    // scratch.
    const Flow& RowsOf(size_t i, Flow& scratch);
    int32_t HeightOf(size_t i) const;
    // The height of paragraph i without characters.
    int32_t EmptyHeight(size_t i) const;
    // The paragraph that reaches content y (the first whose bottom lies below it), or
    // the count when none does.
    size_t ParagraphAt(int32_t y) const;
    // The paragraph under y in the window's space, or the count.
    size_t LineAt(int32_t y) const;
    // The marked paragraph's band in content space.
    plat::RECT MarkedBand() const;
    int32_t LayoutWidth() const;
    uint16_t StyleIndex(UxTextStyleHandle* style);
    const Picture* PictureOf(wchar_t c) const;
    void DrawRow(UxDeviceContext& dc, size_t i, const Flow& flow, size_t r, int32_t top, const plat::POINT& origin,
        const plat::RECT& clip);

    UxTextStyleCache m_styles;
    UxTextStyleHandle* m_style = nullptr;
    std::vector<UxTextStyleHandle*> m_styleTable;
    std::u16string m_text;
    std::vector<Paragraph> m_paragraphs;
    std::vector<StyleRun> m_runs;
    Flow m_last; // the rows of the last paragraph
    std::vector<Picture> m_pictures;
    int32_t m_height = 0;
    int32_t m_layoutWidth = -1;
    // A paragraph of more rows than this keeps them once drawn, in one of these.
    static constexpr size_t kKeptRows = 16;
    std::array<Kept, 2> m_kept;
    uint64_t m_paints = 0;
    bool m_unseen = false;
    std::function<void(bool)> m_unseenListener;
    size_t m_marked = SIZE_MAX; // the marked paragraph, none when past the end
    plat::COLORREF m_markColor = 0;
};
