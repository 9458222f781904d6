// Keeps each cache's purge registered with the current director.
#include "render/CCCachePurge.h"

#include "scene/CCDirector.h"

namespace cc {

void registerCachePurgerOnce(unsigned int* slot, std::function<void()> purger)
{
    CCDirector* director = CCDirector::sharedDirector();
    if (!director || *slot == director->getUniqueID()) return;
    *slot = director->getUniqueID();
    director->addCachePurger(std::move(purger));
}

} // namespace cc
