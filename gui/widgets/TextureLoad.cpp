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

bool loadTinted(UIWidget* widget, CCNode* renderer, bool scale9, const char* name, TextureResType kind)
{
    const bool loaded = loadInto(renderer, scale9, name, kind);
    if (widget) applyColour(renderer, widget->getColor(), widget->getOpacity());
    return loaded;
}

bool scaleToSize(CCNode* renderer, const CCSize& textureSize, const CCSize& target)
{
    if (!renderer) return false;
    if (textureSize.width > 0 && textureSize.height > 0) {
        renderer->setScaleX(target.width / textureSize.width);
        renderer->setScaleY(target.height / textureSize.height);
        return true;
    }
    renderer->setScale(1.0f);
    return false;
}

bool fit(CCNode* renderer, bool scale9, bool ignoreSize, const CCSize& textureSize, const CCSize& widgetSize)
{
    if (!renderer) return true;
    if (ignoreSize) {
        if (!scale9) renderer->setScale(1.0f);
        return true;
    }
    if (scale9) {
        if (CCScale9Sprite* sprite = dynamic_cast<CCScale9Sprite*>(renderer)) sprite->setPreferredSize(widgetSize);
        return true;
    }
    return scaleToSize(renderer, textureSize, widgetSize);
}

void applyCapInsets(CCNode* renderer, bool scale9, const CCRect& capInsets)
{
    if (!scale9) return;
    if (CCScale9Sprite* sprite = dynamic_cast<CCScale9Sprite*>(renderer)) sprite->setCapInsets(capInsets);
}

void switchScale9(UIWidget* widget, bool enabled, const RendererSlot* slots, std::size_t count, bool& prevIgnoreSize,
                  const std::function<void()>& reload)
{
    CCNode* node = widget->getOwnRenderNode();
    for (std::size_t i = 0; i < count; ++i) {
        node->removeChild(*slots[i].renderer, true);
        *slots[i].renderer = createRenderer(enabled);
    }
    reload();
    for (std::size_t i = 0; i < count; ++i) node->addChild(*slots[i].renderer, slots[i].zOrder);
    if (enabled) {
        const bool ignoreBefore = widget->isIgnoreSize();
        widget->setIgnoreSize(false);
        prevIgnoreSize = ignoreBefore;
        for (std::size_t i = 0; i < count; ++i) applyCapInsets(*slots[i].renderer, true, *slots[i].capInsets);
    } else {
        widget->setIgnoreSize(prevIgnoreSize);
    }
}

} // namespace textureload
} // namespace cc
