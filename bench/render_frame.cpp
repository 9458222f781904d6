// One rendered frame of a busy page: 500 sprites from one sheet plus 49
// nine-cell batches, drawn in a hidden window. Reports CPU time and draw
// calls per frame, and the time from the start of main to the first frame.
#include "platform/FrameDriver.h"
#include "platform/SDLWindowBackend.h"
#include "render/CCFrameCapture.h"
#include "render/CCHiddenWindow.h"
#include "render/CCImage.h"
#include "render/CCSprite.h"
#include "render/CCSpriteBatchNode.h"
#include "render/CCTexture2D.h"
#include "render/CCTextureCache.h"
#include "scene/CCDirector.h"
#include "scene/CCScene.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace cc;

namespace {
const int kSprites = 500, kNineSlices = 49;
const int kSheetSize = 256, kCell = 32;
std::chrono::steady_clock::time_point s_mainStart;
double s_firstFrameMs = -1;

std::string writeSheet()
{
    std::vector<unsigned char> rgba(kSheetSize * kSheetSize * 4);
    for (int i = 0; i < kSheetSize * kSheetSize; ++i) {
        rgba[i * 4] = static_cast<unsigned char>(i % 251);
        rgba[i * 4 + 1] = static_cast<unsigned char>((i / kSheetSize) % 253);
        rgba[i * 4 + 2] = 128;
        rgba[i * 4 + 3] = 255;
    }
    const std::string path = "/tmp/quibo-bench-sheet-" + std::to_string(getpid()) + ".png";
    CCImage::savePNG(path, rgba.data(), kSheetSize, kSheetSize);
    return path;
}

CCScene* buildScene(const std::string& sheet)
{
    CCScene* scene = CCScene::create();
    CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage(sheet.c_str());
    const int perRow = kSheetSize / kCell;
    for (int i = 0; i < kSprites; ++i) {
        const int cell = i % (perRow * perRow);
        CCSprite* s = CCSprite::createWithTexture(
            texture, CCRect((cell % perRow) * kCell, (cell / perRow) * kCell, kCell, kCell));
        s->setPosition(20 + (i * 37) % 600, 20 + (i * 53) % 920);
        s->setRotation(static_cast<float>(i % 30));
        scene->addChild(s);
    }
    for (int n = 0; n < kNineSlices; ++n) {
        CCSpriteBatchNode* batch = CCSpriteBatchNode::createWithTexture(texture, 9);
        for (int c = 0; c < 9; ++c) {
            CCSprite* cellSprite = CCSprite::createWithTexture(texture, CCRect((c % 3) * 10, (c / 3) * 10, 10, 10));
            cellSprite->setAnchorPoint(CCPoint(0, 0));
            cellSprite->setPosition((c % 3) * 10, (c / 3) * 10);
            batch->addChild(cellSprite, c == 4 ? 0 : 1);
        }
        batch->setPosition(30 + (n % 7) * 85, 60 + (n / 7) * 125);
        scene->addChild(batch);
    }
    return scene;
}

void BM_RenderFrame(benchmark::State& state)
{
    FrameDriver driver;
    if (!setUpHiddenRendering(640, 960)) {
        state.SkipWithError("no display: run under xvfb-run");
        return;
    }
    const std::string sheet = writeSheet();
    driver.show(buildScene(sheet));
    if (s_firstFrameMs < 0) {
        s_firstFrameMs =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - s_mainStart).count();
    }
    unsigned int calls = 0;
    for (auto _ : state) {
        driver.step();
        calls = CCFrameCapture::drawCallsLastFrame();
    }
    state.counters["draw_calls"] = calls;
    state.counters["first_frame_ms"] = s_firstFrameMs;
    state.counters["sdl_init_ms"] = SDLWindowBackend::initSeconds() * 1000.0;
    tearDownHiddenRendering();
    CCTextureCache::sharedTextureCache()->removeAllTextures();
    std::remove(sheet.c_str());
}
BENCHMARK(BM_RenderFrame)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    s_mainStart = std::chrono::steady_clock::now();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
