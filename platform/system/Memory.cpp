#include "platform/system/Memory.h"

#include <malloc.h>

namespace plat {

void ReleaseFreeMemory()
{
    malloc_trim(0);
}

} // namespace plat
