// Routing one touch-down (and its touch-up) through a UILayer holding 500
// widgets: 20 panels of 25 touch-enabled leaves. The point lies only on the
// bottom-most leaf, so the pick has to walk the whole tree before it finds it.
#include "gui/Layout.h"
#include "gui/UILayer.h"
#include "gui/UIRootWidget.h"
#include "platform/FrameDriver.h"
#include "scene/CCScene.h"

#include <benchmark/benchmark.h>

using namespace cc;

namespace {
const int kPanels = 20;
const int kLeavesPerPanel = 24; // with the panels: 20 + 20 x 24 = 500 widgets
const CCPoint kTouchPoint(5, 5);

int taps = 0;
struct Counter : CCObject {
    void onTouch(CCObject*, TouchPhase) { ++taps; }
};

void BM_WidgetTouchDown(benchmark::State& state)
{
    FrameDriver driver;
    CCScene* scene = CCScene::create();
    UILayer* layer = UILayer::create();
    scene->addChild(layer);
    Counter counter;
    int widgets = 0;
    for (int p = 0; p < kPanels; ++p) {
        Layout* panel = Layout::create();
        panel->setSize(CCSize(640, 960));
        panel->setClippingEnabled(p % 2 == 0);
        layer->getRootWidget()->addChild(panel);
        ++widgets;
        for (int i = 0; i < kLeavesPerPanel; ++i) {
            UIWidget* leaf = UIWidget::create();
            leaf->setIgnoreSize(false);
            leaf->setSize(CCSize(40, 40));
            // Every leaf except the very first lies away from the touch point.
            const bool target = p == 0 && i == 0;
            leaf->setPosition(target ? CCPoint(20, 20) : CCPoint(100.0f + 20 * (i % 20), 100.0f + 30 * p));
            leaf->setTouchEnabled(true);
            leaf->setTouchListener(&counter, toucheventselector(Counter::onTouch));
            panel->addChild(leaf);
            ++widgets;
        }
    }
    driver.show(scene);
    taps = 0;
    for (auto _ : state) {
        driver.touchDown(kTouchPoint);
        driver.touchUp(kTouchPoint);
    }
    state.counters["widgets"] = widgets;
    state.counters["events per touch"] = double(taps) / double(state.iterations());
}
BENCHMARK(BM_WidgetTouchDown);
} // namespace

BENCHMARK_MAIN();
