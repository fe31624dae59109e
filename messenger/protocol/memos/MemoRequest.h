#pragma once

#include "ux/core/UxStream.h"

#include <cstdint>
#include <string>

// The body of a memo-box request: pairs of key "=" value joined by "&", each pair
// escaped as a wire argument and sent as UTF-8. Build fills the bytes from the fields.
class MemoRequest {
public:
    virtual ~MemoRequest() = default;

    const UxMemoryWriter& GetBytes() const { return m_bytes; }

protected:
    void AddPair(const std::wstring& key, const std::wstring& value);

    UxMemoryWriter m_bytes;
};

// One page of a box. Message and box types go out as "1" (0) and "3" (1).
class MemoListRequest : public MemoRequest {
public:
    void Build();

    int32_t MsgType = 2;
    int32_t BoxType = 2;
    int32_t RequestPage = 0;
    int32_t Count = 0;
};

// The number of unread memos: no body.
class MemoCountRequest : public MemoRequest {
public:
    void Build() { m_bytes.Clear(); }
};

// A memo's content. Box types go out as "R" (0), "S" (1), "A" (2).
class MemoGetRequest : public MemoRequest {
public:
    void Build();

    std::wstring Cookie;
    int32_t BoxType = 3;
};

// Memos related to one (no screen asks for them).
class MemoRelRequest : public MemoRequest {
public:
    void Build();

    std::wstring Cookie;
    int32_t Seq = 0;
    int32_t Count = 0;
    uint8_t ReadFlag = 0;
};

// Delete (with the box type) or report as spam (the cookie alone).
class MemoCookieRequest : public MemoRequest {
public:
    void Build(bool withBoxType);

    std::wstring Cookie;
    int32_t BoxType = 3;
};
