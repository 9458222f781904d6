// Loading bar: the visible part cut from the texture in both directions
// (with pixel checks of the mirrored case on a drawn frame), sprite-frame
// crops, nine-slice mode, and the percents it ignores.
#include "WidgetTestSupport.h"

#include "gui/UILayer.h"
#include "gui/UIRootWidget.h"
#include "gui/widgets/CCScale9Sprite.h"
#include "gui/widgets/UILoadingBar.h"
#include "render/CCSprite.h"
#include "render/CCSpriteFrame.h"
#include "render/CCSpriteFrameCache.h"
#include "render/CCTextureCache.h"
#include "scene/CCScene.h"

#include <gtest/gtest.h>

namespace cc {
namespace widgettest {
namespace {

const ccColor4B kRed = {220, 0, 0, 255}, kGreen = {0, 200, 0, 255}, kBlue = {0, 0, 220, 255};

// 200 x 20: red on x 0..49, green on 50..99, blue on 100..199.
std::string threeBands()
{
    return writePNG("bands.png", 200, 20, [](int x, int) { return x < 50 ? kRed : x < 100 ? kGreen : kBlue; });
}

CCSprite* spriteOf(UILoadingBar* bar) { return static_cast<CCSprite*>(bar->getBarRenderer()); }

TEST(LoadingBar, CutsTheTextureFromEitherSide)
{
    FrameDriver driver;
    UILoadingBar* bar = UILoadingBar::create();
    ASSERT_NE(nullptr, bar);
    EXPECT_STREQ("LoadingBar", bar->getTypeName());
    EXPECT_EQ(100, bar->getPercent());
    EXPECT_TRUE(spriteOf(bar)->getAnchorPoint().equals(CCPoint(0, 0.5f)));
    bar->loadTexture(threeBands().c_str());
    EXPECT_TRUE(bar->getSize().equals(CCSize(200, 20)));
    EXPECT_TRUE(bar->getContentSize().equals(CCSize(200, 20)));
    EXPECT_FLOAT_EQ(200.0f, bar->getTotalLength());
    EXPECT_FLOAT_EQ(-100.0f, spriteOf(bar)->getPosition().x);

    bar->setPercent(50);
    EXPECT_EQ(50, bar->getPercent());
    EXPECT_TRUE(spriteOf(bar)->getTextureRect().equals(CCRect(0, 0, 100, 20)));
    EXPECT_FALSE(spriteOf(bar)->isFlipX());
    // The content size stays the texture's while the sprite shrinks.
    EXPECT_TRUE(bar->getContentSize().equals(CCSize(200, 20)));

    bar->setDirection(LoadingBarTypeRight);
    EXPECT_TRUE(spriteOf(bar)->getAnchorPoint().equals(CCPoint(1, 0.5f)));
    EXPECT_FLOAT_EQ(100.0f, spriteOf(bar)->getPosition().x);
    EXPECT_TRUE(spriteOf(bar)->isFlipX());
    EXPECT_TRUE(spriteOf(bar)->getTextureRect().equals(CCRect(0, 0, 100, 20)));
    bar->setDirection(static_cast<LoadingBarDirection>(7));
    EXPECT_EQ(7, bar->getDirection());
    EXPECT_TRUE(spriteOf(bar)->isFlipX());
    bar->setDirection(LoadingBarTypeLeft);
    EXPECT_FALSE(spriteOf(bar)->isFlipX());
    EXPECT_FLOAT_EQ(-100.0f, spriteOf(bar)->getPosition().x);

    // Outside 0..100: nothing changes.
    bar->setPercent(101);
    bar->setPercent(-1);
    EXPECT_EQ(50, bar->getPercent());
    EXPECT_FLOAT_EQ(100.0f, spriteOf(bar)->getTextureRect().size.width);

    // A stretched bar keeps its scale against the whole texture, also at 0 percent.
    bar->setIgnoreSize(false);
    bar->setSize(CCSize(400, 10));
    EXPECT_FLOAT_EQ(400.0f, bar->getTotalLength());
    EXPECT_FLOAT_EQ(2.0f, spriteOf(bar)->getScaleX());
    EXPECT_FLOAT_EQ(-200.0f, spriteOf(bar)->getPosition().x);
    bar->setPercent(0);
    bar->setSize(CCSize(100, 10));
    EXPECT_FLOAT_EQ(0.5f, spriteOf(bar)->getScaleX());

    // Without a length, percents are ignored.
    UILoadingBar* empty = UILoadingBar::create();
    empty->setPercent(30);
    EXPECT_EQ(100, empty->getPercent());
}

TEST(LoadingBar, SpriteFramesKeepTheirCornerInTheSheet)
{
    FrameDriver driver;
    CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage(threeBands().c_str());
    CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFrame(
        CCSpriteFrame::createWithTexture(texture, CCRect(50, 4, 120, 10)), "bar-frame.png");
    UILoadingBar* bar = UILoadingBar::create();
    bar->loadTexture("bar-frame.png", UI_TEX_TYPE_PLIST);
    EXPECT_EQ(UI_TEX_TYPE_PLIST, bar->getTextureKind());
    EXPECT_TRUE(bar->getSize().equals(CCSize(120, 10)));
    bar->setPercent(25);
    EXPECT_TRUE(spriteOf(bar)->getTextureRect().equals(CCRect(50, 4, 30, 10)));
}

TEST(LoadingBar, NineSliceModeStretchesThePreferredSize)
{
    FrameDriver driver;
    UILoadingBar* bar = UILoadingBar::create();
    bar->setDirection(LoadingBarTypeRight);
    bar->loadTexture(threeBands().c_str());
    bar->setCapInsets(CCRect(10, 5, 20, 10));
    bar->setScale9Enabled(true);
    auto* nine = dynamic_cast<CCScale9Sprite*>(bar->getBarRenderer());
    ASSERT_NE(nullptr, nine);
    EXPECT_TRUE(nine->getCapInsets().equals(CCRect(10, 5, 20, 10)));
    EXPECT_TRUE(nine->getAnchorPoint().equals(CCPoint(1, 0.5f)));
    EXPECT_FALSE(bar->isIgnoreSize());
    bar->setIgnoreSize(true);
    EXPECT_FALSE(bar->isIgnoreSize());
    bar->setSize(CCSize(300, 40));
    EXPECT_FLOAT_EQ(300.0f, bar->getTotalLength());
    EXPECT_FLOAT_EQ(150.0f, nine->getPosition().x);
    bar->setPercent(40);
    EXPECT_TRUE(nine->getPreferredSize().equals(CCSize(120, 20)));
    bar->setScale9Enabled(false);
    EXPECT_TRUE(bar->isIgnoreSize());
    EXPECT_TRUE(spriteOf(bar)->isFlipX());
    EXPECT_TRUE(bar->getSize().equals(CCSize(200, 20)));
}

TEST(LoadingBar, DrawnHalfBarIsMirroredAgainstTheRightEdge)
{
    FrameDriver driver;
    if (!startRendering(driver, 640, 960)) GTEST_SKIP() << "no display: run under xvfb-run";
    UILayer* layer = UILayer::create();
    UILoadingBar* left = UILoadingBar::create();
    left->loadTexture(threeBands().c_str());
    left->setPosition(CCPoint(320, 600));
    left->setPercent(50);
    UILoadingBar* right = UILoadingBar::create();
    right->loadTexture(threeBands().c_str());
    right->setDirection(LoadingBarTypeRight);
    right->setPosition(CCPoint(320, 300));
    right->setPercent(50);
    ASSERT_TRUE(layer->getRootWidget()->addChild(left));
    ASSERT_TRUE(layer->getRootWidget()->addChild(right));
    CCScene* scene = CCScene::create();
    scene->addChild(layer);
    driver.show(scene);
    driver.step();

    // Filling from the left: the texture's left 100 points on x 220..320.
    EXPECT_TRUE(near(pixelAt(235, 600), 220, 0, 0)) << describe(pixelAt(235, 600));
    EXPECT_TRUE(near(pixelAt(300, 600), 0, 200, 0)) << describe(pixelAt(300, 600));
    EXPECT_TRUE(near(pixelAt(380, 600), 0, 0, 0)) << describe(pixelAt(380, 600));
    // From the right: the same 100 points mirrored, ending at the right edge (x 420).
    EXPECT_TRUE(near(pixelAt(260, 300), 0, 0, 0)) << describe(pixelAt(260, 300));
    EXPECT_TRUE(near(pixelAt(340, 300), 0, 200, 0)) << describe(pixelAt(340, 300));
    EXPECT_TRUE(near(pixelAt(405, 300), 220, 0, 0)) << describe(pixelAt(405, 300));
    EXPECT_TRUE(near(pixelAt(430, 300), 0, 0, 0)) << describe(pixelAt(430, 300));
    stopRendering();
}

} // namespace
} // namespace widgettest
} // namespace cc
