// The frames of a page turn on the bundled book, drawn in a hidden window of
// the reader's start size with GL finished after every frame: how long the
// press on next (or previous) takes to build the page, the first frame of the
// turn, the later ones, and the longest wait between two frames (the build
// plus the first frame, which the real loop does in one go). Turns go back and
// forth across the story, so pages are built again after they were left.
#include "book/BookConfiguration.h"
#include "book/BookSettings.h"
#include "book/OpenPage.h"
#include "book/PageState.h"
#include "book/TestLayer1.h"
#include "book/TestLayer2.h"
#include "book/VisibleArea.h"

#include "audio/SimpleAudioEngine.h"
#include "platform/FrameDriver.h"
#include "render/CCGL.h"
#include "render/CCHiddenWindow.h"
#include "scene/CCDirector.h"
#include "scene/CCScene.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

// The window a 1000-pixel screen gives the reader.
const int kFrameWidth = 714, kFrameHeight = 940;
// A turn plays half a second; a little more lets it finish.
const int kTurnFrames = 33;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Turns the page on stage forward or back; false when no page is on stage.
bool turn(cc::FrameDriver& driver, bool forward)
{
    cc::CCScene* running = driver.director()->getRunningScene();
    cc::CCObject* layer = running && running->getChildrenCount() > 0 ? running->getChildren()->objectAtIndex(0)
                                                                      : nullptr;
    if (auto* first = dynamic_cast<quibo::TestLayer1*>(layer)) {
        forward ? first->turnForward(nullptr) : first->turnBack(nullptr);
        return true;
    }
    if (auto* second = dynamic_cast<quibo::TestLayer2*>(layer)) {
        forward ? second->turnForward(nullptr) : second->turnBack(nullptr);
        return true;
    }
    return false;
}

void BM_PageTurnFrames(benchmark::State& state)
{
    cc::FrameDriver driver;
    if (!driver.enableRendering(kFrameWidth, kFrameHeight)) {
        state.SkipWithError("no display: run under xvfb-run");
        return;
    }
    cc::SimpleAudioEngine::sharedEngine()->useSimulatedBackend();
    quibo::bookSettings().reset();
    quibo::pageState().reset();
    quibo::VisibleArea::forget();
    quibo::readBookConfiguration();
    quibo::bookSettings().currentPage = quibo::bookSettings().pageMin;
    quibo::openPage();
    driver.step(3);
    glFinish();

    double buildTotal = 0, firstTotal = 0, laterTotal = 0, worstGap = 0, worstLater = 0;
    long laterCount = 0;
    int step = 1;
    for (auto _ : state) {
        const quibo::BookSettings& book = quibo::bookSettings();
        if (book.currentPage + step > book.pageMax || book.currentPage + step < book.pageMin) step = -step;
        Clock::time_point start = Clock::now();
        if (!turn(driver, step > 0)) {
            state.SkipWithError("no page on stage");
            break;
        }
        const double build = msSince(start);
        start = Clock::now();
        driver.step();
        glFinish();
        const double first = msSince(start);
        buildTotal += build;
        firstTotal += first;
        worstGap = std::max(worstGap, build + first);
        for (int i = 1; i < kTurnFrames; ++i) {
            start = Clock::now();
            driver.step();
            glFinish();
            const double later = msSince(start);
            laterTotal += later;
            worstLater = std::max(worstLater, later);
            ++laterCount;
        }
    }
    const double turns = static_cast<double>(state.iterations());
    state.counters["build_ms"] = buildTotal / turns;
    state.counters["first_frame_ms"] = firstTotal / turns;
    state.counters["later_frame_ms"] = laterCount ? laterTotal / laterCount : 0;
    state.counters["worst_later_ms"] = worstLater;
    state.counters["worst_gap_ms"] = worstGap;
}
BENCHMARK(BM_PageTurnFrames)->Unit(benchmark::kMillisecond)->Iterations(24)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
