#pragma once

#include "messenger/protocol/codec/PktIn.h"
#include "messenger/protocol/memos/MemoAnswer.h"

#include <string>

// One fragment of a memo-box answer. Fragments are gathered in one buffer kept between
// packets; the fragment that completes the answer (index equal to count) parses it by
// kind.
class PktInWget : public PktIn {
public:
    explicit PktInWget(int32_t transactionId)
        : PktIn(L"WGET", transactionId)
    {
    }

    bool ReadArgs(PktStreamReader& reader) override;
    // Parses a whole answer by kind (the fragments' bytes, gathered).
    void ParseAnswer(const uint8_t* data, uint32_t size);

    int32_t Kind = 6;
    int32_t Count = 0;
    int32_t Index = 0;
    // Set on the fragment that completes an answer; only that one is acted on.
    bool Complete = false;

    MemoListAnswer List; // kind 0
    int32_t Unread = 0; // kind 1
    std::string Frame; // kind 2: the content rebuilt as a frame of its own
    MemoRelAnswer Related; // kind 3

    // Limits of one answer: more fragments or bytes than this drop the answer.
    static constexpr int32_t kMaxFragments = 4096;
    static constexpr size_t kMaxAnswer = 1024 * 1024;
    static const std::string& GetFragmentBuffer() { return s_fragments; }
    // A lower limit, so that fuzz targets reach the drop with small inputs.
    static void SetMaxAnswer(size_t bytes) { s_maxAnswer = bytes < kMaxAnswer ? bytes : kMaxAnswer; }

private:
    static void Drop();

    static inline size_t s_maxAnswer = kMaxAnswer;
    static inline std::string s_fragments;
    static inline int32_t s_kind = 6;
    static inline int32_t s_nextIndex = -1; // -1: no answer under way
};
