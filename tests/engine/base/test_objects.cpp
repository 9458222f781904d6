// Reference counting, the autorelease pool, containers and geometry.
#include "engine.h"

#include <gtest/gtest.h>

using namespace cc;

namespace {
struct Tracked : CCObject {
    explicit Tracked(int* deaths) : deaths(deaths) {}
    ~Tracked() override { ++*deaths; }
    int* deaths;
};
} // namespace

TEST(Objects, AutoreleasedObjectsDieWhenThePoolDrainsUnlessRetained)
{
    int deaths = 0;
    const long before = CCObject::liveObjectCount();
    Tracked* kept = new Tracked(&deaths);
    kept->autorelease();
    kept->retain();
    Tracked* dropped = new Tracked(&deaths);
    dropped->autorelease();
    EXPECT_EQ(CCObject::liveObjectCount(), before + 2);

    CCPoolManager::sharedPoolManager()->pop();
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(kept->retainCount(), 1u);
    kept->release();
    EXPECT_EQ(deaths, 2);
    EXPECT_EQ(CCObject::liveObjectCount(), before);
}

TEST(Objects, ExcludedObjectsLeaveTheLiveCount)
{
    const long before = CCObject::liveObjectCount();
    CCObject* cached = new CCObject();
    cached->excludeFromLiveCount();
    cached->excludeFromLiveCount(); // twice is still once
    EXPECT_EQ(CCObject::liveObjectCount(), before);
    cached->release();
    EXPECT_EQ(CCObject::liveObjectCount(), before);
}

TEST(Containers, ArrayRetainsAndReleasesInOrder)
{
    int deaths = 0;
    CCArray* array = CCArray::create();
    array->retain();
    Tracked* a = new Tracked(&deaths);
    Tracked* b = new Tracked(&deaths);
    array->addObject(a);
    array->insertObject(b, 0);
    a->release();
    b->release();
    ASSERT_EQ(array->count(), 2u);
    EXPECT_EQ(array->objectAtIndex(0), b);
    EXPECT_EQ(array->indexOfObject(a), 1u);
    EXPECT_EQ(array->objectAtIndex(7), nullptr);
    array->removeObject(b);
    EXPECT_EQ(deaths, 1);
    CCArray* copy = CCArray::createWithArray(array);
    array->release();
    EXPECT_EQ(deaths, 0 + 1); // the copy still holds a
    EXPECT_TRUE(copy->containsObject(a));
    CCPoolManager::sharedPoolManager()->pop();
    EXPECT_EQ(deaths, 2);
}

TEST(Containers, DictionaryHasOneKeyKindAndKeepsInsertionOrder)
{
    CCDictionary* strings = CCDictionary::create();
    strings->setObject(CCString::create("one"), "b");
    strings->setObject(CCString::create("two"), "a");
    strings->setObject(CCString::create("uno"), "b"); // replaces in place
    ASSERT_EQ(strings->count(), 2u);
    EXPECT_STREQ(static_cast<CCString*>(strings->objectForKey("b"))->getCString(), "uno");
    CCArray* keys = strings->allKeys();
    EXPECT_STREQ(static_cast<CCString*>(keys->objectAtIndex(0))->getCString(), "b");
    EXPECT_STREQ(static_cast<CCString*>(keys->objectAtIndex(1))->getCString(), "a");
    EXPECT_EQ(strings->objectForKey(intptr_t(1)), nullptr);

    CCLogCapture log;
    strings->setObject(CCString::create("x"), intptr_t(5)); // wrong key kind: refused
    EXPECT_EQ(strings->count(), 2u);
    EXPECT_EQ(log.lines().size(), 1u);

    strings->removeObjectForKey("b");
    EXPECT_EQ(strings->objectForKey("b"), nullptr);
    EXPECT_NE(strings->objectForKey("a"), nullptr);
    EXPECT_STREQ(strings->valueForKey("missing")->getCString(), "");

    CCDictionary* ints = CCDictionary::create();
    ints->setObject(CCInteger::create(7), intptr_t(70));
    ints->setObject(CCInteger::create(8), intptr_t(80));
    ints->removeObjectForKey(intptr_t(70));
    EXPECT_EQ(ints->objectForKey(intptr_t(70)), nullptr);
    EXPECT_EQ(static_cast<CCInteger*>(ints->objectForKey(intptr_t(80)))->getValue(), 8);
    ints->removeAllObjects();
    EXPECT_EQ(ints->count(), 0u);
    CCPoolManager::sharedPoolManager()->pop();
}

