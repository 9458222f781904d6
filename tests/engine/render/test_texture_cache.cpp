// The texture cache with pictures wanted soon: they are decoded in the
// background and only taken over by addImage; their textures survive purges.
// The director's purge when a scene leaves drops what only that scene showed,
// keeps the sheets still on screen, and a texture read from a file lets its
// CPU copy go once uploaded and reads the file again for a new GL context.
#include "RenderFixture.h"

#include "base/CCLog.h"
#include "render/CCImage.h"
#include "render/CCImageDecoder.h"
#include "render/CCSprite.h"
#include "render/CCSpriteFrameCache.h"
#include "render/CCTexture2D.h"
#include "render/CCTextureCache.h"
#include "scene/CCDirector.h"
#include "scene/CCScene.h"

#include <cstdio>
#include <fstream>

namespace cc {
namespace rendertest {

namespace {
CCScene* sceneShowing(const std::string& picture)
{
    CCScene* scene = CCScene::create();
    CCSprite* sprite = CCSprite::create(picture.c_str());
    EXPECT_NE(nullptr, sprite);
    if (sprite) {
        sprite->setPosition(CCPoint(320, 480));
        scene->addChild(sprite);
    }
    return scene;
}

// A format 1 sheet of two frames cut from the picture.
std::string writeSheet(const std::string& plist, const std::string& picture)
{
    const std::string name = picture.substr(picture.find_last_of('/') + 1);
    std::ofstream(plist) << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
                            "<key>frames</key><dict>"
                            "<key>s0</key><dict><key>frame</key><string>{{0,0},{8,8}}</string></dict>"
                            "<key>s1</key><dict><key>frame</key><string>{{8,0},{8,8}}</string></dict>"
                            "</dict><key>metadata</key><dict><key>format</key><integer>1</integer>"
                            "<key>textureFileName</key><string>"
                         << name << "</string></dict></dict></plist>\n";
    return plist;
}
} // namespace

TEST(TextureCache, PicturesWantedSoonAreDecodedAheadTakenOverAndKeptThroughPurges)
{
    FrameDriver driver;
    CCTextureCache* cache = CCTextureCache::sharedTextureCache();
    cache->removeAllTextures();
    const std::string a = tempPath("soon-a.png"), b = tempPath("soon-b.png"), c = tempPath("soon-c.png");
    ASSERT_TRUE(writePNG(a, 40, 30, [](int x, int y) { return ccc4(x * 6, y * 8, 10, 255); }));
    ASSERT_TRUE(writePNG(b, 16, 16, [](int, int) { return ccc4(0, 0, 255, 255); }));
    ASSERT_TRUE(writePNG(c, 16, 16, [](int, int) { return ccc4(0, 255, 0, 255); }));

    // c is a texture already: it is kept, not decoded again.
    cache->addImage(c.c_str());
    cache->prefetchImages({a, b, c});
    EXPECT_TRUE(CCImageDecoder::shared().isWanted(a));
    EXPECT_FALSE(CCImageDecoder::shared().isWanted(c));
    CCImageDecoder::shared().waitUntilDone();

    CCTexture2D* texture = cache->addImage(a.c_str());
    ASSERT_NE(nullptr, texture);
    EXPECT_FALSE(CCImageDecoder::shared().isWanted(a)); // taken over
    std::vector<unsigned char> expected;
    int w = 0, h = 0;
    std::string why;
    ASSERT_TRUE(CCImage::decodeFile(a, expected, w, h, why));
    ASSERT_NE(nullptr, texture->getPixels());
    EXPECT_EQ(std::vector<unsigned char>(texture->getPixels(), texture->getPixels() + expected.size()), expected);
    EXPECT_EQ(40u, texture->getPixelsWide());

    // Only the cache holds a and c, but both are wanted soon: the purge keeps them.
    CCDirector::sharedDirector()->purgeCachedData();
    EXPECT_EQ(texture, cache->textureForKey(a.c_str()));
    EXPECT_NE(nullptr, cache->textureForKey(c.c_str()));
    EXPECT_TRUE(cache->isWantedSoon(c.c_str()));
    // Wanted no more: the next purge lets them go, and b's pixels are dropped.
    cache->prefetchImages({});
    EXPECT_FALSE(CCImageDecoder::shared().isWanted(b));
    CCDirector::sharedDirector()->purgeCachedData();
    EXPECT_EQ(nullptr, cache->textureForKey(a.c_str()));
    EXPECT_EQ(nullptr, cache->textureForKey(c.c_str()));

    // A broken picture wanted soon still says once why it cannot load.
    const std::string broken = tempPath("soon-broken.png");
    std::ofstream(broken) << "not a picture";
    cache->prefetchImages({broken});
    CCImageDecoder::shared().waitUntilDone();
    CCLogCapture log;
    EXPECT_TRUE(cache->addImage(broken.c_str())->isEmpty());
    EXPECT_EQ(1u, log.lines().size());
    cache->prefetchImages({});
    cache->removeAllTextures();
    for (const std::string& f : {a, b, c, broken}) std::remove(f.c_str());
}

// A page's pictures share one pixel budget whether they were decoded ahead
// or on the spot: a picture decoded in the background that passes what is
// left is refused where it is taken over, with the same one line.
TEST(TextureCache, PicturesDecodedAheadCountAgainstThePagesPixelBudget)
{
    FrameDriver driver;
    CCTextureCache* cache = CCTextureCache::sharedTextureCache();
    cache->removeAllTextures();
    const std::string a = tempPath("budget-a.png"), b = tempPath("budget-b.png");
    ASSERT_TRUE(writePNG(a, 64, 64, [](int x, int y) { return ccc4(x, y, 10, 255); }));
    ASSERT_TRUE(writePNG(b, 64, 64, [](int x, int y) { return ccc4(y, x, 90, 255); }));
    cache->prefetchImages({a, b});
    CCImageDecoder::shared().waitUntilDone();
    ASSERT_EQ(2u, CCImageDecoder::shared().readyCount());
    {
        CCPagePixelBudget budget(64 * 64 + 100);
        EXPECT_EQ(64u, cache->addImage(a.c_str())->getPixelsWide());
        CCLogCapture log;
        EXPECT_TRUE(cache->addImage(b.c_str())->isEmpty());
        ASSERT_EQ(1u, log.lines().size());
        EXPECT_NE(std::string::npos, log.lines()[0].find(b + " refused: its 64 x 64 pixels pass what is left of the page's budget"))
            << log.lines()[0];
    }
    cache->prefetchImages({});
    cache->removeAllTextures();
    for (const std::string& f : {a, b}) std::remove(f.c_str());
}

TEST(TextureCache, ALeavingSceneTakesItsPicturesAlongButNotASheetStillOnScreen)
{
    FrameDriver driver;
    CCTextureCache* textures = CCTextureCache::sharedTextureCache();
    CCSpriteFrameCache* frames = CCSpriteFrameCache::sharedSpriteFrameCache();
    textures->removeAllTextures();
    frames->removeSpriteFrames();
    driver.director()->setPurgeCachesOnSceneChange(true);
    const std::string first = tempPath("leave-first.png"), second = tempPath("leave-second.png");
    const std::string sheetPicture = tempPath("leave-sheet.png");
    ASSERT_TRUE(writePNG(first, 32, 32, [](int, int) { return ccc4(255, 0, 0, 255); }));
    ASSERT_TRUE(writePNG(second, 32, 32, [](int, int) { return ccc4(0, 255, 0, 255); }));
    ASSERT_TRUE(writePNG(sheetPicture, 16, 8, [](int, int) { return ccc4(0, 0, 255, 255); }));
    const std::string sheet = writeSheet(tempPath("leave-sheet.plist"), sheetPicture);

    driver.show(sceneShowing(first));
    EXPECT_NE(nullptr, textures->textureForKey(first.c_str()));
    // The second scene shows a frame of the sheet, and the second picture.
    frames->addSpriteFramesWithFile(sheet.c_str());
    CCScene* withSheet = sceneShowing(second);
    withSheet->addChild(CCSprite::createWithSpriteFrameName("s0"));
    driver.show(withSheet);
    EXPECT_EQ(nullptr, textures->textureForKey(first.c_str()));
    EXPECT_NE(nullptr, textures->textureForKey(second.c_str()));
    // s1 is shown by nobody, but its sheet is on screen: the sheet stays whole.
    EXPECT_TRUE(frames->hasSpriteFrame("s1"));
    EXPECT_NE(nullptr, textures->textureForKey(sheetPicture.c_str()));

    // A scene without any of them: the sheet and its picture go as well...
    textures->prefetchImages({second});
    driver.show(CCScene::create());
    EXPECT_FALSE(frames->hasSpriteFrame("s0"));
    EXPECT_EQ(nullptr, textures->textureForKey(sheetPicture.c_str()));
    // ...except the picture wanted soon.
    EXPECT_NE(nullptr, textures->textureForKey(second.c_str()));
    // A sheet that went is read again in full when asked for.
    frames->addSpriteFramesWithFile(sheet.c_str());
    EXPECT_TRUE(frames->hasSpriteFrame("s0"));
    EXPECT_TRUE(frames->hasSpriteFrame("s1"));

    // Without the setting nothing goes by itself.
    driver.director()->setPurgeCachesOnSceneChange(false);
    driver.show(sceneShowing(first));
    driver.show(CCScene::create());
    EXPECT_NE(nullptr, textures->textureForKey(first.c_str()));
    textures->prefetchImages({});
    frames->removeSpriteFrames();
    textures->removeAllTextures();
    for (const std::string& f : {first, second, sheetPicture, sheet}) std::remove(f.c_str());
}

class TextureReload : public RenderTest {};

TEST_F(TextureReload, AnUploadedFilePictureLetsItsPixelsGoAndIsReadAgainForANewContext)
{
    const std::string picture = tempPath("reload.png");
    ASSERT_TRUE(writePNG(picture, 64, 64, [](int, int) { return ccc4(250, 120, 0, 255); }));
    CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage(picture.c_str());
    texture->retain();
    CCScene* scene = CCScene::create();
    CCSprite* sprite = CCSprite::createWithTexture(texture);
    sprite->setScale(20);
    sprite->setPosition(CCPoint(320, 480));
    scene->addChild(sprite);
    EXPECT_NE(nullptr, texture->getPixels());
    driver->show(scene);
    EXPECT_TRUE(rendertest::near(at(320, 480), 250, 120, 0)) << rendertest::describe(at(320, 480));
    EXPECT_EQ(nullptr, texture->getPixels()); // on the GPU only
    EXPECT_EQ(64u, texture->getPixelsWide());

    // A new GL context: the texture is made again from the file.
    tearDownHiddenRendering();
    ASSERT_TRUE(setUpHiddenRendering(kFrameWidth, kFrameHeight));
    driver->step();
    EXPECT_TRUE(rendertest::near(at(320, 480), 250, 120, 0)) << rendertest::describe(at(320, 480));
    texture->release();
    CCTextureCache::sharedTextureCache()->removeTextureForKey(picture.c_str());
    std::remove(picture.c_str());
}

} // namespace rendertest
} // namespace cc
