#include "messenger/protocol/login/PktInTick.h"

#include "messenger/protocol/codec/PktFactory.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktFactory::RegisterClass<PktInTick>({ L"TICK" });

} // namespace
