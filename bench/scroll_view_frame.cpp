// One frame (update, visit, draw) of a clipping scroll view holding 1,000
// image children while it coasts: headless (the CPU side of visiting and
// culling) and drawn into a hidden window (also the GL side; needs a display).
#include "gui/UILayer.h"
#include "gui/UIRootWidget.h"
#include "gui/widgets/UIImageView.h"
#include "gui/widgets/UIScrollView.h"
#include "platform/FrameDriver.h"
#include "scene/CCScene.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

using namespace cc;

namespace {
const int kChildren = 1000;
const float kRowHeight = 40.0f;
// Run from the source tree (or give the picture's path as QUIBO_BENCH_IMAGE).
const char* imagePath() { const char* p = std::getenv("QUIBO_BENCH_IMAGE"); return p ? p : "resources/mainpage/menu_button_off.png"; }

void coastingFrames(benchmark::State& state, bool drawn)
{
    FrameDriver driver;
    if (drawn && !driver.enableRendering(640, 960)) {
        state.SkipWithError("no display: run under xvfb-run");
        return;
    }
    CCScene* scene = CCScene::create();
    UILayer* layer = UILayer::create();
    scene->addChild(layer);
    driver.show(scene);
    UIScrollView* view = UIScrollView::create();
    view->setSize(CCSize(600, 900));
    view->setPosition(CCPoint(20, 30));
    view->setInnerContainerSize(CCSize(600, kChildren * kRowHeight));
    for (int i = 0; i < kChildren; ++i) {
        UIImageView* image = UIImageView::create();
        image->loadTexture(imagePath());
        image->setPosition(CCPoint(300, kChildren * kRowHeight - kRowHeight * (i + 0.5f)));
        view->addChild(image);
    }
    layer->addWidget(view);
    for (auto _ : state) {
        state.PauseTiming();
        // A fast fling up keeps it coasting for the whole measured frame.
        driver.touchDown(CCPoint(300, 100));
        driver.step();
        driver.touchMove(CCPoint(300, 400));
        driver.touchUp(CCPoint(300, 400));
        state.ResumeTiming();
        driver.step();
        benchmark::DoNotOptimize(view->getInnerContainer()->getPosition());
    }
}
} // namespace

static void BM_CoastingScrollViewFrame(benchmark::State& state) { coastingFrames(state, false); }
BENCHMARK(BM_CoastingScrollViewFrame)->Unit(benchmark::kMicrosecond);

static void BM_CoastingScrollViewFrameDrawn(benchmark::State& state) { coastingFrames(state, true); }
BENCHMARK(BM_CoastingScrollViewFrameDrawn)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
