// The option groups of the leaf widgets: buttons (with and without a title),
// image views and the three label kinds. Each runs the common group first
// and the colour group last; image names go through the reader's one rule.
#include "gui/CCSGUIReader.h"

#include "gui/JsonFieldReader.h"
#include "gui/widgets/UIButton.h"
#include "gui/widgets/UIImageView.h"
#include "gui/widgets/UILabel.h"
#include "gui/widgets/UILabelAtlas.h"
#include "gui/widgets/UILabelBMFont.h"

namespace cc {

namespace {
const int kFullColour = 255;

ccColor3B colourOf(JsonFieldReader* f, const Json::Value* o, const char* r, const char* g, const char* b, int def)
{
    return {static_cast<GLubyte>(f->getIntValue(o, r, def)), static_cast<GLubyte>(f->getIntValue(o, g, def)),
            static_cast<GLubyte>(f->getIntValue(o, b, def))};
}

// Both keys present as numbers: the size a nine-slice widget is given.
bool bothNumbers(JsonFieldReader* f, const Json::Value* o, const char* a, const char* b)
{
    return f->findNumber(o, a) && f->findNumber(o, b);
}
} // namespace

void CCSGUIReader::loadButtonTextures(UIButton* button, const Json::Value* options)
{
    std::string names[3];
    TextureResType kinds[3] = {UI_TEX_TYPE_LOCAL, UI_TEX_TYPE_LOCAL, UI_TEX_TYPE_LOCAL};
    bool found[3];
    const bool merged = m_plainNames && fields()->getBoolValue(options, "useMergedTexture");
    found[0] = imageReference(options, "normal", "normalData", merged, names[0], kinds[0]);
    found[1] = imageReference(options, "pressed", "pressedData", merged, names[1], kinds[1]);
    found[2] = imageReference(options, "disabled", "disabledData", merged, names[2], kinds[2]);
    auto nameOf = [&](int i) { return found[i] ? names[i].c_str() : nullptr; };
    if (m_plainNames) {
        // Old files switch all three names at once with useMergedTexture.
        button->loadTextures(nameOf(0), nameOf(1), nameOf(2), merged ? UI_TEX_TYPE_PLIST : UI_TEX_TYPE_LOCAL);
        return;
    }
    if (found[0]) button->loadNormalTexture(names[0].c_str(), kinds[0]);
    if (found[1]) button->loadPressedTexture(names[1].c_str(), kinds[1]);
    if (found[2]) button->loadDisabledTexture(names[2].c_str(), kinds[2]);
}

void CCSGUIReader::setPropsForButtonFromJsonDictionary(UIWidget* widget, const Json::Value* options)
{
    setPropsForWidgetFromJsonDictionary(widget, options);
    if (UIButton* button = dynamic_cast<UIButton*>(widget)) {
        JsonFieldReader* f = fields();
        const bool scale9 = f->getBoolValue(options, "scale9Enable");
        button->setScale9Enabled(scale9);
        loadButtonTextures(button, options);
        if (scale9) {
            button->setCapInsets(capInsetsOption(options));
            if (bothNumbers(f, options, "scale9Width", "scale9Height"))
                button->setSize(CCSize(numberOption(options, "scale9Width"), numberOption(options, "scale9Height")));
        }
    }
    setColorPropsForWidgetFromJsonDictionary(widget, options);
}

void CCSGUIReader::setPropsForTextButtonFromJsonDictionary(UIWidget* widget, const Json::Value* options)
{
    setPropsForButtonFromJsonDictionary(widget, options);
    if (UIButton* button = dynamic_cast<UIButton*>(widget)) {
        JsonFieldReader* f = fields();
        if (const char* text = f->getStringValue(options, "text")) button->setTitleText(text);
        button->setTitleColor(colourOf(f, options, "textColorR", "textColorG", "textColorB", kFullColour));
        if (std::optional<int> size = f->findInt(options, "fontSize")) button->setTitleFontSize(static_cast<float>(*size));
        if (const char* font = f->getStringValue(options, "fontName")) button->setTitleFontName(font);
    }
    setColorPropsForWidgetFromJsonDictionary(widget, options);
}

void CCSGUIReader::setPropsForImageViewFromJsonDictionary(UIWidget* widget, const Json::Value* options)
{
    setPropsForWidgetFromJsonDictionary(widget, options);
    if (UIImageView* view = dynamic_cast<UIImageView*>(widget)) {
        JsonFieldReader* f = fields();
        const bool scale9 = f->getBoolValue(options, "scale9Enable");
        const bool merged = m_plainNames && f->getBoolValue(options, "useMergedTexture");
        std::string image;
        TextureResType kind = UI_TEX_TYPE_LOCAL;
        // Old files switch the mode before loading, newer ones after.
        if (m_plainNames) view->setScale9Enabled(scale9);
        if (imageReference(options, "fileName", "fileNameData", merged, image, kind)) view->loadTexture(image.c_str(), kind);
        if (!m_plainNames) view->setScale9Enabled(scale9);
        if (scale9) {
            if (bothNumbers(f, options, "scale9Width", "scale9Height"))
                view->setSize(CCSize(numberOption(options, "scale9Width"), numberOption(options, "scale9Height")));
            view->setCapInsets(capInsetsOption(options));
        }
    }
    setColorPropsForWidgetFromJsonDictionary(widget, options);
}

void CCSGUIReader::setPropsForLabelFromJsonDictionary(UIWidget* widget, const Json::Value* options)
{
    setPropsForWidgetFromJsonDictionary(widget, options);
    if (UILabel* label = dynamic_cast<UILabel*>(widget)) {
        JsonFieldReader* f = fields();
        label->setTouchScaleEnabled(f->getBoolValue(options, "touchScaleEnable"));
        if (const char* text = f->getStringValue(options, "text")) label->setText(text);
        if (std::optional<int> size = f->findInt(options, "fontSize")) label->setFontSize(static_cast<float>(*size));
        if (const char* font = f->getStringValue(options, "fontName")) label->setFontName(font);
        label->setColor(colourOf(f, options, "colorR", "colorG", "colorB", kFullColour));
    }
    setColorPropsForWidgetFromJsonDictionary(widget, options);
}

void CCSGUIReader::setPropsForTextAreaFromJsonDictionary(UIWidget* widget, const Json::Value* options)
{
    setPropsForWidgetFromJsonDictionary(widget, options);
    if (UILabel* label = dynamic_cast<UILabel*>(widget)) {
        JsonFieldReader* f = fields();
        if (const char* text = f->getStringValue(options, "text")) label->setText(text);
        if (std::optional<int> size = f->findInt(options, "fontSize")) label->setFontSize(static_cast<float>(*size));
        label->setColor(colourOf(f, options, "colorR", "colorG", "colorB", 0));
        // Required by the format; a file without it keeps the label's font.
        if (const char* font = f->getStringValue(options, "fontName")) label->setFontName(font);
        if (bothNumbers(f, options, "areaWidth", "areaHeight"))
            label->setTextAreaSize(CCSize(numberOption(options, "areaWidth"), numberOption(options, "areaHeight")));
        // Values outside the engine's alignments are not alignments: skipped.
        if (std::optional<int> h = f->findInt(options, "hAlignment")) {
            if (*h >= kCCTextAlignmentLeft && *h <= kCCTextAlignmentRight)
                label->setTextHorizontalAlignment(static_cast<CCTextAlignment>(*h));
        }
        if (std::optional<int> v = f->findInt(options, "vAlignment")) {
            if (*v >= kCCVerticalTextAlignmentTop && *v <= kCCVerticalTextAlignmentBottom)
                label->setTextVerticalAlignment(static_cast<CCVerticalTextAlignment>(*v));
        }
    }
    setColorPropsForWidgetFromJsonDictionary(widget, options);
}

void CCSGUIReader::setPropsForLabelAtlasFromJsonDictionary(UIWidget* widget, const Json::Value* options)
{
    setPropsForWidgetFromJsonDictionary(widget, options);
    if (UILabelAtlas* atlas = dynamic_cast<UILabelAtlas*>(widget)) {
        JsonFieldReader* f = fields();
        const char* text = f->getStringValue(options, "stringValue");
        const char* startChar = f->getStringValue(options, "startCharMap");
        const std::optional<int> itemWidth = f->findInt(options, "itemWidth");
        const std::optional<int> itemHeight = f->findInt(options, "itemHeight");
        const bool allPresent = text && startChar && itemWidth && itemHeight && JsonFieldReader::member(options, "charMapFile");
        if (allPresent) {
            std::string map;
            if (m_plainNames) {
                const char* plain = f->getStringValue(options, "charMapFile");
                if (plain && *plain) map = m_fileDirectory + plain;
            } else {
                const Json::Value* data = f->getSubObject(options, "charMapFileData");
                const char* path = f->getStringValue(data, "path");
                if (f->getIntValue(data, "resourceType", 0) == UI_TEX_TYPE_LOCAL && path && *path)
                    map = m_fileDirectory + path;
            }
            if (!map.empty()) atlas->setAtlasProperties(text, map.c_str(), *itemWidth, *itemHeight, startChar);
        }
    }
    setColorPropsForWidgetFromJsonDictionary(widget, options);
}

void CCSGUIReader::setPropsForLabelBMFontFromJsonDictionary(UIWidget* widget, const Json::Value* options)
{
    setPropsForWidgetFromJsonDictionary(widget, options);
    if (UILabelBMFont* label = dynamic_cast<UILabelBMFont*>(widget)) {
        JsonFieldReader* f = fields();
        std::string font;
        TextureResType kind = UI_TEX_TYPE_LOCAL;
        // A font description is always a file, whatever the node says.
        if (imageReference(options, "fileName", "fileNameData", false, font, kind) && kind == UI_TEX_TYPE_LOCAL)
            label->setFontFile(font.c_str());
        if (label->isFontFileSet()) {
            if (const char* text = f->getStringValue(options, "text")) label->setText(text);
        }
    }
    setColorPropsForWidgetFromJsonDictionary(widget, options);
}

} // namespace cc
