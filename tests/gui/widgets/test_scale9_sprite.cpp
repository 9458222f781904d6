// Nine-slice sprite: how a region is cut, how the cells stretch and where
// they go, turned sprite-sheet frames, margins, colour, and one draw call.
#include "WidgetTestSupport.h"

#include "gui/widgets/CCScale9Sprite.h"

#include "base/CCLog.h"
#include "render/CCFrameCapture.h"
#include "render/CCSprite.h"
#include "render/CCSpriteBatchNode.h"
#include "render/CCSpriteFrame.h"
#include "render/CCTexture2D.h"
#include "render/CCTextureCache.h"
#include "scene/CCScene.h"

#include <gtest/gtest.h>

namespace cc {
namespace widgettest {
namespace {

const ccColor4B kRed = {255, 0, 0, 255}, kGreen = {0, 255, 0, 255}, kBlue = {0, 0, 255, 255};

void expectRect(const CCRect& actual, float x, float y, float w, float h, const char* what)
{
    EXPECT_NEAR(x, actual.origin.x, 1e-3) << what;
    EXPECT_NEAR(y, actual.origin.y, 1e-3) << what;
    EXPECT_NEAR(w, actual.size.width, 1e-3) << what;
    EXPECT_NEAR(h, actual.size.height, 1e-3) << what;
}

void expectCell(CCScale9Sprite* s, int row, int col, float x, float y, float sx, float sy)
{
    CCSprite* cell = s->cellAt(row, col);
    ASSERT_NE(nullptr, cell);
    const std::string where = "cell " + std::to_string(row) + "," + std::to_string(col);
    EXPECT_NEAR(x, cell->getPosition().x, 1e-3) << where;
    EXPECT_NEAR(y, cell->getPosition().y, 1e-3) << where;
    EXPECT_NEAR(sx, cell->getScaleX(), 1e-4) << where;
    EXPECT_NEAR(sy, cell->getScaleY(), 1e-4) << where;
    EXPECT_TRUE(cell->getAnchorPoint().equals(CCPointZero)) << where;
}

// A sprite on a running scene, so that a frame lays it out the way drawing does.
CCScale9Sprite* onStage(FrameDriver& driver, CCScale9Sprite* sprite)
{
    CCScene* scene = CCScene::create();
    scene->addChild(sprite);
    driver.show(scene);
    return sprite;
}

TEST(Scale9Sprite, RegionWithoutInsetsIsCutInThirdsAndOnlyTheMiddleStretches)
{
    FrameDriver driver;
    const std::string file = writeSolidPNG("thirds30.png", 30, 30, kRed);
    CCScale9Sprite* s = CCScale9Sprite::create();
    ASSERT_NE(nullptr, s);
    EXPECT_EQ(nullptr, s->getBatchNode());
    ASSERT_TRUE(s->initWithFile(file.c_str()));
    EXPECT_TRUE(s->getRegionSize().equals(CCSize(30, 30)));
    EXPECT_TRUE(s->getPreferredSize().equals(CCSize(30, 30)));
    EXPECT_TRUE(s->getContentSize().equals(CCSize(30, 30)));
    EXPECT_TRUE(s->getAnchorPoint().equals(CCPoint(0.5f, 0.5f)));
    EXPECT_TRUE(s->getCapInsets().equals(CCRectZero));
    // The batch node is the only child and holds the nine cells, centre first.
    ASSERT_EQ(1u, s->getChildrenCount());
    EXPECT_EQ(s->getBatchNode(), s->getChildren()->objectAtIndex(0));
    EXPECT_EQ(9u, s->getBatchNode()->getChildrenCount());
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            expectRect(s->cellAt(row, col)->getTextureRect(), col * 10.f, row * 10.f, 10, 10, "third");
    // Corners above edges above the centre.
    EXPECT_EQ(0, s->cellAt(1, 1)->getZOrder());
    EXPECT_EQ(1, s->cellAt(0, 1)->getZOrder());
    EXPECT_EQ(2, s->cellAt(2, 2)->getZOrder());

    s->setPreferredSize(CCSize(100, 40));
    EXPECT_TRUE(s->arePositionsDirty());
    onStage(driver, s);
    EXPECT_FALSE(s->arePositionsDirty());
    expectCell(s, 1, 1, 10, 10, 8, 2);  // centre
    expectCell(s, 2, 0, 0, 0, 1, 1);    // corners keep 10 x 10
    expectCell(s, 2, 2, 90, 0, 1, 1);
    expectCell(s, 0, 0, 0, 30, 1, 1);
    expectCell(s, 0, 2, 90, 30, 1, 1);
    expectCell(s, 1, 0, 0, 10, 1, 2);   // left and right stretch in y
    expectCell(s, 1, 2, 90, 10, 1, 2);
    expectCell(s, 2, 1, 10, 0, 8, 1);   // bottom and top stretch in x
    expectCell(s, 0, 1, 10, 30, 8, 1);

    // Smaller than two corners: negative stretch, no clamping.
    s->setPreferredSize(CCSize(10, 15));
    driver.step();
    expectCell(s, 1, 1, 10, 10, -1, -0.5f);

    // An image that cannot be loaded leaves an empty sprite that draws nothing.
    CCScale9Sprite* empty = CCScale9Sprite::create();
    EXPECT_TRUE(empty->initWithFile((tempDir() + "/missing.png").c_str()));
    EXPECT_EQ(nullptr, empty->getBatchNode());
    EXPECT_EQ(nullptr, empty->cellAt(1, 1));
    empty->setCapInsets(CCRect(1, 1, 1, 1));
    EXPECT_TRUE(empty->getCapInsets().equals(CCRectZero));
    empty->setPreferredSize(CCSize(50, 50));
    s->getParent()->addChild(empty);
    driver.step();
    EXPECT_EQ(0u, empty->getChildrenCount());
}

TEST(Scale9Sprite, CapInsetsNameTheCentreAndKeepTheContentSize)
{
    FrameDriver driver;
    const std::string file = writeSolidPNG("insets40.png", 40, 40, kGreen);
    CCScale9Sprite* s = CCScale9Sprite::create();
    ASSERT_TRUE(s->initWithFile(file.c_str(), CCRect(10, 10, 20, 20)));
    const float expected[3][3][4] = {
        {{0, 0, 10, 10}, {10, 0, 20, 10}, {30, 0, 10, 10}},
        {{0, 10, 10, 20}, {10, 10, 20, 20}, {30, 10, 10, 20}},
        {{0, 30, 10, 10}, {10, 30, 20, 10}, {30, 30, 10, 10}},
    };
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) {
            const float* e = expected[row][col];
            expectRect(s->cellAt(row, col)->getTextureRect(), e[0], e[1], e[2], e[3], "inset cell");
            EXPECT_FALSE(s->cellAt(row, col)->isTextureRectRotated());
        }

