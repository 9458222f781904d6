// Layout files naming the four value and input classes (check box, slider,
// loading bar, text field) are read into those widgets with the file's
// values, in both resource-reference generations.
#include "gui/ReaderTestSupport.h"

#include "gui/widgets/CCScale9Sprite.h"
#include "gui/widgets/UICheckBox.h"
#include "gui/widgets/UILoadingBar.h"
#include "gui/widgets/UISlider.h"
#include "gui/widgets/UITextField.h"
#include "render/CCSprite.h"

namespace cc {
namespace readertest {
namespace {

struct ValueWidgetLayout : ReaderFixture {
    UIWidget* root = nullptr;
    template <class T>
    T* child(int index) const
    {
        return dynamic_cast<T*>(static_cast<UIWidget*>(root->getChildren()->objectAtIndex(index)));
    }
    void readTree(const std::string& name, const std::string& children, const std::string& top)
    {
        writeImage("", "box.png", 40, 40);
        writeImage("", "bar.png", 200, 20);
        writeImage("", "progress.png", 200, 20);
        writeSheet("", "sheet");
        root = readText(name, layout(node("Panel", R"("width": 640, "height": 960)", children),
                                     R"("textures": ["sheet.plist"], )" + top));
        ASSERT_NE(nullptr, root);
        ASSERT_EQ(4u, root->getChildren()->count());
    }
};

const char* const kObjectChildren = R"(
 {"classname": "CheckBox", "options": {"name": "box", "x": 100, "y": 200, "touchAble": true,
   "backGroundBoxData": {"resourceType": 0, "path": "box.png"},
   "backGroundBoxSelectedData": {"resourceType": 0, "path": "box.png"},
   "frontCrossData": {"resourceType": 1, "path": "sheet_a.png"},
   "backGroundBoxDisabledData": {"resourceType": 2, "path": "box.png"}}},
 {"classname": "Slider", "options": {"name": "slider", "height": 20, "barTextureScale9Enable": true,
   "barFileNameData": {"resourceType": 0, "path": "bar.png"}, "length": 300,
   "ballNormalData": {"resourceType": 1, "path": "sheet_b.png"}, "percent": 40,
   "progressBarData": {"resourceType": 0, "path": "progress.png"}}},
 {"classname": "LoadingBar", "options": {"name": "bar", "textureData": {"resourceType": 0, "path": "bar.png"},
   "scale9Enable": true, "capInsetsX": 5, "capInsetsY": 4, "capInsetsWidth": 10, "capInsetsHeight": 8,
   "width": 150, "height": 30, "direction": 1, "percent": 60}},
 {"classname": "TextField", "options": {"name": "field", "placeHolder": "your name", "text": "Ann",
   "fontSize": 24, "fontName": "Sans", "touchSizeWidth": 500, "touchSizeHeight": 100, "width": 500, "height": 100,
   "maxLengthEnable": true, "maxLength": 6, "passwordEnable": true, "passwordStyleText": "#", "colorG": 0}}
)";

TEST_F(ValueWidgetLayout, ResourceObjectFileGivesTheFilesValues)
{
    readTree("values-objects.json", kObjectChildren, R"("version": "1.0.0.0")");

    UICheckBox* box = child<UICheckBox>(0);
    ASSERT_NE(nullptr, box);
    EXPECT_STREQ("box", box->getName());
    EXPECT_TRUE(box->isTouchEnabled());
    EXPECT_TRUE(box->getSize().equals(CCSize(40, 40)));
    EXPECT_TRUE(box->getPartRenderer(UICheckBox::kBoxPressed)->getContentSize().equals(CCSize(40, 40)));
    EXPECT_EQ(UI_TEX_TYPE_PLIST, box->getTextureKind(UICheckBox::kCross));
    EXPECT_TRUE(box->getPartRenderer(UICheckBox::kCross)->getContentSize().equals(CCSize(10, 8)));
    // Resource type 2 loads nothing; an absent slot stays empty.
    EXPECT_TRUE(box->getPartRenderer(UICheckBox::kBoxDisabled)->getContentSize().equals(CCSizeZero));
    EXPECT_TRUE(box->getPartRenderer(UICheckBox::kCrossDisabled)->getContentSize().equals(CCSizeZero));
    EXPECT_FALSE(box->getSelectedState());

    UISlider* slider = child<UISlider>(1);
    ASSERT_NE(nullptr, slider);
    EXPECT_TRUE(slider->isScale9Enabled());
    EXPECT_TRUE(slider->getSize().equals(CCSize(300, 20)));
    EXPECT_FLOAT_EQ(300.0f, slider->getBarLength());
    EXPECT_EQ(40, slider->getPercent());
    EXPECT_FLOAT_EQ(-30.0f, slider->getSlideBallNode()->getPosition().x);
    EXPECT_TRUE(slider->getBallNormalRenderer()->getContentSize().equals(CCSize(6, 4)));
    auto* progress = dynamic_cast<CCScale9Sprite*>(slider->getProgressBarRenderer());
    ASSERT_NE(nullptr, progress);
    EXPECT_TRUE(progress->getPreferredSize().equals(CCSize(120, 20)));

    UILoadingBar* bar = child<UILoadingBar>(2);
    ASSERT_NE(nullptr, bar);
    EXPECT_TRUE(bar->isScale9Enabled());
    EXPECT_TRUE(bar->getCapInsets().equals(CCRect(5, 4, 10, 8)));
    EXPECT_TRUE(bar->getSize().equals(CCSize(150, 30)));
    EXPECT_EQ(LoadingBarTypeRight, bar->getDirection());
    EXPECT_EQ(60, bar->getPercent());
    auto* nine = dynamic_cast<CCScale9Sprite*>(bar->getBarRenderer());
    ASSERT_NE(nullptr, nine);
    EXPECT_TRUE(nine->getPreferredSize().equals(CCSize(90, 20)));
    EXPECT_TRUE(nine->getAnchorPoint().equals(CCPoint(1, 0.5f)));
    EXPECT_FLOAT_EQ(75.0f, nine->getPosition().x);

    UITextField* field = child<UITextField>(3);
    ASSERT_NE(nullptr, field);
    UICCTextField* renderer = field->getTextFieldRenderer();
    EXPECT_STREQ("your name", renderer->getPlaceHolder());
    EXPECT_STREQ("Ann", field->getStringValue());
    EXPECT_FLOAT_EQ(24.0f, renderer->getFontSize());
    EXPECT_STREQ("Sans", renderer->getFontName());
    EXPECT_TRUE(renderer->isMaxLengthEnabled());
    EXPECT_EQ(6, renderer->getMaxLength());
    EXPECT_TRUE(renderer->isPasswordEnabled());
    EXPECT_STREQ("#", renderer->getPasswordStyleText());
    EXPECT_EQ(0, renderer->getColor().g);
    // The touch-size keys and the custom size do not size a text field.
    EXPECT_TRUE(field->getSize().equals(renderer->getContentSize()));
    EXPECT_FALSE(field->getSize().equals(CCSize(500, 100)));
}

const char* const kPlainChildren = R"(
 {"classname": "CheckBox", "options": {"useMergedTexture": true, "backGroundBox": "sheet_a.png",
   "frontCross": "sheet_b.png", "backGroundBoxData": {"resourceType": 0, "path": "box.png"}}},
 {"classname": "Slider", "options": {"barFileName": "bar.png", "progressBarFileName": "progress.png",
   "percent": 25}},
 {"classname": "LoadingBar", "options": {"texture": "bar.png", "scale9Enable": true, "width": 150,
   "percent": 50}},
 {"classname": "TextField", "options": {"maxLengthEnable": false, "maxLength": 3, "passwordEnable": false,
   "passwordStyleText": "#"}}
)";

TEST_F(ValueWidgetLayout, PlainNameFileGivesTheFilesValues)
{
    readTree("values-plain.json", kPlainChildren, R"("version": "0.2.4.9")");

    UICheckBox* box = child<UICheckBox>(0);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(UI_TEX_TYPE_PLIST, box->getTextureKind(UICheckBox::kBox));
    EXPECT_EQ(UI_TEX_TYPE_PLIST, box->getTextureKind(UICheckBox::kCross));
    EXPECT_TRUE(box->getSize().equals(CCSize(10, 8)));

    UISlider* slider = child<UISlider>(1);
    ASSERT_NE(nullptr, slider);
    EXPECT_FALSE(slider->isScale9Enabled());
    EXPECT_TRUE(slider->getSize().equals(CCSize(200, 20)));
    EXPECT_EQ(25, slider->getPercent());
    auto* progress = dynamic_cast<CCSprite*>(slider->getProgressBarRenderer());
    ASSERT_NE(nullptr, progress);
    EXPECT_FLOAT_EQ(50.0f, progress->getTextureRect().size.width);

    // Older files have no nine-slice loading bars.
    UILoadingBar* bar = child<UILoadingBar>(2);
    ASSERT_NE(nullptr, bar);
    EXPECT_FALSE(bar->isScale9Enabled());
    EXPECT_TRUE(bar->getSize().equals(CCSize(200, 20)));
    EXPECT_EQ(50, bar->getPercent());
    EXPECT_FLOAT_EQ(100.0f, static_cast<CCSprite*>(bar->getBarRenderer())->getTextureRect().size.width);

    UITextField* field = child<UITextField>(3);
    ASSERT_NE(nullptr, field);
    EXPECT_FALSE(field->getTextFieldRenderer()->isMaxLengthEnabled());
    EXPECT_EQ(0, field->getTextFieldRenderer()->getMaxLength());
    EXPECT_STREQ("*", field->getTextFieldRenderer()->getPasswordStyleText());
    EXPECT_STREQ("input words here", field->getTextFieldRenderer()->getPlaceHolder());
}

} // namespace
} // namespace readertest
} // namespace cc
