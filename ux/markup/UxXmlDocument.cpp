#include "ux/markup/UxXmlDocument.h"

#include "ux/core/UxFile.h"
#include "ux/core/UxPathResolver.h"
#include "ux/core/UxText.h"
#include "ux/markup/UxTextScanner.h"
#include "ux/markup/UxXmlParser.h"

bool UxXmlDocument::LoadFile(const std::wstring& path)
{
    UxPathResolver* resolver = UxPathResolver::GetInstance();
    std::wstring resolved = resolver ? resolver->Resolve(2, path) : path;
    std::wstring text = ReadTextFile(resolved);
    // A missing or empty file would parse as an empty document; that is no skin.
    if (text.empty() || !LoadText(text)) {
        Clear();
        UxTrace(L"[UX+] %s, Failed to load %s.\n", L"UxXmlDocument::LoadFile", resolved.c_str());
        return false;
    }
    return true;
}

bool UxXmlDocument::LoadText(const std::wstring& text)
{
    UxTextScanner scanner(text);
    return Parse(scanner);
}

bool UxXmlDocument::Parse(UxTextScanner& scanner)
{
    Clear();
    UxXmlNode declaration;
    if (!UxXmlParser::ParseNode(scanner, declaration) || !UxXmlParser::ParseNode(scanner, *this)) {
        Clear();
        return false;
    }
    return true;
}
