// Flashcon tags in chat lines, as the conversation shows them.
#include "app/chat/ChatOutput.h"

#include <gtest/gtest.h>

#include <string>

TEST(ChatOutputFlashcons, TagsBecomeTheirNamesAndBrokenTagsStay)
{
    const std::wstring longName(5000, L'가');
    const struct {
        std::wstring line, shown;
    } cases[] = {
        { L"plain", L"plain" },
        { L"x<FLCON|1|2|Heart|3/FLCON>y", L"x플래시콘 (Heart)y" },
        { L"<FLCON|1|2|A|3/FLCON><FLCON|4|5|B|6/FLCON>", L"플래시콘 (A)플래시콘 (B)" },
        // Not closed: everything from the last copy point stays.
        { L"a<FLCON|1|2|A|3/FLCON>b<FLCON|1|2|B|3", L"a플래시콘 (A)b<FLCON|1|2|B|3" },
        // Fewer than four fields, or an empty one: the conversion ends there.
        { L"a<FLCON|1|2/FLCON>b<FLCON|1|2|B|3/FLCON>", L"a<FLCON|1|2/FLCON>b<FLCON|1|2|B|3/FLCON>" },
        { L"<FLCON||2|B|3/FLCON>", L"<FLCON||2|B|3/FLCON>" },
        // A name of any length is taken whole (it once went into a fixed buffer).
        { L"<FLCON|1|2|" + longName + L"|3/FLCON>", L"플래시콘 (" + longName + L")" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChatOutput::ConvertFlashcons(c.line), c.shown) << c.line.size();
}
