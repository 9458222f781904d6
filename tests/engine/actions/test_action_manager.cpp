// The action manager: lookup by tag, stopping, pausing, ownership, and
// changes made from inside an action's step.
#include "ActionTestSupport.h"

#include "base/CCLog.h"

using namespace cc;
using quibo_test::ActionFixture;

namespace {

// Call-backs that change the manager while it walks.
class Meddler : public CCObject {
public:
    void stopAllOnNode(CCNode* n) { n->stopAllActions(); ++calls; }
    void startOnOther() { started = other->runAction(CCMoveBy::create(1.0f, ccp(1, 0))); ++calls; }
    void stopVictim() { other->stopAction(victim); ++calls; }
    void stopEverything() { manager->removeAllActions(); ++calls; }

    CCNode* other = nullptr;
    CCAction* victim = nullptr;
    CCAction* started = nullptr;
    CCActionManager* manager = nullptr;
    int calls = 0;
};

} // namespace

using ActionManagerTest = ActionFixture;

TEST_F(ActionManagerTest, TagsLookupAndStopping)
{
    CCAction* a = CCMoveBy::create(1.0f, ccp(1, 0));
    CCAction* b = CCRotateBy::create(1.0f, 10.0f);
    a->setTag(7);
    b->setTag(8);
    node->runAction(a);
    node->runAction(b);
    EXPECT_EQ(node->numberOfRunningActions(), 2u);
    EXPECT_EQ(node->getActionByTag(7), a);
    EXPECT_EQ(manager->getActionByTag(8, node), b);
    EXPECT_EQ(node->getActionByTag(9), nullptr);
    EXPECT_EQ(a->getTarget(), node);

    node->stopActionByTag(7);
    EXPECT_EQ(node->getActionByTag(7), nullptr);
    EXPECT_EQ(a->getTarget(), nullptr); // removal stops the action
    EXPECT_EQ(node->numberOfRunningActions(), 1u);

    node->stopAction(b);
    EXPECT_EQ(node->numberOfRunningActions(), 0u);

    node->runAction(CCMoveBy::create(1.0f, ccp(1, 0)));
    node->runAction(CCMoveBy::create(1.0f, ccp(1, 0)));
    CCNode* other = CCNode::create();
    other->setActionManager(manager);
    other->runAction(CCMoveBy::create(1.0f, ccp(1, 0)));
    node->stopAllActions();
    EXPECT_EQ(node->numberOfRunningActions(), 0u);
    EXPECT_EQ(manager->numberOfRunningActionsInTarget(other), 1u);
    manager->removeAllActions();
    EXPECT_EQ(manager->actionCount(), 0u);
}

TEST_F(ActionManagerTest, ActionsAreRetainedWhileRunningTargetsAreNot)
{
    CCPoolManager::sharedPoolManager()->pop();
    const unsigned int nodeRefs = node->retainCount();
    CCMoveBy* move = CCMoveBy::create(0.2f, ccp(1, 0));
    move->retain(); // the test's own reference, to watch the count
    node->runAction(move);
    CCPoolManager::sharedPoolManager()->pop();
    EXPECT_EQ(move->retainCount(), 2u);
    EXPECT_EQ(node->retainCount(), nodeRefs);
    advance(0.3f);
    EXPECT_EQ(manager->actionCount(), 0u);
    EXPECT_EQ(move->retainCount(), 1u); // finished: stopped and let go
    EXPECT_EQ(move->getTarget(), nullptr);
    move->release();

    // A target that dies takes its actions with it.
    long before = CCObject::liveObjectCount();
    CCNode* temp = CCNode::create();
    temp->setActionManager(manager);
    temp->runAction(CCMoveBy::create(5.0f, ccp(1, 0)));
    CCPoolManager::sharedPoolManager()->pop();
    EXPECT_EQ(manager->actionCount(), 0u);
    EXPECT_EQ(CCObject::liveObjectCount(), before);
}

