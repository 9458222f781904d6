// The two option groups every widget kind runs: the common group first
// (size, identity, placement, visibility) and the colour group last (tint,
// anchor, mirroring). Keys are applied in the order the format lists them.
#include "gui/CCSGUIReader.h"

#include "gui/JsonFieldReader.h"
#include "scene/CCNode.h"

namespace cc {

namespace {
const char* const kDefaultWidgetName = "default";
const int kFullColour = 255;
const double kCentreAnchor = 0.5;
} // namespace

void CCSGUIReader::setPropsForWidgetFromJsonDictionary(UIWidget* widget, const Json::Value* options)
{
    JsonFieldReader* f = fields();
    if (std::optional<bool> ignore = f->findBool(options, "ignoreSize")) widget->setIgnoreSize(*ignore);
    widget->setSize(CCSize(numberOption(options, "width"), numberOption(options, "height")));
    widget->setTag(f->getIntValue(options, "tag"));
    widget->setActionTag(f->getIntValue(options, "actiontag"));
    widget->setTouchEnabled(f->getBoolValue(options, "touchAble"));
    const char* name = f->getStringValue(options, "name");
    widget->setName(name ? name : kDefaultWidgetName);
    widget->setPosition(CCPoint(numberOption(options, "x"), numberOption(options, "y")));
    if (f->findNumber(options, "scaleX")) widget->setScaleX(numberOption(options, "scaleX"));
    if (f->findNumber(options, "scaleY")) widget->setScaleY(numberOption(options, "scaleY"));
    // The widget's own node turns, as an animation's rotation frames turn it:
    // every look of the widget, its title and its hit area turn together.
    if (f->findNumber(options, "rotation")) {
        if (CCNode* node = widget->getOwnRenderNode()) node->setRotation(numberOption(options, "rotation"));
    }
    if (std::optional<bool> visible = f->findBool(options, "visible")) widget->setVisible(*visible);
    widget->setZOrder(f->getIntValue(options, "ZOrder"));
}

void CCSGUIReader::setColorPropsForWidgetFromJsonDictionary(UIWidget* widget, const Json::Value* options)
{
    JsonFieldReader* f = fields();
    if (std::optional<int> opacity = f->findInt(options, "opacity")) widget->setOpacity(static_cast<GLubyte>(*opacity));
    const ccColor3B colour = {static_cast<GLubyte>(f->getIntValue(options, "colorR", kFullColour)),
                              static_cast<GLubyte>(f->getIntValue(options, "colorG", kFullColour)),
                              static_cast<GLubyte>(f->getIntValue(options, "colorB", kFullColour))};
    widget->setColor(colour);
    widget->setAnchorPoint(CCPoint(numberOption(options, "anchorPointX", kCentreAnchor),
                                   numberOption(options, "anchorPointY", kCentreAnchor)));
    widget->setFlipX(f->getBoolValue(options, "flipX"));
    widget->setFlipY(f->getBoolValue(options, "flipY"));
}

} // namespace cc
