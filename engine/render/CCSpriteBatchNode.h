// A node whose sprite children share its texture and are drawn together in
// one call. Children must be CCSprites; other textures are drawn apart.
#pragma once

#include "base/CCRefPtr.h"
#include "base/ccTypes.h"
#include "scene/CCNode.h"

namespace cc {

class CCTexture2D;

class CCSpriteBatchNode : public CCNode {
public:
    static const unsigned int kDefaultCapacity = 29;

    // Null when the image cannot be loaded.
    static CCSpriteBatchNode* create(const char* fileName, unsigned int capacity = kDefaultCapacity);
    static CCSpriteBatchNode* createWithTexture(CCTexture2D* texture, unsigned int capacity = kDefaultCapacity);
    bool initWithFile(const char* fileName, unsigned int capacity);
    bool initWithTexture(CCTexture2D* texture, unsigned int capacity);
    ~CCSpriteBatchNode() override;

    CCTexture2D* getTexture() const { return m_pTexture.get(); }
    void setTexture(CCTexture2D* texture);
    void setBlendFunc(const ccBlendFunc& blend)
    {
        m_sBlendFunc = blend;
        markForRedraw();
    }
    const ccBlendFunc& getBlendFunc() const { return m_sBlendFunc; }

    // Only sprites are taken (anything else is refused with a log line).
    void addChild(CCNode* child, int zOrder, int tag) override;
    using CCNode::addChild;
    void removeChild(CCNode* child, bool cleanup) override;
    using CCNode::removeChild;
    void removeAllChildrenWithCleanup(bool cleanup) override;
    void draw() override;

private:
    CCRefPtr<CCTexture2D> m_pTexture;
    ccBlendFunc m_sBlendFunc;
    unsigned int m_capacity = kDefaultCapacity;
};

} // namespace cc
