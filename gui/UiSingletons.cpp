// Tear-down of the layout services, field reader first, animations last.
#include "gui/UiSingletons.h"

#include "gui/CCSGUIReader.h"
#include "gui/action/ActionManager.h"

namespace cc {

void releaseUiSingletons()
{
    // Field reader, then reader and lookup service.
    CCSGUIReader::purgeCCSGUIReader();
    ActionManager::shareManager();
    ActionManager::purgeActionManager();
}

} // namespace cc
