// Image view: texture size with ignore-size on, stretching to a custom size,
// sprite frames, the nine-slice switch with its ignore-size and cap-inset
// rules, flips, colour, and a drawn frame in a hidden window.
#include "WidgetTestSupport.h"

#include "gui/UILayer.h"
#include "gui/UIRootWidget.h"
#include "gui/widgets/CCScale9Sprite.h"
#include "gui/widgets/UIImageView.h"

#include "render/CCSprite.h"
#include "render/CCSpriteFrame.h"
#include "render/CCSpriteFrameCache.h"
#include "render/CCTextureCache.h"
#include "scene/CCNodeRGBA.h"
#include "scene/CCScene.h"

#include <gtest/gtest.h>

namespace cc {
namespace widgettest {
namespace {

const ccColor4B kGreen = {0, 200, 0, 255}, kWhite = {255, 255, 255, 255};

TEST(ImageView, PlainTextureSizesOrStretches)
{
    FrameDriver driver;
    const std::string picture = writeSolidPNG("view-80x40.png", 80, 40, kGreen);
    UIImageView* view = UIImageView::create();
    ASSERT_NE(nullptr, view);
    EXPECT_STREQ("ImageView", view->getTypeName());
    EXPECT_EQ(view->getImageRenderer(), view->getRenderNode());
    EXPECT_TRUE(view->isIgnoreSize());

    // Empty names change nothing.
    view->loadTexture("");
    view->loadTexture(nullptr);
    EXPECT_EQ("", view->getTextureFile());
    EXPECT_TRUE(view->getSize().equals(CCSizeZero));

    view->setAnchorPoint(CCPoint(0.25f, 1.0f));
    view->loadTexture(picture.c_str());
    EXPECT_EQ(picture, view->getTextureFile());
    EXPECT_EQ(UI_TEX_TYPE_LOCAL, view->getTextureKind());
    EXPECT_TRUE(view->getTextureSize().equals(CCSize(80, 40)));
    EXPECT_TRUE(view->getContentSize().equals(CCSize(80, 40)));
    EXPECT_TRUE(view->getSize().equals(CCSize(80, 40)));
    EXPECT_TRUE(view->getImageRenderer()->getAnchorPoint().equals(CCPoint(0.25f, 1.0f)));

    // Asked sizes wait while ignore-size is on, then stretch the sprite.
    view->setSize(CCSize(160, 20));
    EXPECT_TRUE(view->getSize().equals(CCSize(80, 40)));
    EXPECT_FLOAT_EQ(1.0f, view->getImageRenderer()->getScaleX());
    view->setIgnoreSize(false);
    EXPECT_TRUE(view->getSize().equals(CCSize(160, 20)));
    EXPECT_FLOAT_EQ(2.0f, view->getImageRenderer()->getScaleX());
    EXPECT_FLOAT_EQ(0.5f, view->getImageRenderer()->getScaleY());
    EXPECT_FALSE(view->getPreviousIgnoreSize());
    view->setIgnoreSize(true);
    EXPECT_FLOAT_EQ(1.0f, view->getImageRenderer()->getScaleX());
    EXPECT_TRUE(view->getSize().equals(CCSize(80, 40)));

    // A picture that cannot load leaves an empty sprite: zero size, scale 1.
    UIImageView* missing = UIImageView::create();
    missing->setIgnoreSize(false);
    missing->setSize(CCSize(50, 50));
    missing->loadTexture("/no/such/picture.png");
    EXPECT_TRUE(missing->getTextureSize().equals(CCSizeZero));
    EXPECT_FLOAT_EQ(1.0f, missing->getImageRenderer()->getScaleX());
    EXPECT_FLOAT_EQ(1.0f, missing->getImageRenderer()->getScaleY());

    // Sprite frames by name.
    CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage(picture.c_str());
    CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFrame(
        CCSpriteFrame::createWithTexture(texture, CCRect(0, 0, 30, 20)), "view-frame.png");
    UIImageView* framed = UIImageView::create();
    framed->loadTexture("view-frame.png", UI_TEX_TYPE_PLIST);
    EXPECT_EQ(UI_TEX_TYPE_PLIST, framed->getTextureKind());
    EXPECT_TRUE(framed->getSize().equals(CCSize(30, 20)));
}

TEST(ImageView, NineSliceModeForcesCustomSizeAndKeepsItsInsets)
{
    FrameDriver driver;
    const std::string picture = writeSolidPNG("view-nine.png", 60, 60, kGreen);
    UIImageView* view = UIImageView::create();
    view->loadTexture(picture.c_str());
    // Insets set in plain mode are only kept.
    view->setCapInsets(CCRect(10, 10, 40, 40));
    EXPECT_TRUE(view->getCapInsets().equals(CCRect(10, 10, 40, 40)));
    view->setFlipX(true);
    EXPECT_TRUE(view->isFlipX());
    view->setSize(CCSize(200, 120));

    view->setScale9Enabled(true);
    EXPECT_TRUE(view->isScale9Enabled());
    auto* nine = dynamic_cast<CCScale9Sprite*>(view->getImageRenderer());
    ASSERT_NE(nullptr, nine);
    EXPECT_EQ(view->getRenderNode(), nine);
    EXPECT_EQ(picture, view->getTextureFile());
    EXPECT_FALSE(view->isIgnoreSize());
    EXPECT_TRUE(view->getSize().equals(CCSize(200, 120)));
    EXPECT_TRUE(nine->getContentSize().equals(CCSize(200, 120)));
    EXPECT_TRUE(nine->getCapInsets().equals(CCRect(10, 10, 40, 40)));
    // The nine-slice picture is never mirrored, and never follows its content.
    EXPECT_FALSE(view->isFlipX());
    view->setIgnoreSize(true);
    EXPECT_FALSE(view->isIgnoreSize());
    view->setSize(CCSize(90, 70));
    EXPECT_TRUE(nine->getPreferredSize().equals(CCSize(90, 70)));
    view->setCapInsets(CCRect(5, 5, 50, 50));
    EXPECT_TRUE(nine->getCapInsets().equals(CCRect(5, 5, 50, 50)));
    EXPECT_TRUE(nine->getContentSize().equals(CCSize(90, 70)));
    // Asking twice for the same mode keeps the renderer.
    view->setScale9Enabled(true);
    EXPECT_EQ(nine, view->getImageRenderer());

    // Back to plain: the ignore-size flag from before the switch returns.
    view->setScale9Enabled(false);
    EXPECT_NE(nullptr, dynamic_cast<CCSprite*>(view->getImageRenderer()));
    EXPECT_TRUE(view->isIgnoreSize());
    EXPECT_TRUE(view->getSize().equals(CCSize(60, 60)));
    EXPECT_EQ(1u, view->getImageRenderer()->getParent()->getChildrenCount());

    // A view with a custom size before the switch keeps it after switching back.
    UIImageView* sized = UIImageView::create();
    sized->setIgnoreSize(false);
    sized->loadTexture(picture.c_str());
    sized->setSize(CCSize(30, 90));
    sized->setScale9Enabled(true);
    sized->setScale9Enabled(false);
    EXPECT_FALSE(sized->isIgnoreSize());
    EXPECT_FLOAT_EQ(0.5f, sized->getImageRenderer()->getScaleX());
    EXPECT_FLOAT_EQ(1.5f, sized->getImageRenderer()->getScaleY());
}

// The widget's colour and opacity at load time become the sprite's own, and
// the render node cascades the widget's later tints on top.
TEST(ImageView, TintAndOpacityReachTheSprite)
{
    FrameDriver driver;
    const std::string picture = writeSolidPNG("view-tint.png", 20, 20, kWhite);
    UIImageView* view = UIImageView::create();
    view->setColor(ccc3(255, 0, 0));
    view->setOpacity(128);
    view->loadTexture(picture.c_str());
    auto* sprite = dynamic_cast<CCRGBAProtocol*>(view->getImageRenderer());
    ASSERT_NE(nullptr, sprite);
    EXPECT_EQ(0, sprite->getColor().g);
    EXPECT_EQ(128, sprite->getOpacity());
    EXPECT_EQ(255, sprite->getDisplayedColor().r);
    EXPECT_EQ(0, sprite->getDisplayedColor().g);
    EXPECT_EQ(64, sprite->getDisplayedOpacity());
    view->setColor(ccc3(255, 255, 255));
    view->setOpacity(255);
    EXPECT_EQ(255, sprite->getDisplayedColor().r);
    EXPECT_EQ(0, sprite->getDisplayedColor().b);
    EXPECT_EQ(128, sprite->getDisplayedOpacity());
    view->setColor(ccc3(0, 0, 255));
    EXPECT_EQ(0, sprite->getDisplayedColor().r);
}

TEST(ImageView, DrawnInALayerAtItsPlace)
{
    FrameDriver driver;
    if (!startRendering(driver, 320, 480)) GTEST_SKIP() << "no display: run under xvfb-run";
    const std::string picture = writeSolidPNG("view-drawn.png", 100, 60, kGreen);
    UILayer* layer = UILayer::create();
    UIImageView* view = UIImageView::create();
    view->loadTexture(picture.c_str());
    view->setPosition(CCPoint(200, 300));
    view->setIgnoreSize(false);
    view->setSize(CCSize(200, 60));
    ASSERT_TRUE(layer->getRootWidget()->addChild(view));
    CCScene* scene = CCScene::create();
    scene->addChild(layer);
    driver.show(scene);
    driver.step();
    // Stretched to 200 wide: covers x 100..300, y 270..330.
    EXPECT_TRUE(near(pixelAt(120, 300), 0, 200, 0)) << describe(pixelAt(120, 300));
    EXPECT_TRUE(near(pixelAt(290, 320), 0, 200, 0)) << describe(pixelAt(290, 320));
    EXPECT_TRUE(near(pixelAt(80, 300), 0, 0, 0)) << describe(pixelAt(80, 300));
    EXPECT_TRUE(near(pixelAt(200, 345), 0, 0, 0)) << describe(pixelAt(200, 345));
    stopRendering();
}

} // namespace
} // namespace widgettest
} // namespace cc
