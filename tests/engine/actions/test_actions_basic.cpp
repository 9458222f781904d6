// Single actions: where each leaves its target, its midpoints, zero
// durations, reversal, and setting an action straight to a progress.
#include "ActionTestSupport.h"

using namespace cc;
using quibo_test::ActionFixture;

using BasicActions = ActionFixture;

TEST_F(BasicActions, EachKindReachesItsEndState)
{
    node->setPosition(10, 20);
    node->setScale(2.0f);
    node->setRotation(350.0f);
    node->setOpacity(200);
    node->setColor(ccc3(0, 0, 0));
    node->runAction(CCMoveBy::create(1.0f, ccp(5, -5)));
    node->runAction(CCScaleBy::create(1.0f, 1.5f, 0.5f));
    node->runAction(CCRotateTo::create(1.0f, 10.0f));
    node->runAction(CCFadeTo::create(1.0f, 100));
    node->runAction(CCTintTo::create(1.0f, 255, 128, 8));
    EXPECT_EQ(manager->actionCount(), 5u);

    advance(0.5f);
    expectAt(12.5f, 17.5f);
    // The short way from 350 to 10 goes up through 360, not down through 180.
    EXPECT_NEAR(node->getRotation(), 360.0f, 1e-3f);
    EXPECT_EQ(node->getOpacity(), 150);

    advance(0.7f);
    EXPECT_EQ(manager->actionCount(), 0u);
    expectAt(15, 15);
    EXPECT_FLOAT_EQ(node->getScaleX(), 3.0f);
    EXPECT_FLOAT_EQ(node->getScaleY(), 1.0f);
    EXPECT_FLOAT_EQ(node->getRotation(), 10.0f);
    EXPECT_EQ(node->getOpacity(), 100);
    EXPECT_EQ(node->getColor(), ccc3(255, 128, 8));

    node->runAction(CCMoveTo::create(0.5f, ccp(-4, 4)));
    node->runAction(CCScaleTo::create(0.5f, 0.25f));
    node->runAction(CCRotateBy::create(0.5f, -30.0f));
    node->runAction(CCFadeOut::create(0.5f));
    node->runAction(CCHide::create());
    advance(0.6f);
    expectAt(-4, 4);
    EXPECT_FLOAT_EQ(node->getScaleX(), 0.25f);
    EXPECT_FLOAT_EQ(node->getScaleY(), 0.25f);
    EXPECT_FLOAT_EQ(node->getRotation(), -20.0f);
    EXPECT_EQ(node->getOpacity(), 0);
    EXPECT_FALSE(node->isVisible());

    node->runAction(CCScaleTo::create(0.5f, 2.0f, 3.0f));
    node->runAction(CCFadeIn::create(0.5f));
    node->runAction(CCShow::create());
    advance(0.6f);
    EXPECT_FLOAT_EQ(node->getScaleX(), 2.0f);
    EXPECT_FLOAT_EQ(node->getScaleY(), 3.0f);
    EXPECT_EQ(node->getOpacity(), 255);
    EXPECT_TRUE(node->isVisible());
}

TEST_F(BasicActions, RotateToTurnsTheShorterWayBothDirections)
{
    node->setRotation(10.0f);
    CCRotateTo* down = CCRotateTo::create(1.0f, 300.0f);
    down->startWithTarget(node);
    down->update(0.5f);
    EXPECT_NEAR(node->getRotation(), -25.0f, 1e-3f); // 10 -> -60 on the way to 300
    down->update(1.0f);
    EXPECT_FLOAT_EQ(node->getRotation(), 300.0f);
}

TEST_F(BasicActions, ColourActionsLeaveNodesWithoutColourAlone)
{
    CCNode* plain = CCNode::create();
    plain->setActionManager(manager);
    plain->onEnter();
    plain->runAction(CCFadeTo::create(0.2f, 0));
    plain->runAction(CCTintTo::create(0.2f, 1, 2, 3));
    advance(0.3f);
    EXPECT_EQ(plain->numberOfRunningActions(), 0u);
    plain->onExit();
}

