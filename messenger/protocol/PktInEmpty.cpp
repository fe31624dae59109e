#include "messenger/protocol/PktInEmpty.h"

#include "messenger/protocol/PktFactory.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktFactory::RegisterClass<PktInEmpty>(
    { L"ALRM", L"CALM", L"CNIK", L"ENTR", L"LOPT", L"ONST", L"PACK", L"PING", L"PNAK", L"PONG", L"WHSP" });

} // namespace
