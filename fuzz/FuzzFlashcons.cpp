// A chat line as the conversation shows it: flashcon tags of any shape, with fields of
// any length, become their names or stay as they are.
#include "app/chat/ChatOutput.h"
#include "ux/core/UxText.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 16384)
        return 0;
    const std::wstring text = FromUtf8(std::string(reinterpret_cast<const char*>(data), size));
    const std::wstring shown = ChatOutput::ConvertFlashcons(text);
    // A tag's name with its frame is shorter than the tag; nothing else changes.
    if (shown.size() > text.size())
        __builtin_trap();
    return 0;
}
