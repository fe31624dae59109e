#pragma once

#include "messenger/protocol/codec/PktHeader.h"
#include "messenger/protocol/codec/PktStreamWriter.h"

#include <memory>

class PktStreamReader;

// Base of every packet: the header plus the bytes of the serialised frame.
// Outgoing classes name themselves PktOut<Cmd>, incoming ones PktIn<Cmd>.
class Pkt : public PktHeader {
public:
    virtual ~Pkt() = default;

    // Heap copy of an outgoing packet (header, bytes written so far, fields); the
    // pending list keeps it until the reply arrives. Incoming packets give null.
    virtual std::unique_ptr<Pkt> Clone() const = 0;
    // Appends the arguments, the line end and any payload.
    virtual bool WriteArgs(PktStreamWriter& writer) = 0;
    // Reads the arguments and any payload; the header has been read already.
    virtual bool ReadArgs(PktStreamReader& reader) = 0;
    // Whether the service answers this request when it succeeds. One it never answers
    // is not kept as pending: nothing would ever take it out again.
    virtual bool IsAnswered() const { return true; }
    // The id of a request this one carries and that is pending beside it; 0 for none.
    virtual int32_t GetInnerTransactionId() const { return 0; }

    // Header then arguments into the packet's own writer. Each call appends again,
    // so a packet is serialised once.
    bool Serialize();
    bool Parse(PktStreamReader& reader) { return ReadArgs(reader); }

    const PktStreamWriter& GetWriter() const { return m_writer; }

protected:
    // Outgoing: takes a fresh transaction id (0 while no issuer exists).
    explicit Pkt(const std::wstring& command);
    // Incoming: the id read from the line.
    Pkt(const std::wstring& command, int32_t transactionId)
        : PktHeader(command, transactionId)
    {
    }
    Pkt(const Pkt&) = default;
    Pkt& operator=(const Pkt&) = delete;

    // For packets that carry another: serialises inner and puts its bytes in payload,
    // in place of what was there.
    static bool SerializeInto(Pkt& inner, PktStreamWriter& payload);

    PktStreamWriter m_writer;
};
