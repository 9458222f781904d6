// Labels showing the same text in the same face share one texture, whatever
// their colour; another text, size or box gets its own; a purge drops the
// texts no label shows any more.
#include "text/CCLabelTTF.h"
#include "text/CCTextTextureCache.h"

#include "platform/FrameDriver.h"
#include "render/CCTexture2D.h"
#include "scene/CCDirector.h"

#include <gtest/gtest.h>

using namespace cc;

TEST(TextTextureCache, LabelsWithTheSameTextShareTheirPixels)
{
    FrameDriver driver;
    CCTextTextureCache* cache = CCTextTextureCache::shared();
    CCDirector::sharedDirector()->purgeCachedData();
    const size_t before = cache->count();
    CCLabelTTF* a = CCLabelTTF::create("Menu", "Arial", 45);
    CCLabelTTF* b = CCLabelTTF::create("Menu", "Arial", 45);
    b->setColor(ccc3(0, 0, 255));
    CCLabelTTF* bigger = CCLabelTTF::create("Menu", "Arial", 46);
    CCLabelTTF* other = CCLabelTTF::create("Next", "Arial", 45);
    CCLabelTTF* boxed = CCLabelTTF::create("Menu", "Arial", 45, CCSize(300, 0), kCCTextAlignmentCenter);
    ASSERT_TRUE(a && b && bigger && other && boxed);
    ASSERT_NE(nullptr, a->getTexture());
    EXPECT_EQ(a->getTexture(), b->getTexture());
    EXPECT_NE(a->getTexture(), bigger->getTexture());
    EXPECT_NE(a->getTexture(), other->getTexture());
    EXPECT_NE(a->getTexture(), boxed->getTexture());
    EXPECT_EQ(cache->count(), before + 4);
    // Same pixels as a label alone would have: white glyphs the colour tints.
    EXPECT_EQ(a->getContentSize().width, b->getContentSize().width);

    // A label that changes its text lets go of the shared one.
    CCTexture2D* shared = a->getTexture();
    b->setString("Back");
    EXPECT_NE(shared, b->getTexture());
    EXPECT_EQ(shared, a->getTexture());

    // Kept while a label shows it; dropped by the purge once none does.
    a->retain();
    driver.step(); // the pool lets the others go
    CCDirector::sharedDirector()->purgeCachedData();
    EXPECT_EQ(cache->count(), before + 1);
    a->release();
    CCDirector::sharedDirector()->purgeCachedData();
    EXPECT_EQ(cache->count(), before);
}
