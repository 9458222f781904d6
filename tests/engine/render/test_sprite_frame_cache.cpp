// Images, textures, caches and sprite sheets without any window: sizes come
// from the decoded pictures, bad input gives empty results and one log line.
#include "RenderFixture.h"

#include "base/CCLog.h"
#include "render/CCImage.h"
#include "render/CCSprite.h"
#include "render/CCSpriteBatchNode.h"
#include "render/CCSpriteFrame.h"
#include "render/CCSpriteFrameCache.h"
#include "render/CCTexture2D.h"
#include "render/CCTextureCache.h"
#include "scene/CCDirector.h"

#include <cstdio>
#include <fstream>

namespace cc {
namespace rendertest {

namespace {
std::string sheetXML(const std::string& frames, int format, const std::string& texture)
{
    std::string meta = "<key>metadata</key><dict><key>format</key><integer>" + std::to_string(format) + "</integer>";
    if (!texture.empty()) meta += "<key>textureFileName</key><string>" + texture + "</string>";
    meta += "</dict>";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict><key>frames</key><dict>" + frames +
           "</dict>" + meta + "</dict></plist>\n";
}
} // namespace

TEST(TexturesAndSheets, ImagesDecodeWithoutAWindowAndBadOnesGiveEmptyTextures)
{
    FrameDriver driver;
    const std::string png = tempPath("logic.png");
    ASSERT_TRUE(writePNG(png, 48, 24, [](int x, int y) { return ccc4(x * 5, y * 10, 0, 255); }));
    CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage(png.c_str());
    ASSERT_NE(nullptr, texture);
    EXPECT_EQ(48, texture->getContentSize().width);
    EXPECT_EQ(24, texture->getContentSize().height);
    ASSERT_NE(nullptr, texture->getPixels());
    EXPECT_EQ(50, texture->getPixels()[(2 * 48 + 10) * 4]); // red of pixel (10, 2)
    EXPECT_EQ(texture, CCTextureCache::sharedTextureCache()->addImage(png.c_str()));
    CCSprite* sprite = CCSprite::create(png.c_str());
    ASSERT_NE(nullptr, sprite);
    EXPECT_EQ(48, sprite->getContentSize().width);
    sprite->visit(); // no renderer: nothing is drawn, nothing breaks

    CCLogCapture log;
    CCTexture2D* missing = CCTextureCache::sharedTextureCache()->addImage("no/such/picture.png");
    ASSERT_NE(nullptr, missing);
    EXPECT_TRUE(missing->isEmpty());
    EXPECT_EQ(0, missing->getContentSize().width);
    EXPECT_EQ(1u, log.lines().size());
    EXPECT_EQ(nullptr, CCSprite::create("no/such/picture.png"));
    EXPECT_EQ(nullptr, CCSpriteBatchNode::create("no/such/picture.png", 9));
    EXPECT_EQ(1u, log.lines().size()) << "the failure is logged once";

    const std::string corrupt = tempPath("corrupt.png");
    std::ofstream(corrupt) << "this is not a picture";
    log.clear();
    EXPECT_TRUE(CCTextureCache::sharedTextureCache()->addImage(corrupt.c_str())->isEmpty());
    EXPECT_EQ(1u, log.lines().size());
    CCSprite* empty = CCSprite::create();
    ASSERT_NE(nullptr, empty);
    EXPECT_FALSE(empty->initWithFile(corrupt.c_str()));
    EXPECT_EQ(0, empty->getContentSize().width);

    // The purge drops textures nobody else holds.
    CCTextureCache::sharedTextureCache()->removeTextureForKey(corrupt.c_str());
    const unsigned int before = CCTextureCache::sharedTextureCache()->count();
    CCDirector::sharedDirector()->purgeCachedData();
    EXPECT_LT(CCTextureCache::sharedTextureCache()->count(), before);
    CCTextureCache::sharedTextureCache()->removeAllTextures();
    std::remove(png.c_str());
    std::remove(corrupt.c_str());
}

TEST(TexturesAndSheets, SheetsInEveryFormatLoadTheirFramesAndTextureByName)
{
    FrameDriver driver;
    const std::string png = tempPath("sheet.png");
    ASSERT_TRUE(writePNG(png, 64, 32, [](int, int) { return ccc4(255, 255, 255, 255); }));
    const std::string textureName = png.substr(png.find_last_of('/') + 1);
    CCSpriteFrameCache* cache = CCSpriteFrameCache::sharedSpriteFrameCache();

    const std::string f0 = tempPath("f0.plist");
    std::ofstream(f0) << sheetXML("<key>a0</key><dict><key>x</key><real>2</real><key>y</key><real>4</real>"
                                  "<key>width</key><real>10</real><key>height</key><real>12</real>"
                                  "<key>offsetX</key><real>1</real><key>offsetY</key><real>-1</real>"
                                  "<key>originalWidth</key><real>14</real><key>originalHeight</key><real>16</real></dict>",
                                  0, textureName);
    cache->addSpriteFramesWithFile(f0.c_str());
    CCSpriteFrame* a0 = cache->spriteFrameByName("a0");
    ASSERT_NE(nullptr, a0);
    EXPECT_TRUE(a0->getRect().equals(CCRect(2, 4, 10, 12)));
    EXPECT_EQ(CCPoint(1, -1), a0->getOffset());
    EXPECT_EQ(CCSize(14, 16), a0->getOriginalSize());
    EXPECT_EQ(64u, a0->getTexture()->getPixelsWide());

    const std::string f1 = tempPath("f1.plist");
    std::ofstream(f1) << sheetXML("<key>a1</key><dict><key>frame</key><string>{{20,0},{8,6}}</string>"
                                  "<key>offset</key><string>{0,0}</string><key>sourceSize</key><string>{8,6}</string></dict>",
                                  1, textureName);
    cache->addSpriteFramesWithFile(f1.c_str());
    ASSERT_NE(nullptr, cache->spriteFrameByName("a1"));
    EXPECT_FALSE(cache->spriteFrameByName("a1")->isRotated());

    // Format 3 names its texture only through the sheet's own name.
    const std::string f3 = png.substr(0, png.size() - 4) + ".plist";
    std::ofstream(f3) << sheetXML("<key>a3</key><dict><key>spriteSize</key><string>{6,9}</string>"
                                  "<key>textureRect</key><string>{{30,2},{9,6}}</string>"
                                  "<key>textureRotated</key><true/><key>spriteOffset</key><string>{2,3}</string>"
                                  "<key>spriteSourceSize</key><string>{10,13}</string>"
                                  "<key>aliases</key><array><string>alias3</string></array></dict>",
                                  3, "");
    cache->addSpriteFramesWithFile(f3.c_str());
    CCSpriteFrame* a3 = cache->spriteFrameByName("a3");
    ASSERT_NE(nullptr, a3);
    EXPECT_TRUE(a3->isRotated());
    EXPECT_TRUE(a3->getRect().equals(CCRect(30, 2, 6, 9)));
    EXPECT_EQ(CCPoint(2, 3), a3->getOffset());
    EXPECT_EQ(a3, cache->spriteFrameByName("alias3"));

    CCSprite* sprite = CCSprite::createWithSpriteFrameName("a0");
    ASSERT_NE(nullptr, sprite);
    EXPECT_EQ(CCSize(14, 16), sprite->getContentSize());
    EXPECT_TRUE(sprite->isFrameDisplayed(a0));
    // What a sprite shows can be named back from the cache (tools describe sprites so).
    EXPECT_EQ("a0", cache->nameOfFrame(sprite->getTexture(), sprite->getTextureRect()));
    EXPECT_EQ("a3", cache->nameOfFrame(a3->getTexture(), CCRect(30, 2, 6, 9)));
    EXPECT_EQ("", cache->nameOfFrame(sprite->getTexture(), CCRect(0, 0, 1, 1)));
    EXPECT_EQ("", cache->nameOfFrame(nullptr, CCRect(2, 4, 10, 12)));

    // A sheet whose texture is missing loads no frames; unknown names are null.
    const std::string bad = tempPath("bad.plist");
    std::ofstream(bad) << sheetXML("<key>b0</key><dict><key>frame</key><string>{{0,0},{4,4}}</string></dict>", 2,
                                   "missing-texture.png");
    CCLogCapture log;
    cache->addSpriteFramesWithFile(bad.c_str());
    EXPECT_FALSE(cache->hasSpriteFrame("b0"));
    EXPECT_EQ(nullptr, cache->spriteFrameByName("b0"));
    EXPECT_EQ(nullptr, CCSprite::createWithSpriteFrameName("b0"));
    EXPECT_FALSE(log.lines().empty());
    cache->addSpriteFramesWithFile("no/such/sheet.plist");

    cache->removeSpriteFramesFromFile(f1.c_str());
    EXPECT_FALSE(cache->hasSpriteFrame("a1"));
    EXPECT_TRUE(cache->hasSpriteFrame("a0"));
    cache->removeSpriteFrames();
    CCTextureCache::sharedTextureCache()->removeAllTextures();
    for (const std::string& f : {png, f0, f1, f3, bad}) std::remove(f.c_str());
}

TEST(TexturesAndSheets, FramesOutsideTheirTextureAreClippedOrRefusedWithOneLineEach)
{
    FrameDriver driver;
    const std::string png = tempPath("edge.png");
    ASSERT_TRUE(writePNG(png, 64, 32, [](int, int) { return ccc4(255, 255, 255, 255); }));
    const std::string textureName = png.substr(png.find_last_of('/') + 1);
    auto frame = [](const std::string& name, const std::string& rect, const std::string& source) {
        return "<key>" + name + "</key><dict><key>frame</key><string>" + rect +
               "</string><key>offset</key><string>{0,0}</string><key>rotated</key><false/>"
               "<key>sourceSize</key><string>" + source + "</string></dict>";
    };
    const std::string sheet = tempPath("edge.plist");
    std::ofstream(sheet) << sheetXML(frame("inside", "{{0,0},{16,16}}", "{16,16}") +
                                         frame("across", "{{48,16},{32,32}}", "{32,32}") +
                                         frame("beyond", "{{1000000,0},{10,10}}", "{10,10}") +
                                         frame("garbled", "{{a,b},{c,d}}", "{10,10}") +
                                         frame("infinite", "{{0,0},{1e999,4}}", "{4,4}") +
                                         frame("vast", "{{0,0},{8,8}}", "{3000000,3000000}"),
                                     2, textureName);
    CCSpriteFrameCache* cache = CCSpriteFrameCache::sharedSpriteFrameCache();
    CCLogCapture log;
    cache->addSpriteFramesWithFile(sheet.c_str());
    EXPECT_EQ(5u, log.lines().size()); // across, beyond, garbled, infinite, vast
    for (const char* name : {"across", "beyond", "garbled", "infinite", "vast"}) {
        bool named = false;
        for (const std::string& l : log.lines()) named = named || l.find(std::string("frame ") + name + " ") != std::string::npos;
        EXPECT_TRUE(named) << name;
    }
    ASSERT_TRUE(cache->hasSpriteFrame("inside"));
    EXPECT_TRUE(cache->spriteFrameByName("inside")->getRect().equals(CCRect(0, 0, 16, 16)));
    ASSERT_TRUE(cache->hasSpriteFrame("across"));
    EXPECT_TRUE(cache->spriteFrameByName("across")->getRect().equals(CCRect(48, 16, 16, 16)));
    EXPECT_FALSE(cache->hasSpriteFrame("beyond"));
    EXPECT_FALSE(cache->hasSpriteFrame("garbled"));
    EXPECT_FALSE(cache->hasSpriteFrame("infinite"));
    ASSERT_TRUE(cache->hasSpriteFrame("vast"));
    EXPECT_EQ(CCSize(8, 8), cache->spriteFrameByName("vast")->getOriginalSize());
    CCSprite* sprite = CCSprite::createWithSpriteFrameName("vast");
    ASSERT_NE(nullptr, sprite);
    EXPECT_EQ(CCSize(8, 8), sprite->getContentSize());
    cache->removeSpriteFrames();
    CCTextureCache::sharedTextureCache()->removeAllTextures();
    for (const std::string& f : {png, sheet}) std::remove(f.c_str());
}

} // namespace rendertest
} // namespace cc
