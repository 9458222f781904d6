// Caches register their purge with whichever director is current; a director
// rebuilt by a test gets the registration again on the cache's next use.
#pragma once

#include <functional>

namespace cc {

// Registers purger with the shared director unless this slot already did so
// for that same director. slot is a static owned by the caller.
void registerCachePurgerOnce(unsigned int* slot, std::function<void()> purger);

} // namespace cc
