#pragma once

#include <cstdint>
#include <string>

class PktStreamReader;
class PktStreamWriter;

// Command word and transaction id: the first words of every frame.
class PktHeader {
public:
    PktHeader() = default;
    PktHeader(const std::wstring& command, int32_t transactionId)
        : m_command(command)
        , m_transactionId(transactionId)
    {
    }

    const std::wstring& GetCommand() const { return m_command; }
    void SetCommand(const std::wstring& command) { m_command = command; }
    int32_t GetTransactionId() const { return m_transactionId; }
    void SetTransactionId(int32_t id) { m_transactionId = id; }

    // Inner packets of an envelope carry no id; they are never kept as pending either.
    bool GetNoId() const { return m_noId; }
    void SetNoId(bool noId) { m_noId = noId; }

    bool Write(PktStreamWriter& writer) const;
    bool Read(PktStreamReader& reader);

private:
    std::wstring m_command;
    int32_t m_transactionId = 0;
    bool m_noId = false;
};
