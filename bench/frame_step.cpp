// One logic frame (scheduler, actions, visit without drawing) of a scene with
// 1,000 nodes of which 100 run actions.
#include "actions/CCActions.h"
#include "engine.h"
#include "platform/FrameDriver.h"

#include <benchmark/benchmark.h>

using namespace cc;

namespace {
const int kNodes = 1000;
const int kAnimated = 100;
const int kFanOut = 10; // nodes hang in a tree ten wide, like real screens

void BM_FrameStep(benchmark::State& state)
{
    FrameDriver driver;
    CCScene* scene = CCScene::create();
    CCNode* group = nullptr;
    for (int i = 0; i < kNodes; ++i) {
        if (i % kFanOut == 0) {
            group = CCNode::create();
            scene->addChild(group, i % 7);
        }
        CCNode* node = CCNodeRGBA::create();
        node->setPosition(CCPoint(float(i % 640), float(i % 960)));
        node->setContentSize(CCSize(20, 20));
        group->addChild(node, i % 5);
        if (i % (kNodes / kAnimated) == 0) {
            CCFiniteTimeAction* move = CCMoveBy::create(1.0f, CCPoint(30, 0));
            node->runAction(CCRepeatForever::create(
                CCSequence::createWithTwoActions(move, move->reverse())));
        }
    }
    driver.show(scene);
    for (auto _ : state) {
        driver.step();
    }
    state.counters["actions"] = double(driver.director()->getActionManager()->actionCount());
}
} // namespace

BENCHMARK(BM_FrameStep)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
