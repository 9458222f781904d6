// Runs the engine headlessly for tests and tools: a fresh director and view
// (640 x 960 design, exact fit, no window), a fixed frame time on a virtual
// clock, touches injected in design points through the same dispatcher the
// window feeds, the log lines written meanwhile, and the simulated audio
// backend (when a test installs it) advanced on the same clock.
#pragma once

#include "base/CCGeometry.h"
#include "base/CCLog.h"

#include <functional>
#include <vector>

namespace cc {

class CCDirector;
class CCScene;

class FrameDriver {
public:
    static constexpr float kDefaultFrameTime = 1.0f / 60.0f;

    explicit FrameDriver(float frameTime = kDefaultFrameTime);
    // Ends the director and purges the engine's process-wide state.
    ~FrameDriver();
    FrameDriver(const FrameDriver&) = delete;
    FrameDriver& operator=(const FrameDriver&) = delete;

    // ---- Time --------------------------------------------------------------
    void step(int frames = 1);
    // Steps whole frames until at least `seconds` more virtual time passed.
    void advance(double seconds);
    // Virtual seconds since the driver started.
    double now() const { return m_now; }
    float frameTime() const { return m_frameTime; }
    // Called with dt before every frame (the simulated audio clock, ...).
    void onClock(std::function<void(double)> listener);
    // Called from the destructor, before the engine is purged.
    void onTeardown(std::function<void()> hook);

    // ---- Scenes --------------------------------------------------------------
    // Runs (or replaces with) the scene and steps one frame so it is on stage.
    void show(CCScene* scene);
    CCDirector* director() const;

    // ---- Touches (design points, y up) ----------------------------------------
    void touchDown(const CCPoint& p);
    void touchMove(const CCPoint& p);
    void touchUp(const CCPoint& p);
    void touchCancel();
    // Down and up at one point, with a frame between.
    void tap(const CCPoint& p);
    // Down at `from`, `moves` evenly spaced moves to `to`, up; a frame between each.
    void drag(const CCPoint& from, const CCPoint& to, int moves = 4);

    // ---- Pictures (needs a display; logic-only otherwise) ---------------------
    // Draws every frame from now on into a hidden window of the frame size;
    // false (with a log line) when there is no display.
    bool enableRendering(int frameWidth = 640, int frameHeight = 960);
    bool isRendering() const { return m_rendering; }
    // The last drawn frame as a PNG file; false when nothing is drawn.
    bool screenshot(const std::string& path) const;

    // ---- Log --------------------------------------------------------------------
    const std::vector<std::string>& logLines() const { return m_log.lines(); }
    bool logged(const std::string& line) const { return m_log.contains(line); }
    size_t loggedCount(const std::string& line) const { return m_log.countOf(line); }
    void clearLog() { m_log.clear(); }

private:
    float m_frameTime;
    double m_now = 0;
    bool m_rendering = false;
    std::vector<std::function<void(double)>> m_clockListeners;
    std::vector<std::function<void()>> m_teardown;
    CCLogCapture m_log;
};

} // namespace cc
