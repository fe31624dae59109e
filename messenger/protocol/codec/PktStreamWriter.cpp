#include "messenger/protocol/codec/PktStreamWriter.h"

#include "ux/core/UxText.h"

void PktStreamWriter::WriteArg(const std::wstring& text)
{
    if (text.empty()) {
        WriteWord("%00");
        return;
    }
    WriteWord(ToUtf8(UrlEncode(text, 1)));
}

void PktStreamWriter::WriteInt(int32_t value)
{
    WriteWord(std::to_string(value));
}

void PktStreamWriter::WriteUInt(uint32_t value)
{
    WriteWord(std::to_string(value));
}

void PktStreamWriter::EndLine()
{
    Write("\r\n", 2);
}

void PktStreamWriter::WritePayload(const void* data, size_t size)
{
    WriteUInt(static_cast<uint32_t>(size));
    EndLine();
    if (size)
        Write(data, static_cast<uint32_t>(size));
}

void PktStreamWriter::WriteWord(const std::string& bytes)
{
    if (!m_noSeparator && !m_bytes.empty() && m_bytes.back() != '\n')
        m_bytes.push_back(' ');
    Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
}
