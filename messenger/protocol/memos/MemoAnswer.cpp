#include "messenger/protocol/memos/MemoAnswer.h"

#include "messenger/protocol/codec/PktFailure.h"
#include "messenger/protocol/codec/PktKeywords.h"
#include "messenger/protocol/codec/PktStreamReader.h"

namespace {

// Whether anything but blanks is left: a body ending in a line end or spaces holds no
// further record.
bool HasMore(const PktStreamReader& reader)
{
    const uint8_t* p = reader.GetPosition();
    const uint8_t* end = reader.GetStart() + reader.GetSize();
    for (; p < end; ++p) {
        if (*p != ' ' && *p != '\t' && *p != '\r' && *p != '\n')
            return true;
    }
    return false;
}

const FailureCode kMemoFailureCodes[] = {
    { 100, L"FailureCodeSuccess", L"요청이 처리되었습니다." },
    { 201, L"FailureCodeInvalidParameter", L"요청한 정보가 올바르지 않습니다." },
    { 202, L"FailureCodeMemoNotExists", L"존재하지 않는 쪽지입니다." },
    { 300, L"FailureCodeIdNotExists", L"존재하지 않는 아이디입니다." },
    { 490, L"FailureCodeSystemError", L"쪽지 서버에 오류가 발생했습니다. 잠시 후 다시 시도해 주세요." },
    { 500, L"FailureCodeDbError", L"데이터베이스에 오류가 발생했습니다. 잠시 후 다시 시도해 주세요." },
};

} // namespace

void MemoListAnswer::Read(PktStreamReader& reader)
{
    std::wstring word;
    reader.ReadInt(Page);
    reader.ReadWord(word);
    Flag = ParseOneZero(word);
    reader.ReadInt(Total);
    while (HasMore(reader) && Memos.size() < kMaxMemos) {
        Memo memo;
        reader.ReadWord(memo.Id);
        reader.ReadWord(memo.From);
        reader.ReadWord(memo.Title);
        reader.ReadWord(word);
        memo.Date.Parse(word, L"yyyyMMddhhmmss");
        reader.ReadWord(word);
        memo.Read = word == L"1";
        reader.ReadWord(word);
        memo.Flag2 = word == L"1";
        reader.ReadWord(memo.Cookie);
        Memos.push_back(std::move(memo));
    }
}

void MemoRelAnswer::Read(PktStreamReader& reader)
{
    std::wstring word;
    reader.ReadWord(word);
    Flag = ParseYesNo(word);
    while (HasMore(reader) && Records.size() < MemoListAnswer::kMaxMemos) {
        Record record;
        reader.ReadInt(record.Seq);
        reader.ReadWord(record.Text1);
        reader.ReadWord(record.Text2);
        reader.ReadWord(word);
        record.Box = ParseMemoBox(word);
        reader.ReadWord(record.Text3);
        reader.ReadWord(record.Text4);
        reader.ReadWord(word);
        record.Date.Parse(word, L"yyyyMMddhhmmss");
        reader.ReadWord(word);
        record.Flag = ParseYesNo(word);
        reader.ReadWord(record.Text5);
        reader.ReadWord(record.Text6);
        Records.push_back(std::move(record));
    }
}

std::wstring GetMemoFailureName(int32_t code)
{
    return GetFailureName(kMemoFailureCodes, code);
}

std::wstring GetMemoFailureText(int32_t code)
{
    return GetFailureText(kMemoFailureCodes, code);
}

std::wstring DescribeMemoFailure(int32_t code)
{
    return DescribeFailure(kMemoFailureCodes, code);
}
