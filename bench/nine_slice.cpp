// One rendered frame of a UI layer holding 49 nine-slice buttons (7 x 7,
// one shared image, cap insets, a title each), drawn in a hidden window.
// Reports CPU time per frame and the frame's draw calls; the same frame
// without titles (nine-slice batches alone), and with every button resized
// (so each nine-slice lays out again).
#include "base/CCRefPtr.h"
#include "gui/UILayer.h"
#include "gui/UIRootWidget.h"
#include "gui/widgets/UIButton.h"
#include "platform/FrameDriver.h"
#include "render/CCFrameCapture.h"
#include "render/CCHiddenWindow.h"
#include "render/CCImage.h"
#include "render/CCTextureCache.h"
#include "scene/CCScene.h"
#include "text/CCLabelTTF.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace cc;

namespace {
const int kColumns = 7, kRows = 7;
const int kImageSize = 48, kCap = 12;
const float kButtonWidth = 80, kButtonHeight = 56;

std::string writeButtonImage()
{
    std::vector<unsigned char> rgba(kImageSize * kImageSize * 4);
    for (int y = 0; y < kImageSize; ++y) {
        for (int x = 0; x < kImageSize; ++x) {
            const bool border = x < kCap || y < kCap || x >= kImageSize - kCap || y >= kImageSize - kCap;
            unsigned char* p = &rgba[(y * kImageSize + x) * 4];
            p[0] = border ? 40 : 200;
            p[1] = border ? 90 : 160;
            p[2] = border ? 200 : 60;
            p[3] = 255;
        }
    }
    const std::string path = "/tmp/quibo-bench-button-" + std::to_string(getpid()) + ".png";
    CCImage::savePNG(path, rgba.data(), kImageSize, kImageSize);
    return path;
}

struct Screen {
    CCScene* scene = nullptr;
    std::vector<CCRefPtr<UIButton>> buttons;
    bool allThroughRoot = true;
};

Screen buildScreen(const std::string& image, bool withTitles)
{
    Screen screen;
    screen.scene = CCScene::create();
    UILayer* layer = UILayer::create();
    screen.scene->addChild(layer);
    for (int i = 0; i < kColumns * kRows; ++i) {
        UIButton* b = UIButton::create();
        b->setScale9Enabled(true);
        b->loadTextures(image.c_str(), image.c_str(), image.c_str());
        b->setCapInsets(CCRect(kCap, kCap, kImageSize - 2 * kCap, kImageSize - 2 * kCap));
        b->setSize(CCSize(kButtonWidth, kButtonHeight));
        if (withTitles) {
            b->setTitleText(std::to_string(i + 1).c_str());
            b->setTitleFontSize(20);
        }
        b->setTouchEnabled(true);
        b->setPosition(CCPoint(60 + (i % kColumns) * 86, 120 + (i / kColumns) * 110));
        screen.buttons.emplace_back(b);
        if (!layer->getRootWidget()->addChild(b)) {
            // The widget tree refused it: hang its render node on the layer so
            // the frame still holds the same nodes to draw.
            screen.allThroughRoot = false;
            layer->addChild(b->getTitleRenderer()->getParent());
        }
    }
    return screen;
}

void releaseScreen(Screen& screen)
{
    screen.buttons.clear();
}

void runFrames(benchmark::State& state, bool withTitles, bool resizeEachFrame)
{
    FrameDriver driver;
    if (!setUpHiddenRendering(640, 960)) {
        state.SkipWithError("no display: run under xvfb-run");
        return;
    }
    const std::string image = writeButtonImage();
    Screen screen = buildScreen(image, withTitles);
    driver.show(screen.scene);
    driver.step();
    unsigned int calls = 0;
    int frame = 0;
    for (auto _ : state) {
        if (resizeEachFrame) {
            const float grow = static_cast<float>(++frame % 2);
            for (const CCRefPtr<UIButton>& b : screen.buttons) b->setSize(CCSize(kButtonWidth + grow, kButtonHeight + grow));
        }
        driver.step();
        calls = CCFrameCapture::drawCallsLastFrame();
    }
    state.counters["draw_calls"] = calls;
    state.counters["buttons"] = static_cast<double>(screen.buttons.size());
    state.counters["through_root"] = screen.allThroughRoot ? 1 : 0;
    releaseScreen(screen);
    tearDownHiddenRendering();
    CCTextureCache::sharedTextureCache()->removeAllTextures();
    std::remove(image.c_str());
}

void BM_NineSliceButtonsFrame(benchmark::State& state) { runFrames(state, true, false); }
void BM_NineSliceButtonsUntitledFrame(benchmark::State& state) { runFrames(state, false, false); }
void BM_NineSliceButtonsResizedFrame(benchmark::State& state) { runFrames(state, true, true); }
BENCHMARK(BM_NineSliceButtonsFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NineSliceButtonsUntitledFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NineSliceButtonsResizedFrame)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
