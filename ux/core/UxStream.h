#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Byte streams. Seek origins: 0 from the start, 1 from the current position, 2 from the end.
class UxStream {
public:
    virtual ~UxStream() = default;
    virtual bool Seek(int64_t offset, int origin) = 0;
    virtual int64_t Tell() = 0;

    // Bytes moved by the most recent Read or Write.
    uint32_t GetLastCount() const { return m_lastCount; }

protected:
    uint32_t m_lastCount = 0;
};

class UxInputStream : public UxStream {
public:
    // True only when all count bytes were read; GetLastCount tells how many arrived.
    virtual bool Read(void* buffer, uint32_t count) = 0;

    // Reads, then steps back over what was read.
    bool Peek(void* buffer, uint32_t count);
};

class UxOutputStream : public UxStream {
public:
    virtual bool Write(const void* data, uint32_t count) = 0;
};

// Reader over a caller-owned block; the block is never copied or freed.
class UxMemoryStream : public UxInputStream {
public:
    UxMemoryStream() = default;
    UxMemoryStream(const void* data, uint32_t size) { Attach(data, size); }

    void Attach(const void* data, uint32_t size);

    bool Seek(int64_t offset, int origin) override;
    int64_t Tell() override { return m_position - m_start; }
    bool Read(void* buffer, uint32_t count) override;

    const uint8_t* GetStart() const { return m_start; }
    const uint8_t* GetPosition() const { return m_position; }
    uint32_t GetSize() const { return m_size; }
    uint32_t GetRemaining() const { return static_cast<uint32_t>(m_start + m_size - m_position); }

protected:
    const uint8_t* m_start = nullptr;
    uint32_t m_size = 0;
    const uint8_t* m_position = nullptr;
};

// Growable byte buffer; seeking always fails, Tell is the number of bytes written.
class UxMemoryWriter : public UxOutputStream {
public:
    bool Seek(int64_t, int) override { return false; }
    int64_t Tell() override { return static_cast<int64_t>(m_bytes.size()); }
    bool Write(const void* data, uint32_t count) override;

    // First byte, or null when nothing was written.
    const uint8_t* GetData() const { return m_bytes.empty() ? nullptr : m_bytes.data(); }
    size_t GetSize() const { return m_bytes.size(); }
    void Clear() { m_bytes.clear(); }

protected:
    std::vector<uint8_t> m_bytes;
};