TEST_F(ActionManagerTest, PausedTargetsAreSkipped)
{
    node->setPosition(0, 0);
    node->runAction(CCMoveBy::create(1.0f, ccp(10, 0)));
    manager->pauseTarget(node);
    manager->update(0.5f);
    expectAt(0, 0);
    manager->resumeTarget(node);
    manager->update(0.5f);
    expectAt(5, 0);

    // A node off the stage starts its actions paused until it enters.
    CCNode* off = CCNode::create();
    off->setActionManager(manager);
    off->runAction(CCMoveBy::create(1.0f, ccp(10, 0)));
    manager->update(0.5f);
    EXPECT_FLOAT_EQ(off->getPositionX(), 0.0f);
    off->onEnter();
    manager->update(0.5f);
    EXPECT_FLOAT_EQ(off->getPositionX(), 5.0f);
    off->onExit();
    manager->update(0.5f);
    EXPECT_FLOAT_EQ(off->getPositionX(), 5.0f);
}

TEST_F(ActionManagerTest, ChangesFromInsideTheWalk)
{
    Meddler m;
    CCNode* other = CCNode::create();
    other->setActionManager(manager);
    other->onEnter();
    m.other = other;
    m.manager = manager;

    // A call-back stops every action of its own node, the running sequence
    // included; the rest of the sequence never runs.
    node->setPosition(0, 0);
    node->runAction(CCSequence::create(CCCallFuncN::create(&m, callfuncN_selector(Meddler::stopAllOnNode)),
                                       CCMoveBy::create(1.0f, ccp(10, 0)), nullptr));
    node->runAction(CCMoveBy::create(1.0f, ccp(0, 10)));
    manager->update(0.1f);
    EXPECT_EQ(m.calls, 1);
    EXPECT_EQ(node->numberOfRunningActions(), 0u);
    advance(1.0f);
    expectAt(0, 0);

    // A call-back starts an action: it runs from the next frame on.
    node->runAction(CCCallFunc::create(&m, callfunc_selector(Meddler::startOnOther)));
    manager->update(0.5f);
    ASSERT_NE(m.started, nullptr);
    EXPECT_EQ(other->numberOfRunningActions(), 1u);
    EXPECT_FLOAT_EQ(other->getPositionX(), 0.0f);
    manager->update(0.5f);
    EXPECT_FLOAT_EQ(other->getPositionX(), 0.5f);
    other->stopAllActions();

    // A call-back removes an action later in the walk: it is not stepped.
    other->setPosition(0, 0);
    node->runAction(CCCallFunc::create(&m, callfunc_selector(Meddler::stopVictim)));
    m.victim = other->runAction(CCMoveBy::create(1.0f, ccp(10, 0)));
    manager->update(0.5f);
    EXPECT_FLOAT_EQ(other->getPositionX(), 0.0f);
    EXPECT_EQ(manager->actionCount(), 0u);

    // Clearing the whole manager from a step.
    node->runAction(CCRepeatForever::create(
        CCSequence::create(CCDelayTime::create(0.1f),
                           CCCallFunc::create(&m, callfunc_selector(Meddler::stopEverything)), nullptr)));
    other->runAction(CCMoveBy::create(1.0f, ccp(10, 0)));
    advance(0.3f);
    EXPECT_EQ(manager->actionCount(), 0u);
    EXPECT_EQ(m.calls, 4);
    other->onExit();
}

TEST_F(ActionManagerTest, RefusesBadArguments)
{
    CCLogCapture log;
    manager->addAction(nullptr, node, false);
    manager->addAction(CCMoveBy::create(1.0f, ccp(1, 0)), nullptr, false);
    CCAction* a = CCMoveBy::create(1.0f, ccp(1, 0));
    manager->addAction(a, node, false);
    manager->addAction(a, node, false);
    EXPECT_EQ(manager->actionCount(), 1u);
    EXPECT_EQ(log.lines().size(), 3u);
    manager->removeAction(nullptr);
    manager->removeAllActionsFromTarget(nullptr);
    EXPECT_EQ(manager->actionCount(), 1u);
}
