// The view: window name and frame size in pixels, the design resolution and
// how it is fitted, where in the window the design area is shown, and the
// conversion of window input into design-space touches. The window itself
// is a WindowBackend (SDL for the real program, none for logic-only runs).
#pragma once

#include "base/CCGeometry.h"
#include "base/CCRefPtr.h"

#include <functional>
#include <memory>
#include <string>

namespace cc {

class WindowBackend;
class CCSet;
class CCTouch;

enum ResolutionPolicy {
    kResolutionExactFit = 0, // each axis scaled on its own to fill the frame
    kResolutionNoBorder,
    kResolutionShowAll,
    kResolutionFixedHeight,
    kResolutionFixedWidth,
    kResolutionUnKnown,
};

class CCEGLView {
public:
    static CCEGLView* sharedOpenGLView();
    // Closes the window and destroys the shared view (process end, tests).
    static void purgeSharedOpenGLView();

    void setViewName(const char* name);
    const std::string& getViewName() const { return m_viewName; }
    void setFrameSize(float width, float height);
    const CCSize& getFrameSize() const { return m_frameSize; }
    void setDesignResolutionSize(float width, float height, ResolutionPolicy policy);
    const CCSize& getDesignResolutionSize() const { return m_designSize; }
    ResolutionPolicy getResolutionPolicy() const { return m_policy; }
    CCSize getVisibleSize() const;
    CCPoint getVisibleOrigin() const;
    float getScaleX() const { return m_scaleX; }
    float getScaleY() const { return m_scaleY; }

    // Frame pixels (y down from the top-left) to design points (y up).
    CCPoint frameToDesign(float px, float py) const;

    // ---- The window as it really is -----------------------------------------
    // The window's client area is now width x height (window units): a user
    // resize, a maximise, full screen. At the frame size the program asked
    // for, the design area is fitted by the policy as before; at any other
    // size an exact-fit design area is shown whole instead, scaled uniformly
    // to the largest size that fits and centred, so it is never distorted.
    // Sizes below one unit are taken as one.
    void setWindowSize(int width, int height);
    // Where the design area is drawn, in frame pixels from the top-left.
    CCRect getViewportRect() const;
    bool isInViewport(float px, float py) const;
    // Every window change that alters what is shown (size, full screen,
    // restore, the picture exposed again) is reported here, once; the
    // listener (a redraw, say) runs after the view has updated its fit.
    void frameChanged();
    void setFrameChangedListener(std::function<void()> listener) { m_frameChanged = std::move(listener); }
    // Full screen on the window's display, and back to the window.
    void setFullScreen(bool on);
    bool isFullScreen() const;

    // The window behind the view. Without one the view is logic-only.
    void setBackend(std::unique_ptr<WindowBackend> backend);
    WindowBackend* getBackend() const { return m_backend.get(); }
    bool isOpenGLReady() const;
    void swapBuffers();
    void end();

    // Window input: one pointer, given in frame pixels. A press outside the
    // viewport (on the bars around the picture) starts no touch.
    void handlePointerDown(float px, float py);
    void handlePointerMove(float px, float py);
    void handlePointerUp(float px, float py);
    void handlePointerCancel();

    // The same single touch given in design points: the window's pointer
    // and the test frame driver both end up here, then in the director's
    // touch dispatcher.
    void touchBegan(const CCPoint& designPoint);
    void touchMoved(const CCPoint& designPoint);
    void touchEnded(const CCPoint& designPoint);
    void touchCancelled();
    bool isTouchDown() const { return m_pTouch != nullptr; }

private:
    CCEGLView();
    ~CCEGLView();
    void updateScale();

    std::string m_viewName;
    CCSize m_frameSize;
    CCSize m_askedFrameSize; // what setFrameSize was last given
    CCSize m_designSize;
    ResolutionPolicy m_policy = kResolutionUnKnown;
    float m_scaleX = 1.0f, m_scaleY = 1.0f;
    std::unique_ptr<WindowBackend> m_backend;
    CCRefPtr<CCTouch> m_pTouch;
    int m_nextTouchId = 0;
    std::function<void()> m_frameChanged;
};

} // namespace cc
