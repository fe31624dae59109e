#pragma once

#include "messenger/protocol/codec/PktIn.h"
#include "ux/core/UxDateTime.h"

#include <string>
#include <vector>

// A memo from the service: one that has just arrived, or the content of a memo being
// opened (the memo box's answer is rebuilt into this frame).
class PktInImsg : public PktIn {
public:
    explicit PktInImsg(int32_t transactionId)
        : PktIn(L"IMSG", transactionId)
    {
    }

    // Header lines up to the first empty line, then the text to the end of the frame
    // (whatever "length:" says). A frame without the empty line has no text.
    bool ReadArgs(PktStreamReader& reader) override;

    std::wstring From;
    std::vector<std::wstring> References;
    std::wstring Title;
    UxDateTime Date;
    bool Confirm = false;
    std::wstring Cookie;
    std::wstring SessionId;
    std::wstring Uuid;
    int32_t Event = 4;
    bool Related = false;
    std::wstring FontName;
    int32_t FontSize = 0;
    uint32_t FontColor = 0;
    uint32_t FontStyle = 0;
    int32_t ContentType = 4;
    int32_t Length = 0;
    std::wstring Body;

    // Receivers past this many are not kept.
    static constexpr size_t kMaxReferences = 1000;

private:
    void ReadHeader(const std::wstring& key, const std::wstring& value);
};
