#pragma once

#include "messenger/model/Memo.h"

#include <cstdint>
#include <string>
#include <vector>

class PktStreamReader;

// One page of a box: the page number, a flag, the total, then memo records of seven
// words until the bytes run out.
struct MemoListAnswer {
    int32_t Page = 0;
    bool Flag = false;
    int32_t Total = 0;
    std::vector<Memo> Memos;

    // Records past this many in one answer are dropped.
    static constexpr size_t kMaxMemos = 1000;

    void Read(PktStreamReader& reader);
};

// Memos related to one: a flag, then records of ten words (kept, not used).
struct MemoRelAnswer {
    struct Record {
        int32_t Seq = 0;
        std::wstring Text1;
        std::wstring Text2;
        int32_t Box = 3;
        std::wstring Text3;
        std::wstring Text4;
        UxDateTime Date;
        bool Flag = false;
        std::wstring Text5;
        std::wstring Text6;
    };

    bool Flag = false;
    std::vector<Record> Records;

    void Read(PktStreamReader& reader);
};

// The name of a memo-box result code, "Unknown Error" outside the table; for the log.
std::wstring GetMemoFailureName(int32_t code);
// What the user reads for a memo-box result code, in Korean.
std::wstring GetMemoFailureText(int32_t code);
// The code's name and number, for the log.
std::wstring DescribeMemoFailure(int32_t code);
