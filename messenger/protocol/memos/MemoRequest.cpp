#include "messenger/protocol/memos/MemoRequest.h"

#include "messenger/protocol/codec/PktKeywords.h"
#include "ux/core/UxText.h"

void MemoRequest::AddPair(const std::wstring& key, const std::wstring& value)
{
    if (m_bytes.GetSize())
        m_bytes.Write("&", 1);
    const std::string pair = ToUtf8(UrlEncode(key + L"=" + value, 1));
    m_bytes.Write(pair.data(), static_cast<uint32_t>(pair.size()));
}

void MemoListRequest::Build()
{
    m_bytes.Clear();
    AddPair(L"msgtype", MemoListTypeToText(MsgType));
    AddPair(L"boxtype", MemoListTypeToText(BoxType));
    AddPair(L"requestpage", std::to_wstring(RequestPage));
    AddPair(L"count", std::to_wstring(Count));
}

void MemoGetRequest::Build()
{
    m_bytes.Clear();
    AddPair(L"cookie", Cookie);
    AddPair(L"box_type", MemoBoxToText(BoxType));
}

void MemoRelRequest::Build()
{
    m_bytes.Clear();
    AddPair(L"cookie", Cookie);
    AddPair(L"seq", std::to_wstring(Seq));
    AddPair(L"count", std::to_wstring(Count));
    AddPair(L"read_yn", YesNoToText(ReadFlag != 0));
}

void MemoCookieRequest::Build(bool withBoxType)
{
    m_bytes.Clear();
    AddPair(L"cookie", Cookie);
    if (withBoxType)
        AddPair(L"box_type", MemoBoxToText(BoxType));
}
