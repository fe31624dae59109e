#include "messenger/protocol/codec/PktInEmpty.h"

#include "messenger/protocol/codec/PktFactory.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktFactory::RegisterClass<PktInEmpty>(
    { L"ALRM", L"CALM", L"CNIK", L"ENTR", L"LOPT", L"ONST", L"PACK", L"PING", L"PNAK", L"PONG", L"WHSP" });

} // namespace
