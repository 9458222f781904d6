// A page of many widgets, headless: reading its layout file (parse and
// build), entering the stage and leaving it (exit, cleanup, destruction),
// at 10,000, 30,000 and 100,000 widgets. Each phase should grow linearly
// with the widget count: compare the per-widget times across the sizes.
#include "base/CCAutoreleasePool.h"
#include "gui/CCSGUIReader.h"
#include "gui/UILayer.h"
#include "gui/UIWidget.h"
#include "gui/UiSingletons.h"
#include "platform/FrameDriver.h"
#include "scene/CCDirector.h"
#include "scene/CCScene.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

using namespace cc;

namespace {

const int kChildrenPerPanel = 1000;

// The smallest node text of each kind, so 100,000 widgets stay under the
// layout size bound; every tenth widget is a label, the rest buttons and
// images, all under panels of kChildrenPerPanel.
std::string layoutText(int widgets)
{
    std::ostringstream out;
    out << "{\"designWidth\":640,\"designHeight\":960,\"widgetTree\":{\"classname\":\"Panel\",\"options\":{\"width\":640,\"height\":960},\"children\":[";
    int made = 1;
    for (int p = 0; made < widgets; ++p) {
        if (p) out << ',';
        out << "{\"classname\":\"Panel\",\"options\":{},\"children\":[";
        ++made;
        for (int i = 0; i < kChildrenPerPanel && made < widgets; ++i, ++made) {
            if (i) out << ',';
            if (i % 10 == 0) {
                out << "{\"classname\":\"Label\",\"options\":{\"text\":\"w\"}}";
            } else if (i % 2) {
                out << "{\"classname\":\"Button\",\"options\":{\"touchAble\":true}}";
            } else {
                out << "{\"classname\":\"ImageView\"}";
            }
        }
        out << "]}";
    }
    out << "]}}";
    return out.str();
}

std::string layoutFile(int widgets)
{
    const std::string path = "/tmp/quibo-bench-widgets-" + std::to_string(getpid()) + "-" + std::to_string(widgets) + ".json";
    std::ofstream(path) << layoutText(widgets);
    return path;
}

UIWidget* readPage(const std::string& path)
{
    return CCSGUIReader::shareReader()->readLayoutFile(path.c_str());
}

CCScene* sceneWith(UIWidget* root)
{
    CCScene* scene = CCScene::create();
    UILayer* layer = UILayer::create();
    layer->addWidget(root);
    scene->addChild(layer);
    return scene;
}

void BM_ReadPage(benchmark::State& state)
{
    FrameDriver driver;
    const std::string path = layoutFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        UIWidget* root = readPage(path);
        if (!root) {
            state.SkipWithError("the layout was refused");
            break;
        }
        state.PauseTiming();
        CCPoolManager::sharedPoolManager()->pop();
        releaseUiSingletons();
        state.ResumeTiming();
    }
    std::remove(path.c_str());
    state.counters["widgets"] = static_cast<double>(state.range(0));
}

void BM_EnterPage(benchmark::State& state)
{
    FrameDriver driver;
    const std::string path = layoutFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        UIWidget* root = readPage(path);
        if (!root) {
            state.SkipWithError("the layout was refused");
            break;
        }
        CCScene* scene = sceneWith(root);
        state.ResumeTiming();
        driver.show(scene); // enter: every node's onEnter, one frame
        state.PauseTiming();
        driver.show(CCScene::create());
        driver.step();
        CCPoolManager::sharedPoolManager()->pop();
        releaseUiSingletons();
        state.ResumeTiming();
    }
    std::remove(path.c_str());
    state.counters["widgets"] = static_cast<double>(state.range(0));
}

void BM_LeavePage(benchmark::State& state)
{
    FrameDriver driver;
    const std::string path = layoutFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        UIWidget* root = readPage(path);
        if (!root) {
            state.SkipWithError("the layout was refused");
            break;
        }
        driver.show(sceneWith(root));
        CCPoolManager::sharedPoolManager()->pop();
        CCScene* next = CCScene::create();
        state.ResumeTiming();
        // leave: exit and cleanup of every node, then the old scene dies
        driver.show(next);
        driver.step();
        CCPoolManager::sharedPoolManager()->pop();
        state.PauseTiming();
        releaseUiSingletons();
        state.ResumeTiming();
    }
    std::remove(path.c_str());
    state.counters["widgets"] = static_cast<double>(state.range(0));
}

BENCHMARK(BM_ReadPage)->Arg(10000)->Arg(30000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_EnterPage)->Arg(10000)->Arg(30000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LeavePage)->Arg(10000)->Arg(30000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
