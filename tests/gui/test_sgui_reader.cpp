// File-level reading: the two messages on standard output, sprite sheets
// relative to the file's own folder and loaded once, two reads giving two
// trees, the design size, the stored animation section and the purge.
#include "ReaderTestSupport.h"

#include "gui/JsonFieldReader.h"
#include "gui/Layout.h"
#include "gui/WidgetLookup.h"
#include "gui/action/ActionManager.h"

#include "base/CCLog.h"
#include "platform/CCFileUtils.h"
#include "render/CCSpriteFrameCache.h"
#include "scene/CCDirector.h"

namespace cc {
namespace readertest {
namespace {

using ReaderFile = ReaderFixture;

TEST_F(ReaderFile, UnreadableFilesPrintTheReadMessageWithTheCallersPath)
{
    EXPECT_EQ(nullptr, read("no/such/layout.json"));
    EXPECT_EQ("read json file[no/such/layout.json] error!\n", printed);
    const std::string empty = writeFile("empty.json", "");
    EXPECT_EQ(nullptr, read(empty));
    EXPECT_EQ("read json file[" + empty + "] error!\n", printed);
    EXPECT_EQ(nullptr, read(scratchDir())); // a folder
    EXPECT_EQ("read json file[" + scratchDir() + "] error!\n", printed);
}

TEST_F(ReaderFile, DesignSizeIsRecordedOrReplacedByTheWindowWithTheMessage)
{
    const std::string tree = node("Panel", "\"width\": 10, \"height\": 10");
    ASSERT_NE(nullptr, readText("design.json", "{\"designWidth\": 800, \"designHeight\": 600, \"widgetTree\": " + tree + "}"));
    EXPECT_EQ("", printed);
    EXPECT_FLOAT_EQ(800, WidgetLookup::shareWidgetLookup()->getFileDesignWidth());
    EXPECT_FLOAT_EQ(600, WidgetLookup::shareWidgetLookup()->getFileDesignHeight());

    for (const char* sizes : {"\"designWidth\": 800", "\"designWidth\": 800, \"designHeight\": -1",
                              "\"designWidth\": \"800\", \"designHeight\": 600"}) {
        ASSERT_NE(nullptr, readText("nodesign.json", std::string("{") + sizes + ", \"widgetTree\": " + tree + "}"));
        EXPECT_EQ("Read design size error!\n", printed) << sizes;
        const CCSize win = CCDirector::sharedDirector()->getWinSize();
        EXPECT_FLOAT_EQ(win.width, WidgetLookup::shareWidgetLookup()->getFileDesignWidth());
        EXPECT_FLOAT_EQ(win.height, WidgetLookup::shareWidgetLookup()->getFileDesignHeight());
    }
}

TEST_F(ReaderFile, SheetsAreRelativeToTheFilesFolderAndLoadedOnceForTwoTrees)
{
    const std::string sheet = writeSheet("book/pages", "pagesheet");
    const std::string text = layout(node("Panel", "\"width\": 640, \"height\": 960",
                                         node("Button", R"("name": "word", "useMergedTexture": true,
                                              "normal": "pagesheet_a.png")")),
                                    R"("textures": ["pagesheet.plist", 12, null, {"a": 1}])");
    const std::string path = writeFile("book/pages/page_1.json", text);
    // Read from elsewhere: the sheet is still found beside the layout.
    CCFileUtils::sharedFileUtils()->setSearchPaths({scratchDir() + "/"});
    CCLogCapture log;
    UIWidget* first = read("book/pages/page_1.json");
    ASSERT_NE(nullptr, first) << printed << (log.lines().empty() ? "" : log.lines().front());
    first->retain();
    EXPECT_TRUE(WidgetLookup::shareWidgetLookup()->isSpriteSheetLoaded(sheet.c_str()));
    EXPECT_TRUE(CCSpriteFrameCache::sharedSpriteFrameCache()->hasSpriteFrame("pagesheet_a.png"));
    EXPECT_EQ(std::vector<std::string>{sheet}, reader()->getSpriteSheetsOfLastRead()); // non-strings skipped
    EXPECT_TRUE(log.lines().empty()) << log.lines().front();

    // Drop the frames behind the lookup's back: a second read must not reload them.
    CCSpriteFrameCache::sharedSpriteFrameCache()->removeSpriteFrameByName("pagesheet_b.png");
    UIWidget* second = read(path);
    ASSERT_NE(nullptr, second);
    EXPECT_NE(first, second);
    EXPECT_NE(first->getChildren()->objectAtIndex(0), second->getChildren()->objectAtIndex(0));
    EXPECT_FALSE(CCSpriteFrameCache::sharedSpriteFrameCache()->hasSpriteFrame("pagesheet_b.png"));
    first->release();

    // After the purge the next read asks for the sheet again.
    releaseUiSingletons();
    EXPECT_FALSE(WidgetLookup::shareWidgetLookup()->isSpriteSheetLoaded(sheet.c_str()));
    ASSERT_NE(nullptr, read(path));
    EXPECT_TRUE(WidgetLookup::shareWidgetLookup()->isSpriteSheetLoaded(sheet.c_str()));
}

TEST_F(ReaderFile, PathWithoutSlashUsesNamesAsTheyAre)
{
    writeImage("", "bare.png", 12, 12);
    CCFileUtils::sharedFileUtils()->setSearchPaths({scratchDir() + "/"});
    writeFile("bare.json", layout(node("Panel", "\"width\": 640, \"height\": 960",
                                       node("Button", R"("name": "b", "normal": "bare.png")"))));
    UIWidget* root = read("bare.json");
    ASSERT_NE(nullptr, root);
    EXPECT_EQ(scratchDir() + "/", reader()->getFileDirectory()); // the resolved path has a folder
    UIWidget* b = WidgetLookup::shareWidgetLookup()->findWidgetByName(root, "b");
    ASSERT_NE(nullptr, b);
    EXPECT_FLOAT_EQ(12, b->getContentSize().width);
}

TEST_F(ReaderFile, AnimationSectionIsStoredUnderTheFileNameAndPurged)
{
    const std::string tree = node("Panel", "\"width\": 640, \"height\": 960");
    const std::string path = writeFile("anim/page_2.json",
        layout(tree, R"("animation": {"actionlist": [{"name": "wave", "actionnodelist": []}]})"));
    ASSERT_NE(nullptr, read(path));
    ActionManager* manager = ActionManager::shareManager();
    ASSERT_NE(nullptr, manager->getAnimationsOfFile("page_2.json"));
    const Json::Value* section = manager->getAnimationSection("page_2.json");
    ASSERT_NE(nullptr, section);
    EXPECT_EQ("wave", (*section)["actionlist"][0]["name"].asString());
    EXPECT_EQ(nullptr, manager->getAnimationSection(path.c_str()));

    // A second read of the same name replaces the entry.
    writeFile("anim/page_2.json", layout(tree));
    ASSERT_NE(nullptr, read(path));
    EXPECT_EQ(1u, manager->getFileCount());
    ASSERT_NE(nullptr, manager->getAnimationSection("page_2.json"));
    EXPECT_TRUE(manager->getAnimationSection("page_2.json")->isNull());

    releaseUiSingletons();
    EXPECT_EQ(0u, ActionManager::shareManager()->getFileCount());
    EXPECT_EQ(nullptr, ActionManager::shareManager()->getAnimationsOfFile("page_2.json"));
    EXPECT_EQ("page_2.json", ActionManager::fileKey("a/b/page_2.json"));
    EXPECT_EQ("page_2.json", ActionManager::fileKey("page_2.json"));
}

TEST_F(ReaderFile, ReleasingTheSingletonsForgetsLoadedSheetsAndDesignSize)
{
    const std::string sheet = writeSheet("purge", "psheet");
    ASSERT_NE(nullptr, read(writeFile("purge/p.json", "{\"designWidth\": 300, \"designHeight\": 200, "
                                                      "\"textures\": [\"psheet.plist\"], \"widgetTree\": " +
                                                          node("Panel", "") + "}")));
    EXPECT_TRUE(WidgetLookup::shareWidgetLookup()->isSpriteSheetLoaded(sheet.c_str()));
    releaseUiSingletons();
    WidgetLookup* lookup = WidgetLookup::shareWidgetLookup();
    EXPECT_FALSE(lookup->isSpriteSheetLoaded(sheet.c_str()));
    EXPECT_FLOAT_EQ(CCDirector::sharedDirector()->getWinSize().width, lookup->getFileDesignWidth());
    EXPECT_EQ("", reader()->getFileDirectory()); // a fresh reader
    // Releasing twice in a row, or with nothing made, is harmless.
    releaseUiSingletons();
    releaseUiSingletons();
}

} // namespace
} // namespace readertest
} // namespace cc
