// Getting pages ready on the bundled book: a page's pictures come from its
// layout; a page on stage wants the pictures of the pages a turn reaches, the
// main menu those of the page continue opens, the grid those of its entries;
// with the application's purge, pages two turns away leave the texture cache
// while the next page's picture is decoded ahead and only taken over.
#include "PageTestSupport.h"

#include "book/MenuLayerMainMenu.h"
#include "book/MenuTestScene.h"
#include "book/PagePrefetch.h"
#include "book/TestController.h"

#include "render/CCImageDecoder.h"
#include "render/CCTextureCache.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <unistd.h>

using namespace quibo;
using namespace quibo::pagetest;

namespace {
std::string pagePicture(int page)
{
    return cc::CCFileUtils::sharedFileUtils()->fullPathForFilename(
        (bookSettings().resourceFolder + "/tale/page_" + std::to_string(page) + ".png").c_str());
}

bool wanted(int page) { return cc::CCTextureCache::sharedTextureCache()->isWantedSoon(pagePicture(page).c_str()); }

bool cached(int page)
{
    return cc::CCTextureCache::sharedTextureCache()->textureForKey(pagePicture(page).c_str()) != nullptr;
}

std::vector<int> wantedPages()
{
    std::vector<int> pages;
    for (int p = 1; p <= 11; ++p) {
        if (wanted(p)) pages.push_back(p);
    }
    return pages;
}

struct PrefetchJourney : Journey {
    PrefetchJourney()
    {
        PagePrefetch::forget();
        cc::CCTextureCache::sharedTextureCache()->prefetchImages({});
        cc::CCTextureCache::sharedTextureCache()->removeAllTextures();
    }
    ~PrefetchJourney() { cc::CCTextureCache::sharedTextureCache()->prefetchImages({}); }
    void turn(bool forward)
    {
        PageView p = page();
        tapItem(forward ? p.next : p.previous);
        driver->advance(0.6);
    }
};
} // namespace

TEST(PagePrefetch, APagesPicturesAreItsSheetsPictureAndThePicturesItLoadsFromFiles)
{
    PrefetchJourney j;
    const std::vector<std::string>& pictures = PagePrefetch::picturesOfPage(3);
    const std::string sheet = cc::CCFileUtils::sharedFileUtils()->fullPathForFilename(
        (bookSettings().resourceFolder + "/tale/tale_sheet.png").c_str());
    EXPECT_EQ(pictures, (std::vector<std::string>{sheet, pagePicture(3)}));
    for (const std::string& p : pictures) EXPECT_EQ(0, access(p.c_str(), R_OK)) << p;
    // Page 5's layout is of the older kind that names pictures plainly.
    EXPECT_EQ(PagePrefetch::picturesOfPage(5), (std::vector<std::string>{sheet, pagePicture(5)}));
    // A page without a layout has none (building it says why).
    EXPECT_TRUE(PagePrefetch::picturesOfPage(999).empty());
}

TEST(PagePrefetch, EachScreenWantsThePicturesOfThePagesOneStepAway)
{
    PrefetchJourney j;
    j.open(3);
    EXPECT_EQ(wantedPages(), (std::vector<int>{2, 4}));
    // The ends of the story reach one way only.
    j.open(bookSettings().pageMin);
    EXPECT_EQ(wantedPages(), (std::vector<int>{2}));
    j.open(bookSettings().pageMax);
    EXPECT_EQ(wantedPages(), (std::vector<int>{bookSettings().pageMax - 1}));

    // The main menu: the page continue opens, when it is shown.
    bookSettings().readingStarted = true;
    bookSettings().currentPage = 5;
    j.driver->show(TestController::scene());
    EXPECT_EQ(wantedPages(), (std::vector<int>{5}));
    bookSettings().readingStarted = false;
    j.driver->show(TestController::scene());
    EXPECT_TRUE(wantedPages().empty());

    // The grid: the pages of its entries.
    MenuPaging::reset();
    ASSERT_TRUE(runSelectionMenu());
    j.driver->step();
    std::vector<int> story;
    for (int p = bookSettings().pageMin; p <= bookSettings().pageMax; ++p) story.push_back(p);
    EXPECT_EQ(wantedPages(), story);
    MenuPaging::reset();
}

TEST(PagePrefetch, TurningKeepsOnlyThePagesOnStageAndNextToItAndTakesTheNextPictureReady)
{
    PrefetchJourney j;
    j.driver->director()->setPurgeCachesOnSceneChange(true);
    j.open(3);
    j.turn(true);
    ASSERT_EQ(4, bookSettings().currentPage);
    EXPECT_TRUE(cached(4));
    EXPECT_TRUE(cached(3)); // the page a turn back reaches keeps its texture
    EXPECT_EQ(wantedPages(), (std::vector<int>{3, 5}));
    // Page 5 is not a texture yet: its pixels are decoded in the background...
    EXPECT_FALSE(cached(5));
    EXPECT_TRUE(cc::CCImageDecoder::shared().isWanted(pagePicture(5)));
    cc::CCImageDecoder::shared().waitUntilDone();
    // ...and taken over by the turn that builds it.
    j.turn(true);
    ASSERT_EQ(5, bookSettings().currentPage);
    EXPECT_TRUE(cached(5));
    EXPECT_FALSE(cc::CCImageDecoder::shared().isWanted(pagePicture(5)));
    // Two turns away, page 3 has left the cache.
    EXPECT_FALSE(cached(3));
    EXPECT_TRUE(cached(4));
    for (int p : {1, 2, 7, 8}) EXPECT_FALSE(cached(p)) << p;

    // Back and forth many times: never more than the pages on stage and next to it.
    for (int k = 0; k < 12; ++k) {
        j.turn(k % 4 < 2);
        int textures = 0;
        for (int p = 1; p <= 11; ++p) textures += cached(p);
        EXPECT_LE(textures, 3) << "turn " << k;
    }
}
