// Describing a built widget tree as JSON: the base fields every widget has,
// then the kind's own settings, found by the widget's class.
#include "gui/LayoutDump.h"

#include <json/writer.h>

#include "base/CCArray.h"
#include "base/CCDictionary.h"
#include "base/CCString.h"
#include "gui/CCSGUIReader.h"
#include "gui/Layout.h"
#include "gui/widgets/UIButton.h"
#include "gui/widgets/UIImageView.h"
#include "gui/widgets/UILabel.h"
#include "gui/widgets/UILabelAtlas.h"
#include "gui/widgets/UILabelBMFont.h"
#include "render/CCSpriteFrameCache.h"
#include "scene/CCLayer.h"
#include "scene/CCNode.h"
#include "text/CCLabelBMFont.h"
#include "text/CCLabelTTF.h"

namespace cc {
namespace layoutdump {

namespace {

Json::Value pair(float a, float b)
{
    Json::Value v(Json::arrayValue);
    v.append(a);
    v.append(b);
    return v;
}

Json::Value colour(const ccColor3B& c)
{
    Json::Value v(Json::arrayValue);
    v.append(c.r);
    v.append(c.g);
    v.append(c.b);
    return v;
}

Json::Value rect(const CCRect& r)
{
    Json::Value v(Json::arrayValue);
    v.append(r.origin.x);
    v.append(r.origin.y);
    v.append(r.size.width);
    v.append(r.size.height);
    return v;
}

Json::Value texture(TextureResType kind, const std::string& name)
{
    Json::Value v(Json::objectValue);
    // A kind outside the two the widgets load still counts as the state's kind.
    v["kind"] = kind == UI_TEX_TYPE_PLIST ? "spriteFrame" : (kind == UI_TEX_TYPE_LOCAL ? "file" : "other");
    v["name"] = name;
    return v;
}

Json::Value labelText(CCLabelTTF* label)
{
    Json::Value v(Json::objectValue);
    if (!label) return v;
    v["text"] = label->getString();
    v["font"] = label->getFontName();
    v["fontSize"] = label->getFontSize();
    v["hAlignment"] = static_cast<int>(label->getHorizontalAlignment());
    v["vAlignment"] = static_cast<int>(label->getVerticalAlignment());
    v["dimensions"] = pair(label->getDimensions().width, label->getDimensions().height);
    return v;
}

Json::Value buttonState(UIButton* b)
{
    Json::Value s(Json::objectValue);
    s["scale9"] = b->isScale9Enabled();
    s["capInsets"] = rect(b->getNormalCapInsets());
    s["normal"] = texture(b->getNormalTextureKind(), b->getNormalFileName());
    s["pressed"] = texture(b->getPressedTextureKind(), b->getPressedFileName());
    s["disabled"] = texture(b->getDisabledTextureKind(), b->getDisabledFileName());
    Json::Value title = labelText(b->getTitleRenderer());
    title["color"] = colour(b->getTitleColor());
    s["title"] = title;
    return s;
}

Json::Value imageViewState(UIImageView* v)
{
    Json::Value s(Json::objectValue);
    s["scale9"] = v->isScale9Enabled();
    s["capInsets"] = rect(v->getCapInsets());
    s["texture"] = texture(v->getTextureKind(), v->getTextureFile());
    s["textureSize"] = pair(v->getTextureSize().width, v->getTextureSize().height);
    return s;
}

Json::Value layoutState(Layout* l)
{
    Json::Value s(Json::objectValue);
    s["clipping"] = l->isClippingEnabled();
    const int kind = l->getBackGroundColorType();
    s["backGroundColorType"] = kind == LAYOUT_COLOR_SOLID ? "solid" : (kind == LAYOUT_COLOR_GRADIENT ? "gradient" : "none");
    if (CCLayerColor* solid = l->getColorLayer()) {
        s["backGroundColor"] = colour(solid->getColor());
        s["backGroundOpacity"] = solid->getOpacity();
    }
    if (CCLayerGradient* gradient = l->getGradientLayer()) {
        s["backGroundStartColor"] = colour(gradient->getStartColor());
        s["backGroundEndColor"] = colour(gradient->getEndColor());
        s["backGroundVector"] = pair(gradient->getVector().x, gradient->getVector().y);
        s["backGroundOpacity"] = gradient->getOpacity();
    }
    s["backGroundImage"] = l->getBackGroundImage() != nullptr;
    s["backGroundImageSize"] = pair(l->getBackGroundImageTextureSize().width, l->getBackGroundImageTextureSize().height);
    s["backGroundScale9"] = l->isBackGroundImageScale9Enabled();
    s["backGroundCapInsets"] = rect(l->getBackGroundImageCapInsets());
    return s;
}

Json::Value kindState(UIWidget* w)
{
    if (UIButton* b = dynamic_cast<UIButton*>(w)) return buttonState(b);
    if (UIImageView* v = dynamic_cast<UIImageView*>(w)) return imageViewState(v);
    if (UILabel* label = dynamic_cast<UILabel*>(w)) {
        Json::Value s = labelText(label->getLabelRenderer());
        s["touchScale"] = label->isTouchScaleEnabled();
        return s;
    }
    if (UILabelAtlas* atlas = dynamic_cast<UILabelAtlas*>(w)) {
        Json::Value s(Json::objectValue);
        s["text"] = atlas->getStringValue() ? atlas->getStringValue() : "";
        return s;
    }
    if (UILabelBMFont* bm = dynamic_cast<UILabelBMFont*>(w)) {
        Json::Value s(Json::objectValue);
        s["fontFileSet"] = bm->isFontFileSet();
        s["text"] = bm->getStringValue() ? bm->getStringValue() : "";
        if (CCLabelBMFont* r = bm->getLabelRenderer()) s["font"] = r->getFntFile();
        return s;
    }
    if (Layout* l = dynamic_cast<Layout*>(w)) return layoutState(l);
    return Json::Value(Json::objectValue);
}

// The frames of the sheets the last read loaded that the cache now holds.
Json::Value spriteFramesOfLastRead()
{
    Json::Value names(Json::arrayValue);
    CCSpriteFrameCache* cache = CCSpriteFrameCache::sharedSpriteFrameCache();
    for (const std::string& sheet : CCSGUIReader::shareReader()->getSpriteSheetsOfLastRead()) {
        CCDictionary* plist = CCDictionary::createWithContentsOfFile(sheet.c_str());
        CCDictionary* frames = plist ? dynamic_cast<CCDictionary*>(plist->objectForKey(std::string("frames"))) : nullptr;
        if (!frames) continue;
        for (const CCDictionary::Entry& entry : frames->entries()) {
            if (cache->hasSpriteFrame(entry.strKey.c_str())) names.append(entry.strKey);
        }
    }
    return names;
}

} // namespace

Json::Value describeWidget(UIWidget* w)
{
    Json::Value v(Json::objectValue);
    v["type"] = w->getTypeName();
    v["name"] = w->getName();
    v["tag"] = w->getTag();
    v["actionTag"] = w->getActionTag();
    v["position"] = pair(w->getPosition().x, w->getPosition().y);
    v["anchor"] = pair(w->getAnchorPoint().x, w->getAnchorPoint().y);
    v["size"] = pair(w->getSize().width, w->getSize().height);
    v["contentSize"] = pair(w->getContentSize().width, w->getContentSize().height);
    v["ignoreSize"] = w->isIgnoreSize();
    v["zOrder"] = w->getZOrder();
    v["visible"] = w->isVisible();
    v["enabled"] = w->isEnabled();
    v["touchEnabled"] = w->isTouchEnabled();
    v["color"] = colour(w->getColor());
    v["opacity"] = w->getOpacity();
    v["scaleX"] = w->getScaleX();
    v["scaleY"] = w->getScaleY();
    // The widget's own node is the one a layout file and the animations turn;
    // a kind's content node (a button's current look) only turns with it.
    CCNode* node = w->getOwnRenderNode();
    v["rotation"] = node ? node->getRotation() : 0.0f;
    v["flipX"] = w->isFlipX();
    v["flipY"] = w->isFlipY();
    v["state"] = kindState(w);
    Json::Value children(Json::arrayValue);
    CCObject* child = nullptr;
    CCARRAY_FOREACH(w->getChildren(), child) { children.append(describeWidget(static_cast<UIWidget*>(child))); }
    v["children"] = children;
    return v;
}

bool dumpLayoutFile(const char* path, Json::Value& out)
{
    UIWidget* root = CCSGUIReader::shareReader()->readLayoutFile(path);
    if (!root) return false;
    out = Json::Value(Json::objectValue);
    out["file"] = path;
    out["widgetTree"] = describeWidget(root);
    out["spriteFrames"] = spriteFramesOfLastRead();
    return true;
}

std::string toText(const Json::Value& description)
{
    Json::StreamWriterBuilder writer;
    writer["indentation"] = "  ";
    return Json::writeString(writer, description);
}

} // namespace layoutdump
} // namespace cc
