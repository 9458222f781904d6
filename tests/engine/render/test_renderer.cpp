// Frames drawn in a hidden window, read back pixel by pixel: colour layers,
// gradients, clipping, sprite-sheet frames, colour and opacity, draw calls.
#include "RenderFixture.h"

#include "render/CCClippingNode.h"
#include "render/CCDrawNode.h"
#include "render/CCImage.h"
#include "render/CCSprite.h"
#include "render/CCSpriteBatchNode.h"
#include "render/CCSpriteFrameCache.h"
#include "render/CCTexture2D.h"
#include "render/CCTextureCache.h"
#include "scene/CCDirector.h"
#include "scene/CCLayer.h"
#include "scene/CCScene.h"

#include <cstdio>
#include <fstream>

namespace cc {
namespace rendertest {

TEST_F(RenderTest, RedColourLayerFillsItsRectangleAndFramesSaveAsPNG)
{
    CCScene* scene = CCScene::create();
    CCLayerColor* red = CCLayerColor::create(ccc4(255, 0, 0, 255), 200, 100);
    red->setPosition(100, 200);
    scene->addChild(red);
    driver->show(scene);
    driver->step();

    EXPECT_TRUE(near(at(110, 210), 255, 0, 0)) << describe(at(110, 210));
    EXPECT_TRUE(near(at(290, 290), 255, 0, 0)) << describe(at(290, 290));
    EXPECT_TRUE(near(at(90, 250), 0, 0, 0)) << describe(at(90, 250));
    EXPECT_TRUE(near(at(200, 310), 0, 0, 0)) << describe(at(200, 310));

    const std::string png = tempPath("frame.png");
    ASSERT_TRUE(CCFrameCapture::saveToPNG(png));
    CCImage image;
    ASSERT_TRUE(image.initWithImageFile(png));
    EXPECT_EQ(kFrameWidth, image.getWidth());
    EXPECT_EQ(kFrameHeight, image.getHeight());
    unsigned char px[4];
    image.pixelAt(100, kFrameHeight - 125, px); // design (200, 250)
    EXPECT_EQ(255, px[0]);
    EXPECT_EQ(0, px[2]);
    std::remove(png.c_str());
}

TEST_F(RenderTest, GradientRunsAlongItsVector)
{
    CCScene* scene = CCScene::create();
    CCLayerGradient* gradient = CCLayerGradient::create(ccc4(255, 0, 0, 255), ccc4(0, 0, 255, 255));
    scene->addChild(gradient);
    driver->show(scene);
    driver->step();
    // Default vector (0, -1): the start colour at the top.
    ccColor4B top = at(320, 950), bottom = at(320, 10), middle = at(320, 480);
    EXPECT_GT(top.r, 230) << describe(top);
    EXPECT_LT(top.b, 25) << describe(top);
    EXPECT_GT(bottom.b, 230) << describe(bottom);
    EXPECT_LT(bottom.r, 25) << describe(bottom);
    EXPECT_TRUE(near(middle, 128, 0, 128, 20)) << describe(middle);

    gradient->setVector(CCPoint(1, 0));
    driver->step();
    ccColor4B left = at(10, 480), right = at(630, 480);
    EXPECT_GT(left.r, 230) << describe(left);
    EXPECT_GT(right.b, 230) << describe(right);
    EXPECT_TRUE(near(at(320, 900), at(320, 60).r, 0, at(320, 60).b, 8)) << "a horizontal gradient is the same up and down";
}

TEST_F(RenderTest, ClippingNodeShowsContentOnlyInsideItsStencil)
{
    CCScene* scene = CCScene::create();
    CCDrawNode* stencil = CCDrawNode::create();
    const CCPoint square[4] = {CCPoint(200, 380), CCPoint(440, 380), CCPoint(440, 580), CCPoint(200, 580)};
    stencil->drawPolygon(square, 4, ccc4f(1, 1, 1, 1), 0, ccc4f(0, 0, 0, 0));
    CCClippingNode* clip = CCClippingNode::create(stencil);
    CCTexture2D* white = new CCTexture2D();
    const unsigned char pixels[4 * 4] = {255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255};
    ASSERT_TRUE(white->initWithRGBA(pixels, 2, 2));
    CCSprite* sprite = CCSprite::createWithTexture(white);
    white->release();
    sprite->setScale(320); // 640 x 640 design points of red
    sprite->setPosition(320, 480);
    clip->addChild(sprite);
    scene->addChild(clip);
    driver->show(scene);
    driver->step();

    EXPECT_TRUE(near(at(320, 480), 255, 0, 0)) << describe(at(320, 480));
    EXPECT_TRUE(near(at(210, 390), 255, 0, 0)) << describe(at(210, 390));
    EXPECT_TRUE(near(at(150, 480), 0, 0, 0)) << "left of the stencil " << describe(at(150, 480));
    EXPECT_TRUE(near(at(320, 620), 0, 0, 0)) << "above the stencil " << describe(at(320, 620));
    EXPECT_TRUE(near(at(320, 300), 0, 0, 0)) << "below the stencil " << describe(at(320, 300));

    clip->setInverted(true);
    driver->step();
    EXPECT_TRUE(near(at(320, 480), 0, 0, 0)) << describe(at(320, 480));
    EXPECT_TRUE(near(at(150, 480), 255, 0, 0)) << describe(at(150, 480));

    // Nested clips show only where both stencils agree.
    clip->setInverted(false);
    CCDrawNode* inner = CCDrawNode::create();
    const CCPoint left[4] = {CCPoint(0, 0), CCPoint(320, 0), CCPoint(320, 960), CCPoint(0, 960)};
    inner->drawPolygon(left, 4, ccc4f(1, 1, 1, 1), 0, ccc4f(0, 0, 0, 0));
    CCClippingNode* innerClip = CCClippingNode::create(inner);
    sprite->retain();
    sprite->removeFromParentAndCleanup(false);
    innerClip->addChild(sprite);
    sprite->release();
    clip->addChild(innerClip);
    driver->step();
    EXPECT_TRUE(near(at(260, 480), 255, 0, 0)) << describe(at(260, 480));
    EXPECT_TRUE(near(at(380, 480), 0, 0, 0)) << describe(at(380, 480));
    EXPECT_TRUE(near(at(100, 480), 0, 0, 0)) << describe(at(100, 480));
}

TEST_F(RenderTest, RotatedSheetFrameShowsUpright)
{
    // The upright picture is 20 x 10: left half red, right half blue, with a
    // green top-left corner. The sheet stores it a quarter turn clockwise.
    auto upright = [](int x, int y) {
        if (x < 5 && y < 5) return ccc4(0, 255, 0, 255);
        return x < 10 ? ccc4(255, 0, 0, 255) : ccc4(0, 0, 255, 255);
    };
    const std::string png = tempPath("rotated.png"), plist = tempPath("rotated.plist");
    // Stored pixel (col, row) holds upright (row, 9 - col).
    ASSERT_TRUE(writePNG(png, 10, 20, [&](int col, int row) { return upright(row, 9 - col); }));
    std::ofstream(plist) << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
                            "<key>frames</key><dict><key>word.png</key><dict>"
                            "<key>frame</key><string>{{0,0},{20,10}}</string>"
                            "<key>offset</key><string>{0,0}</string><key>rotated</key><true/>"
                            "<key>sourceSize</key><string>{20,10}</string></dict></dict>"
                            "<key>metadata</key><dict><key>format</key><integer>2</integer>"
                            "<key>textureFileName</key><string>"
                         << png.substr(png.find_last_of('/') + 1) << "</string></dict></dict></plist>\n";
    CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFramesWithFile(plist.c_str());
    CCSprite* sprite = CCSprite::createWithSpriteFrameName("word.png");
    ASSERT_NE(nullptr, sprite);
    EXPECT_TRUE(sprite->isTextureRectRotated());
    EXPECT_EQ(20, sprite->getContentSize().width);
    EXPECT_EQ(10, sprite->getContentSize().height);
    sprite->setScale(20); // 400 x 200 design points
    sprite->setPosition(320, 480);
    CCScene* scene = CCScene::create();
    scene->addChild(sprite);
    driver->show(scene);
    driver->step();
    // Design box: x 120..520, y 380..580; green corner is x 120..220, y 480..580.
    EXPECT_TRUE(near(at(170, 530), 0, 255, 0)) << "top-left " << describe(at(170, 530));
    EXPECT_TRUE(near(at(170, 420), 255, 0, 0)) << "bottom-left " << describe(at(170, 420));
    EXPECT_TRUE(near(at(300, 530), 255, 0, 0)) << "top, left half " << describe(at(300, 530));
    EXPECT_TRUE(near(at(470, 530), 0, 0, 255)) << "top-right " << describe(at(470, 530));
    EXPECT_TRUE(near(at(470, 420), 0, 0, 255)) << "bottom-right " << describe(at(470, 420));

    sprite->setFlipX(true);
    driver->step();
    EXPECT_TRUE(near(at(470, 530), 0, 255, 0)) << "flipped top-right " << describe(at(470, 530));
    EXPECT_TRUE(near(at(170, 420), 0, 0, 255)) << "flipped bottom-left " << describe(at(170, 420));

    CCSpriteFrameCache::sharedSpriteFrameCache()->removeSpriteFrames();
    std::remove(png.c_str());
    std::remove(plist.c_str());
}

TEST_F(RenderTest, SpriteColourAndOpacityTintTheTexture)
{
    const unsigned char white[4] = {255, 255, 255, 255};
    CCTexture2D* texture = new CCTexture2D();
    ASSERT_TRUE(texture->initWithRGBA(white, 1, 1));
    CCSprite* sprite = CCSprite::createWithTexture(texture);
    texture->release();
    sprite->setScale(100);
    sprite->setPosition(320, 480);
    sprite->setColor(ccc3(0, 255, 0));
    sprite->setOpacity(128);
    CCScene* scene = CCScene::create();
    scene->addChild(sprite);
    driver->show(scene);
    driver->step();
    EXPECT_TRUE(near(at(320, 480), 0, 128, 0, 4)) << describe(at(320, 480));
    sprite->setVisible(false);
    driver->step();
    EXPECT_TRUE(near(at(320, 480), 0, 0, 0)) << describe(at(320, 480));
}

TEST_F(RenderTest, NineSpritesInOneBatchNodeAreOneDrawCall)
{
    const std::string png = tempPath("cells.png");
    ASSERT_TRUE(writePNG(png, 30, 30, [](int x, int y) { return ccc4(255, 255, 255, 255); }));
    CCSpriteBatchNode* batch = CCSpriteBatchNode::create(png.c_str(), 9);
    ASSERT_NE(nullptr, batch);
    for (int i = 0; i < 9; ++i) {
        CCSprite* cell = CCSprite::createWithTexture(batch->getTexture(), CCRect((i % 3) * 10, (i / 3) * 10, 10, 10));
        cell->setPosition(100 + (i % 3) * 40, 100 + (i / 3) * 40);
        cell->setScale(3);
        batch->addChild(cell, i % 3);
    }
    CCScene* scene = CCScene::create();
    scene->addChild(batch);
    driver->show(scene);
    driver->step();
    EXPECT_EQ(1u, CCFrameCapture::drawCallsLastFrame());
    EXPECT_TRUE(near(at(100, 100), 255, 255, 255)) << describe(at(100, 100));
    EXPECT_TRUE(near(at(180, 180), 255, 255, 255)) << describe(at(180, 180));

    // Interleaving another texture breaks the run: one call per run (the
    // first plain sprite shares the batch's texture and joins its run).
    const std::string other = tempPath("other.png");
    ASSERT_TRUE(writePNG(other, 4, 4, [](int, int) { return ccc4(0, 0, 255, 255); }));
    for (int i = 0; i < 3; ++i) {
        CCSprite* a = CCSprite::create(png.c_str());
        CCSprite* b = CCSprite::create(other.c_str());
        a->setPosition(400, 100 + i * 100);
        b->setPosition(500, 100 + i * 100);
        scene->addChild(a);
        scene->addChild(b);
    }
    driver->step();
    EXPECT_EQ(6u, CCFrameCapture::drawCallsLastFrame());
    std::remove(png.c_str());
    std::remove(other.c_str());
}

TEST_F(RenderTest, DrawNodePolygonHasFillAndBorderAndClears)
{
    CCDrawNode* node = CCDrawNode::create();
    const CCPoint box[4] = {CCPoint(200, 400), CCPoint(440, 400), CCPoint(440, 560), CCPoint(200, 560)};
    node->drawPolygon(box, 4, ccc4f(0, 0, 1, 1), 10, ccc4f(1, 1, 0, 1));
    CCScene* scene = CCScene::create();
    scene->addChild(node);
    driver->show(scene);
    driver->step();
    EXPECT_TRUE(near(at(320, 480), 0, 0, 255)) << describe(at(320, 480));
    EXPECT_TRUE(near(at(200, 480), 255, 255, 0)) << describe(at(200, 480));
    EXPECT_TRUE(near(at(320, 562), 255, 255, 0)) << describe(at(320, 562));
    EXPECT_TRUE(near(at(100, 480), 0, 0, 0)) << describe(at(100, 480));
    node->clear();
    EXPECT_EQ(0u, node->vertexCount());
    driver->step();
    EXPECT_TRUE(near(at(320, 480), 0, 0, 0)) << describe(at(320, 480));
}

} // namespace rendertest
} // namespace cc
