// Each key-frame kind's engine action. A frame only knows its own value; the
// starting state comes from the node when the action starts.
#include "gui/action/ActionFrame.h"

#include "actions/CCActions.h"
#include "base/CCLog.h"

namespace cc {

namespace {
template <class Frame>
Frame* makeFrame(Frame* frame)
{
    return autoreleasedOrNull(frame, true);
}

// Opacity is kept as a float but the engine takes a byte: truncate and keep it in range.
GLubyte opacityByte(float opacity)
{
    if (!(opacity > 0.0f)) return 0; // also catches NaN
    if (opacity >= 255.0f) return 255;
    return static_cast<GLubyte>(opacity);
}
} // namespace

ActionFrame* ActionFrame::create() { return makeFrame(new ActionFrame(-1)); }
ActionMoveFrame* ActionMoveFrame::create() { return makeFrame(new ActionMoveFrame()); }
ActionScaleFrame* ActionScaleFrame::create() { return makeFrame(new ActionScaleFrame()); }
ActionRotationFrame* ActionRotationFrame::create() { return makeFrame(new ActionRotationFrame()); }
ActionTintFrame* ActionTintFrame::create() { return makeFrame(new ActionTintFrame()); }
ActionFadeFrame* ActionFadeFrame::create() { return makeFrame(new ActionFadeFrame()); }

CCFiniteTimeAction* ActionFrame::getAction(float)
{
    CCLog("Need a definition of <getAction> for ActionFrame");
    return nullptr;
}

CCFiniteTimeAction* ActionMoveFrame::getAction(float duration) { return CCMoveTo::create(duration, m_position); }

CCFiniteTimeAction* ActionScaleFrame::getAction(float duration)
{
    return CCScaleTo::create(duration, m_scaleX, m_scaleY);
}

CCFiniteTimeAction* ActionRotationFrame::getAction(float duration)
{
    return CCRotateTo::create(duration, m_rotation);
}

CCFiniteTimeAction* ActionTintFrame::getAction(float duration)
{
    return CCTintTo::create(duration, m_color.r, m_color.g, m_color.b);
}

CCFiniteTimeAction* ActionFadeFrame::getAction(float duration)
{
    return CCFadeTo::create(duration, opacityByte(m_opacity));
}

} // namespace cc
