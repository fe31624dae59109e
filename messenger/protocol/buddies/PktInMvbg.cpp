#include "messenger/protocol/buddies/PktInMvbg.h"

#include "messenger/protocol/buddies/PktBuddyWords.h"
#include "messenger/protocol/codec/PktFactory.h"
#include "messenger/protocol/codec/PktStreamReader.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cwchar>
#include <string>

namespace {

[[maybe_unused]] const bool kRegistered = PktFactory::RegisterClass<PktInMvbg>({ L"MVBG" });

// The next word that is not empty (runs of blanks and line ends separate numbers);
// false at the end of the bytes.
bool ReadNumber(PktStreamReader& reader, int32_t& value)
{
    std::wstring word;
    while (reader.GetRemaining()) {
        reader.ReadWord(word);
        if (!word.empty()) {
            const long long number = std::wcstoll(word.c_str(), nullptr, 10);
            value = static_cast<int32_t>(std::clamp<long long>(number, INT32_MIN, INT32_MAX));
            return true;
        }
    }
    return false;
}

} // namespace

bool PktInMvbg::ReadArgs(PktStreamReader& reader)
{
    ReadBuddyText(reader, Text);
    uint32_t count = 0;
    reader.ReadCount(count);
    std::string bytes;
    const bool whole = reader.ReadBytes(count, bytes);
    PktStreamReader pairs(bytes.data(), static_cast<uint32_t>(bytes.size()));
    int32_t index = 0;
    int32_t result = 0;
    while (Results.size() < kMaxPairs && ReadNumber(pairs, index) && ReadNumber(pairs, result))
        Results.emplace_back(index, result);
    return whole;
}
