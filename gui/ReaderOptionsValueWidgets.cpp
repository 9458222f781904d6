// The option groups of the value and input widgets: check box, slider,
// loading bar and text field. Each runs the common group first and the
// colour group last; image names go through the reader's one rule.
#include "gui/CCSGUIReader.h"

#include "gui/JsonFieldReader.h"
#include "gui/widgets/UICheckBox.h"
#include "gui/widgets/UILoadingBar.h"
#include "gui/widgets/UISlider.h"
#include "gui/widgets/UITextField.h"

namespace cc {

void CCSGUIReader::setPropsForCheckBoxFromJsonDictionary(UIWidget* widget, const Json::Value* options)
{
    setPropsForWidgetFromJsonDictionary(widget, options);
    if (UICheckBox* box = dynamic_cast<UICheckBox*>(widget)) {
        const bool merged = m_plainNames && fields()->getBoolValue(options, "useMergedTexture");
        typedef void (UICheckBox::*Loader)(const char*, TextureResType);
        struct Slot {
            const char* plainKey;
            const char* dataKey;
            Loader load;
        };
        static const Slot kSlots[] = {
            {"backGroundBox", "backGroundBoxData", &UICheckBox::loadBoxTexture},
            {"backGroundBoxSelected", "backGroundBoxSelectedData", &UICheckBox::loadBoxPressedTexture},
            {"frontCross", "frontCrossData", &UICheckBox::loadCrossTexture},
            {"backGroundBoxDisabled", "backGroundBoxDisabledData", &UICheckBox::loadBoxDisabledTexture},
            {"frontCrossDisabled", "frontCrossDisabledData", &UICheckBox::loadCrossDisabledTexture},
        };
        for (const Slot& slot : kSlots) {
            std::string image;
            TextureResType kind = UI_TEX_TYPE_LOCAL;
            if (imageReference(options, slot.plainKey, slot.dataKey, merged, image, kind))
                (box->*slot.load)(image.c_str(), kind);
        }
    }
    setColorPropsForWidgetFromJsonDictionary(widget, options);
}

void CCSGUIReader::setPropsForSliderFromJsonDictionary(UIWidget* widget, const Json::Value* options)
{
    setPropsForWidgetFromJsonDictionary(widget, options);
    if (UISlider* slider = dynamic_cast<UISlider*>(widget)) {
        JsonFieldReader* f = fields();
        const bool merged = m_plainNames && f->getBoolValue(options, "useMergedTexture");
        const bool scale9 = f->getBoolValue(options, "barTextureScale9Enable");
        std::string image;
        TextureResType kind = UI_TEX_TYPE_LOCAL;
        slider->setScale9Enabled(scale9);
        if (imageReference(options, "barFileName", "barFileNameData", merged, image, kind))
            slider->loadBarTexture(image.c_str(), kind);
        // A nine-slice bar is as long as the file says, as high as it is drawn.
        if (scale9) slider->setSize(CCSize(numberOption(options, "length"), slider->getContentSize().height));
        if (imageReference(options, "ballNormal", "ballNormalData", merged, image, kind))
            slider->loadBallNormalTexture(image.c_str(), kind);
        if (imageReference(options, "ballPressed", "ballPressedData", merged, image, kind))
            slider->loadBallPressedTexture(image.c_str(), kind);
        if (imageReference(options, "ballDisabled", "ballDisabledData", merged, image, kind))
            slider->loadBallDisabledTexture(image.c_str(), kind);
        slider->setPercent(f->getIntValue(options, "percent"));
        if (imageReference(options, "progressBarFileName", "progressBarData", merged, image, kind))
            slider->loadProgressBarTexture(image.c_str(), kind);
    }
    setColorPropsForWidgetFromJsonDictionary(widget, options);
}

void CCSGUIReader::setPropsForLoadingBarFromJsonDictionary(UIWidget* widget, const Json::Value* options)
{
    setPropsForWidgetFromJsonDictionary(widget, options);
    if (UILoadingBar* bar = dynamic_cast<UILoadingBar*>(widget)) {
        JsonFieldReader* f = fields();
        const bool merged = m_plainNames && f->getBoolValue(options, "useMergedTexture");
        std::string image;
        TextureResType kind = UI_TEX_TYPE_LOCAL;
        if (imageReference(options, "texture", "textureData", merged, image, kind)) bar->loadTexture(image.c_str(), kind);
        // Older files know no nine-slice loading bars.
        if (!m_plainNames) {
            const bool scale9 = f->getBoolValue(options, "scale9Enable");
            bar->setScale9Enabled(scale9);
            if (scale9) {
                bar->setCapInsets(capInsetsOption(options));
                bar->setSize(CCSize(numberOption(options, "width"), numberOption(options, "height")));
            }
        }
        bar->setDirection(static_cast<LoadingBarDirection>(f->getIntValue(options, "direction")));
        bar->setPercent(f->getIntValue(options, "percent"));
    }
    setColorPropsForWidgetFromJsonDictionary(widget, options);
}

void CCSGUIReader::setPropsForTextFieldFromJsonDictionary(UIWidget* widget, const Json::Value* options)
{
    setPropsForWidgetFromJsonDictionary(widget, options);
    if (UITextField* field = dynamic_cast<UITextField*>(widget)) {
        JsonFieldReader* f = fields();
        if (const char* placeHolder = f->getStringValue(options, "placeHolder")) field->setPlaceHolder(placeHolder);
        if (const char* text = f->getStringValue(options, "text")) field->setText(text);
        if (std::optional<int> size = f->findInt(options, "fontSize")) field->setFontSize(*size);
        if (const char* font = f->getStringValue(options, "fontName")) field->setFontName(font);
        // The touch-size keys are not read: a text field is touched on its own rectangle.
        const bool limited = f->getBoolValue(options, "maxLengthEnable");
        field->setMaxLengthEnabled(limited);
        if (limited) field->setMaxLength(f->getIntValue(options, "maxLength"));
        const bool password = f->getBoolValue(options, "passwordEnable");
        field->setPasswordEnabled(password);
        if (password) {
            if (const char* style = f->getStringValue(options, "passwordStyleText")) field->setPasswordStyleText(style);
        }
    }
    setColorPropsForWidgetFromJsonDictionary(widget, options);
}

} // namespace cc
