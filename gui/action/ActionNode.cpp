// One track: reading its key frames, binding it to its widget, building and
// running its engine action, and seeking it to a time. Frames keep file order;
// a file that lists them out of order gets no transition backwards in time.
#include "gui/action/ActionNode.h"

#include "actions/CCActions.h"
#include "base/CCArray.h"
#include "base/CCLog.h"
#include "gui/JsonFieldReader.h"
#include "gui/UIWidget.h"
#include "gui/WidgetLookup.h"
#include "scene/CCNode.h"

namespace cc {

namespace {
ActionFrame* frameAt(CCArray* frames, unsigned int i) { return static_cast<ActionFrame*>(frames->objectAtIndex(i)); }

// A key-frame value that is absent or of another JSON type takes the layout
// format's default for every member: 0. The format only names the range of a
// colour channel or an opacity; a value outside it is clamped into a byte
// rather than wrapped around, so 300 stays full and -4 stays none.
const double kAbsentNumber = 0.0;
const int kAbsentInteger = 0;

GLubyte colourByte(int value) { return static_cast<GLubyte>(value < 0 ? 0 : (value > 255 ? 255 : value)); }

// The frames one key-frame object adds, in kind order; each kind is present
// when its first key is.
void readFrames(const Json::Value* object, ActionNode* node)
{
    const JsonFieldReader* f = JsonFieldReader::shareReader();
    const int frameIndex = f->getIntValue(object, "frameid", 0);
    if (JsonFieldReader::member(object, "positionx")) {
        ActionMoveFrame* frame = ActionMoveFrame::create();
        frame->setFrameIndex(frameIndex);
        frame->setPosition(CCPoint(static_cast<float>(f->getFloatValue(object, "positionx")),
                                   static_cast<float>(f->getFloatValue(object, "positiony"))));
        node->addFrame(frame);
    }
    if (JsonFieldReader::member(object, "scalex")) {
        ActionScaleFrame* frame = ActionScaleFrame::create();
        frame->setFrameIndex(frameIndex);
        frame->setScaleX(static_cast<float>(f->getFloatValue(object, "scalex", kAbsentNumber)));
        frame->setScaleY(static_cast<float>(f->getFloatValue(object, "scaley", kAbsentNumber)));
        node->addFrame(frame);
    }
    if (JsonFieldReader::member(object, "rotation")) {
        ActionRotationFrame* frame = ActionRotationFrame::create();
        frame->setFrameIndex(frameIndex);
        frame->setRotation(static_cast<float>(f->getFloatValue(object, "rotation")));
        node->addFrame(frame);
    }
    if (JsonFieldReader::member(object, "opacity")) {
        ActionFadeFrame* frame = ActionFadeFrame::create();
        frame->setFrameIndex(frameIndex);
        frame->setOpacity(static_cast<float>(f->getIntValue(object, "opacity", kAbsentInteger)));
        node->addFrame(frame);
    }
    if (JsonFieldReader::member(object, "colorr")) {
        ActionTintFrame* frame = ActionTintFrame::create();
        frame->setFrameIndex(frameIndex);
        frame->setColor(ccc3(colourByte(f->getIntValue(object, "colorr", kAbsentInteger)),
                             colourByte(f->getIntValue(object, "colorg", kAbsentInteger)),
                             colourByte(f->getIntValue(object, "colorb", kAbsentInteger))));
        node->addFrame(frame);
    }
}
} // namespace

ActionNode* ActionNode::create()
{
    ActionNode* node = new ActionNode();
    return autoreleasedOrNull(node, node->init());
}

bool ActionNode::init()
{
    m_pFramesByKind.reset(CCArray::createWithCapacity(static_cast<unsigned int>(m_kindCount)));
    for (int kind = 0; kind < m_kindCount; ++kind) m_pFramesByKind->addObject(CCArray::create());
    return true;
}

ActionNode::~ActionNode()
{
    // The track owns what it started: an animation still running when its
    // store goes away stops rather than play on without an owner.
    dropPlayingAction();
    // The spawn goes before the frames, as it always did.
    m_pSpawnAction.reset();
}

void ActionNode::addFrame(ActionFrame* frame)
{
    if (CCArray* frames = frame ? getFrames(frame->getKind()) : nullptr) frames->addObject(frame);
}

CCArray* ActionNode::getFrames(int kind) const
{
    if (kind < 0 || kind >= m_kindCount) return nullptr;
    return static_cast<CCArray*>(m_pFramesByKind->objectAtIndex(static_cast<unsigned int>(kind)));
}

bool ActionNode::isPlaying() const { return m_pPlayingAction && m_pPlayingAction->getTarget(); }

void ActionNode::readFromJson(const Json::Value* track, CCObject* root)
{
    const JsonFieldReader* f = JsonFieldReader::shareReader();
    m_actionTag = f->getIntValue(track, "ActionTag", 0);
    const int count = f->getArrayCount(track, "actionframelist");
    for (int i = 0; i < count; ++i) {
        if (const Json::Value* object = f->getArrayElement(track, "actionframelist", i)) readFrames(object, this);
    }
    initActionNodeFromRoot(root);
}

void ActionNode::initActionNodeFromRoot(CCObject* root)
{
    if (UIWidget* widget = dynamic_cast<UIWidget*>(root)) {
        if (UIWidget* found = WidgetLookup::shareWidgetLookup()->findWidgetByActionTag(widget, m_actionTag))
            m_pBoundObject = found;
        return;
    }
    if (dynamic_cast<CCNode*>(root)) CCLog("Need a definition of <initActionNodeFromRoot> for gameObject");
}

// A track moves the widget as a whole: its own node, not the content sprite
// some widgets answer getRenderNode with.
CCNode* ActionNode::getTargetNode() { return m_pBoundObject ? m_pBoundObject->getOwnRenderNode() : nullptr; }

CCAction* ActionNode::buildAction()
{
    if (!m_pBoundObject) return nullptr;
    CCArray* kinds = CCArray::create();
    for (int kind = 0; kind < m_kindCount; ++kind) {
        CCArray* frames = getFrames(kind);
        if (frames->count() == 0) continue;
        // Frame 0 only starts the clock: the first transition runs from the
        // node's state to frame 1, starting at once.
        CCArray* steps = CCArray::create();
        for (unsigned int j = 1; j < frames->count(); ++j) {
            // Indexes come from the layout file and may lie at both ends of
            // the int range: their distance is taken in 64 bits.
            const long long span = static_cast<long long>(frameAt(frames, j)->getFrameIndex()) -
                                   frameAt(frames, j - 1)->getFrameIndex();
            const float duration = span > 0 ? static_cast<float>(span) * m_unitTime : 0.0f;
            if (CCFiniteTimeAction* step = frameAt(frames, j)->getAction(duration)) steps->addObject(step);
        }
        // A kind with a single frame has nowhere to go and adds nothing.
        if (steps->count() == 0) continue;
        if (CCSequence* sequence = CCSequence::create(steps)) kinds->addObject(sequence);
    }
    // A rebuilt track forgets what it played before: the old playing action
    // holds the old spawn, so both go, and later play/stop see neither.
    dropPlayingAction();
    m_pSpawnAction.reset(); // the old spawn goes before the new one is made
    m_pSpawnAction.reset(CCSpawn::create(kinds));
    return m_pSpawnAction.get();
}

void ActionNode::play(bool loop)
{
    if (!m_pBoundObject || !m_pSpawnAction) return;
    // Replaying restarts: the old run shares the spawn, so it must stop first.
    dropPlayingAction();
    CCActionInterval* spawn = static_cast<CCActionInterval*>(m_pSpawnAction.get());
    if (loop) {
        m_pPlayingAction.reset(CCRepeatForever::create(spawn));
    } else {
        m_pPlayingAction.reset(CCSequence::create(CCArray::create(spawn, nullptr)));
    }
    startAction();
}

void ActionNode::stop()
{
    CCNode* node = getTargetNode();
    if (node && m_pPlayingAction) node->stopAction(m_pPlayingAction.get());
}

void ActionNode::startAction()
{
    CCNode* node = getTargetNode();
    if (node && m_pPlayingAction) node->runAction(m_pPlayingAction.get());
}

void ActionNode::dropPlayingAction()
{
    if (!m_pPlayingAction) return;
    // Its target is only set while the engine runs it, and the engine clears
    // it when the node goes, so this never reaches a destroyed node.
    if (CCNode* running = m_pPlayingAction->getTarget()) running->stopAction(m_pPlayingAction.get());
    m_pPlayingAction.reset();
}

void ActionNode::applyFrame(float duration, float progress, ActionFrame* frame)
{
    CCNode* node = getTargetNode();
    if (!node || !frame) return;
    CCFiniteTimeAction* action = frame->getAction(duration);
    if (!action) return;
    action->startWithTarget(node);
    action->update(progress);
    action->stop();
}

bool ActionNode::seekToTime(float time)
{
    if (!getTargetNode()) return false;
    bool result = false;
    for (int kind = 0; kind < m_kindCount; ++kind) {
        CCArray* frames = getFrames(kind);
        for (unsigned int i = 0; i < frames->count(); ++i) {
            ActionFrame* frame = frameAt(frames, i);
            const float frameTime = static_cast<float>(frame->getFrameIndex()) * m_unitTime;
            if (frameTime == time) {
                applyFrame(1.0f, 1.0f, frame);
                result = true;
                break;
            }
            if (frameTime > time) {
                if (i == 0) {
                    applyFrame(1.0f, 1.0f, frame);
                    result = false;
                    break;
                }
                ActionFrame* previous = frameAt(frames, i - 1);
                const float previousTime = static_cast<float>(previous->getFrameIndex()) * m_unitTime;
                const float span =
                    static_cast<float>(static_cast<long long>(frame->getFrameIndex()) - previous->getFrameIndex()) *
                    m_unitTime;
                applyFrame(span, 1.0f, previous);
                applyFrame(span, span > 0.0f ? (time - previousTime) / span : 1.0f, frame);
                result = true;
                break;
            }
            // Past the last frame: this kind keeps its state.
        }
    }
    return result;
}

} // namespace cc
