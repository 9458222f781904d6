// Touch points.
#include "scene/CCTouch.h"

#include "scene/CCDirector.h"

namespace cc {

void CCTouch::setTouchInfo(int id, const CCPoint& point)
{
    m_nId = id;
    m_prevPoint = m_bStarted ? m_point : point;
    m_point = point;
    if (!m_bStarted) {
        m_startPoint = point;
        m_bStarted = true;
    }
}

CCPoint CCTouch::getLocationInView() const { return CCDirector::sharedDirector()->convertToUI(m_point); }

CCPoint CCTouch::getPreviousLocationInView() const
{
    return CCDirector::sharedDirector()->convertToUI(m_prevPoint);
}

} // namespace cc
