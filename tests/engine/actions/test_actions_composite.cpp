// Sequences, spawns, repeats and eases: timing of their children, empty and
// single-child lists, call-backs inside them, and the elastic curve.
#include "ActionTestSupport.h"

#include "base/CCArray.h"
#include "base/CCLog.h"
#include "base/CCString.h"

#include <algorithm>
#include <cmath>

#include <vector>

using namespace cc;
using quibo_test::ActionFixture;

namespace {

// Records every call-back it receives, with the target's position then.
class Recorder : public CCObject {
public:
    void ping() { ++pings; }
    void pingNode(CCNode* n)
    {
        nodes.push_back(n);
        xs.push_back(n ? n->getPositionX() : -1.0f);
    }
    int pings = 0;
    std::vector<CCNode*> nodes;
    std::vector<float> xs;
};

} // namespace

using CompositeActions = ActionFixture;

TEST_F(CompositeActions, SequencePassesThroughTheMiddlePoint)
{
    node->setPosition(0, 0);
    CCSequence* seq = CCSequence::create(CCMoveTo::create(1.0f, ccp(100, 0)),
                                         CCMoveTo::create(1.0f, ccp(100, 100)), nullptr);
    ASSERT_NE(seq, nullptr);
    EXPECT_FLOAT_EQ(seq->getDuration(), 2.0f);
    node->runAction(seq);
    manager->update(0.5f);
    expectAt(50, 0);
    manager->update(0.5f);
    expectAt(100, 0);
    manager->update(0.5f);
    expectAt(100, 50); // the second move starts from where the first ended
    EXPECT_FALSE(seq->isDone());
    manager->update(0.6f);
    expectAt(100, 100);
    EXPECT_EQ(manager->actionCount(), 0u);

    // A frame that skips a whole child still runs it to its end.
    node->setPosition(0, 0);
    node->runAction(CCSequence::create(CCMoveBy::create(0.1f, ccp(10, 0)), CCMoveBy::create(1.0f, ccp(0, 10)),
                                       nullptr));
    manager->update(0.6f);
    expectAt(10, 5);
}

TEST_F(CompositeActions, SpawnRunsChildrenTogether)
{
    node->setPosition(0, 0);
    node->setOpacity(255);
    CCArray* list = CCArray::create(CCMoveBy::create(1.0f, ccp(10, 0)), CCFadeTo::create(2.0f, 55), nullptr);
    CCSpawn* spawn = CCSpawn::create(list);
    ASSERT_NE(spawn, nullptr);
    EXPECT_FLOAT_EQ(spawn->getDuration(), 2.0f);
    node->runAction(spawn);
    manager->update(1.0f);
    expectAt(10, 0);
    EXPECT_EQ(node->getOpacity(), 155);
    manager->update(1.0f);
    expectAt(10, 0);
    EXPECT_EQ(node->getOpacity(), 55);
    EXPECT_EQ(manager->actionCount(), 0u);
}

TEST_F(CompositeActions, EmptyAndSingleLists)
{
    node->setPosition(1, 2);
    CCSequence* none = CCSequence::create();
    CCSpawn* noneSpawn = CCSpawn::create(CCArray::create());
    ASSERT_NE(none, nullptr);
    ASSERT_NE(noneSpawn, nullptr);
    EXPECT_EQ(none->getDuration(), 0.0f);
    EXPECT_EQ(noneSpawn->getDuration(), 0.0f);
    node->runAction(none);
    node->runAction(noneSpawn);
    manager->update(0.016f);
    EXPECT_EQ(manager->actionCount(), 0u);
    expectAt(1, 2);

    CCSequence* one = CCSequence::create(CCMoveTo::create(1.0f, ccp(11, 2)), nullptr);
    CCSpawn* oneSpawn = CCSpawn::create(CCFadeTo::create(1.0f, 0), nullptr);
    EXPECT_FLOAT_EQ(one->getDuration(), 1.0f);
    node->runAction(one);
    node->runAction(oneSpawn);
    manager->update(0.5f);
    expectAt(6, 2);
    manager->update(0.6f);
    expectAt(11, 2);
    EXPECT_EQ(node->getOpacity(), 0);

    // Only timed actions may go into a list.
    CCLogCapture log;
    EXPECT_EQ(CCSequence::create(CCArray::create(CCString::create("x"), nullptr)), nullptr);
    EXPECT_EQ(log.lines().size(), 1u);
}