TEST(Containers, StringsConvertLikeAtoi)
{
    EXPECT_EQ(CCString::create("12abc")->intValue(), 12);
    EXPECT_EQ(CCString::create("")->intValue(), 0);
    EXPECT_EQ(CCString::create("  -3")->intValue(), -3);
    EXPECT_EQ(CCString::createWithFormat("%s%d", "bn0", 73)->m_sString, "bn073");
    EXPECT_EQ(CCString::create("héllo")->length(), 6u); // bytes, not characters
    CCPoolManager::sharedPoolManager()->pop();
}

TEST(Containers, SetKeepsFirstTouchFirst)
{
    CCSet* set = CCSet::create();
    CCObject* a = CCString::create("a");
    CCObject* b = CCString::create("b");
    set->addObject(a);
    set->addObject(b);
    set->addObject(a);
    EXPECT_EQ(set->count(), 2);
    EXPECT_EQ(*set->begin(), a);
    set->removeObject(a);
    EXPECT_EQ(set->anyObject(), b);
    CCPoolManager::sharedPoolManager()->pop();
}

TEST(Geometry, RectContainsItsEdgesAndIntersectsTouchingRects)
{
    const CCRect r(10, 20, 30, 40);
    EXPECT_TRUE(r.containsPoint(CCPoint(10, 20)));
    EXPECT_TRUE(r.containsPoint(CCPoint(40, 60)));
    EXPECT_FALSE(r.containsPoint(CCPoint(40.01f, 60)));
    EXPECT_FALSE(r.containsPoint(CCPoint(9.99f, 30)));
    EXPECT_TRUE(r.intersectsRect(CCRect(40, 60, 5, 5)));
    EXPECT_FALSE(r.intersectsRect(CCRect(41, 60, 5, 5)));
    EXPECT_TRUE(r.equals(CCRect(10, 20, 30, 40)));
    EXPECT_FLOAT_EQ(r.getMaxX(), 40);
    EXPECT_FLOAT_EQ(r.getMidY(), 40);
    EXPECT_FLOAT_EQ(ccpDistance(CCPoint(0, 0), CCPoint(3, 4)), 5);
}

TEST(Geometry, AffineTransformsComposeAndBoundRects)
{
    CCAffineTransform t = CCAffineTransformTranslate(CCAffineTransformMakeIdentity(), 100, 50);
    t = CCAffineTransformRotate(t, CC_DEGREES_TO_RADIANS(90));
    const CCPoint p = CCPointApplyAffineTransform(CCPoint(10, 0), t);
    EXPECT_NEAR(p.x, 100, 1e-4);
    EXPECT_NEAR(p.y, 60, 1e-4);

    const CCRect box = CCRectApplyAffineTransform(CCRect(0, 0, 20, 10), t);
    EXPECT_NEAR(box.origin.x, 90, 1e-4);
    EXPECT_NEAR(box.origin.y, 50, 1e-4);
    EXPECT_NEAR(box.size.width, 10, 1e-4);
    EXPECT_NEAR(box.size.height, 20, 1e-4);

    const CCAffineTransform inv = CCAffineTransformInvert(t);
    const CCPoint back = CCPointApplyAffineTransform(p, inv);
    EXPECT_NEAR(back.x, 10, 1e-4);
    EXPECT_NEAR(back.y, 0, 1e-4);
    // A zero scale has no inverse; the conversion stays finite.
    const CCAffineTransform flat = CCAffineTransformScale(CCAffineTransformMakeIdentity(), 0, 1);
    EXPECT_TRUE(CCAffineTransformEqualToTransform(CCAffineTransformInvert(flat), CCAffineTransformIdentity));
}
