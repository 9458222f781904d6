// Key frames of a widget animation track: the base kind and the five value
// kinds (position, scale, rotation, colour, opacity). Each frame turns itself
// into the engine's timed "to" action; sequencing the frames is ActionNode's.
#pragma once

#include "base/CCGeometry.h"
#include "base/CCObject.h"
#include "base/ccTypes.h"

namespace cc {

class CCFiniteTimeAction;

// Index of a kind in a track's per-kind frame lists.
enum ActionFrameKind {
    kActionFrameMove = 0,
    kActionFrameScale = 1,
    kActionFrameRotation = 2,
    kActionFrameTint = 3,
    kActionFrameFade = 4,
    kActionFrameKindCount = 5,
};

class ActionFrame : public CCObject {
public:
    static ActionFrame* create();

    // The action reaching this frame's value in `duration` seconds,
    // autoreleased; the base kind has no value and gives null.
    virtual CCFiniteTimeAction* getAction(float duration);

    int getKind() const { return m_kind; }
    int getFrameIndex() const { return m_frameIndex; }
    void setFrameIndex(int index) { m_frameIndex = index; }

protected:
    explicit ActionFrame(int kind) : m_kind(kind) {}

private:
    int m_kind;
    int m_frameIndex = 0; // position on the timeline, in frame steps
};

class ActionMoveFrame : public ActionFrame {
public:
    static ActionMoveFrame* create();
    CCFiniteTimeAction* getAction(float duration) override;
    void setPosition(const CCPoint& position) { m_position = position; }
    const CCPoint& getPosition() const { return m_position; }

private:
    ActionMoveFrame() : ActionFrame(kActionFrameMove) {}
    CCPoint m_position;
};

class ActionScaleFrame : public ActionFrame {
public:
    static ActionScaleFrame* create();
    CCFiniteTimeAction* getAction(float duration) override;
    void setScaleX(float scale) { m_scaleX = scale; }
    void setScaleY(float scale) { m_scaleY = scale; }
    float getScaleX() const { return m_scaleX; }
    float getScaleY() const { return m_scaleY; }

private:
    ActionScaleFrame() : ActionFrame(kActionFrameScale) {}
    float m_scaleX = 1.0f;
    float m_scaleY = 1.0f;
};

class ActionRotationFrame : public ActionFrame {
public:
    static ActionRotationFrame* create();
    CCFiniteTimeAction* getAction(float duration) override;
    void setRotation(float degrees) { m_rotation = degrees; }
    float getRotation() const { return m_rotation; }

private:
    ActionRotationFrame() : ActionFrame(kActionFrameRotation) {}
    float m_rotation = 0.0f;
};

class ActionTintFrame : public ActionFrame {
public:
    static ActionTintFrame* create();
    CCFiniteTimeAction* getAction(float duration) override;
    void setColor(const ccColor3B& color) { m_color = color; }
    const ccColor3B& getColor() const { return m_color; }

private:
    ActionTintFrame() : ActionFrame(kActionFrameTint) {}
    ccColor3B m_color{255, 255, 255};
};

class ActionFadeFrame : public ActionFrame {
public:
    static ActionFadeFrame* create();
    CCFiniteTimeAction* getAction(float duration) override;
    void setOpacity(float opacity) { m_opacity = opacity; }
    float getOpacity() const { return m_opacity; }

private:
    ActionFadeFrame() : ActionFrame(kActionFrameFade) {}
    float m_opacity = 255.0f;
};

} // namespace cc