    // A new centre rebuilds the cells but leaves the size that was asked for.
    s->setPreferredSize(CCSize(200, 80));
    CCSprite* oldCentre = s->cellAt(1, 1);
    oldCentre->retain();
    s->setCapInsets(CCRect(5, 5, 30, 30));
    EXPECT_NE(oldCentre, s->cellAt(1, 1));
    oldCentre->release();
    EXPECT_TRUE(s->getContentSize().equals(CCSize(200, 80)));
    EXPECT_TRUE(s->getCapInsets().equals(CCRect(5, 5, 30, 30)));
    expectRect(s->cellAt(1, 1)->getTextureRect(), 5, 5, 30, 30, "new centre");
    onStage(driver, s);
    expectCell(s, 1, 1, 5, 5, 190.f / 30, 70.f / 30);
    expectCell(s, 0, 2, 195, 75, 1, 1);

    // An empty centre has no stretch factor: the layout is skipped, not divided by zero.
    CCLogCapture log;
    s->setCapInsets(CCRect(10, 10, 0, 20));
    driver.step();
    EXPECT_TRUE(log.contains("CCScale9Sprite: the centre cell is empty, layout skipped"));
    EXPECT_FALSE(s->arePositionsDirty());
    EXPECT_EQ(1.0f, s->cellAt(1, 1)->getScaleX());
    EXPECT_EQ(1.0f, s->cellAt(0, 1)->getScaleX());
}

TEST(Scale9Sprite, TurnedSheetFramesGiveTurnedCellsAndTurnedMargins)
{
    const std::string file = writeSolidPNG("sheet64.png", 64, 64, kBlue);
    CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage(file.c_str());
    ASSERT_NE(nullptr, texture);
    CCSpriteFrame* frame =
        CCSpriteFrame::createWithTexture(texture, CCRect(2, 4, 30, 30), true, CCPointZero, CCSize(30, 30));
    CCScale9Sprite* s = CCScale9Sprite::create();
    ASSERT_TRUE(s->initWithSpriteFrame(frame, CCRect(10, 10, 10, 10)));
    EXPECT_TRUE(s->isSpriteFrameRotated());
    // Each cell's corner is carried a quarter turn about the frame's place in the sheet.
    const float origins[3][3][2] = {
        {{22, 4}, {22, 14}, {22, 24}},
        {{12, 4}, {12, 14}, {12, 24}},
        {{2, 4}, {2, 14}, {2, 24}},
    };
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) {
            CCSprite* cell = s->cellAt(row, col);
            EXPECT_TRUE(cell->isTextureRectRotated());
            expectRect(cell->getTextureRect(), origins[row][col][0], origins[row][col][1], 10, 10, "turned");
        }

