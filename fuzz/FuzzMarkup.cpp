// The skin parser over arbitrary text: every input must parse or fail, within bounds.
#include "messenger/protocol/update/SelfUpdate.h"
#include "platform/system/Trace.h"
#include "ux/core/UxText.h"
#include "ux/markup/UxIniReader.h"
#include "ux/markup/UxSkinWords.h"
#include "ux/markup/UxXmlDocument.h"
#include "ux/markup/UxXmlSkinHelper.h"

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

// The reads the shared screens make of a skin, over a damaged one: sections and values
// may be missing or malformed anywhere.
void ReadLikeTheScreens()
{
    static const wchar_t* sections[][2] = { { L"MsgBox", L"" }, { L"NotifyBox", L"" }, { L"UpgradeBox", L"" },
        { L"Menu", L"" }, { L"MenuAccount", L"" }, { L"StatusBar", L"Default" }, { L"StatusBar", L"Chat" },
        { L"TabBar", L"" }, { L"MenuBar", L"" }, { L"_StatusIconList", L"Big" },
        { L"_EmoticonList", L"RGB" } };
    for (const auto& section : sections) {
        if (!SelectSkinNode(section[0], section[1]))
            continue;
        (void)GetSkinRect(L"_Rect");
        (void)GetSkinInt(L"_TableViewItemHeight");
        (void)GetSkinColor(L"Text", L"TextColorSelected");
        (void)GetSkinRect(L"Text", L"_RectForCheckBox");
        (void)GetSkinRect(L"Online");
        if (UxXmlNode* first = GetCurrentSkinNode()->GetChild(0))
            (void)first->FindChild(L"Text");
    }
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
    {
        // Missing parts are traced; keep the fuzzer's output to its own findings.
        plat::SetTraceHook([](const std::wstring&) {});
        UxXmlSkinHelper skin;
        if (skin.LoadText(text))
            ReadLikeTheScreens();
        plat::SetTraceHook(nullptr);
    }
    UxIniReader ini;
    ini.SetText(text);
    (void)ini.GetValue(L"Update", L"Version");
    // The update descriptor's message, as the question box gets it.
    (void)SelfUpdate::DecodeMessage(ini.GetValue(L"main", L"msg"));
    return 0;
}
