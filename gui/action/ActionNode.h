// ActionNode: one animation track, the key frames of one widget (found by
// its action tag), built into one engine action that runs every kind at once.
// Reading the animation as a whole and playing it by name are ActionObject's.
#pragma once

#include <json/value.h>

#include "base/CCObject.h"
#include "base/CCRefPtr.h"
#include "gui/action/ActionFrame.h"

namespace cc {

class CCAction;
class CCArray;
class CCNode;
class UIWidget;

class ActionNode : public CCObject {
public:
    static ActionNode* create();
    ~ActionNode() override;

    // --- virtual operations, in this order ---
    // Puts the bound node in the state the track has at `time` seconds;
    // false when the time lies before the first frame (or nothing is bound).
    virtual bool seekToTime(float time);
    // Runs the built action once, or forever when loop is set.
    virtual void play(bool loop);
    virtual void stop();
    // Reads the track's tag and key frames, then binds it under root.
    virtual void readFromJson(const Json::Value* track, CCObject* root);
    // The bound widget's own node (where its position, scale and colour
    // live; not a content sprite inside it); null while unbound.
    virtual CCNode* getTargetNode();
    // Turns the frames into the spawn of one sequence per kind; null while unbound.
    virtual CCAction* buildAction();
    virtual void startAction();
    // Binds the track to the widget under root carrying its action tag.
    virtual void initActionNodeFromRoot(CCObject* root);
    // Starts the frame's action of that duration on the node and puts it at
    // progress (0..1) at once.
    virtual void applyFrame(float duration, float progress, ActionFrame* frame);

    void addFrame(ActionFrame* frame);
    // The frames of one kind in file order (timeline order); null for an unknown kind.
    CCArray* getFrames(int kind) const;
    void setUnitTime(float seconds) { m_unitTime = seconds; }
    float getUnitTime() const { return m_unitTime; }
    void setActionTag(int tag) { m_actionTag = tag; }
    int getActionTag() const { return m_actionTag; }
    UIWidget* getBoundObject() const { return m_pBoundObject; }
    CCAction* getSpawnAction() const { return m_pSpawnAction.get(); }
    CCAction* getPlayingAction() const { return m_pPlayingAction.get(); }
    // True while the playing action is handed to the engine and not finished.
    bool isPlaying() const;

protected:
    ActionNode() = default;
    bool init();

private:
    // Takes the playing action off the node (if it still runs) and drops it.
    void dropPlayingAction();

    float m_unitTime = 0.1f;               // seconds per frame step
    int m_actionTag = 0;
    // Not retained: the screen whose tree holds the widget drops the stored
    // animations (releaseUiSingletons) when it goes.
    UIWidget* m_pBoundObject = nullptr;
    CCRefPtr<CCAction> m_pSpawnAction;
    CCRefPtr<CCAction> m_pPlayingAction;
    CCRefPtr<CCArray> m_pFramesByKind; // one CCArray per kind
    int m_kindCount = kActionFrameKindCount;
};

} // namespace cc