TEST_F(CompositeActions, CallbacksFireOnceInTheirPlace)
{
    Recorder rec;
    node->setPosition(0, 0);
    CCSequence* seq = CCSequence::create(CCCallFunc::create(&rec, callfunc_selector(Recorder::ping)),
                                         CCMoveBy::create(1.0f, ccp(10, 0)),
                                         CCCallFuncN::create(&rec, callfuncN_selector(Recorder::pingNode)),
                                         CCMoveBy::create(1.0f, ccp(10, 0)),
                                         CCCallFuncN::create(&rec, callfuncN_selector(Recorder::pingNode)), nullptr);
    node->runAction(seq);
    manager->update(0.1f);
    EXPECT_EQ(rec.pings, 1); // a call-back at the start fires on the first step
    EXPECT_TRUE(rec.nodes.empty());
    advance(1.0f);
    ASSERT_EQ(rec.nodes.size(), 1u);
    EXPECT_EQ(rec.nodes[0], node);
    EXPECT_FLOAT_EQ(rec.xs[0], 10.0f);
    advance(1.5f);
    EXPECT_EQ(rec.pings, 1);
    ASSERT_EQ(rec.nodes.size(), 2u);
    EXPECT_FLOAT_EQ(rec.xs[1], 20.0f);
    EXPECT_EQ(manager->actionCount(), 0u);

    // In a spawn, an instant fires once even though the spawn runs on.
    node->runAction(CCSpawn::create(CCCallFunc::create(&rec, callfunc_selector(Recorder::ping)),
                                    CCDelayTime::create(0.5f), nullptr));
    advance(0.6f);
    EXPECT_EQ(rec.pings, 2);
}

TEST_F(CompositeActions, RepeatRunsAFixedNumberOfRounds)
{
    Recorder rec;
    node->setPosition(0, 0);
    CCRepeat* rep = CCRepeat::create(
        CCSequence::create(CCMoveBy::create(0.5f, ccp(10, 0)),
                           CCCallFunc::create(&rec, callfunc_selector(Recorder::ping)), nullptr),
        3);
    ASSERT_NE(rep, nullptr);
    EXPECT_FLOAT_EQ(rep->getDuration(), 1.5f);
    node->runAction(rep);
    advance(0.7f);
    expectAt(14, 0);
    EXPECT_EQ(rec.pings, 1);
    advance(1.0f);
    expectAt(30, 0);
    EXPECT_EQ(rec.pings, 3);
    EXPECT_EQ(manager->actionCount(), 0u);

    // Instants repeated take no time and all happen on the first step.
    node->runAction(CCRepeat::create(CCCallFunc::create(&rec, callfunc_selector(Recorder::ping)), 4));
    manager->update(0.016f);
    EXPECT_EQ(rec.pings, 7);
    EXPECT_EQ(CCRepeat::create(nullptr, 2), nullptr);
}

TEST_F(CompositeActions, RepeatForeverKeepsCycling)
{
    node->setPosition(0, 0);
    CCRepeatForever* loop = CCRepeatForever::create(
        CCSequence::create(CCMoveTo::create(1.0f, ccp(10, 0)), CCMoveTo::create(1.0f, ccp(0, 0)), nullptr));
    ASSERT_NE(loop, nullptr);
    node->runAction(loop);
    // Quarter-second frames add up exactly, so rounds end on a frame.
    for (int round = 0; round < 5; ++round) {
        advance(0.5f, 0.25f);
        expectAt(5, 0);
        advance(0.5f, 0.25f);
        expectAt(10, 0);
        advance(1.0f, 0.25f);
        expectAt(0, 0);
    }
    EXPECT_FALSE(loop->isDone());
    EXPECT_EQ(loop->getCompletedRounds(), 5u);
    EXPECT_EQ(manager->actionCount(), 1u);

    // A long frame carries the left-over time into the next round.
    manager->update(2.5f);
    expectAt(5, 0);
    EXPECT_FALSE(loop->isDone());

    node->stopAllActions();
    EXPECT_EQ(manager->actionCount(), 0u);
    EXPECT_EQ(CCRepeatForever::create(nullptr), nullptr);
}

