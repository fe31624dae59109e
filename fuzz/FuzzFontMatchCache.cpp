// The font match cache as read from disk: whatever parses must write out and read back
// to the same text, within the file's bounds.
#include "platform/gdi/FontMatchCache.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 2 * plat::FontMatchCache::kMaxBytes)
        return 0;
    plat::FontMatchCache cache;
    if (!cache.Parse(std::string(reinterpret_cast<const char*>(data), size)))
        return 0;
    if (cache.entries.size() > plat::FontMatchCache::kMaxEntries
        || cache.stamp.size() > plat::FontMatchCache::kMaxStampLines)
        std::abort();
    // Whether it still holds is a matter of the machine; asking must not go wrong.
    cache.Holds();
    const std::string text = cache.Serialize();
    plat::FontMatchCache again;
    if (!again.Parse(text) || again.Serialize() != text)
        std::abort();
    return 0;
}
