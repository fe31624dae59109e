#pragma once

namespace plat {

// Gives the pages of freed memory back to the system. The heap keeps them otherwise,
// even where large blocks (pictures, a parsed list) left whole pages free between the
// blocks still in use.
void ReleaseFreeMemory();

} // namespace plat