TEST_F(BasicActions, ZeroDurationCompletesOnFirstStep)
{
    node->runAction(CCMoveTo::create(0.0f, ccp(7, 8)));
    node->runAction(CCFadeTo::create(0.0f, 9));
    node->runAction(CCDelayTime::create(0.0f));
    manager->update(0.0f);
    expectAt(7, 8);
    EXPECT_EQ(node->getOpacity(), 9);
    EXPECT_EQ(manager->actionCount(), 0u);

    // A timed action is not done before its first step, however short.
    CCMoveBy* quick = CCMoveBy::create(0.0f, ccp(1, 0));
    quick->startWithTarget(node);
    EXPECT_FALSE(quick->isDone());
    quick->step(0.016f);
    EXPECT_TRUE(quick->isDone());
    expectAt(8, 8);
}

TEST_F(BasicActions, FirstStepAdvancesByItsFrameTime)
{
    node->runAction(CCMoveBy::create(1.0f, ccp(100, 0)));
    manager->update(0.25f);
    expectAt(25, 0);
    CCDelayTime* wait = CCDelayTime::create(0.5f);
    node->runAction(wait);
    manager->update(0.25f);
    EXPECT_FLOAT_EQ(wait->getElapsed(), 0.25f);
    EXPECT_FALSE(wait->isDone());
}

TEST_F(BasicActions, SetToProgressAtOnce)
{
    node->setPosition(0, 0);
    CCMoveTo* move = CCMoveTo::create(2.0f, ccp(40, 80));
    move->startWithTarget(node);
    move->update(0.25f);
    expectAt(10, 20);
    move->update(1.0f);
    expectAt(40, 80);

    node->setScale(1.0f);
    CCScaleTo* scale = CCScaleTo::create(1.0f, 3.0f, 5.0f);
    scale->startWithTarget(node);
    scale->update(0.5f);
    EXPECT_FLOAT_EQ(node->getScaleX(), 2.0f);
    EXPECT_FLOAT_EQ(node->getScaleY(), 3.0f);

    node->setRotation(0.0f);
    CCRotateTo* rot = CCRotateTo::create(1.0f, 90.0f);
    rot->startWithTarget(node);
    rot->update(1.0f / 3.0f);
    EXPECT_NEAR(node->getRotation(), 30.0f, 1e-3f);

    node->setOpacity(255);
    CCFadeTo* fade = CCFadeTo::create(1.0f, 55);
    fade->startWithTarget(node);
    fade->update(0.5f);
    EXPECT_EQ(node->getOpacity(), 155);

    node->setColor(ccc3(0, 100, 200));
    CCTintTo* tint = CCTintTo::create(1.0f, 100, 100, 0);
    tint->startWithTarget(node);
    tint->update(0.5f);
    EXPECT_EQ(node->getColor(), ccc3(50, 100, 100));

    // Nothing ran through the manager.
    EXPECT_EQ(manager->actionCount(), 0u);
}

TEST_F(BasicActions, ReverseUndoesByActions)
{
    node->setPosition(3, 4);
    node->setRotation(5.0f);
    CCMoveBy* there = CCMoveBy::create(0.5f, ccp(10, 20));
    CCRotateBy* spin = CCRotateBy::create(0.5f, 45.0f);
    node->runAction(there);
    node->runAction(spin);
    advance(0.6f);
    node->runAction(there->reverse());
    node->runAction(spin->reverse());
    advance(0.6f);
    expectAt(3, 4);
    EXPECT_NEAR(node->getRotation(), 5.0f, 1e-4f);

    node->setScale(2.0f);
    CCScaleBy* grow = CCScaleBy::create(0.2f, 4.0f);
    node->runAction(grow);
    advance(0.3f);
    node->runAction(grow->reverse());
    advance(0.3f);
    EXPECT_FLOAT_EQ(node->getScale(), 2.0f);
    EXPECT_EQ(CCScaleBy::create(1.0f, 0.0f)->reverse(), nullptr);
    EXPECT_EQ(CCMoveTo::create(1.0f, ccp(0, 0))->reverse(), nullptr);

    auto* fadeBack = dynamic_cast<CCFadeOut*>(CCFadeIn::create(1.0f)->reverse());
    ASSERT_NE(fadeBack, nullptr);
    EXPECT_FLOAT_EQ(fadeBack->getDuration(), 1.0f);
    EXPECT_NE(dynamic_cast<CCShow*>(CCHide::create()->reverse()), nullptr);
}
