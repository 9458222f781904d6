// The delegate's launch and its background handling, on the frame driver.
#include "app/AppDelegate.h"
#include "book/BookSettings.h"

#include "audio/MixerDevice.h"
#include "audio/SimpleAudioEngine.h"
#include "audio/SimulatedAudioBackend.h"
#include "platform/CCEGLView.h"
#include "platform/CCFileUtils.h"
#include "platform/WindowBackend.h"
#include "platform/FrameDriver.h"
#include "scene/CCDirector.h"
#include "scene/CCScene.h"

#include <gtest/gtest.h>

#include <memory>

using namespace quibo;

TEST(AppDelegate, LaunchConfiguresTheViewAndRunsTheFirstScene)
{
    bookSettings().reset();
    cc::CCFileUtils::purgeFileUtils();
    cc::FrameDriver driver;
    cc::SimpleAudioEngine::sharedEngine()->useSimulatedBackend();
    driver.onTeardown(&cc::SimpleAudioEngine::end);
    cc::CCEGLView* view = cc::CCEGLView::sharedOpenGLView();
    view->setFrameSize(742.85712f, 977.59998f);

    AppDelegate app;
    EXPECT_EQ(&app, cc::CCApplication::sharedApplication());
    EXPECT_TRUE(app.launch());
    EXPECT_EQ(cc::kResolutionExactFit, view->getResolutionPolicy());
    EXPECT_FLOAT_EQ(640, view->getDesignResolutionSize().width);
    EXPECT_FLOAT_EQ(960, view->getDesignResolutionSize().height);
    EXPECT_NE(view->getScaleX(), view->getScaleY());
    EXPECT_DOUBLE_EQ(1.0 / 60, driver.director()->getAnimationInterval());
    EXPECT_EQ(view, driver.director()->getOpenGLView());
    driver.step();
    cc::CCScene* scene = driver.director()->getRunningScene();
    ASSERT_NE(nullptr, scene);
    EXPECT_EQ(1u, scene->getChildrenCount());
    EXPECT_TRUE(driver.logged("-----------TestController----- tale -------------- !"));
    EXPECT_EQ(8, bookSettings().pageMax);
    bookSettings().reset();
}

TEST(AppDelegate, TheSoundOutputOpensOnlyOnceTheFirstFrameIsShown)
{
    // The real backend, which falls back to a silent device without a sound card.
    bookSettings().reset();
    cc::CCFileUtils::purgeFileUtils();
    cc::SimpleAudioEngine::end();
    cc::FrameDriver driver;
    driver.onTeardown(&cc::SimpleAudioEngine::end);
    ASSERT_FALSE(cc::MixerDevice::isOpen());
    AppDelegate app;
    ASSERT_TRUE(app.launch());
    driver.step(); // the main menu's first frame; it only silenced the channel
    EXPECT_FALSE(cc::MixerDevice::isOpen());
    driver.advance(0.15);
    EXPECT_TRUE(cc::MixerDevice::isOpen());
    bookSettings().reset();
}

TEST(AppDelegate, BackgroundStopsFramesButNotNarration)
{
    cc::FrameDriver driver;
    cc::SimulatedAudioBackend* sim = cc::SimpleAudioEngine::sharedEngine()->useSimulatedBackend();
    driver.onTeardown(&cc::SimpleAudioEngine::end);
    AppDelegate app;
    app.launch();
    driver.step();
    sim->clearRecord();

    app.enterBackground();
    EXPECT_FALSE(driver.director()->isAnimating());
    app.enterForeground();
    EXPECT_TRUE(driver.director()->isAnimating());
    EXPECT_TRUE(sim->record().empty());
}

// A window that presses the main menu's quit button on its third event poll
// and gives up (ending the director itself) if the loop is still running long after.
class QuitPressingWindow : public cc::WindowBackend {
public:
    static constexpr int kPressAt = 3, kGiveUpAt = 600;
    int polls = 0;
    bool gaveUp = false;
    bool open(const char*, int, int) override { return true; }
    void close() override {}
    bool isOpen() const override { return true; }
    bool hasGLContext() const override { return false; }
    void pollEvents(cc::CCEGLView* view) override
    {
        ++polls;
        // The bundled main menu's quit button: its panel at (140, 290), the button
        // centred at (180, 54) inside it.
        if (polls == kPressAt) view->touchBegan(cc::CCPoint(320, 344));
        if (polls == kPressAt + 1) view->touchEnded(cc::CCPoint(320, 344));
        if (polls == kGiveUpAt) {
            gaveUp = true;
            cc::CCDirector::sharedDirector()->end();
        }
    }
    void swapBuffers() override {}
    void setTitle(const char*) override {}
    void setSize(int, int) override {}
};

TEST(AppDelegate, QuitButtonEndsRunWithItsExitCode)
{
    bookSettings().reset();
    cc::CCFileUtils::purgeFileUtils();
    cc::FrameDriver driver;
    cc::SimpleAudioEngine::sharedEngine()->useSimulatedBackend();
    driver.onTeardown(&cc::SimpleAudioEngine::end);
    cc::CCEGLView* view = cc::CCEGLView::sharedOpenGLView();
    view->setFrameSize(640, 960);
    auto window = std::make_unique<QuitPressingWindow>();
    QuitPressingWindow* seen = window.get();
    view->setBackend(std::move(window));

    AppDelegate app;
    EXPECT_EQ(0, app.run());
    EXPECT_FALSE(seen->gaveUp);
    // The press ended the loop on the frame it arrived in.
    EXPECT_EQ(QuitPressingWindow::kPressAt, seen->polls);
    bookSettings().reset();
}
