#pragma once

#include <string>

// INI-style text read whole; values are found by plain search, as the update server's
// files have always been read.
class UxIniReader {
public:
    virtual ~UxIniReader();

    // Encoding 0 by byte-order mark, 1 UTF-16LE, 2 UTF-8, 3 EUC-KR; any other leaves the
    // text empty. A missing file gives empty text too. Always true.
    bool Load(const std::wstring& path, int encoding);
    void SetText(const std::wstring& text) { m_text = text; }

    // The text after the first "key=" that follows "[section]", up to CR LF or the end;
    // "" when either is missing.
    std::wstring GetValue(const std::wstring& section, const std::wstring& key) const;

private:
    std::wstring m_text;
};

std::wstring ReadIniValue(
    const std::wstring& path, const std::wstring& section, const std::wstring& key, int encoding);
