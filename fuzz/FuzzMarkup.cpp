// The skin parser over arbitrary text: every input must parse or fail, within bounds.
#include "ux/core/UxText.h"
#include "ux/markup/UxIniReader.h"
#include "ux/markup/UxSkinWords.h"
#include "ux/markup/UxXmlDocument.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// Touches every node's getters so that value parsing runs over fuzzed text too.
void Visit(const UxXmlNode& node, size_t depth)
{
    (void)node.GetInt();
    (void)node.GetFloat();
    (void)node.GetColor();
    (void)node.GetRect();
    (void)node.GetPoint();
    (void)ParseAligns(node.GetText());
    for (size_t i = 0; i < node.GetChildCount(); ++i)
        Visit(*node.GetChild(i), depth + 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 64 * 1024)
        return 0;
    std::wstring text = FromUtf8(std::string(reinterpret_cast<const char*>(data), size));
    UxXmlDocument doc;
    if (doc.LoadText(text))
        Visit(doc, 0);
    UxIniReader ini;
    ini.SetText(text);
    (void)ini.GetValue(L"Update", L"Version");
    return 0;
}
