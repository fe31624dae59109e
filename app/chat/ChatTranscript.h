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
// open, so lines are stored as plain text with a few words of layout each instead of
// one object per character, and only the last paragraph is laid out again when text
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
    std::vector<uint32_t> GetLastRowStarts() const
    {
        std::vector<uint32_t> starts;
        if (!m_paragraphs.empty())
            for (const Row& row : m_paragraphs.back().rows)
                starts.push_back(row.start);
        return starts;
    }

private:
    struct Row {
        uint32_t start; // index of the row's first character in the paragraph
        int32_t height;
    };
    struct StyleRun {
        uint32_t start;
        UxTextStyleHandle* style;
    };
    struct Paragraph {
        std::wstring text; // emoticons as marks
        UxTextStyleHandle* style = nullptr; // of the first character
        std::vector<StyleRun> more; // later changes of style, usually none
        std::vector<Row> rows;
        int32_t top = 0;
        int32_t height = 0;
    };
    struct Picture {
        std::wstring code;
        std::unique_ptr<UxImageItem> item;
        int32_t width = 0;
        int32_t height = 0;
    };

    Paragraph& Last();
    std::wstring TextOf(const Paragraph& p) const;
    void Append(wchar_t c);
    void Layout(Paragraph& p);
    // Lays out the paragraphs from index first on; the text changed from content y from
    // down.
    void Changed(size_t first, int32_t from);
    // Where the last row starts (the end when there is none).
    int32_t LastRowTop() const;
    int32_t LayoutWidth() const;
    const Picture* PictureOf(wchar_t c) const;
    static UxTextStyleHandle* StyleAt(const Paragraph& p, uint32_t index, size_t& run);
    void DrawRow(UxDeviceContext& dc, const Paragraph& p, const Row& row, uint32_t end, int32_t top,
        const plat::POINT& origin, const plat::RECT& clip);

    UxTextStyleCache m_styles;
    UxTextStyleHandle* m_style = nullptr;
    std::vector<Paragraph> m_paragraphs;
    std::vector<Picture> m_pictures;
    int32_t m_height = 0;
    int32_t m_layoutWidth = -1;
};
