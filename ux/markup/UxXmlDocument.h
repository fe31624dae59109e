#pragma once

#include "ux/markup/UxXmlNode.h"

#include <string>

class UxTextScanner;

// A markup file read into a tree. The first top-level node (the declaration) is read
// and thrown away; the second, the root element, becomes this node. A text without a
// declaration therefore loads empty.
class UxXmlDocument : public UxXmlNode {
public:
    // The path is resolved against base 2 and read by its byte-order mark. A file that
    // is missing or gives no text fails (traced).
    bool LoadFile(const std::wstring& path);
    bool LoadText(const std::wstring& text);
    // On failure the document is left empty.
    bool Parse(UxTextScanner& scanner);
};
