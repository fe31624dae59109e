// Throughput of the wire codec on a typical chat line: building and serialising the
// outgoing line, and taking a received one apart down to its message text.
#include "messenger/protocol/chat/PktChatText.h"
#include "messenger/protocol/codec/PktIn.h"
#include "messenger/protocol/codec/PktKeywords.h"
#include "messenger/protocol/codec/PktStreamReader.h"
#include "messenger/protocol/codec/PktTransactionIdIssuer.h"

#include <benchmark/benchmark.h>

namespace {

const std::wstring kMessage = L"안녕하세요, 오늘 저녁 7시에 회의실에서 만나요. 자료는 미리 보내 드릴게요!";

class PktOutChatLine : public Pkt {
public:
    explicit PktOutChatLine(const std::wstring& text)
        : Pkt(L"MESG")
        , m_record(BuildChatText(L"굴림", 0x000000FF, 1, text))
    {
    }
    std::unique_ptr<Pkt> Clone() const override { return std::make_unique<PktOutChatLine>(*this); }
    bool WriteArgs(PktStreamWriter& writer) override
    {
        writer.WriteArg(MessageKindToText(1));
        writer.WriteArg(m_record);
        writer.EndLine();
        return true;
    }
    bool ReadArgs(PktStreamReader&) override { return false; }

private:
    std::wstring m_record;
};

class PktInChatLine : public PktIn {
public:
    explicit PktInChatLine(int32_t id)
        : PktIn(L"MESG", id)
    {
    }
    bool ReadArgs(PktStreamReader& reader) override
    {
        std::wstring kind, record;
        reader.ReadWord(sender);
        reader.ReadWord(kind);
        reader.ReadWord(record);
        return ParseMessageKind(kind) == 1 && ParseChatText(record, font, colour, style, text);
    }
    std::wstring sender, font, text;
    uint32_t colour = 0;
    int32_t style = 0;
};

void SerializeChatLine(benchmark::State& state)
{
    PktTransactionIdIssuer issuer;
    size_t bytes = 0;
    for (auto _ : state) {
        PktOutChatLine line(kMessage);
        line.Serialize();
        bytes += line.GetWriter().GetSize();
        benchmark::DoNotOptimize(line.GetWriter().GetData());
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
    state.SetLabel("items = chat lines");
}

void ParseChatLine(benchmark::State& state)
{
    PktTransactionIdIssuer issuer;
    PktOutChatLine out(kMessage);
    out.Serialize();
    // The same line as it arrives from someone else: the sender's id follows the id.
    std::string frame = out.GetWriter().ToString();
    frame.insert(frame.find(" MSG "), " friend@example.com");
    for (auto _ : state) {
        PktStreamReader reader(frame.data(), static_cast<uint32_t>(frame.size()));
        PktHeader header;
        header.Read(reader);
        PktInChatLine line(header.GetTransactionId());
        if (!line.Parse(reader) || line.text != kMessage)
            state.SkipWithError("chat line did not parse back");
        benchmark::DoNotOptimize(line.text.data());
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * frame.size()));
    state.SetLabel("items = chat lines");
}

} // namespace

BENCHMARK(SerializeChatLine);
BENCHMARK(ParseChatLine);
