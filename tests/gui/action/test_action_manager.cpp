// Reading animation sections: file order, names, unit time defaults, frames
// per kind, timed sequences, and the refused bindings.
#include "TimelineTestSupport.h"

#include "actions/CCActions.h"
#include "base/CCArray.h"
#include "gui/WidgetLookup.h"
#include "gui/action/ActionManager.h"
#include "gui/action/ActionNode.h"
#include "gui/action/ActionObject.h"
#include "scene/CCNode.h"
#include "scene/CCNodeRGBA.h"

namespace cc {
namespace timelinetest {
namespace {

using TimelineRead = TimelineFixture;

ActionObject* animationAt(const char* file, unsigned int i)
{
    CCArray* list = ActionManager::shareManager()->getAnimationsOfFile(file);
    return list && i < list->count() ? static_cast<ActionObject*>(list->objectAtIndex(i)) : nullptr;
}

ActionNode* trackOf(ActionObject* animation, unsigned int i = 0)
{
    return animation && i < animation->getNodes()->count()
               ? static_cast<ActionNode*>(animation->getNodes()->objectAtIndex(i))
               : nullptr;
}

TEST_F(TimelineRead, AnimationsAreKeptInFileOrderEvenWithOneName)
{
    const std::string moves = track(7, keyFrame(0, R"("positionx": 1, "positiony": 2)"));
    ASSERT_NE(nullptr, readOnStage("names.json", layoutWithAnimations(
                                                     animation("wave", "\"unittime\": 0.5", moves) + ", " +
                                                     animation("wave", "\"unittime\": 0.25, \"loop\": true", moves) +
                                                     ", {\"unittime\": 2, \"actionnodelist\": []}")));
    CCArray* list = ActionManager::shareManager()->getAnimationsOfFile("names.json");
    ASSERT_NE(nullptr, list);
    ASSERT_EQ(3u, list->count());
    EXPECT_STREQ("wave", animationAt("names.json", 0)->getName());
    EXPECT_FLOAT_EQ(0.5f, animationAt("names.json", 0)->getUnitTime());
    EXPECT_FALSE(animationAt("names.json", 0)->getLoop());
    EXPECT_STREQ("wave", animationAt("names.json", 1)->getName());
    EXPECT_FLOAT_EQ(0.25f, animationAt("names.json", 1)->getUnitTime());
    EXPECT_TRUE(animationAt("names.json", 1)->getLoop());
    // A nameless animation is kept, under the empty name.
    EXPECT_STREQ("", animationAt("names.json", 2)->getName());
    // Looking up by name finds the first of the two.
    EXPECT_EQ(animationAt("names.json", 0), ActionManager::shareManager()->getActionByName("names.json", "wave"));
    EXPECT_EQ(nullptr, ActionManager::shareManager()->getActionByName("names.json", "absent"));
    EXPECT_FALSE(ActionManager::shareManager()->playActionByName("other.json", "wave"));
    // Each track takes its animation's unit time.
    EXPECT_FLOAT_EQ(0.25f, trackOf(animationAt("names.json", 1))->getUnitTime());

    // Reading the file again replaces the entry and lets the old objects go.
    driver->step(1); // the pool lets go of what the read made
    ActionObject* old = animationAt("names.json", 0);
    old->retain();
    ASSERT_NE(nullptr, readOnStage("names.json", layoutWithAnimations(animation("only", "", ""))));
    EXPECT_EQ(1u, old->retainCount());
    old->release();
    ASSERT_EQ(1u, ActionManager::shareManager()->getAnimationsOfFile("names.json")->count());
    EXPECT_STREQ("only", animationAt("names.json", 0)->getName());
}

TEST_F(TimelineRead, WithoutUnitTimeEveryTransitionIsInstant)
{
    UIWidget* root = readOnStage("instant.json", layoutWithAnimations(animation("jump", "", track(7,
        keyFrame(0, R"("positionx": 100, "positiony": 100)") + ", " +
        keyFrame(10, R"("positionx": 200, "positiony": 150)") + ", " +
        keyFrame(30, R"("positionx": 400, "positiony": 50)")))));
    ASSERT_NE(nullptr, root);
    ActionObject* jump = animationAt("instant.json", 0);
    ASSERT_NE(nullptr, jump);
    EXPECT_FLOAT_EQ(0.0f, jump->getUnitTime());
    ASSERT_NE(nullptr, trackOf(jump)->getSpawnAction());
    EXPECT_FLOAT_EQ(0.0f, static_cast<CCFiniteTimeAction*>(trackOf(jump)->getSpawnAction())->getDuration());
    jump->play();
    driver->step(1);
    UIWidget* w = WidgetLookup::shareWidgetLookup()->findWidgetByName(root, "w");
    EXPECT_FLOAT_EQ(400, w->getPosition().x);
    EXPECT_FLOAT_EQ(50, w->getPosition().y);
    EXPECT_FALSE(jump->isPlaying());
}

TEST_F(TimelineRead, OneKeyFrameObjectAddsOneFramePerKindItNames)
{
    ASSERT_NE(nullptr, readOnStage("kinds.json", layoutWithAnimations(animation("k", "\"unittime\": 0.1", track(7,
        keyFrame(5, R"("positionx": 12.5, "positiony": -3, "opacity": 128)") + ", " +
        keyFrame(9, R"("scalex": 2, "rotation": 45.5, "colorr": 300, "colorg": 20, "colorb": -4, "opacity": 7.9)"))))));
    ActionNode* node = trackOf(animationAt("kinds.json", 0));
    ASSERT_NE(nullptr, node);
    EXPECT_EQ(7, node->getActionTag());
    ASSERT_NE(nullptr, node->getBoundObject());
    EXPECT_STREQ("w", node->getBoundObject()->getName());

    ASSERT_EQ(1u, node->getFrames(kActionFrameMove)->count());
    ASSERT_EQ(2u, node->getFrames(kActionFrameFade)->count());
    ASSERT_EQ(1u, node->getFrames(kActionFrameScale)->count());
    ASSERT_EQ(1u, node->getFrames(kActionFrameRotation)->count());
    ASSERT_EQ(1u, node->getFrames(kActionFrameTint)->count());
    EXPECT_EQ(nullptr, node->getFrames(kActionFrameKindCount));

    auto* move = static_cast<ActionMoveFrame*>(node->getFrames(kActionFrameMove)->objectAtIndex(0));
    auto* fade = static_cast<ActionFadeFrame*>(node->getFrames(kActionFrameFade)->objectAtIndex(0));
    EXPECT_EQ(5, move->getFrameIndex());
    EXPECT_EQ(5, fade->getFrameIndex());
    EXPECT_EQ(kActionFrameMove, move->getKind());
    EXPECT_EQ(kActionFrameFade, fade->getKind());
    EXPECT_FLOAT_EQ(12.5f, move->getPosition().x);
    EXPECT_FLOAT_EQ(-3.0f, move->getPosition().y);
    EXPECT_FLOAT_EQ(128.0f, fade->getOpacity());
    // Opacity is an integer member: 7.9 gives 7.
    EXPECT_FLOAT_EQ(7.0f, static_cast<ActionFadeFrame*>(node->getFrames(kActionFrameFade)->objectAtIndex(1))->getOpacity());

    auto* scale = static_cast<ActionScaleFrame*>(node->getFrames(kActionFrameScale)->objectAtIndex(0));
    EXPECT_EQ(9, scale->getFrameIndex());
    EXPECT_FLOAT_EQ(2.0f, scale->getScaleX());
    EXPECT_FLOAT_EQ(0.0f, scale->getScaleY()); // an absent second factor takes the format's default, 0
    EXPECT_FLOAT_EQ(45.5f, static_cast<ActionRotationFrame*>(node->getFrames(kActionFrameRotation)->objectAtIndex(0))->getRotation());
    const ccColor3B colour = static_cast<ActionTintFrame*>(node->getFrames(kActionFrameTint)->objectAtIndex(0))->getColor();
    EXPECT_EQ(255, colour.r); // kept within a byte
    EXPECT_EQ(20, colour.g);
    EXPECT_EQ(0, colour.b);
}

TEST_F(TimelineRead, AbsentOrMistypedValuesTakeTheFormatsDefaultAndRangesAreClamped)
{
    ASSERT_NE(nullptr, readOnStage("defaults.json", layoutWithAnimations(animation("d", "\"unittime\": 0.1", track(7,
        keyFrame(0, R"("scalex": "wide", "colorr": 10, "opacity": "half")") + ", " +
        keyFrame(4, R"("scalex": 3, "scaley": true, "colorr": 300, "colorg": -4, "colorb": 2.9, "opacity": 300)") + ", " +
        keyFrame(8, R"("colorr": 0, "colorb": 200, "opacity": -7)"))))));
    ActionNode* node = trackOf(animationAt("defaults.json", 0));
    ASSERT_NE(nullptr, node);
    ASSERT_EQ(2u, node->getFrames(kActionFrameScale)->count());
    ASSERT_EQ(3u, node->getFrames(kActionFrameTint)->count());
    ASSERT_EQ(3u, node->getFrames(kActionFrameFade)->count());
    auto scale = [&](unsigned int i) {
        return static_cast<ActionScaleFrame*>(node->getFrames(kActionFrameScale)->objectAtIndex(i));
    };
    auto colour = [&](unsigned int i) {
        return static_cast<ActionTintFrame*>(node->getFrames(kActionFrameTint)->objectAtIndex(i))->getColor();
    };
    auto opacity = [&](unsigned int i) {
        return static_cast<ActionFadeFrame*>(node->getFrames(kActionFrameFade)->objectAtIndex(i))->getOpacity();
    };
    // A mistyped factor counts as absent: 0, as for any number of the format.
    EXPECT_FLOAT_EQ(0.0f, scale(0)->getScaleX());
    EXPECT_FLOAT_EQ(0.0f, scale(0)->getScaleY());
    EXPECT_FLOAT_EQ(3.0f, scale(1)->getScaleX());
    EXPECT_FLOAT_EQ(1.0f, scale(1)->getScaleY()); // a boolean is a number: true is 1
    // Absent channels are 0, not white.
    EXPECT_EQ(10, colour(0).r);
    EXPECT_EQ(0, colour(0).g);
    EXPECT_EQ(0, colour(0).b);
    EXPECT_EQ(0, colour(2).g);
    EXPECT_EQ(200, colour(2).b);
    // Outside the byte range a channel is clamped, never wrapped; reals truncate.
    EXPECT_EQ(255, colour(1).r);
    EXPECT_EQ(0, colour(1).g);
    EXPECT_EQ(2, colour(1).b);
    // A mistyped opacity is 0, not full; the fade action keeps it in a byte.
    EXPECT_FLOAT_EQ(0.0f, opacity(0));
    EXPECT_FLOAT_EQ(300.0f, opacity(1));
    EXPECT_FLOAT_EQ(-7.0f, opacity(2));

    // Played to its end, the widget shows the clamped values.
    CCNode* target = node->getTargetNode();
    ASSERT_NE(nullptr, target);
    node->play(false);
    driver->advance(1.0);
    CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(target);
    ASSERT_NE(nullptr, rgba);
    EXPECT_EQ(0, rgba->getOpacity());
    EXPECT_EQ(0, rgba->getColor().r);
    EXPECT_EQ(200, rgba->getColor().b);
    EXPECT_FLOAT_EQ(3.0f, target->getScaleX());
}

TEST_F(TimelineRead, FramesBecomeOneTimedSequencePerKindRunTogether)
{
    ASSERT_NE(nullptr, readOnStage("timed.json", layoutWithAnimations(animation("t", "\"unittime\": 0.1", track(7,
        keyFrame(0, R"("positionx": 0, "positiony": 0)") + ", " +
        keyFrame(10, R"("positionx": 10, "positiony": 0, "rotation": 10)") + ", " +
        keyFrame(30, R"("positionx": 30, "positiony": 0, "rotation": 30)") + ", " +
        keyFrame(35, R"("rotation": 90)"))))));
    ActionNode* node = trackOf(animationAt("timed.json", 0));
    ASSERT_NE(nullptr, node);
    auto* spawn = dynamic_cast<CCSpawn*>(node->getSpawnAction());
    ASSERT_NE(nullptr, spawn);
    // Two kinds have transitions; frame 0 of each only starts the clock.
    EXPECT_EQ(2u, spawn->actionCount());
    // Moves: 1.0 s then 2.0 s; rotations (first frame at 10): 2.0 s then 0.5 s.
    EXPECT_NEAR(3.0f, spawn->getDuration(), 1e-5f);

    // The spawn is rebuilt from the frames: a new unit time scales it.
    animationAt("timed.json", 0)->setUnitTime(0.2f);
    spawn = dynamic_cast<CCSpawn*>(node->getSpawnAction());
    ASSERT_NE(nullptr, spawn);
    EXPECT_NEAR(6.0f, spawn->getDuration(), 1e-5f);
}

TEST_F(TimelineRead, RefusedBindingsAndTheBaseFrameKind)
{
    UIWidget* root = readOnStage("bind.json", layoutWithAnimations(animation("b", "\"unittime\": 0.1",
        track(99, keyFrame(0, R"("positionx": 0, "positiony": 0)") + ", " +
                  keyFrame(5, R"("positionx": 5, "positiony": 0)")))));
    ASSERT_NE(nullptr, root);
    ActionNode* unbound = trackOf(animationAt("bind.json", 0));
    ASSERT_NE(nullptr, unbound);
    EXPECT_EQ(nullptr, unbound->getBoundObject());
    EXPECT_EQ(nullptr, unbound->getSpawnAction());
    EXPECT_EQ(nullptr, unbound->getTargetNode());

    // An engine node is not a widget tree: refused with its line.
    ActionNode* node = ActionNode::create();
    node->setActionTag(7);
    driver->clearLog();
    node->initActionNodeFromRoot(CCNode::create());
    EXPECT_TRUE(driver->logged("Need a definition of <initActionNodeFromRoot> for gameObject"));
    EXPECT_EQ(nullptr, node->getBoundObject());
    node->initActionNodeFromRoot(nullptr);
    EXPECT_EQ(nullptr, node->getBoundObject());
    node->initActionNodeFromRoot(root);
    ASSERT_NE(nullptr, node->getBoundObject());
    EXPECT_STREQ("w", node->getBoundObject()->getName());

    // The base kind has no action: its line, and nothing in the sequence.
    driver->clearLog();
    EXPECT_EQ(nullptr, ActionFrame::create()->getAction(1.0f));
    EXPECT_TRUE(driver->logged("Need a definition of <getAction> for ActionFrame"));
    ActionMoveFrame* start = ActionMoveFrame::create();
    ActionMoveFrame* end = ActionMoveFrame::create();
    end->setFrameIndex(4);
    end->setPosition(CCPoint(50, 60));
    node->addFrame(start);
    node->addFrame(end);
    node->addFrame(ActionFrame::create()); // no kind: not stored
    EXPECT_EQ(2u, node->getFrames(kActionFrameMove)->count());
    auto* spawn = dynamic_cast<CCSpawn*>(node->buildAction());
    ASSERT_NE(nullptr, spawn);
    EXPECT_EQ(1u, spawn->actionCount());
    EXPECT_NEAR(0.4f, spawn->getDuration(), 1e-6f); // a fresh track steps 0.1 s
}

} // namespace
} // namespace timelinetest
} // namespace cc
