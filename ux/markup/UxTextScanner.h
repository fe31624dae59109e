#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// A cursor over text it does not own; the text must outlive the scanner.
class UxTextScanner {
public:
    explicit UxTextScanner(std::wstring_view text);
    virtual ~UxTextScanner();

    // Origin 0 sets the position, 1 moves it; the result stays within the text.
    void Seek(int64_t offset, int origin);
    size_t GetPosition() const { return m_position; }
    bool AtEnd() const { return m_position >= m_text.size(); }

    // Letters, digits and the characters of extra.
    static bool IsNameChar(wchar_t c, const wchar_t* extra);

    // After white space, the next n characters, but only when at least one more follows
    // them; otherwise "" (the white space stays skipped).
    std::wstring Read(size_t n);
    // After white space: a run of name characters, a quoted string (quotes removed,
    // escapes resolved) or a single other character; "" at the end.
    std::wstring ReadToken(const wchar_t* extra);
    // The text up to the delimiter, moving past it; mode 0 keeps the delimiter in the
    // result, mode 1 leaves it out. Not found: moves to the end and gives "".
    std::wstring ReadUntil(wchar_t delimiter, int mode);
    std::wstring ReadUntil(std::wstring_view delimiter, int mode);

private:
    void SkipSpace();
    std::wstring ReadQuoted(wchar_t quote);

    std::wstring_view m_text;
    size_t m_position = 0;
};
