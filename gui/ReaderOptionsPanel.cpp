// The container option group: the common group, the clipping switch, the
// colour group, the background (colour layer and image), and the colour
// group once more, as the format orders them.
#include "gui/CCSGUIReader.h"

#include "gui/JsonFieldReader.h"
#include "gui/Layout.h"

namespace cc {

namespace {
ccColor3B colourOf(JsonFieldReader* f, const Json::Value* options, const char* r, const char* g, const char* b)
{
    return {static_cast<GLubyte>(f->getIntValue(options, r)), static_cast<GLubyte>(f->getIntValue(options, g)),
            static_cast<GLubyte>(f->getIntValue(options, b))};
}
} // namespace

void CCSGUIReader::setPropsForPanelFromJsonDictionary(UIWidget* widget, const Json::Value* options, bool readsClip)
{
    setPropsForWidgetFromJsonDictionary(widget, options);
    Layout* layout = dynamic_cast<Layout*>(widget);
    if (layout && readsClip) layout->setClippingEnable(fields()->getBoolValue(options, "clipAble"));
    setColorPropsForWidgetFromJsonDictionary(widget, options);
    if (layout) applyBackGround(layout, options);
    setColorPropsForWidgetFromJsonDictionary(widget, options);
}

void CCSGUIReader::applyBackGround(Layout* layout, const Json::Value* options)
{
    JsonFieldReader* f = fields();
    const bool scale9 = f->getBoolValue(options, "backGroundScale9Enable");
    layout->setBackGroundImageScale9Enabled(scale9);

    const ccColor3B solid = colourOf(f, options, "bgColorR", "bgColorG", "bgColorB");
    const ccColor3B start = colourOf(f, options, "bgStartColorR", "bgStartColorG", "bgStartColorB");
    const ccColor3B end = colourOf(f, options, "bgEndColorR", "bgEndColorG", "bgEndColorB");
    const CCPoint vector(numberOption(options, "vectorX"), numberOption(options, "vectorY"));
    const int opacity = f->getIntValue(options, "bgColorOpacity");
    const int colorType = f->getIntValue(options, "colorType");
    // The kind first, so the colours land in the layer that kind shows.
    layout->setBackGroundColorType(colorType);
    layout->setBackGroundColor(start, end);
    layout->setBackGroundColor(solid);
    layout->setBackGroundColorOpacity(opacity);
    layout->setBackGroundColorVector(vector);

    std::string image;
    TextureResType kind = UI_TEX_TYPE_LOCAL;
    const bool merged = m_plainNames && f->getBoolValue(options, "useMergedTexture");
    if (imageReference(options, "backGroundImage", "backGroundImageData", merged, image, kind))
        layout->setBackGroundImage(image.c_str(), kind);
    if (scale9) {
        layout->setBackGroundImageCapInsets(capInsetsOption(options));
    }
}

} // namespace cc