    // Margins of a turned frame: bottom and left become the insets' origin.
    s->setInsetLeft(3);
    s->setInsetTop(4);
    s->setInsetRight(5);
    s->setInsetBottom(6);
    EXPECT_EQ(3, s->getInsetLeft());
    EXPECT_TRUE(s->getCapInsets().equals(CCRect(6, 3, 22, 20)));

    // A frame handed over later resets the margins.
    CCSpriteFrame* flat = CCSpriteFrame::createWithTexture(texture, CCRect(0, 0, 24, 12));
    s->setSpriteFrame(flat);
    EXPECT_FALSE(s->isSpriteFrameRotated());
    EXPECT_EQ(0, s->getInsetLeft());
    EXPECT_EQ(0, s->getInsetBottom());
    EXPECT_TRUE(s->getRegionSize().equals(CCSize(24, 12)));
    expectRect(s->cellAt(2, 2)->getTextureRect(), 16, 8, 8, 4, "flat frame");

    // Frames by name: a missing one fails and changes nothing.
    EXPECT_FALSE(s->initWithSpriteFrameName("no-such-frame.png"));
    EXPECT_TRUE(s->getRegionSize().equals(CCSize(24, 12)));
    EXPECT_EQ(nullptr, CCScale9Sprite::createWithSpriteFrame(nullptr));
}

TEST(Scale9Sprite, MarginsBecomeCapInsets)
{
    const std::string file = writeSolidPNG("margins40.png", 40, 40, kGreen);
    CCScale9Sprite* s = CCScale9Sprite::create();
    // Without a texture the insets cannot be applied.
    s->setInsetLeft(5);
    EXPECT_TRUE(s->getCapInsets().equals(CCRectZero));
    s->setInsetLeft(0);
    ASSERT_TRUE(s->initWithFile(file.c_str()));
    s->setInsetLeft(5);
    EXPECT_TRUE(s->getCapInsets().equals(CCRect(5, 0, 35, 40)));
    s->setInsetTop(6);
    s->setInsetRight(7);
    s->setInsetBottom(8);
    EXPECT_TRUE(s->getCapInsets().equals(CCRect(5, 6, 28, 26)));
    expectRect(s->cellAt(2, 2)->getTextureRect(), 33, 32, 7, 8, "bottom-right after margins");
    // All margins back to zero: equal thirds again.
    s->setInsetLeft(0);
    s->setInsetTop(0);
    s->setInsetRight(0);
    s->setInsetBottom(0);
    EXPECT_TRUE(s->getCapInsets().equals(CCRectZero));
    expectRect(s->cellAt(1, 1)->getTextureRect(), 40.f / 3, 40.f / 3, 40.f / 3, 40.f / 3, "thirds again");
}

TEST(Scale9Sprite, ColourReachesTheCellsOnlyOnceThereIsATexture)
{
    const std::string file = writeSolidPNG("colour30.png", 30, 30, kRed);
    CCScale9Sprite* s = CCScale9Sprite::create();
    s->setColor(ccc3(10, 20, 30));
    s->setOpacity(40);
    s->setOpacityModifyRGB(true);
    EXPECT_TRUE(s->getColor() == ccWHITE);
    EXPECT_EQ(255, s->getOpacity());
    EXPECT_FALSE(s->isOpacityModifyRGB());

    ASSERT_TRUE(s->initWithFile(file.c_str()));
    s->setColor(ccc3(200, 100, 50));
    s->setOpacity(128);
    s->setOpacityModifyRGB(true);
    EXPECT_TRUE(s->cellAt(0, 0)->getColor() == ccc3(200, 100, 50));
    EXPECT_EQ(128, s->cellAt(2, 2)->getOpacity());
    EXPECT_TRUE(s->cellAt(1, 1)->isOpacityModifyRGB());
    // A rebuild keeps the tint.
    s->setCapInsets(CCRect(5, 5, 20, 20));
    EXPECT_TRUE(s->getColor() == ccc3(200, 100, 50));
    EXPECT_TRUE(s->cellAt(1, 2)->getColor() == ccc3(200, 100, 50));
    EXPECT_EQ(128, s->cellAt(1, 2)->getOpacity());

    // A cascading parent's colour and opacity replace the stored ones.
    CCNodeRGBA* parent = CCNodeRGBA::create();
    parent->setCascadeColorEnabled(true);
    parent->setCascadeOpacityEnabled(true);
    parent->addChild(s);
    parent->setColor(ccc3(0, 255, 0));
    parent->setOpacity(90);
    EXPECT_TRUE(s->getColor() == ccc3(0, 255, 0));
    EXPECT_EQ(90, s->getOpacity());
    EXPECT_TRUE(s->cellAt(0, 1)->getColor() == ccc3(0, 255, 0));
}

TEST(Scale9Sprite, NineCellsDrawInOneCallAndStretchOnScreen)
{
    FrameDriver driver;
    if (!startRendering(driver, 320, 480)) GTEST_SKIP() << "no display: run under xvfb-run";
    // Corners red, edges green, centre blue.
    const std::string file = writePNG("tricolour.png", 30, 30, [](int x, int y) {
        const bool midX = x >= 10 && x < 20, midY = y >= 10 && y < 20;
        if (midX && midY) return kBlue;
        return (midX || midY) ? kGreen : kRed;
    });
    CCScene* empty = CCScene::create();
    driver.show(empty);
    driver.step();
    const unsigned int baseline = CCFrameCapture::drawCallsLastFrame();

    CCScale9Sprite* s = CCScale9Sprite::create();
    ASSERT_TRUE(s->initWithFile(file.c_str()));
    s->setPreferredSize(CCSize(300, 200));
    s->setPosition(320, 480); // spans x 170..470, y 380..580
    CCScene* scene = CCScene::create();
    scene->addChild(s);
    driver.show(scene);
    driver.step();
    EXPECT_EQ(baseline + 1, CCFrameCapture::drawCallsLastFrame());

    EXPECT_TRUE(near(pixelAt(320, 480), 0, 0, 255)) << describe(pixelAt(320, 480));
    EXPECT_TRUE(near(pixelAt(176, 386), 255, 0, 0)) << describe(pixelAt(176, 386));  // corner keeps 10 px
    EXPECT_TRUE(near(pixelAt(464, 574), 255, 0, 0)) << describe(pixelAt(464, 574));
    EXPECT_TRUE(near(pixelAt(320, 386), 0, 255, 0)) << describe(pixelAt(320, 386));  // bottom edge
    EXPECT_TRUE(near(pixelAt(176, 480), 0, 255, 0)) << describe(pixelAt(176, 480));  // left edge
    EXPECT_TRUE(near(pixelAt(200, 480), 0, 0, 255)) << describe(pixelAt(200, 480));  // centre reaches in
    EXPECT_TRUE(near(pixelAt(160, 480), 0, 0, 0)) << describe(pixelAt(160, 480));    // outside
    stopRendering();
}

} // namespace
} // namespace widgettest
} // namespace cc