TEST_F(CompositeActions, ElasticOutShape)
{
    CCEaseElasticOut* ease = CCEaseElasticOut::create(CCMoveTo::create(1.0f, ccp(100, 0)));
    ASSERT_NE(ease, nullptr);
    EXPECT_FLOAT_EQ(ease->getPeriod(), 0.3f);
    EXPECT_EQ(ease->ease(0.0f), 0.0f);
    EXPECT_EQ(ease->ease(1.0f), 1.0f);
    float peak = 0.0f, peakAt = 0.0f;
    for (int i = 1; i < 100; ++i) {
        float t = i / 100.0f;
        if (ease->ease(t) > peak) {
            peak = ease->ease(t);
            peakAt = t;
        }
    }
    EXPECT_GT(peak, 1.1f);
    EXPECT_LT(peakAt, 0.3f);
    EXPECT_NEAR(ease->ease(0.9f), 1.0f, 0.01f);
    EXPECT_NEAR(ease->ease(0.1f), 1.0f + 0.5f * std::sin((0.1f - 0.075f) * 6.2831853f / 0.3f), 1e-5f);

    // Through a node: it glides past the target and comes to rest on it.
    node->setPosition(0, 0);
    node->runAction(ease);
    float furthest = 0.0f;
    for (int i = 0; i < 12; ++i) {
        manager->update(0.1f);
        furthest = std::max(furthest, node->getPositionX());
    }
    EXPECT_GT(furthest, 100.0f);
    expectAt(100, 0);

    EXPECT_NE(CCEaseElasticOut::create(CCDelayTime::create(1.0f), 0.45f), nullptr);
    EXPECT_EQ(CCEaseElasticOut::create(nullptr), nullptr);
}

TEST_F(CompositeActions, EaseInAndOutBendProgress)
{
    node->setPosition(0, 0);
    CCEaseIn* in = CCEaseIn::create(CCMoveTo::create(1.0f, ccp(100, 0)), 2.0f);
    in->startWithTarget(node);
    in->update(0.5f);
    expectAt(25, 0);
    CCEaseOut* out = CCEaseOut::create(CCMoveTo::create(1.0f, ccp(0, 0)), 2.0f);
    out->startWithTarget(node);
    out->update(0.25f);
    expectAt(12.5f, 0);
    EXPECT_NE(dynamic_cast<CCEaseOut*>(CCEaseIn::create(CCMoveBy::create(1.0f, ccp(1, 1)), 2.0f)->reverse()),
              nullptr);
}

TEST_F(CompositeActions, CompositesSetToProgressAtOnce)
{
    node->setPosition(0, 0);
    node->setOpacity(255);
    CCSequence* seq = CCSequence::create(CCMoveTo::create(1.0f, ccp(100, 0)),
                                         CCMoveTo::create(1.0f, ccp(100, 100)), nullptr);
    seq->startWithTarget(node);
    seq->update(0.75f);
    expectAt(100, 50);
    seq->update(0.25f); // back in time: the second move is rewound
    expectAt(50, 0);
    seq->update(1.0f);
    expectAt(100, 100);

    node->setPosition(0, 0);
    CCSpawn* spawn = CCSpawn::create(CCMoveBy::create(2.0f, ccp(20, 0)), CCFadeTo::create(1.0f, 55), nullptr);
    spawn->startWithTarget(node);
    spawn->update(0.25f);
    expectAt(5, 0);
    EXPECT_EQ(node->getOpacity(), 155);

    node->setPosition(0, 0);
    CCRepeatForever* loop = CCRepeatForever::create(CCMoveBy::create(1.0f, ccp(8, 0)));
    loop->startWithTarget(node);
    loop->update(0.5f);
    expectAt(4, 0);

    node->setPosition(0, 0);
    CCRepeat* rep = CCRepeat::create(CCMoveBy::create(1.0f, ccp(8, 0)), 2);
    rep->startWithTarget(node);
    rep->update(0.75f);
    expectAt(12, 0);

    node->setPosition(0, 0);
    CCEaseElasticOut* ease = CCEaseElasticOut::create(CCMoveTo::create(1.0f, ccp(10, 0)));
    ease->startWithTarget(node);
    ease->update(1.0f);
    expectAt(10, 0);
    EXPECT_EQ(manager->actionCount(), 0u);
}

TEST_F(CompositeActions, ReversedSequencePlaysBackwards)
{
    node->setPosition(0, 0);
    CCSequence* seq = CCSequence::create(CCMoveBy::create(0.5f, ccp(10, 0)), CCMoveBy::create(0.5f, ccp(0, 10)),
                                         nullptr);
    node->runAction(seq);
    advance(1.1f);
    expectAt(10, 10);
    CCSequence* back = seq->reverse();
    ASSERT_NE(back, nullptr);
    node->runAction(back);
    advance(0.5f);
    expectAt(10, 0);
    advance(0.6f);
    expectAt(0, 0);
    EXPECT_EQ(CCSequence::create(CCMoveTo::create(1.0f, ccp(0, 0)), nullptr)->reverse(), nullptr);
}
