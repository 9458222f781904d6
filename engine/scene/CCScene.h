// The root of what the director shows. Transitions are scenes too; the
// director asks isTransition() to know whether to run enter/exit itself.
#pragma once

#include "scene/CCNode.h"

namespace cc {

class CCScene : public CCNode {
public:
    CREATE_FUNC(CCScene)
    CCScene();
    bool init() override;

    // A transition scene manages the enter/exit calls of the scenes it joins.
    virtual bool isTransition() const { return false; }
};

} // namespace cc
