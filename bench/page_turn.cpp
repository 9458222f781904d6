// Time from turnForward to the new page built (layout read, widgets bound,
// textures warm) on the largest page of the bundled book, headless.
#include "book/BookConfiguration.h"
#include "book/BookSettings.h"
#include "book/OpenPage.h"
#include "book/PageState.h"
#include "book/TestLayer1.h"
#include "book/VisibleArea.h"

#include "audio/SimpleAudioEngine.h"
#include "platform/FrameDriver.h"
#include "render/CCImageDecoder.h"
#include "scene/CCDirector.h"
#include "scene/CCScene.h"

#include <benchmark/benchmark.h>

namespace {

// tale_6.json is the largest layout of the bundled book.
const int kLargestPage = 6;

void BM_TurnForwardToLargestPage(benchmark::State& state)
{
    cc::FrameDriver driver;
    cc::SimpleAudioEngine::sharedEngine()->useSimulatedBackend();
    quibo::bookSettings().reset();
    quibo::pageState().reset();
    quibo::VisibleArea::forget();
    quibo::readBookConfiguration();
    quibo::bookSettings().currentPage = kLargestPage - 1;
    quibo::openPage();
    driver.step();
    for (auto _ : state) {
        state.PauseTiming();
        quibo::bookSettings().currentPage = kLargestPage - 1;
        quibo::TestLayer1* page = nullptr;
        cc::CCScene* running = driver.director()->getRunningScene();
        if (running && running->getChildrenCount() > 0) {
            page = dynamic_cast<quibo::TestLayer1*>(running->getChildren()->objectAtIndex(0));
        }
        if (!page) {
            state.SkipWithError("no page on stage");
            break;
        }
        state.ResumeTiming();
        page->turnForward(nullptr); // builds the TestLayer2 of page 6
        state.PauseTiming();
        // Let the transition finish, then come back to page 5 on a TestLayer1.
        driver.advance(0.6);
        quibo::openPage();
        driver.step(2);
        // The neighbours' pictures decode in the background while a reader
        // looks at the page; here the next turn would come at once.
        cc::CCImageDecoder::shared().waitUntilDone();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TurnForwardToLargestPage)->Unit(benchmark::kMillisecond)->Iterations(50);

} // namespace

BENCHMARK_MAIN();
