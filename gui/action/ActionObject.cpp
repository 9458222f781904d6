// One named animation: reading it from its layout-file object and driving
// all its tracks together.
#include "gui/action/ActionObject.h"

#include "base/CCArray.h"
#include "gui/JsonFieldReader.h"
#include "gui/action/ActionNode.h"

namespace cc {

namespace {
ActionNode* nodeAt(CCArray* nodes, unsigned int i) { return static_cast<ActionNode*>(nodes->objectAtIndex(i)); }
} // namespace

ActionObject* ActionObject::create()
{
    ActionObject* object = new ActionObject();
    return autoreleasedOrNull(object, object->init());
}

bool ActionObject::init()
{
    m_pNodes.reset(CCArray::create());
    return true;
}

ActionObject::~ActionObject() = default;

void ActionObject::readFromJson(const Json::Value* animation, CCObject* root)
{
    const JsonFieldReader* f = JsonFieldReader::shareReader();
    // A nameless animation is kept under the empty name.
    setName(f->getStringValue(animation, "name"));
    m_loop = f->getBoolValue(animation, "loop", false);
    // A file without a step length makes every transition instant.
    m_unitTime = static_cast<float>(f->getFloatValue(animation, "unittime", 0.0));
    const int count = f->getArrayCount(animation, "actionnodelist");
    for (int i = 0; i < count; ++i) {
        const Json::Value* track = f->getArrayElement(animation, "actionnodelist", i);
        if (!track) continue;
        ActionNode* node = ActionNode::create();
        node->readFromJson(track, root);
        node->setUnitTime(m_unitTime);
        node->buildAction();
        addNode(node);
    }
}

void ActionObject::addNode(ActionNode* node)
{
    if (node) m_pNodes->addObject(node);
}

void ActionObject::play()
{
    for (unsigned int i = 0; i < m_pNodes->count(); ++i) nodeAt(m_pNodes.get(), i)->play(m_loop);
}

void ActionObject::stop()
{
    for (unsigned int i = 0; i < m_pNodes->count(); ++i) nodeAt(m_pNodes.get(), i)->stop();
}

bool ActionObject::isPlaying() const
{
    for (unsigned int i = 0; i < m_pNodes->count(); ++i)
        if (nodeAt(m_pNodes.get(), i)->isPlaying()) return true;
    return false;
}

void ActionObject::setUnitTime(float seconds)
{
    m_unitTime = seconds;
    for (unsigned int i = 0; i < m_pNodes->count(); ++i) {
        ActionNode* node = nodeAt(m_pNodes.get(), i);
        node->setUnitTime(seconds);
        node->buildAction();
    }
}

} // namespace cc
