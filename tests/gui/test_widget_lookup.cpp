// Widget lookup: depth-first pre-order search by name and action tag, and
// sprite sheets loaded once per name.
#include "GuiTestSupport.h"
#include "ScratchFolder.h"

#include "gui/Layout.h"
#include "gui/WidgetLookup.h"
#include "render/CCImage.h"
#include "render/CCSpriteFrameCache.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <unistd.h>

using namespace cc;
using namespace cc::guitest;

namespace {
UIWidget* leaf(const char* name, int actionTag)
{
    UIWidget* w = UIWidget::create();
    w->setName(name);
    w->setActionTag(actionTag);
    return w;
}
} // namespace

TEST(WidgetLookup, SearchIsDepthFirstPreOrderAndTheFirstMatchWins)
{
    FrameDriver driver;
    WidgetLookup* lookup = WidgetLookup::shareWidgetLookup();
    Layout* root = Layout::create();
    root->setName("root");
    Layout* early = Layout::create();
    early->setName("early");
    UIWidget* deep = leaf("target", 7);
    UIWidget* unnamedA = leaf("default", 3);
    UIWidget* later = leaf("target", 7);
    UIWidget* unnamedB = leaf("default", 0);
    root->addChild(early);
    early->addChild(unnamedA);
    early->addChild(deep);
    root->addChild(later);
    root->addChild(unnamedB);

    EXPECT_EQ(root, lookup->findWidgetByName(root, "root"));
    EXPECT_EQ(deep, lookup->findWidgetByName(root, "target"));
    EXPECT_EQ(unnamedA, lookup->findWidgetByName(root, "default"));
    EXPECT_EQ(nullptr, lookup->findWidgetByName(root, "Target"));
    EXPECT_EQ(nullptr, lookup->findWidgetByName(nullptr, "target"));
    EXPECT_EQ(deep, lookup->findWidgetByActionTag(root, 7));
    EXPECT_EQ(unnamedA, lookup->findWidgetByActionTag(root, 3));
    EXPECT_EQ(root, lookup->findWidgetByActionTag(root, 0));
    EXPECT_EQ(nullptr, lookup->findWidgetByActionTag(root, 99));

    // Child order is zOrder order: raising the early panel puts "later" first.
    early->setZOrder(1);
    EXPECT_EQ(later, lookup->findWidgetByName(root, "target"));
    WidgetLookup::purgeWidgetLookup();
}

TEST(WidgetLookup, ASpriteSheetIsLoadedOncePerName)
{
    FrameDriver driver;
    quibotest::ScratchTemplate dir("quibo-lookup-XXXXXX");
    ASSERT_NE(nullptr, mkdtemp(dir));
    const std::string png = std::string(dir) + "/sheet.png";
    const std::string plist = std::string(dir) + "/sheet.plist";
    std::vector<unsigned char> white(16 * 16 * 4, 255);
    ASSERT_TRUE(CCImage::savePNG(png, white.data(), 16, 16));
    std::ofstream(plist) << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
                            "<key>frames</key><dict><key>dot.png</key><dict>"
                            "<key>frame</key><string>{{0,0},{8,8}}</string>"
                            "<key>offset</key><string>{0,0}</string><key>rotated</key><false/>"
                            "<key>sourceSize</key><string>{8,8}</string></dict></dict>"
                            "<key>metadata</key><dict><key>format</key><integer>2</integer>"
                            "<key>textureFileName</key><string>sheet.png</string></dict></dict></plist>\n";
    CCSpriteFrameCache* cache = CCSpriteFrameCache::sharedSpriteFrameCache();
    WidgetLookup* lookup = WidgetLookup::shareWidgetLookup();
    lookup->loadSpriteSheet(nullptr);
    lookup->loadSpriteSheet("");
    EXPECT_FALSE(lookup->isSpriteSheetLoaded(""));

    lookup->loadSpriteSheet(plist.c_str());
    EXPECT_TRUE(lookup->isSpriteSheetLoaded(plist.c_str()));
    ASSERT_NE(nullptr, cache->spriteFrameByName("dot.png"));
    // Take the frames away behind the lookup's back: a second load must not bring them back.
    cache->removeSpriteFramesFromFile(plist.c_str());
    ASSERT_EQ(nullptr, cache->spriteFrameByName("dot.png"));
    lookup->loadSpriteSheet(plist.c_str());
    EXPECT_EQ(nullptr, cache->spriteFrameByName("dot.png"));

    // A fresh service has forgotten the names.
    WidgetLookup::purgeWidgetLookup();
    lookup = WidgetLookup::shareWidgetLookup();
    EXPECT_FALSE(lookup->isSpriteSheetLoaded(plist.c_str()));
    EXPECT_FLOAT_EQ(640, lookup->getFileDesignWidth());
    lookup->loadSpriteSheet(plist.c_str());
    EXPECT_NE(nullptr, cache->spriteFrameByName("dot.png"));
    WidgetLookup::purgeWidgetLookup();
    std::remove(png.c_str());
    std::remove(plist.c_str());
    rmdir(dir);
}
