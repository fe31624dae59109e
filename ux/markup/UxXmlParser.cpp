#include "ux/markup/UxXmlParser.h"

#include "ux/core/UxText.h"
#include "ux/markup/UxTextScanner.h"
#include "ux/markup/UxXmlNode.h"

namespace {

constexpr const wchar_t* kNameExtra = L"-_.#";

} // namespace

bool UxXmlParser::ParseNode(UxTextScanner& scanner, UxXmlNode& node)
{
    return ParseNode(scanner, node, 0);
}

bool UxXmlParser::ParseNode(UxTextScanner& scanner, UxXmlNode& node, size_t depth)
{
    if (depth >= kMaxDepth)
        return false;
    size_t start = scanner.GetPosition();
    std::wstring t = scanner.ReadToken(kNameExtra);
    if (t.empty())
        return true;
    if (t != L"<") {
        // Text. Go back to where the token began: a quoted token is shorter than what
        // it was read from, so stepping back by its length would land inside it.
        scanner.Seek(static_cast<int64_t>(start), 0);
        std::wstring text = scanner.ReadUntil(L'<', 1);
        if (text.empty())
            return false;
        scanner.Seek(-1, 1);
        node.SetText(Trim(text));
        return true;
    }

    std::wstring t2 = scanner.ReadToken(kNameExtra);
    if (t2.empty())
        return true;
    if (t2 == L"?") {
        std::wstring name = scanner.ReadToken(kNameExtra);
        if (name.empty())
            return false;
        node.SetProcessingInstruction(name);
        return ParseAttributes(scanner, node) && scanner.Read(2) == L"?>";
    }
    if (t2 == L"!") {
        size_t before = scanner.GetPosition();
        if (scanner.Read(2) == L"--") {
            std::wstring text = scanner.ReadUntil(L"-->", 1);
            if (text.empty())
                return false;
            node.SetComment(text);
            return true;
        }
        scanner.Seek(static_cast<int64_t>(before), 0);
        if (scanner.Read(7) == L"[CDATA[") {
            std::wstring text = scanner.ReadUntil(L"]]>", 1);
            if (text.empty())
                return false;
            node.SetCData(text);
            return true;
        }
        return false;
    }

    node.SetElement(t2);
    if (!ParseAttributes(scanner, node))
        return false;
    std::wstring t3 = scanner.ReadToken(kNameExtra);
    if (t3 == L"/")
        return scanner.ReadToken(kNameExtra) == L">";
    if (t3 != L">")
        return false;
    for (;;) {
        size_t before = scanner.GetPosition();
        std::wstring close = scanner.Read(2);
        if (close == L"</")
            break;
        // Too little text left for a closing tag: the element is not terminated. (Going
        // on would parse the end of the text as empty children for ever.)
        if (close.empty())
            return false;
        scanner.Seek(static_cast<int64_t>(before), 0);
        if (!ParseNode(scanner, *node.NewChild(-1), depth + 1))
            return false;
    }
    return scanner.ReadToken(kNameExtra) == node.GetName() && scanner.ReadToken(kNameExtra) == L">";
}

bool UxXmlParser::ParseAttributes(UxTextScanner& scanner, UxXmlNode& node)
{
    for (;;) {
        std::wstring a = scanner.ReadToken(kNameExtra);
        if (a.empty())
            return false;
        if (a == L">" || a == L"/" || a == L"?") {
            scanner.Seek(-1, 1);
            return true;
        }
        if (scanner.ReadToken(kNameExtra) != L"=")
            return false;
        std::wstring v = scanner.ReadToken(kNameExtra);
        if (v.empty())
            return false;
        node.AddAttribute(a, v);
    }
}
