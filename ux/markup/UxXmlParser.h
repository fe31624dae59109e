#pragma once

#include <cstddef>

class UxTextScanner;
class UxXmlNode;

// Recursive-descent reader of one markup node at a time. Entity references are kept as
// written; white space between elements makes no text node.
class UxXmlParser {
public:
    // Deeper nesting than this fails the parse instead of exhausting the stack.
    static constexpr size_t kMaxDepth = 256;

    // Parses the node at the scanner's position into node. At the end of the text it
    // succeeds and leaves node as it was.
    static bool ParseNode(UxTextScanner& scanner, UxXmlNode& node);

private:
    static bool ParseNode(UxTextScanner& scanner, UxXmlNode& node, size_t depth);
    static bool ParseAttributes(UxTextScanner& scanner, UxXmlNode& node);
};
