// The SDL window and the loop's waiting: an exposed (or restored, resized)
// window raises the director's redraw mark, so a loop drawing on demand
// paints the uncovered window again; waiting for input wakes for a queued
// event and leaves it for the event pump.
#include "engine.h"
#include "platform/FrameDriver.h"
#include "platform/WindowBackend.h"
#include "render/CCSprite.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <chrono>

using namespace cc;

namespace {
void pushWindowEvent(Uint8 kind)
{
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = kind;
    e.window.windowID = SDL_GetWindowID(SDL_GL_GetCurrentWindow());
    SDL_PushEvent(&e);
}

void pump()
{
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    view->getBackend()->pollEvents(view);
}
} // namespace

TEST(SDLWindowBackend, AnExposedRestoredOrResizedWindowIsDrawnAgainAndWaitingWakesForAQueuedEvent)
{
    FrameDriver driver;
    if (!driver.enableRendering(320, 480)) {
        GTEST_SKIP() << "no display: the window needs one (the test command runs under Xvfb)";
    }
    driver.director()->setDrawOnDemand(true);
    CCScene* scene = CCScene::create();
    scene->addChild(CCLayerColor::create(ccc4(0, 120, 0, 255)));
    driver.show(scene);
    pump(); // whatever opening the window queued
    driver.step();
    const unsigned int drawn = driver.director()->getDrawnFrames();
    driver.step(3);
    EXPECT_EQ(driver.director()->getDrawnFrames(), drawn);

    for (Uint8 kind : {SDL_WINDOWEVENT_EXPOSED, SDL_WINDOWEVENT_SIZE_CHANGED, SDL_WINDOWEVENT_SHOWN}) {
        const unsigned int before = driver.director()->getDrawnFrames();
        pushWindowEvent(kind);
        pump();
        EXPECT_TRUE(CCDirector::needsRedraw()) << "window event " << int(kind);
        driver.step(3);
        EXPECT_EQ(driver.director()->getDrawnFrames(), before + 1) << "window event " << int(kind);
    }
    // Focus changes uncover nothing.
    pushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    pump();
    EXPECT_FALSE(CCDirector::needsRedraw());

    // A queued event ends the wait long before its time is up, and is still
    // there for the pump afterwards.
    WindowBackend* window = CCEGLView::sharedOpenGLView()->getBackend();
    pushWindowEvent(SDL_WINDOWEVENT_EXPOSED);
    const auto start = std::chrono::steady_clock::now();
    window->waitEvents(5.0);
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 2.5);
    EXPECT_FALSE(CCDirector::needsRedraw());
    pump();
    EXPECT_TRUE(CCDirector::needsRedraw());
    driver.step();
    // With nothing queued the wait lasts its time.
    const auto quiet = std::chrono::steady_clock::now();
    window->waitEvents(0.05);
    EXPECT_GE(std::chrono::duration<double>(std::chrono::steady_clock::now() - quiet).count(), 0.045);
}
