// Playing animations read from layout files on virtual time: where the bound
// widget is at the key-frame times and between them, loops, stops, unbound
// and single-frame tracks, rebuilding, and seeking.
#include "TimelineTestSupport.h"

#include "actions/CCActions.h"
#include "base/CCArray.h"
#include "gui/UILayer.h"
#include "gui/UiSingletons.h"
#include "gui/WidgetLookup.h"
#include "gui/action/ActionManager.h"
#include "gui/action/ActionNode.h"
#include "gui/action/ActionObject.h"
#include "scene/CCNode.h"

namespace cc {
namespace timelinetest {
namespace {

using TimelinePlay = TimelineFixture;

// Unit time 0.125 s: frame step 8 is one second.
const char* kUnit = "\"unittime\": 0.125";

std::string moveTo(int frameId, int x, int y)
{
    return keyFrame(frameId, "\"positionx\": " + std::to_string(x) + ", \"positiony\": " + std::to_string(y));
}

UIWidget* widgetW(UIWidget* root) { return WidgetLookup::shareWidgetLookup()->findWidgetByName(root, "w"); }

ActionObject* named(const char* file, const char* name)
{
    return ActionManager::shareManager()->getActionByName(file, name);
}

ActionNode* firstTrack(ActionObject* animation)
{
    return static_cast<ActionNode*>(animation->getNodes()->objectAtIndex(0));
}

TEST_F(TimelinePlay, ALayoutFileAnimationPutsTheWidgetWhereItsKeyFramesSay)
{
    UIWidget* root = readOnStage("walk.json", layoutWithAnimations(animation("walk", kUnit,
        track(7, moveTo(0, 100, 100) + ", " + moveTo(8, 300, 100) + ", " + moveTo(16, 300, 500)))));
    ASSERT_NE(nullptr, root);
    UIWidget* w = widgetW(root);
    ASSERT_NE(nullptr, w);
    ASSERT_TRUE(ActionManager::shareManager()->playActionByName("walk.json", "walk"));
    EXPECT_TRUE(named("walk.json", "walk")->isPlaying());

    stepSeconds(0.5f);
    EXPECT_NEAR(200, w->getPosition().x, 1e-3);
    EXPECT_NEAR(100, w->getPosition().y, 1e-3);
    stepSeconds(0.5f);
    EXPECT_NEAR(300, w->getPosition().x, 1e-3);
    EXPECT_NEAR(100, w->getPosition().y, 1e-3);
    stepSeconds(0.5f);
    EXPECT_NEAR(300, w->getPosition().x, 1e-3);
    EXPECT_NEAR(300, w->getPosition().y, 1e-3);
    stepSeconds(0.5f);
    EXPECT_NEAR(500, w->getPosition().y, 1e-3);
    EXPECT_FALSE(named("walk.json", "walk")->isPlaying());
    stepSeconds(1.0f);
    EXPECT_NEAR(300, w->getPosition().x, 1e-3);
    EXPECT_NEAR(500, w->getPosition().y, 1e-3);
}

TEST_F(TimelinePlay, ScaleRotationFadeAndTintReachTheirMidPointsAndEnds)
{
    UIWidget* root = readOnStage("looks.json", layoutWithAnimations(animation("looks", kUnit, track(7,
        keyFrame(0, R"("scalex": 1, "scaley": 1, "rotation": 0, "opacity": 255, "colorr": 255, "colorg": 255, "colorb": 255)") + ", " +
        keyFrame(8, R"("scalex": 3, "scaley": 0.5, "rotation": 90, "opacity": 55, "colorr": 55, "colorg": 155, "colorb": 255)")))));
    ASSERT_NE(nullptr, root);
    UIWidget* w = widgetW(root);
    CCNode* node = firstTrack(named("looks.json", "looks"))->getTargetNode();
    ASSERT_NE(nullptr, node);
    ASSERT_TRUE(ActionManager::shareManager()->playActionByName("looks.json", "looks"));

    stepSeconds(0.5f);
    EXPECT_NEAR(2.0f, w->getScaleX(), 1e-4);
    EXPECT_NEAR(0.75f, w->getScaleY(), 1e-4);
    EXPECT_NEAR(45.0f, node->getRotation(), 1e-3);
    EXPECT_NEAR(155, w->getOpacity(), 1);
    EXPECT_NEAR(155, w->getColor().r, 1);
    EXPECT_NEAR(205, w->getColor().g, 1);
    EXPECT_EQ(255, w->getColor().b);

    stepSeconds(0.5f);
    EXPECT_FLOAT_EQ(3.0f, w->getScaleX());
    EXPECT_FLOAT_EQ(0.5f, w->getScaleY());
    EXPECT_FLOAT_EQ(90.0f, node->getRotation());
    EXPECT_EQ(55, w->getOpacity());
    EXPECT_EQ(55, w->getColor().r);
    EXPECT_EQ(155, w->getColor().g);
    EXPECT_EQ(255, w->getColor().b);
}

TEST_F(TimelinePlay, ALoopStartsOverUntilStopped)
{
    UIWidget* root = readOnStage("loop.json", layoutWithAnimations(animation("swing", std::string(kUnit) + ", \"loop\": true",
        track(7, moveTo(0, 100, 100) + ", " + moveTo(8, 300, 100) + ", " + moveTo(16, 100, 100)))));
    ASSERT_NE(nullptr, root);
    UIWidget* w = widgetW(root);
    ActionObject* swing = named("loop.json", "swing");
    ASSERT_NE(nullptr, swing);
    CCNode* node = firstTrack(swing)->getTargetNode();
    swing->play();
    EXPECT_TRUE(dynamic_cast<CCRepeatForever*>(firstTrack(swing)->getPlayingAction()) != nullptr);
    stepSeconds(2.5f); // half a second into the second round
    EXPECT_NEAR(200, w->getPosition().x, 1e-3);
    stepSeconds(10.0f);
    EXPECT_TRUE(swing->isPlaying());
    EXPECT_NEAR(200, w->getPosition().x, 1e-3);

    ASSERT_TRUE(ActionManager::shareManager()->stopActionByName("loop.json", "swing"));
    EXPECT_FALSE(swing->isPlaying());
    stepSeconds(0.25f);
    EXPECT_NEAR(200, w->getPosition().x, 1e-3);
    EXPECT_EQ(0u, node->numberOfRunningActions());

    // Playing again restarts from where the widget is now.
    swing->play();
    swing->play(); // a second play replaces the first run instead of adding one
    EXPECT_EQ(1u, node->numberOfRunningActions());
    stepSeconds(0.5f);
    EXPECT_NEAR(250, w->getPosition().x, 1e-3);
}

TEST_F(TimelinePlay, SingleKeyFramesAndUnboundTracksAnimateNothing)
{
    UIWidget* root = readOnStage("still.json", layoutWithAnimations(
        animation("still", kUnit, track(7, keyFrame(4, R"("positionx": 500, "positiony": 500, "opacity": 0)"))) + ", " +
        animation("lost", kUnit, track(99, moveTo(0, 0, 0) + ", " + moveTo(8, 600, 600)))));
    ASSERT_NE(nullptr, root);
    UIWidget* w = widgetW(root);

    ActionObject* still = named("still.json", "still");
    ASSERT_NE(nullptr, still);
    auto* spawn = dynamic_cast<CCSpawn*>(firstTrack(still)->getSpawnAction());
    ASSERT_NE(nullptr, spawn);
    EXPECT_EQ(0u, spawn->actionCount());
    CCNode* node = firstTrack(still)->getTargetNode();
    ASSERT_NE(nullptr, node);
    still->play();
    stepSeconds(1.0f);
    EXPECT_FLOAT_EQ(100, w->getPosition().x);
    EXPECT_EQ(255, w->getOpacity());

    ActionObject* lost = named("still.json", "lost");
    ActionNode* track = firstTrack(lost);
    lost->play();
    EXPECT_EQ(nullptr, track->getPlayingAction());
    track->startAction();
    track->stop();
    lost->stop();
    EXPECT_FALSE(track->seekToTime(0.5f));
    ActionMoveFrame* far = ActionMoveFrame::create();
    far->setPosition(CCPoint(600, 600));
    track->applyFrame(1.0f, 1.0f, far);
    stepSeconds(1.0f);
    EXPECT_FLOAT_EQ(100, w->getPosition().x);
    EXPECT_FLOAT_EQ(100, w->getPosition().y);
    EXPECT_EQ(0u, node->numberOfRunningActions());
}

TEST_F(TimelinePlay, RebuildingATrackDropsItsPlayingActionOnce)
{
    UIWidget* root = readOnStage("rebuild.json", layoutWithAnimations(animation("r", kUnit,
        track(7, moveTo(0, 100, 100) + ", " + moveTo(8, 300, 100)))));
    ASSERT_NE(nullptr, root);
    UIWidget* w = widgetW(root);
    ActionObject* r = named("rebuild.json", "r");
    ActionNode* node = firstTrack(r);
    CCNode* target = node->getTargetNode();
    driver->step(1); // drain what reading left in the pool
    const long before = CCObject::liveObjectCount();

    r->play();
    stepSeconds(0.5f);
    EXPECT_NEAR(200, w->getPosition().x, 1e-3);
    // A new unit time rebuilds the track: the old run stops and is gone.
    r->setUnitTime(0.25f);
    EXPECT_EQ(nullptr, node->getPlayingAction());
    EXPECT_FALSE(node->isPlaying());
    EXPECT_EQ(0u, target->numberOfRunningActions());
    stepSeconds(0.5f);
    EXPECT_NEAR(200, w->getPosition().x, 1e-3);
    // A later stop and play act on the new build only.
    node->stop();
    r->play();
    stepSeconds(1.0f); // half of the new 2 s move from 200 to 300
    EXPECT_NEAR(250, w->getPosition().x, 1e-3);
    node->buildAction();
    node->stop();
    node->buildAction();
    r->play();
    r->stop();
    node->buildAction(); // drops the stopped run too
    EXPECT_EQ(nullptr, node->getPlayingAction());
    driver->step(1);
    EXPECT_EQ(before, CCObject::liveObjectCount());
}

TEST_F(TimelinePlay, SeekingPutsEachKindInItsStateAtTheTime)
{
    UIWidget* root = readOnStage("seek.json", layoutWithAnimations(animation("s", kUnit, track(7,
        moveTo(0, 100, 100) + ", " + moveTo(8, 300, 100) + ", " +
        keyFrame(4, R"("opacity": 200)") + ", " + keyFrame(12, R"("opacity": 0)")))));
    ASSERT_NE(nullptr, root);
    UIWidget* w = widgetW(root);
    ActionNode* node = firstTrack(named("seek.json", "s"));

    // Between two frames: the move is interpolated, the fade is before its
    // first frame and takes that frame's state; the fade, handled last, says false.
    EXPECT_FALSE(node->seekToTime(0.25f));
    EXPECT_NEAR(150, w->getPosition().x, 1e-3);
    EXPECT_EQ(200, w->getOpacity());
    // On a frame exactly, and between the fade's frames: true (the last kind decides).
    EXPECT_TRUE(node->seekToTime(1.0f));
    EXPECT_NEAR(300, w->getPosition().x, 1e-3);
    EXPECT_EQ(100, w->getOpacity());
    // Past the last frame of both kinds: left as they are.
    w->setPosition(CCPoint(7, 7));
    node->seekToTime(5.0f);
    EXPECT_FLOAT_EQ(7, w->getPosition().x);
    EXPECT_EQ(100, w->getOpacity());
    // Before the first fade frame, the fade being the last kind: false.
    EXPECT_FALSE(node->seekToTime(0.125f));
    EXPECT_NEAR(125, w->getPosition().x, 1e-3);
    EXPECT_EQ(200, w->getOpacity());
    // Seeking starts nothing on the engine.
    EXPECT_EQ(0u, node->getTargetNode()->numberOfRunningActions());
}

TEST_F(TimelinePlay, KeyFrameIndexesAtTheEndsOfTheIntRangeGiveALongMoveNotAnOverflow)
{
    UIWidget* root = readOnStage("ends.json", layoutWithAnimations(animation("e", kUnit,
        track(7, moveTo(-2147483647 - 1, 100, 100) + ", " + moveTo(2147483647, 300, 100)))));
    ASSERT_NE(nullptr, root);
    UIWidget* w = widgetW(root);
    ASSERT_NE(nullptr, w);
    // The two frames lie 2^32 - 1 steps apart: the move lasts about 17 years.
    ASSERT_TRUE(ActionManager::shareManager()->playActionByName("ends.json", "e"));
    stepSeconds(1.0f);
    EXPECT_NEAR(100, w->getPosition().x, 1e-3);
    EXPECT_TRUE(named("ends.json", "e")->isPlaying());
    ActionNode* node = firstTrack(named("ends.json", "e"));
    EXPECT_TRUE(node->seekToTime(0.0f));
    EXPECT_NEAR(200, w->getPosition().x, 1e-2);
}

TEST_F(TimelinePlay, ReleasingTheServicesWhileAnimationsRunLeavesNothingBehind)
{
    const std::string swing = animation("swing", std::string(kUnit) + ", \"loop\": true",
        track(7, moveTo(0, 100, 100) + ", " + moveTo(8, 300, 100) + ", " + moveTo(16, 100, 100)));

    // One read without playing first: what the engine makes on first use
    // (file utilities and the like) stays for the process and is no leak.
    layer->removeWidget(readOnStage("run.json", layoutWithAnimations(swing)));
    releaseUiSingletons();
    driver->step(1);
    const long before = CCObject::liveObjectCount();

    // Services released first: the running loop stops with its track.
    UIWidget* root = readOnStage("run.json", layoutWithAnimations(swing));
    ASSERT_NE(nullptr, root);
    UIWidget* w = widgetW(root);
    CCNode* node = firstTrack(named("run.json", "swing"))->getTargetNode();
    ASSERT_TRUE(ActionManager::shareManager()->playActionByName("run.json", "swing"));
    stepSeconds(0.5f);
    releaseUiSingletons();
    EXPECT_EQ(0u, node->numberOfRunningActions());
    stepSeconds(0.5f);
    EXPECT_NEAR(200, w->getPosition().x, 1e-3);
    layer->removeWidget(root);
    driver->step(1);
    EXPECT_EQ(before, CCObject::liveObjectCount());

    // Widget tree destroyed first, services released afterwards.
    root = readOnStage("run.json", layoutWithAnimations(swing));
    ASSERT_NE(nullptr, root);
    ASSERT_TRUE(ActionManager::shareManager()->playActionByName("run.json", "swing"));
    stepSeconds(0.5f);
    layer->removeWidget(root);
    driver->step(1);
    releaseUiSingletons();
    driver->step(1);
    EXPECT_EQ(before, CCObject::liveObjectCount());
}

} // namespace
} // namespace timelinetest
} // namespace cc
