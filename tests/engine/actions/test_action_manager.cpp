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

TEST_F(ActionManagerTest, ManyTargetsComeAndGoWithTheirActionsInOrder)
{
    // Enough targets that removed entries are closed up in bulk more than
    // once, between and during walks; every lookup must stay right.
    const int kTargets = 500;
    std::vector<CCNode*> nodes;
    std::vector<CCAction*> moves;
    for (int i = 0; i < kTargets; ++i) {
        CCNode* n = CCNode::create();
        n->retain();
        n->setActionManager(manager);
        n->onEnter();
        CCAction* move = CCMoveBy::create(1.0f, ccp(10, 0));
        move->setTag(i);
        n->runAction(move);
        n->runAction(CCRotateBy::create(2.0f, 90.0f));
        nodes.push_back(n);
        moves.push_back(move);
    }
    EXPECT_EQ(manager->actionCount(), static_cast<size_t>(2 * kTargets));
    // Every other target leaves the stage (paused), every third is cleaned up.
    for (int i = 0; i < kTargets; ++i) {
        if (i % 3 == 0) nodes[i]->stopAllActions();
        else if (i % 2 == 0) nodes[i]->onExit();
    }
    advance(0.5f);
    for (int i = 0; i < kTargets; ++i) {
        SCOPED_TRACE(i);
        if (i % 3 == 0) {
            EXPECT_EQ(0u, nodes[i]->numberOfRunningActions());
            EXPECT_EQ(nullptr, nodes[i]->getActionByTag(i));
            EXPECT_FLOAT_EQ(0, nodes[i]->getPosition().x);
        } else if (i % 2 == 0) {
            EXPECT_EQ(2u, nodes[i]->numberOfRunningActions());
            EXPECT_EQ(moves[i], nodes[i]->getActionByTag(i));
            EXPECT_FLOAT_EQ(0, nodes[i]->getPosition().x); // paused
        } else {
            EXPECT_EQ(moves[i], nodes[i]->getActionByTag(i));
            EXPECT_NEAR(5, nodes[i]->getPosition().x, 1e-3);
        }
    }
    // The moves end: their entries go in the walk that finishes them.
    for (int i = 0; i < kTargets; ++i) {
        if (i % 3 != 0 && i % 2 == 0) nodes[i]->onEnter();
    }
    advance(1.6f);
    for (int i = 0; i < kTargets; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(nullptr, nodes[i]->getActionByTag(i));
        // The 2 s turns are done, except on the targets paused for 0.5 s.
        EXPECT_EQ(i % 3 != 0 && i % 2 == 0 ? 1u : 0u, nodes[i]->numberOfRunningActions());
        if (i % 3 != 0) {
            EXPECT_FLOAT_EQ(10, nodes[i]->getPosition().x);
        }
    }
    for (CCNode* n : nodes) {
        n->onExit();
        n->cleanup();
        n->release();
    }
    EXPECT_EQ(0u, manager->actionCount());
    // A new node (maybe at a freed address) starts unpaused and clean.
    CCNode* fresh = CCNode::create();
    fresh->setActionManager(manager);
    fresh->onEnter();
    fresh->runAction(CCMoveBy::create(1.0f, ccp(4, 0)));
    advance(1.0f);
    EXPECT_FLOAT_EQ(4, fresh->getPosition().x);
    fresh->onExit();
}
