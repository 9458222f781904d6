// Batch drawing: the children's quads are gathered in world space and handed
// to the renderer at once, so a nine-slice sprite costs one draw call.
#include "render/CCSpriteBatchNode.h"

#include "base/CCLog.h"
#include "render/CCRenderer.h"
#include "render/CCSprite.h"
#include "render/CCTexture2D.h"
#include "render/CCTextureCache.h"
#include "scene/CCDirector.h"

#include <vector>

namespace cc {

CCSpriteBatchNode* CCSpriteBatchNode::create(const char* fileName, unsigned int capacity)
{
    CCSpriteBatchNode* batch = new CCSpriteBatchNode();
    if (batch->initWithFile(fileName, capacity)) {
        batch->autorelease();
        return batch;
    }
    delete batch;
    return nullptr;
}

CCSpriteBatchNode* CCSpriteBatchNode::createWithTexture(CCTexture2D* texture, unsigned int capacity)
{
    CCSpriteBatchNode* batch = new CCSpriteBatchNode();
    if (batch->initWithTexture(texture, capacity)) {
        batch->autorelease();
        return batch;
    }
    delete batch;
    return nullptr;
}

bool CCSpriteBatchNode::initWithFile(const char* fileName, unsigned int capacity)
{
    return initWithTexture(CCTextureCache::sharedTextureCache()->addImage(fileName), capacity);
}

bool CCSpriteBatchNode::initWithTexture(CCTexture2D* texture, unsigned int capacity)
{
    if (!texture || texture->isEmpty() || !CCNode::init()) return false;
    m_sBlendFunc = ccBlendFuncAlpha();
    m_capacity = capacity > 0 ? capacity : kDefaultCapacity;
    setTexture(texture);
    return true;
}

CCSpriteBatchNode::~CCSpriteBatchNode()
{
    // Children outlive the batch only if someone else holds them.
    if (m_pChildren) {
        for (CCObject* o : *m_pChildren) static_cast<CCSprite*>(o)->setBatchNode(nullptr);
    }
}

void CCSpriteBatchNode::setTexture(CCTexture2D* texture)
{
    if (texture == m_pTexture) return;
    m_pTexture.reset(texture);
    markForRedraw();
}

void CCSpriteBatchNode::addChild(CCNode* child, int zOrder, int tag)
{
    CCSprite* sprite = dynamic_cast<CCSprite*>(child);
    if (!sprite) {
        CCLog("CCSpriteBatchNode: only sprites can be added");
        return;
    }
    if (sprite->getParent()) {
        CCNode::addChild(child, zOrder, tag); // refused (and logged) by the node
        return;
    }
    CCNode::addChild(child, zOrder, tag);
    if (sprite->getParent() == this) sprite->setBatchNode(this);
}

void CCSpriteBatchNode::removeChild(CCNode* child, bool cleanup)
{
    CCSprite* sprite = dynamic_cast<CCSprite*>(child);
    if (sprite && sprite->getParent() == this) sprite->setBatchNode(nullptr);
    CCNode::removeChild(child, cleanup);
}

void CCSpriteBatchNode::removeAllChildrenWithCleanup(bool cleanup)
{
    if (m_pChildren) {
        for (CCObject* o : *m_pChildren) static_cast<CCSprite*>(o)->setBatchNode(nullptr);
    }
    CCNode::removeAllChildrenWithCleanup(cleanup);
}

void CCSpriteBatchNode::draw()
{
    CCRenderer* renderer = CCDirector::sharedDirector()->getRenderer();
    if (!renderer || !m_pChildren || m_pChildren->count() == 0) return;
    const CCAffineTransform& world = CCNode::currentWorldTransform();
    // Reused between frames so drawing allocates nothing in the steady state.
    static std::vector<ccV3F_C4B_T2F> quads;
    quads.clear();
    CCTexture2D* runTexture = m_pTexture.get();
    for (CCObject* o : *m_pChildren) {
        CCSprite* sprite = static_cast<CCSprite*>(o);
        if (!sprite->isVisible() || !sprite->getTexture()) continue;
        if (sprite->getTexture() != runTexture) {
            // A sprite given another texture breaks the run into two calls.
            if (!quads.empty()) renderer->drawQuads(runTexture, m_sBlendFunc, quads.data(), quads.size() / 4);
            quads.clear();
            runTexture = sprite->getTexture();
        }
        const size_t at = quads.size();
        quads.resize(at + 4);
        sprite->worldQuad(CCAffineTransformConcat(sprite->nodeToParentTransform(), world), &quads[at]);
    }
    if (!quads.empty()) renderer->drawQuads(runTexture, m_sBlendFunc, quads.data(), quads.size() / 4);
}

} // namespace cc
