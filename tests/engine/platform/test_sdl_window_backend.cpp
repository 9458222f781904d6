// The real window at several sizes, hidden, driven by real SDL events: the
// view refits on every size change, clicks map through the rectangle the
// picture is drawn into (none on the bars), the frame is drawn at the
// picture's pixel size and presented centred with dark bars around it.

#include "base/CCSet.h"
#include "platform/CCEGLView.h"
#include "platform/FrameDriver.h"
#include "platform/SDLWindowBackend.h"
#include "render/CCFrameCapture.h"
#include "render/CCGL.h"
#include "render/CCRenderer.h"
#include "scene/CCDirector.h"
#include "scene/CCLayer.h"
#include "scene/CCScene.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace cc;

namespace {
class TouchLog : public CCLayer {
public:
    std::vector<CCPoint> began;
    void ccTouchesBegan(CCSet* touches, CCEvent*) override
    {
        began.push_back(static_cast<CCTouch*>(*touches->begin())->getLocation());
    }
};

struct Window {
    FrameDriver driver;
    SDLWindowBackend* backend = nullptr;
    SDL_Window* sdl = nullptr;
    TouchLog* touches = nullptr;

    // Hidden for the mapping; shown when the presented window is read back
    // (a hidden window's buffers are not all its own to read).
    bool open(bool shown = false)
    {
        CCEGLView* view = CCEGLView::sharedOpenGLView();
        if (shown) {
            std::unique_ptr<SDLWindowBackend> window(new SDLWindowBackend(false));
            if (!window->open("quibo test", 640, 960)) return false;
            view->setBackend(std::move(window));
            view->setFrameSize(640, 960);
        } else if (!driver.enableRendering(640, 960)) {
            return false;
        }
        backend = static_cast<SDLWindowBackend*>(view->getBackend());
        sdl = SDL_GetWindowFromID(backend->windowID());
        CCScene* scene = CCScene::create();
        scene->addChild(CCLayerColor::create(ccc4(40, 160, 60, 255), 640, 960));
        touches = new TouchLog();
        touches->init();
        touches->setTouchEnabled(true);
        scene->addChild(touches);
        touches->release();
        driver.show(scene);
        return sdl != nullptr;
    }
    void pump() { CCEGLView::sharedOpenGLView()->getBackend()->pollEvents(CCEGLView::sharedOpenGLView()); }
    // Resizes the way a window manager does and waits for the window's own report.
    bool resize(int w, int h)
    {
        SDL_SetWindowSize(sdl, w, h);
        for (int i = 0; i < 200; ++i) {
            pump();
            const CCSize f = CCEGLView::sharedOpenGLView()->getFrameSize();
            if (static_cast<int>(f.width + 0.5f) == w && static_cast<int>(f.height + 0.5f) == h) return true;
            SDL_Delay(10);
        }
        return false;
    }
    void click(int x, int y)
    {
        SDL_Event e{};
        e.type = SDL_MOUSEBUTTONDOWN;
        e.button.windowID = backend->windowID();
        e.button.button = SDL_BUTTON_LEFT;
        e.button.state = SDL_PRESSED;
        e.button.x = x;
        e.button.y = y;
        SDL_PushEvent(&e);
        e.type = SDL_MOUSEBUTTONUP;
        e.button.state = SDL_RELEASED;
        SDL_PushEvent(&e);
        pump();
    }
    // The presented window's pixel (from the top-left) after one more frame.
    bool presentedPixel(int x, int y, unsigned char rgba[4])
    {
        driver.step();
        CCRenderer* r = CCRenderer::current();
        if (!r) return false;
        r->present();
        int dw = 0, dh = 0;
        SDL_GL_GetDrawableSize(sdl, &dw, &dh);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        glReadBuffer(GL_BACK);
        glReadPixels(x, dh - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        driver.step(); // the renderer binds its own frame again at the next frame
        return glGetError() == GL_NO_ERROR;
    }
};

void expectNear(const CCPoint& want, const CCPoint& got)
{
    EXPECT_NEAR(want.x, got.x, 2.0f);
    EXPECT_NEAR(want.y, got.y, 2.0f);
}
} // namespace

TEST(SDLWindowBackend, ClicksMapThroughThePictureAtEverySize)
{
    Window w;
    if (!w.open()) GTEST_SKIP() << "no display: the window test runs under Xvfb";
    struct Size {
        int w, h;
        int left, top, pw, ph; // the picture in window pixels
    };
    const Size sizes[] = {
        {800, 600, 200, 0, 400, 600},
        {400, 1200, 0, 300, 400, 600},
        {1000, 1000, 167, 0, 667, 1000},
        {640, 960, 0, 0, 640, 960}, // the asked size: the whole window, as at start
        {300, 300, 50, 0, 200, 300},
    };
    for (const Size& s : sizes) {
        SCOPED_TRACE(std::to_string(s.w) + "x" + std::to_string(s.h));
        ASSERT_TRUE(w.resize(s.w, s.h));
        CCRenderer* r = CCRenderer::current();
        ASSERT_NE(nullptr, r);
        EXPECT_NEAR(s.pw, r->getFramebufferWidth(), 1);
        EXPECT_NEAR(s.ph, r->getFramebufferHeight(), 1);
        w.touches->began.clear();
        // The picture's centre, a point near its top-left corner, and one in each bar.
        w.click(s.left + s.pw / 2, s.top + s.ph / 2);
        w.click(s.left + s.pw / 10, s.top + s.ph / 10);
        if (s.left > 0) w.click(s.left / 2, s.h / 2);
        if (s.top > 0) w.click(s.w / 2, s.top / 2);
        if (s.top > 0) w.click(s.w / 2, s.h - s.top / 2);
        ASSERT_EQ(2u, w.touches->began.size());
        expectNear(CCPoint(320, 480), w.touches->began[0]);
        expectNear(CCPoint(64, 864), w.touches->began[1]);
        // The drawn picture fills its frame whatever the window.
        ccColor4B c;
        w.driver.step();
        ASSERT_TRUE(CCFrameCapture::pixelAtDesignPoint(CCPoint(320, 480), c));
        EXPECT_EQ(160, c.g);
    }
}

TEST(SDLWindowBackend, ThePictureIsPresentedCentredBetweenDarkBars)
{
    Window w;
    if (!w.open(true)) GTEST_SKIP() << "no display: the window test runs under Xvfb";
    ASSERT_TRUE(w.resize(800, 600));
    unsigned char bar[4], picture[4], rightBar[4];
    // The GL driver takes the window's new size at its first present.
    ASSERT_TRUE(w.presentedPixel(0, 0, bar));
    ASSERT_TRUE(w.presentedPixel(100, 300, bar));
    ASSERT_TRUE(w.presentedPixel(400, 300, picture));
    ASSERT_TRUE(w.presentedPixel(700, 590, rightBar));


    const ccColor4F& b = CCRenderer::kBarColour;
    EXPECT_NEAR(b.r * 255, bar[0], 2);
    EXPECT_NEAR(b.g * 255, bar[1], 2);
    EXPECT_NEAR(b.b * 255, bar[2], 2);
    EXPECT_EQ(bar[0], rightBar[0]);
    EXPECT_EQ(bar[2], rightBar[2]);
    EXPECT_EQ(40, picture[0]);
    EXPECT_EQ(160, picture[1]);
    EXPECT_EQ(60, picture[2]);
    // At the asked size the picture fills the window: no bar anywhere.
    ASSERT_TRUE(w.resize(640, 960));
    unsigned char corner[4];
    ASSERT_TRUE(w.presentedPixel(0, 0, corner));
    ASSERT_TRUE(w.presentedPixel(2, 2, corner));
    EXPECT_EQ(160, corner[1]);
    // The shown window is the one frames go to: take it out before the driver ends.
    CCDirector::sharedDirector()->setRenderer(nullptr);
    CCDirector::sharedDirector()->setFrameHooks(nullptr, nullptr);
    CCEGLView::sharedOpenGLView()->setBackend(nullptr);
}

TEST(SDLWindowBackend, SizeRestoreAndFullScreenAreReportedOnceEach)
{
    Window w;
    if (!w.open()) GTEST_SKIP() << "no display: the window test runs under Xvfb";
    int changes = 0;
    CCEGLView::sharedOpenGLView()->setFrameChangedListener([&] { ++changes; });
    ASSERT_TRUE(w.resize(700, 700));
    EXPECT_GE(changes, 1);
    // Minimise and restore in the middle of things: the picture stays the same size.
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = w.backend->windowID();
    e.window.event = SDL_WINDOWEVENT_MINIMIZED;
    SDL_PushEvent(&e);
    w.pump();
    e.window.event = SDL_WINDOWEVENT_RESTORED;
    changes = 0;
    SDL_PushEvent(&e);
    w.pump();
    EXPECT_EQ(1, changes);
    EXPECT_EQ(700.0f, CCEGLView::sharedOpenGLView()->getFrameSize().width);
    CCEGLView::sharedOpenGLView()->setFrameChangedListener(nullptr);
}
