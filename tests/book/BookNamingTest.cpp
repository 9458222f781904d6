// Resource paths, word naming, the narration digest, the string table and
// the visible area.
#include "BookTestSupport.h"

#include "book/BookPaths.h"
#include "book/BookSettings.h"
#include "book/StringTable.h"
#include "book/VisibleArea.h"
#include "book/WordNaming.h"

#include "platform/CCEGLView.h"
#include "platform/CCFileUtils.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace quibo;

TEST(Md5, MatchesADigestFromAnIndependentTool)
{
    // printf %s mc073.mp3 | md5sum
    EXPECT_EQ("575285b07c97d820c21db16a9f5a7a79", md5Hex("mc073.mp3"));
    // printf %s mc1215.mp3 | md5sum
    EXPECT_EQ("d2eb68752c0c63a4a70a751d55623e00", md5Hex("mc1215.mp3"));
    EXPECT_EQ("d41d8cd98f00b204e9800998ecf8427e", md5Hex(""));
}

TEST(BookPaths, BuildEveryPathFromTheRecord)
{
    bookSettings().reset();
    bookSettings().subName = "tale";
    EXPECT_EQ("qovarn_3391_ver10/tale/tale_12.json", pageLayoutPath(12));
    EXPECT_EQ("qovarn_3391_ver10/tale/tale_-1.json", pageLayoutPath(-1));
    EXPECT_EQ("qovarn_3391_ver10/StringConfig.xml", configurationPath());
    EXPECT_EQ("qovarn_3391_ver10/Stringstr.xml", pageStringsPath());
    EXPECT_EQ("String.xml", stringTablePath());
    EXPECT_EQ("mainpage/mainpage_1.json", mainMenuLayoutPath());
    EXPECT_EQ("3age/pageset.json", settingsLayoutPath());
    EXPECT_EQ("Images/up1.png", imagePath("up1.png"));
    EXPECT_EQ("qovarn_3391_ver10/epc/575285b07c97d820c21db16a9f5a7a79.mp3", narrationPath("mc073.mp3"));
    bookSettings().reset();
}

TEST(WordNaming, NamesKeysTagsAndIndicesOfWordButtons)
{
    EXPECT_EQ("bn073", wordButtonName(7, 3));
    EXPECT_EQ("bn1215", wordButtonName(12, 15));
    EXPECT_EQ("bn091", wordButtonName(9, 1));
    EXPECT_EQ("bn0949", wordButtonName(9, 49));
    EXPECT_EQ("bn101", wordButtonName(10, 1));
    EXPECT_EQ("bn1049", wordButtonName(10, 49));
    EXPECT_EQ("str073", sentenceKey(7, 3));
    EXPECT_EQ("str1215", sentenceKey(12, 15));
    EXPECT_EQ("mc073.mp3", narrationName(7, 3));
    EXPECT_EQ("mc1215.mp3", narrationName(12, 15));
    EXPECT_EQ(73, wordTag(7, 3));
    EXPECT_EQ(1215, wordTag(12, 15));
    EXPECT_EQ(712, wordTag(7, 12));
    EXPECT_EQ(125, wordTag(12, 5));
    // The index comes back from the tag on every page and index.
    for (int page = 1; page <= 200; ++page) {
        for (int index = 1; index <= 49; ++index) {
            ASSERT_EQ(index, wordIndexFromTag(wordTag(page, index), page)) << page << "/" << index;
        }
    }
}

TEST(StringTable, MissingKeysAndFilesReadAsEmptyCaptions)
{
    quibo::testing::ScratchBook book;
    {
        StringTable missing;
        EXPECT_FALSE(missing.isLoaded());
        EXPECT_EQ("", missing.caption("main_page"));
    }
    std::ofstream(book.root() + "/String.xml")
        << "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>main_page</key><string>Menu</string>"
           "</dict></plist>";
    StringTable table;
    EXPECT_TRUE(table.isLoaded());
    EXPECT_EQ("Menu", table.caption("main_page"));
    EXPECT_EQ("", table.caption("up_page"));
}

TEST(StringTable, BundledTableHasEveryCaption)
{
    cc::CCFileUtils::purgeFileUtils();
    StringTable table;
    for (const char* key : {"main_page", "up_page", "after_page", "setmenu_set", "bntext", "nopresenglish"}) {
        EXPECT_NE("", table.caption(key)) << key;
    }
}

TEST(VisibleArea, IsReadOnceFromTheViewWithItsDerivedPoints)
{
    VisibleArea::forget();
    cc::CCEGLView::purgeSharedOpenGLView();
    cc::CCEGLView* view = cc::CCEGLView::sharedOpenGLView();
    view->setFrameSize(742.85712f, 977.59998f);
    view->setDesignResolutionSize(640, 960, cc::kResolutionExactFit);
    const VisibleArea& a = VisibleArea::get();
    EXPECT_FLOAT_EQ(0, a.ox);
    EXPECT_FLOAT_EQ(0, a.oy);
    EXPECT_FLOAT_EQ(640, a.w);
    EXPECT_FLOAT_EQ(960, a.h);
    EXPECT_FLOAT_EQ(480, a.left().y);
    EXPECT_FLOAT_EQ(0, a.left().x);
    EXPECT_FLOAT_EQ(640, a.right().x);
    EXPECT_FLOAT_EQ(320, a.top().x);
    EXPECT_FLOAT_EQ(960, a.top().y);
    EXPECT_FLOAT_EQ(0, a.bottom().y);
    EXPECT_FLOAT_EQ(320, a.centre().x);
    EXPECT_FLOAT_EQ(480, a.centre().y);

    // Kept for the process: a later change of the view is not seen.
    view->setDesignResolutionSize(320, 480, cc::kResolutionExactFit);
    EXPECT_FLOAT_EQ(640, VisibleArea::get().w);
    VisibleArea::forget();
    EXPECT_FLOAT_EQ(320, VisibleArea::get().w);
    VisibleArea::forget();
    cc::CCEGLView::purgeSharedOpenGLView();
}
