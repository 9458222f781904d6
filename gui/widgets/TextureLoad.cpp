// The texture widgets' common loading and fitting of one renderer.
#include "gui/widgets/TextureLoad.h"

#include "gui/widgets/CCScale9Sprite.h"
#include "render/CCSprite.h"
#include "scene/CCNodeRGBA.h"

namespace cc {
namespace textureload {

CCNode* createRenderer(bool scale9)
{
    if (scale9) return CCScale9Sprite::create();
    return CCSprite::create();
}

bool loadInto(CCNode* renderer, bool scale9, const char* name, TextureResType kind)
{
    if (!renderer || !name || !*name) return false;
    if (scale9) {
        CCScale9Sprite* sprite = dynamic_cast<CCScale9Sprite*>(renderer);
        if (!sprite) return false;
        if (kind == UI_TEX_TYPE_LOCAL) {
            sprite->initWithFile(name);
            return sprite->getBatchNode() != nullptr;
        }
        if (kind == UI_TEX_TYPE_PLIST) return sprite->initWithSpriteFrameName(name);
        return false;
    }
    CCSprite* sprite = dynamic_cast<CCSprite*>(renderer);
    if (!sprite) return false;
    if (kind == UI_TEX_TYPE_LOCAL) return sprite->initWithFile(name);
    if (kind == UI_TEX_TYPE_PLIST) return sprite->initWithSpriteFrameName(name);
    return false;
}

void applyColour(CCNode* renderer, const ccColor3B& colour, GLubyte opacity)
{
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(renderer)) {
        rgba->setColor(colour);
        rgba->setOpacity(opacity);
    }
}

void fit(CCNode* renderer, bool scale9, bool ignoreSize, const CCSize& textureSize, const CCSize& widgetSize)
{
    if (!renderer) return;
    if (ignoreSize) {
        if (!scale9) renderer->setScale(1.0f);
        return;
    }
    if (scale9) {
        if (CCScale9Sprite* sprite = dynamic_cast<CCScale9Sprite*>(renderer)) sprite->setPreferredSize(widgetSize);
        return;
    }
    if (textureSize.width > 0 && textureSize.height > 0) {
        renderer->setScaleX(widgetSize.width / textureSize.width);
        renderer->setScaleY(widgetSize.height / textureSize.height);
    } else {
        renderer->setScale(1.0f);
    }
}

void applyCapInsets(CCNode* renderer, bool scale9, const CCRect& capInsets)
{
    if (!scale9) return;
    if (CCScale9Sprite* sprite = dynamic_cast<CCScale9Sprite*>(renderer)) sprite->setCapInsets(capInsets);
}

} // namespace textureload
} // namespace cc
