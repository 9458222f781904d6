// Action base behaviour.
#include "actions/CCAction.h"

namespace cc {

void CCAction::startWithTarget(CCNode* target)
{
    m_pOriginalTarget = m_pTarget = target;
}

void CCAction::stop() { m_pTarget = nullptr; }

} // namespace cc
