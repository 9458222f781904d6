// Scenes fill the design area and place their origin at their position.
#include "scene/CCScene.h"

#include "scene/CCDirector.h"

namespace cc {

CCScene::CCScene()
{
    m_bIgnoreAnchorPointForPosition = true;
    setAnchorPoint(CCPoint(0.5f, 0.5f));
}

bool CCScene::init()
{
    setContentSize(CCDirector::sharedDirector()->getWinSize());
    return true;
}

} // namespace cc
