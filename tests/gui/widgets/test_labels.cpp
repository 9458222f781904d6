// The three label widgets: TrueType label fitting, text area and touch scale;
// the character-map label's properties, its guard against a missing map and
// its opacity; the bitmap-font label dropping text until a font is set.
#include "WidgetTestSupport.h"
#include "gui/GuiTestSupport.h"

#include "gui/widgets/UILabel.h"
#include "gui/widgets/UILabelAtlas.h"
#include "gui/widgets/UILabelBMFont.h"

#include "base/CCLog.h"
#include "gui/UILayer.h"
#include "gui/UIRootWidget.h"
#include "scene/CCScene.h"
#include "text/CCLabelBMFont.h"
#include "text/CCLabelTTF.h"

#include <gtest/gtest.h>

#include <fstream>

namespace cc {
namespace widgettest {
namespace {

const ccColor4B kWhite = {255, 255, 255, 255};

std::string writeText(const std::string& name, const std::string& text)
{
    const std::string path = tempDir() + "/" + name;
    std::ofstream(path) << text;
    return path;
}

// Two glyphs, A and B, 10 x 14 each with an advance of 12.
std::string writeBitmapFont()
{
    writeSolidPNG("labels-font.png", 64, 32, kWhite);
    return writeText("labels-font.fnt",
                     "info face=\"Tiny\" size=16 bold=0 italic=0 padding=0,0,0,0 spacing=1,1\n"
                     "common lineHeight=20 base=16 scaleW=64 scaleH=32 pages=1 packed=0\n"
                     "page id=0 file=\"labels-font.png\"\n"
                     "chars count=2\n"
                     "char id=65 x=0 y=0 width=10 height=14 xoffset=0 yoffset=2 xadvance=12 page=0 chnl=15\n"
                     "char id=66 x=12 y=0 width=10 height=14 xoffset=0 yoffset=2 xadvance=12 page=0 chnl=15\n");
}

TEST(Label, SizeFollowsTheTextUntilACustomSizeStretchesIt)
{
    FrameDriver driver;
    UILabel* label = UILabel::create();
    ASSERT_NE(nullptr, label);
    EXPECT_STREQ("Label", label->getTypeName());
    EXPECT_EQ(label->getLabelRenderer(), label->getRenderNode());

    label->setFontSize(24);
    label->setText("Momo");
    EXPECT_STREQ("Momo", label->getStringValue());
    const CCSize short_ = label->getSize();
    EXPECT_GT(short_.width, 0);
    EXPECT_GT(short_.height, 0);
    EXPECT_TRUE(short_.equals(label->getLabelRenderer()->getContentSize()));
    label->setText("Momo and the Red Kite");
    EXPECT_GT(label->getSize().width, short_.width);
    // A larger font grows the widget with the label.
    const float oneLine = label->getSize().height;
    label->setFontSize(48);
    EXPECT_GT(label->getSize().height, oneLine);
    // Null is ignored, an empty string clears.
    label->setText(nullptr);
    EXPECT_STREQ("Momo and the Red Kite", label->getStringValue());
    label->setText("");
    EXPECT_STREQ("", label->getStringValue());
    EXPECT_TRUE(label->getSize().equals(label->getLabelRenderer()->getContentSize()));

    // A custom size stretches the rendered label; the text is not laid out again.
    label->setFontSize(24);
    label->setText("Kite");
    const CCSize natural = label->getLabelRenderer()->getContentSize();
    label->setIgnoreSize(false);
    label->setSize(CCSize(natural.width * 2, natural.height / 2));
    EXPECT_TRUE(label->getLabelRenderer()->getContentSize().equals(natural));
    EXPECT_FLOAT_EQ(2.0f, label->getLabelRenderer()->getScaleX());
    EXPECT_FLOAT_EQ(0.5f, label->getLabelRenderer()->getScaleY());
    label->setIgnoreSize(true);
    EXPECT_FLOAT_EQ(1.0f, label->getLabelRenderer()->getScaleX());
    EXPECT_TRUE(label->getSize().equals(natural));

    // Flips and the anchor go to the label.
    label->setFlipX(true);
    EXPECT_TRUE(label->isFlipX());
    EXPECT_FALSE(label->isFlipY());
    label->setAnchorPoint(CCPoint(0, 1));
    EXPECT_TRUE(label->getLabelRenderer()->getAnchorPoint().equals(CCPoint(0, 1)));
}

TEST(Label, TextAreaWrapsAndAligns)
{
    FrameDriver driver;
    UILabel* area = UILabel::create();
    area->setFontSize(20);
    area->setText("one two three four five six seven eight nine ten");
    const CCSize line = area->getSize();
    area->setTextAreaSize(CCSize(120, 0));
    CCLabelTTF* ttf = area->getLabelRenderer();
    EXPECT_TRUE(ttf->getDimensions().equals(CCSize(120, 0)));
    EXPECT_GT(ttf->getLines().size(), 1u);
    EXPECT_FLOAT_EQ(120, area->getSize().width);
    EXPECT_GT(area->getSize().height, line.height);

    area->setTextHorizontalAlignment(kCCTextAlignmentRight);
    area->setTextVerticalAlignment(kCCVerticalTextAlignmentBottom);
    EXPECT_EQ(kCCTextAlignmentRight, ttf->getHorizontalAlignment());
    EXPECT_EQ(kCCVerticalTextAlignmentBottom, ttf->getVerticalAlignment());
    area->setFontName(nullptr);
    EXPECT_STREQ(CCLabelTTF::kDefaultFontName, ttf->getFontName());
    area->setFontName("DejaVu Sans");
    EXPECT_STREQ("DejaVu Sans", ttf->getFontName());
    EXPECT_TRUE(area->getSize().equals(ttf->getContentSize()));
}

TEST(Label, TouchScaleGrowsTheRenderNodeWhilePressed)
{
    FrameDriver driver;
    UILabel* label = UILabel::create();
    label->setText("Go");
    label->setScale(2.0f);
    label->setTouchScaleEnabled(true);
    EXPECT_TRUE(label->isTouchScaleEnabled());
    EXPECT_FLOAT_EQ(2.0f, label->getNormalScale());
    label->setFocused(true);
    EXPECT_FLOAT_EQ(2.5f, label->getScaleX());
    EXPECT_FLOAT_EQ(2.5f, label->getScaleY());
    label->setFocused(false);
    EXPECT_FLOAT_EQ(2.0f, label->getScaleX());
    // The disabled look changes nothing.
    label->setLookActive(false);
    label->setFocused(true);
    EXPECT_FLOAT_EQ(2.0f, label->getScaleX());

    UILabel* plain = UILabel::create();
    plain->setText("Go");
    plain->setScale(2.0f);
    plain->setFocused(true);
    EXPECT_FLOAT_EQ(2.0f, plain->getScaleX());
    plain->setFocused(false);
    EXPECT_FLOAT_EQ(2.0f, plain->getScaleX());
}

TEST(Label, TouchScaleFollowsARealTouchThroughTheLayer)
{
    guitest::Stage stage;
    guitest::EventLog events;
    UILabel* label = UILabel::create();
    label->setName("word");
    label->setFontSize(30);
    label->setText("Kite");
    label->setPosition(CCPoint(320, 480));
    label->setTouchEnabled(true);
    label->setTouchScaleEnabled(true);
    events.listenTo(label);
    ASSERT_TRUE(stage.root()->addChild(label));
    stage.driver->touchDown(CCPoint(320, 480));
    EXPECT_FLOAT_EQ(1.5f, label->getScaleX());
    stage.driver->touchUp(CCPoint(320, 480));
    EXPECT_FLOAT_EQ(1.0f, label->getScaleX());
    ASSERT_EQ(2u, events.events.size());
    EXPECT_EQ("word:began", events.events[0]);
    EXPECT_EQ("word:ended", events.events[1]);
}

TEST(LabelAtlas, EmptyUntilItsPropertiesNameALoadableMap)
{
    FrameDriver driver;
    // A 4 x 3 grid of 10 x 16 cells starting at '0'.
    const std::string map = writeSolidPNG("labels-digits.png", 40, 48, kWhite);
    UILabelAtlas* atlas = UILabelAtlas::create();
    ASSERT_NE(nullptr, atlas);
    EXPECT_STREQ("LabelAtlase", atlas->getTypeName());
    EXPECT_EQ(atlas->getAtlasRenderer(), atlas->getRenderNode());
    EXPECT_EQ(nullptr, atlas->getAtlasRenderer()->getTextureAtlas());
    EXPECT_TRUE(atlas->getSize().equals(CCSizeZero));
    // Drawing without a map is a no-op, and text waits for the map.
    atlas->getAtlasRenderer()->draw();
    atlas->setStringValue("12");
    EXPECT_STREQ("", atlas->getStringValue());

    {
        CCLogCapture log;
        atlas->setAtlasProperties("12", map.c_str(), 0, 16, "0");
        atlas->setAtlasProperties("12", map.c_str(), 10, 0, "0");
        atlas->setAtlasProperties("12", "", 10, 16, "0");
        atlas->setAtlasProperties("12", nullptr, 10, 16, "0");
        EXPECT_EQ(4u, log.lines().size());
    }
    EXPECT_EQ(nullptr, atlas->getAtlasRenderer()->getTextureAtlas());
    atlas->setAtlasProperties("12", "/no/such/map.png", 10, 16, "0");
    EXPECT_EQ(nullptr, atlas->getAtlasRenderer()->getTextureAtlas());
    EXPECT_TRUE(atlas->getSize().equals(CCSizeZero));

    atlas->setAnchorPoint(CCPoint(1, 0));
    atlas->setAtlasProperties("2024", map.c_str(), 10, 16, "0");
    ASSERT_NE(nullptr, atlas->getAtlasRenderer()->getTextureAtlas());
    EXPECT_EQ(4u, atlas->getAtlasRenderer()->getQuadsToDraw());
    EXPECT_TRUE(atlas->getSize().equals(CCSize(40, 16)));
    EXPECT_TRUE(atlas->getAtlasRenderer()->getAnchorPoint().equals(CCPoint(1, 0)));
    atlas->setStringValue("7");
    EXPECT_STREQ("7", atlas->getStringValue());
    EXPECT_TRUE(atlas->getSize().equals(CCSize(10, 16)));

    // Stretched to a custom size.
    atlas->setIgnoreSize(false);
    atlas->setSize(CCSize(30, 32));
    EXPECT_FLOAT_EQ(3.0f, atlas->getAtlasRenderer()->getScaleX());
    EXPECT_FLOAT_EQ(2.0f, atlas->getAtlasRenderer()->getScaleY());
}

TEST(LabelAtlas, OpacityOfTheWidgetReachesTheAtlas)
{
    FrameDriver driver;
    const std::string map = writeSolidPNG("labels-digits-op.png", 40, 16, kWhite);
    UILabelAtlas* atlas = UILabelAtlas::create();
    atlas->setAtlasProperties("01", map.c_str(), 10, 16, "0");
    atlas->setOpacity(100);
    EXPECT_EQ(100, atlas->getAtlasRenderer()->getOpacity());
    EXPECT_EQ(100, atlas->getAtlasRenderer()->getDisplayedOpacity());
    atlas->setOpacity(255);
    EXPECT_EQ(255, atlas->getAtlasRenderer()->getDisplayedOpacity());
    // Colour cascades as for any node.
    atlas->setColor(ccc3(0, 255, 0));
    EXPECT_EQ(0, atlas->getAtlasRenderer()->getDisplayedColor().r);
}

TEST(LabelAtlas, DrawnOnlyOnceItHasAMap)
{
    FrameDriver driver;
    if (!startRendering(driver, 320, 480)) GTEST_SKIP() << "no display: run under xvfb-run";
    const std::string map = writeSolidPNG("labels-digits-drawn.png", 40, 16, {255, 255, 0, 255});
    UILayer* layer = UILayer::create();
    UILabelAtlas* empty = UILabelAtlas::create();
    empty->setPosition(CCPoint(200, 700));
    UILabelAtlas* digits = UILabelAtlas::create();
    digits->setAtlasProperties("0123", map.c_str(), 10, 16, "0");
    digits->setIgnoreSize(false);
    digits->setSize(CCSize(160, 64));
    digits->setPosition(CCPoint(320, 480));
    ASSERT_TRUE(layer->getRootWidget()->addChild(empty));
    ASSERT_TRUE(layer->getRootWidget()->addChild(digits));
    CCScene* scene = CCScene::create();
    scene->addChild(layer);
    driver.show(scene);
    driver.step();
    // Four cells stretched to 160 x 64 around (320, 480): x 240..400, y 448..512.
    EXPECT_TRUE(near(pixelAt(250, 460), 255, 255, 0)) << describe(pixelAt(250, 460));
    EXPECT_TRUE(near(pixelAt(390, 505), 255, 255, 0)) << describe(pixelAt(390, 505));
    EXPECT_TRUE(near(pixelAt(230, 480), 0, 0, 0)) << describe(pixelAt(230, 480));
    EXPECT_TRUE(near(pixelAt(200, 700), 0, 0, 0)) << describe(pixelAt(200, 700));
    stopRendering();
}

TEST(LabelBMFont, TextBeforeTheFontIsDropped)
{
    FrameDriver driver;
    const std::string font = writeBitmapFont();
    UILabelBMFont* label = UILabelBMFont::create();
    ASSERT_NE(nullptr, label);
    EXPECT_STREQ("LabelBMFont", label->getTypeName());
    EXPECT_EQ(label->getLabelRenderer(), label->getRenderNode());

    label->setText("AB");
    EXPECT_STREQ("", label->getStringValue());
    EXPECT_FALSE(label->isFontFileSet());
    label->setFontFile("");
    label->setFontFile(nullptr);
    EXPECT_FALSE(label->isFontFileSet());

    label->setAnchorPoint(CCPoint(0, 0));
    label->setFontFile(font.c_str());
    EXPECT_TRUE(label->isFontFileSet());
    EXPECT_TRUE(label->getLabelRenderer()->hasFont());
    EXPECT_TRUE(label->getLabelRenderer()->getAnchorPoint().equals(CCPoint(0, 0)));
    label->setText("AB");
    EXPECT_STREQ("AB", label->getStringValue());
    EXPECT_EQ(2u, label->getLabelRenderer()->getQuadCount());
    EXPECT_GT(label->getSize().width, 0);
    EXPECT_TRUE(label->getSize().equals(label->getLabelRenderer()->getContentSize()));

    const CCSize natural = label->getSize();
    label->setIgnoreSize(false);
    label->setSize(CCSize(natural.width * 2, natural.height));
    EXPECT_FLOAT_EQ(2.0f, label->getLabelRenderer()->getScaleX());
    EXPECT_FLOAT_EQ(1.0f, label->getLabelRenderer()->getScaleY());

    // A font that cannot load still counts as set and leaves an empty label.
    UILabelBMFont* broken = UILabelBMFont::create();
    {
        CCLogCapture log;
        broken->setFontFile("/no/such/font.fnt");
        EXPECT_LE(log.lines().size(), 1u);
    }
    EXPECT_TRUE(broken->isFontFileSet());
    EXPECT_FALSE(broken->getLabelRenderer()->hasFont());
    broken->setText("AB");
    EXPECT_EQ(0u, broken->getLabelRenderer()->getQuadCount());
}

} // namespace
} // namespace widgettest
} // namespace cc
