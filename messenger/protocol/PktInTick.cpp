#include "messenger/protocol/PktInTick.h"

#include "messenger/protocol/PktFactory.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktFactory::RegisterClass<PktInTick>({ L"TICK" });

} // namespace
