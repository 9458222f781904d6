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

#include <algorithm>
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

    bool open()
    {
        if (!driver.enableRendering(640, 960)) return false;
        CCEGLView* view = CCEGLView::sharedOpenGLView();
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
    // What present() puts in a drawable-sized framebuffer after one more
    // frame: the window's back buffer gets the same, but a hidden window's
    // buffers are not all its own to read back. Rows from the top.
    bool presented(std::vector<unsigned char>& rgba, int& dw, int& dh)
    {
        driver.step();
        CCRenderer* r = CCRenderer::current();
        if (!r) return false;
        SDL_GL_GetDrawableSize(sdl, &dw, &dh);
        GLuint fbo = 0, colour = 0;
        glGenTextures(1, &colour);
        glBindTexture(GL_TEXTURE_2D, colour);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, dw, dh, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        glGenFramebuffers(1, &fbo);
        glBindFramebuffer(GL_FRAMEBUFFER, fbo);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour, 0);
        const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
        if (complete) {
            r->present(fbo);
            glBindFramebuffer(GL_FRAMEBUFFER, fbo);
            std::vector<unsigned char> up(static_cast<size_t>(dw) * dh * 4);
            glPixelStorei(GL_PACK_ALIGNMENT, 1);
            glReadPixels(0, 0, dw, dh, GL_RGBA, GL_UNSIGNED_BYTE, up.data());
            rgba.resize(up.size());
            const size_t row = static_cast<size_t>(dw) * 4;
            for (int y = 0; y < dh; ++y) std::copy_n(&up[(dh - 1 - y) * row], row, &rgba[y * row]);
        }
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &fbo);
        glDeleteTextures(1, &colour);
        driver.step(); // the renderer binds its own frame again at the next frame
        return complete;
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
    if (!w.open()) GTEST_SKIP() << "no display: the window test runs under Xvfb";
    ASSERT_TRUE(w.resize(800, 600));
    std::vector<unsigned char> px;
    int dw = 0, dh = 0;
    ASSERT_TRUE(w.presented(px, dw, dh));
    ASSERT_EQ(800, dw);
    ASSERT_EQ(600, dh);
    auto at = [&](int x, int y) { return &px[(static_cast<size_t>(y) * dw + x) * 4]; };
    const ccColor4F& b = CCRenderer::kBarColour;
    // Bars left (0..199) and right (600..799), the picture between, every row.
    for (int y : {0, 300, 599}) {
        for (int x : {0, 100, 199, 600, 700, 799}) {
            SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
            EXPECT_NEAR(b.r * 255, at(x, y)[0], 2);
            EXPECT_NEAR(b.g * 255, at(x, y)[1], 2);
            EXPECT_NEAR(b.b * 255, at(x, y)[2], 2);
        }
        for (int x : {200, 400, 599}) {
            SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
            EXPECT_EQ(40, at(x, y)[0]);
            EXPECT_EQ(160, at(x, y)[1]);
            EXPECT_EQ(60, at(x, y)[2]);
        }
    }
    // At the asked size the picture fills the window: no bar anywhere.
    ASSERT_TRUE(w.resize(640, 960));
    ASSERT_TRUE(w.presented(px, dw, dh));
    ASSERT_EQ(640, dw);
    for (int x : {0, 639}) {
        for (int y : {0, 959}) EXPECT_EQ(160, at(x, y)[1]) << x << "," << y;
    }
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
