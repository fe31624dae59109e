#include "messenger/protocol/codec/PktHandlerDefault.h"

#include "messenger/protocol/codec/PktHandlerFactory.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerDefault>(
    { L"ALRM", L"CALM", L"INCK", L"LOPT", L"PACK", L"PNAK", L"SPSH", L"WHSP" });

} // namespace
